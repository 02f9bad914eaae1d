// The commands: load, reload, save, append and leave, with the questions they ask and the
// messages they give, and the handler that reports what fails.

#include "ui/frmVelmora.h"

#include "catalog/CatalogError.h"
#include "catalog/CatalogFiles.h"
#include "catalog/SavedButNotSynced.h"
#include "operations/RecordAppend.h"
#include "store/basMain.h"
#include "ui/CaptionLabel.h"
#include "ui/CommandColumn.h"
#include "ui/DesignView.h"
#include "ui/LongWorkProgress.h"
#include "ui/MessageText.h"
#include "ui/TextBox.h"
#include "ui/UpDown.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QScopedValueRollback>
#include <QSessionManager>
#include <QShortcut>
#include <QStringList>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <new>
#include <optional>
#include <utility>

namespace {

// How often, and how far apart, the start notices wait for the window to be shown.
constexpr int kNoticeTries = 50;
constexpr int kNoticeRetryMs = 40;

// The memory freed before a message is shown when memory has run out: enough for the message
// box and its text.
constexpr std::size_t kMemoryReserve = 8 << 20;

std::unique_ptr<char[]> makeMemoryReserve()
{
    auto reserve = std::make_unique<char[]>(kMemoryReserve);  // zeroed: its pages are real
    return reserve;
}

// The file names stay out of the translated sentences: they are the same in every language.
QString inputName()
{
    return QString::fromUtf8(kInputFile);
}

QString outputName()
{
    return QString::fromUtf8(kOutputFile);
}

QString timeText(std::int64_t modifiedNs)
{
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(modifiedNs / 1'000'000);
    return QLocale().toString(when, QLocale::ShortFormat);
}

}  // namespace

void frmVelmora::Form_Load(StartedLoad *started)
{
    gSlog.reset();
    gSlog->UcitavanjeIzFajla(EmptyCatalog::Refuse, inBackground(LongWorkProgress::Work::Load),
                             started);
    showFolder();
    gBrojSloga = 1;
    showCurrentRecord();
    showUnsaved();
    m_txtBrojSloga->setFocus();
    // Typing a number replaces the 1 rather than making it 15.
    m_txtBrojSloga->selectAll();
    // Once the window is up, and before a click can save the catalog.
    QTimer::singleShot(0, this, [this] { showStartNotices(kNoticeTries); });
}

// The window system places and shows the window some time after show(): a notice shown before
// would be centred on where the window is not yet. Shown after a while all the same.
void frmVelmora::showStartNotices(int triesLeft)
{
    if (triesLeft > 0 && (windowHandle() == nullptr || !windowHandle()->isExposed())) {
        QTimer::singleShot(kNoticeRetryMs, this, [this, triesLeft] {
            showStartNotices(triesLeft - 1);
        });
        return;
    }
    warnAboutLoadedCatalog();
    noticeNewerOutput();
}

void frmVelmora::onReloadClicked()
{
    runHandler([this] {
        if (!confirmDroppingEdits(Leaving::Reload))
            return;
        try {
            // The loader swaps the new records in only once the whole file has been read.
            gSlog->UcitavanjeIzFajla(EmptyCatalog::Refuse,
                                     inBackground(LongWorkProgress::Work::Load));
        } catch (const CatalogError &error) {
            report(tr("The catalog was not reloaded; the records in memory are as "
                      "they were.\n")
                   + messageText(error));
            return;
        }
        showLoadedCatalog();
    });
}

void frmVelmora::openDroppedCatalog(const QString &folder)
{
    if (LongWorkProgress::running() || m_openDialogs > 0)
        return;
    const QString current = QDir::currentPath();
    if (QDir(folder).canonicalPath() == QDir(current).canonicalPath()) {
        onReloadClicked();
        return;
    }
    runHandler([this, &folder, &current] {
        if (!confirmDroppingEdits(Leaving::Open, folder))
            return;
        const auto failed = [&](const QString &why) {
            QDir::setCurrent(current);
            report(tr("The catalog in \"%1\" was not opened; the records in memory are as they "
                      "were, and a save still goes to \"%2\".\n")
                       .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(current))
                   + why);
        };
        if (!QDir::setCurrent(folder)) {
            failed(tr("Cannot enter the folder \"%1\".").arg(QDir::toNativeSeparators(folder)));
            return;
        }
        try {
            gSlog->UcitavanjeIzFajla(EmptyCatalog::Refuse,
                                     inBackground(LongWorkProgress::Work::Load));
        } catch (const CatalogError &error) {
            failed(messageText(error));
            return;
        }
        showLoadedCatalog();
    });
}

void frmVelmora::showLoadedCatalog()
{
    showFolder();
    gBrojSloga = 1;
    showCurrentRecord();
    m_saved.reset();
    showUnsaved();
    warnAboutLoadedCatalog();
}

// The window's controls are disabled while the work runs: a held arrow's auto-repeat, a
// timer or a shortcut would otherwise reach the records the worker reads. A close asked for
// meanwhile waits until the work is done.
LongWork frmVelmora::inBackground(LongWorkProgress::Work work)
{
    return [this, work](const auto &task) {
        const QPointer<QWidget> focused = QApplication::focusWidget();
        holdControls(true);
        const auto release = qScopeGuard([this, &focused] {
            holdControls(false);
            if (focused != nullptr && focused->window() == this)
                focused->setFocus();
            if (std::exchange(m_leaveAfterWork, false))
                QMetaObject::invokeMethod(this, &frmVelmora::leave, Qt::QueuedConnection);
        });
        LongWorkProgress(this, work).run(task);
    };
}

void frmVelmora::holdControls(bool held)
{
    m_view->setEnabled(!held);
    m_column->setEnabled(!held);
    for (QShortcut *shortcut : std::as_const(m_shortcuts))
        shortcut->setEnabled(!held);
}

void frmVelmora::onSaveClicked()
{
    runHandler([this] { save(); });
}

bool frmVelmora::save()
{
    SaveQuestions questions;
    questions.replaceOther = [this](const FileStamp &existing, const CatalogSurvey &held) {
        const QString inEditor = QString::number(gSlog->UkBrSlogova);
        const QString text =
            held.holds == CatalogSurvey::Holds::NotACatalog
                ? tr("%1, saved on %2, is not a catalog: it does not read as whole "
                     "records. Replace it with the records in the editor (%3)?")
                      .arg(outputName(), timeText(existing.modifiedNs), inEditor)
                : tr("%1 was saved on %2 (records: %3), and this window did not "
                     "write it or it has changed since. Replace it with the records in the "
                     "editor (%4)?")
                      .arg(outputName(), timeText(existing.modifiedNs),
                           held.holds == CatalogSurvey::Holds::Records
                               ? QString::number(held.records)
                               : tr("unknown"),
                           inEditor);
        return ask({text, QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes,
                    QMessageBox::Cancel, {{QMessageBox::Yes, tr("Replace")}}})
            == QMessageBox::Yes;
    };
    questions.writeInPlace = [this] {
        const QString text =
            tr("The folder of %1 allows no new file, so the save can only write "
               "over the file itself. Should the computer crash or the editor be stopped while "
               "it writes, %1 is left incomplete. Write it in place?")
                .arg(outputName());
        return ask({text, QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes,
                    QMessageBox::Cancel, {{QMessageBox::Yes, tr("Write")}}})
            == QMessageBox::Yes;
    };
    try {
        if (!gSlog->SnimanjeuFajl(questions, inBackground(LongWorkProgress::Work::Save)))
            return false;
    } catch (const SavedButNotSynced &warning) {
        showSaved();
        warn(tr("The catalog was saved, but a power cut or crash soon after could still "
                "bring back the earlier file.\n")
             + messageText(warning));
        return true;
    } catch (const CatalogError &error) {
        report(tr("The catalog was not saved; the records in memory are as they "
                  "were.\n")
               + messageText(error));
        return false;
    }
    showSaved();
    return true;
}

bool frmVelmora::confirmDroppingEdits(Leaving leaving, const QString &folder)
{
    const std::int32_t changed = gSlog->changedRecords();
    if (changed == 0)
        return true;
    // One whole sentence a case, so that a translation can order it freely and inflect the
    // count.
    const std::int32_t added = gSlog->addedRecords();
    const QString other = QDir::toNativeSeparators(folder);
    QString text;
    if (added == 0) {
        switch (leaving) {
        case Leaving::Exit:
            text = tr("Records changed and not yet saved: %n. Save them to %1 before leaving?",
                      nullptr, changed)
                       .arg(outputName());
            break;
        case Leaving::Reload:
            text = tr("Records changed and not yet saved: %n. Save them to %1 before %2 is read "
                      "again?",
                      nullptr, changed)
                       .arg(outputName(), inputName());
            break;
        case Leaving::Open:
            text = tr("Records changed and not yet saved: %n. Save them to %1 before the "
                      "catalog in \"%2\" is opened?",
                      nullptr, changed)
                       .arg(outputName(), other);
            break;
        }
    } else {
        switch (leaving) {
        case Leaving::Exit:
            text = tr("Records changed and not yet saved: %n (added: %1). Save them to %2 "
                      "before leaving?",
                      nullptr, changed)
                       .arg(QString::number(added), outputName());
            break;
        case Leaving::Reload:
            text = tr("Records changed and not yet saved: %n (added: %1). Save them to %2 "
                      "before %3 is read again?",
                      nullptr, changed)
                       .arg(QString::number(added), outputName(), inputName());
            break;
        case Leaving::Open:
            text = tr("Records changed and not yet saved: %n (added: %1). Save them to %2 "
                      "before the catalog in \"%3\" is opened?",
                      nullptr, changed)
                       .arg(QString::number(added), outputName(), other);
            break;
        }
    }
    switch (ask({text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                 QMessageBox::Save, QMessageBox::Cancel, {}})) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

QMessageBox::StandardButton frmVelmora::ask(const Question &question)
{
    const QScopedValueRollback<int> open(m_openDialogs, m_openDialogs + 1);
    return m_ask ? m_ask(question) : question.defaultButton;
}

// The file is saved by now: a failure to say so must not read as a failed save.
void frmVelmora::showSaved() noexcept
{
    try {
        m_saved = SavedLine{QDateTime::currentDateTime(), gSlog->UkBrSlogova};
        showFolder();
        showUnsaved();
    } catch (...) {
        m_lblStatus->clear();
    }
}

// The status under the folder: what the last save wrote and when (with the date when that was
// not today), and how many records differ from what was last loaded or saved. The title's mark
// follows the same count.
void frmVelmora::showUnsaved()
{
    const std::int32_t changed = gSlog.exists() ? gSlog->changedRecords() : 0;
    setWindowModified(changed > 0);
    QStringList lines;
    if (m_saved) {
        const QLocale locale;
        const QString time = locale.toString(m_saved->when.time(), QLocale::ShortFormat);
        lines << (m_saved->when.date() == QDate::currentDate()
                      ? tr("Saved %1 at %2; records: %3.")
                            .arg(outputName(), time)
                            .arg(m_saved->records)
                      : tr("Saved %1 on %2 at %3; records: %4.")
                            .arg(outputName(),
                                 locale.toString(m_saved->when.date(), QLocale::ShortFormat),
                                 time)
                            .arg(m_saved->records));
    }
    if (changed > 0)
        lines << tr("Records with unsaved changes: %1.").arg(changed);
    m_lblStatus->setText(lines.join(u'\n'));
    m_lblStatus->setVisible(!lines.isEmpty());
}

// Leaving by Izlaz, Ctrl+Q or the window's close button asks first, and never from inside a
// close under way: a second close request could then end the program past the question.
void frmVelmora::leave()
{
    if (m_openDialogs > 0 || LongWorkProgress::running())
        return;
    bool confirmed = false;
    runHandler([this, &confirmed] { confirmed = confirmDroppingEdits(Leaving::Exit); });
    if (!confirmed)
        return;
    m_leaving = true;
    if (!close())
        m_leaving = false;
}

// A close request from the window system (its close button, Alt+F4) leaves as Izlaz does, once
// the event that brought it is done. While a question or notice is open it is ignored: the open
// one is answered first. While a load or save runs it waits for the work to end.
void frmVelmora::closeEvent(QCloseEvent *event)
{
    if (m_leaving) {
        event->accept();
        return;
    }
    event->ignore();
    if (m_openDialogs > 0)
        return;
    if (LongWorkProgress::running()) {
        m_leaveAfterWork = true;
        return;
    }
    QMetaObject::invokeMethod(this, &frmVelmora::leave, Qt::QueuedConnection);
}

// Logging out asks as leaving does; where the session allows no question, logging out is
// held back rather than edits dropped, and so it is while a load or save is under way or a
// question or notice is open.
void frmVelmora::onCommitDataRequest(QSessionManager &manager)
{
    bool interacting = false;
    const bool mayEnd = sessionMayEnd([&manager, &interacting] {
        return interacting = manager.allowsInteraction();
    });
    if (interacting)
        manager.release();
    if (!mayEnd)
        manager.cancel();
}

bool frmVelmora::sessionMayEnd(const std::function<bool()> &mayAsk)
{
    if (LongWorkProgress::running() || m_openDialogs > 0)
        return false;
    if (gSlog->changedRecords() == 0)
        return true;
    bool leave = false;
    if (mayAsk())
        runHandler([this, &leave] { leave = confirmDroppingEdits(Leaving::Exit); });
    return leave;
}

void frmVelmora::onAppendClicked()
{
    runHandler([this] {
        std::int32_t added = 0;
        try {
            added = gSlog->appendRecord();
        } catch (const RecordCountFull &error) {
            report(tr("No record was added: ") + messageText(error));
            return;
        } catch (const std::bad_alloc &) {
            // The append puts everything back before this arrives.
            report(tr("No record was added: there was not enough memory. The records in memory "
                      "are as they were."));
            return;
        }
        m_lblUkupnoSlogova->setCaption(QString::number(added));
        m_UpDnBrSloga->setMaximum(added);
        gBrojSloga = added;
        showCurrentRecord();
        showUnsaved();
    });
}

void frmVelmora::runHandler(const std::function<void()> &body)
{
    try {
        try {
            body();
        } catch (const std::bad_alloc &) {
            throw;
        } catch (const std::exception &error) {
            report(messageText(error));
        } catch (...) {
            report(tr("An unexpected error stopped the operation."));
        }
    } catch (const std::bad_alloc &) {
        // Also from a message being put together or shown.
        reportOutOfMemory();
    }
}

void frmVelmora::keepMemoryReserve()
{
    m_memoryReserve = makeMemoryReserve();
}

void frmVelmora::reportOutOfMemory() noexcept
{
    m_memoryReserve.reset();
    try {
        report(m_outOfMemory);
        // The display may have stopped part-way: boxes showing another record than gBrojSloga
        // would put their text into the wrong one.
        if (gBrojSloga >= 1 && gBrojSloga <= gSlog->UkBrSlogova)
            showCurrentRecord();
    } catch (...) {
        std::fputs("velmora: there was not enough memory to finish; every record and edit is "
                   "still in the editor\n",
                   stderr);
    }
    try {
        m_memoryReserve = makeMemoryReserve();
    } catch (...) {
        // Tried again after the next failure.
    }
}

void frmVelmora::report(const QString &message)
{
    const QScopedValueRollback<int> open(m_openDialogs, m_openDialogs + 1);
    if (m_reportError)
        m_reportError(message);
}

void frmVelmora::warn(const QString &message)
{
    const QScopedValueRollback<int> open(m_openDialogs, m_openDialogs + 1);
    if (m_reportWarning)
        m_reportWarning(message);
}

void frmVelmora::warnAboutLoadedCatalog()
{
    if (!gSlog.exists())
        return;
    if (gSlog->lfLineEndsOnly) {
        warn(tr("%1 has LF line ends and not a single CR, so all of it was read as one "
                "long line and the records shown are not the ones the file means. Saving now "
                "would write them as shown. Convert its line ends to CR LF and reload it before "
                "you save.")
                 .arg(inputName()));
    }
    if (gSlog->loneCrLineEnds) {
        warn(tr("%1 has lines that end in a CR without an LF. They are read as lines, but "
                "a save ends every line with CR LF, so %2 will differ from %1 "
                "at each of them.")
                 .arg(inputName(), outputName()));
    }
    // A file read as one long line lacks lines for that reason, already told.
    const MissingLines missing = gSlog->missingLines;
    if (missing.record != 0 && !gSlog->lfLineEndsOnly) {
        warn(missing.firstLine == kLinesPerRecord
                 ? tr("%1 ends before line %2 of record %3, so it may have been cut short. "
                      "That line is shown empty, and a save writes it empty.")
                       .arg(inputName(), QString::number(kLinesPerRecord),
                            QString::number(missing.record))
                 : tr("%1 ends part-way through record %2, which lacks its lines %3 to %4, "
                      "so it may have been cut short. Those lines are shown empty, and a save "
                      "writes them empty.")
                       .arg(inputName(), QString::number(missing.record),
                            QString::number(missing.firstLine),
                            QString::number(kLinesPerRecord)));
    }
    if (gSlog->utf8Text) {
        warn(tr("%1 reads as UTF-8 text, but the catalog is written in Windows-1250, so "
                "its letters are shown garbled. Its bytes are kept as they are, but what you type "
                "is saved in Windows-1250. Convert it to Windows-1250 and reload it before you "
                "edit.")
                 .arg(inputName()));
    }
}

void frmVelmora::noticeNewerOutput()
{
    if (const std::optional<FileStamp> newer = clsSlog::newerOutput()) {
        warn(tr("This window shows %1. %2 was saved later, on %3: what was "
                "saved there is not shown here.")
                 .arg(inputName(), outputName(), timeText(newer->modifiedNs)));
    }
}
