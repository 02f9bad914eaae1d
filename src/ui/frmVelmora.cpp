#include "ui/frmVelmora.h"

#include "catalog/CatalogError.h"
#include "catalog/CatalogFiles.h"
#include "catalog/CodePage1250.h"
#include "catalog/RecordTemplate.h"
#include "catalog/SavedButNotSynced.h"
#include "catalog/ValueCheck.h"
#include "operations/RecordAppend.h"
#include "operations/RecordNumberText.h"
#include "store/basMain.h"
#include "ui/AboutBox.h"
#include "ui/BoxNote.h"
#include "ui/CaptionLabel.h"
#include "ui/CodePageValidator.h"
#include "ui/CommandButton.h"
#include "ui/DesignView.h"
#include "ui/ElidedLabel.h"
#include "ui/FindBar.h"
#include "ui/LongWorkProgress.h"
#include "ui/MessageText.h"
#include "ui/TextBox.h"
#include "ui/UpDown.h"
#include "ui/ValueValidator.h"
#include "ui/frmVelmoraDesign.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSessionManager>
#include <QShortcut>
#include <QStringList>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

QFont windowFont()
{
    // The design's face where the system has it: Microsoft Sans Serif, the TrueType successor
    // of MS Sans Serif that every Windows carries, at the design's 8.25 points.
    const QString designFace = QStringLiteral("Microsoft Sans Serif");
    if (QFontDatabase::hasFamily(designFace)) {
        QFont font(designFace);
        font.setPointSizeF(8.25);
        return font;
    }
    // Elsewhere DejaVu Sans, on every machine the package is installed on (it depends on it),
    // at 7 points: narrow enough that the labels of a row end before the value box that
    // follows them at the design's places.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(7);
    return font;
}

// The record-number box and the count label: DejaVu Sans Mono at 9 pixels, drawn at four
// fifths of its width, shows 9,999,999 whole in both controls at their designed sizes, in
// pixels because those sizes are; wider faces cut numbers of five digits. A longer number shows
// its last digits (the box keeps its cursor at the end, the label aligns an overflowing caption
// right).
QFont ownFont()
{
    // Consolas where DejaVu Sans Mono is missing (Windows): a monospace face no wider.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Consolas")});
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(9);
    font.setStretch(80);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

bool takesFocus(ControlKind kind)
{
    return kind == ControlKind::TextBox || kind == ControlKind::CommandButton
        || kind == ControlKind::UpDown;
}

// The window's frame and title bar, which are not known before it is first shown: a window
// that would fit only without them is fitted as one that does not fit.
constexpr QSize kFrameAllowance(16, 48);

// In the free space of the right-hand column, in twips as the design is: the folder below the
// save button with the save's confirmation under it, the find field below Izlaz.
constexpr QRect kFolderLabel = twipsToPixels(12600, 6420, 2520, 240);
constexpr QRect kStatusLine = twipsToPixels(12600, 6720, 2520, 960);
constexpr QRect kFindBar = twipsToPixels(12600, 9720, 2520, 1260);

// How often, and how far apart, the start notices wait for the window to be shown.
constexpr int kNoticeTries = 50;
constexpr int kNoticeRetryMs = 40;

// Catalog bytes as the window shows them, decoded straight into the string shown.
QString decoded(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    CodePage1250::decodeInto(bytes, reinterpret_cast<char16_t *>(text.data()));
    return text;
}

// The change handler of all seven value boxes: the box's whole text goes into its member of
// the record on screen, through the store, which keeps what was there before.
void storeBoxText(const TextBox &box, const RecordMember &member)
{
    const std::optional<std::string> bytes = CodePage1250::encode(box.text().toStdU16String());
    // The box refuses text the code page cannot hold, so this always succeeds.
    if (bytes)
        gSlog->storeValue(gBrojSloga, member, *bytes);
}

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

// A message box over `window`, centred on it and kept on its screen: a box placed before the
// window system has placed the window would stand half outside it.
void centreOn(QWidget &box, const QWidget &window)
{
    // move() places the frame, so the frame is what is centred.
    QRect placed(QPoint(), box.frameGeometry().size());
    placed.moveCenter(window.frameGeometry().center());
    if (const QScreen *screen = window.screen()) {
        const QRect area = screen->availableGeometry();
        placed.moveLeft(std::clamp(placed.left(), area.left(),
                                   std::max(area.left(), area.right() - placed.width())));
        placed.moveTop(std::clamp(placed.top(), area.top(),
                                  std::max(area.top(), area.bottom() - placed.height())));
    }
    box.move(placed.topLeft());
}

QMessageBox::StandardButton showCentred(QMessageBox &box, const QWidget &window)
{
    box.setText(keptWhole(box.text()));
    // Shown first: a message box takes its size as it is shown.
    box.show();
    centreOn(box, window);
    box.exec();
    return box.standardButton(box.clickedButton());
}

}  // namespace

frmVelmora::frmVelmora(QWidget *parent) : QWidget(parent)
{
    const WindowDesign &window = frmVelmoraWindowDesign();
    setObjectName(QString::fromUtf8(window.name));
    // The title marks unsaved work, as desktop programs do: "Trake.Odl*".
    setWindowTitle(caption() + QStringLiteral("[*]"));
    setFont(windowFont());
    createDesignView();
    fitToScreen(screen()->availableGeometry());

    createControls();
    applyTabOrder();
    applyAccessibleNames();
    // Only now: putting the design values in place raises no event.
    connectHandlers();
    createAdditions();
    createShortcuts();

    m_reportError = [this](const QString &message) {
        QMessageBox box(QMessageBox::Critical, caption(), message, QMessageBox::Ok, this);
        showCentred(box, *this);
    };
    m_reportWarning = [this](const QString &message) {
        QMessageBox box(QMessageBox::Warning, caption(), message, QMessageBox::Ok, this);
        showCentred(box, *this);
    };
    m_ask = [this](const Question &question) {
        QMessageBox box(QMessageBox::Question, caption(), question.text, question.buttons, this);
        box.setDefaultButton(question.defaultButton);
        box.setEscapeButton(question.escapeButton);
        for (const auto &[button, caption] : question.captions)
            box.button(button)->setText(caption);
        const auto pressed = showCentred(box, *this);
        return pressed == QMessageBox::NoButton ? question.escapeButton : pressed;
    };
    m_outOfMemory = tr("There was not enough memory to finish this. Every record and edit is "
                       "still in the editor, and no file was written.");
    m_memoryReserve = makeMemoryReserve();
}

frmVelmora::~frmVelmora() = default;

void frmVelmora::createControls()
{
    QWidget *frame = nullptr;
    for (const ControlDesign &design : frmVelmoraDesign()) {
        QWidget *parent = design.container == Container::Frame1 ? frame : designArea();
        assert(parent != nullptr);
        QWidget *control = createControl(design, parent);
        if (design.kind == ControlKind::Frame)
            frame = control;
        control->setObjectName(QString::fromUtf8(design.name));
        control->setGeometry(twipsToPixels(design));
        // The design's label sizes fit its captions in another font; fitting them in ours
        // keeps a line whose text equals the design caption from being cut short.
        if (auto *label = qobject_cast<CaptionLabel *>(control); label && label->autoSize())
            label->fitToCaption();
        if (design.style & kOwnFont)
            control->setFont(ownFont());
        if (!takesFocus(design.kind))
            control->setFocusPolicy(Qt::NoFocus);
        m_controls.insert(control->objectName(), control);
    }
    bindShownMembers();

    m_txtBrojSloga = qobject_cast<TextBox *>(control(QStringLiteral("txtBrojSloga")));
    m_lblUkupnoSlogova =
        qobject_cast<CaptionLabel *>(control(QStringLiteral("lblUkupnoSlogova")));
    m_UpDnBrSloga = qobject_cast<UpDown *>(control(QStringLiteral("UpDnBrSloga")));
    m_UpDnBrSloga->setBuddy(m_txtBrojSloga);
}

QWidget *frmVelmora::createControl(const ControlDesign &design, QWidget *parent)
{
    const QString caption = QString::fromUtf8(design.caption);
    switch (design.kind) {
    case ControlKind::Frame:
        return new QGroupBox(parent);
    case ControlKind::Label: {
        auto *label = new CaptionLabel(parent);
        label->setBordered(design.style & kBordered);
        label->setWordWrap(design.style & kWordWrap);
        label->setText(caption);
        label->setAutoSize(design.style & kAutoSize);
        return label;
    }
    case ControlKind::TextBox: {
        auto *box = new TextBox(parent);
        box->setText(caption);
        return box;
    }
    case ControlKind::CommandButton: {
        auto *button = new CommandButton(parent);
        button->setText(caption);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::UpDown:
        break;
    }
    return new UpDown(parent);
}

// Each member the design shows, with the control that shows it; a value box refuses what its
// member could not get back from the file.
void frmVelmora::bindShownMembers()
{
    for (const MemberControl &row : frmVelmoraMemberControls()) {
        const RecordMember &member = recordMember(row.member);
        QWidget *shownBy = control(QString::fromUtf8(row.control));
        assert(shownBy != nullptr);
        m_shown.push_back({&member, qobject_cast<TextBox *>(shownBy),
                           qobject_cast<CaptionLabel *>(shownBy)});
        if (auto *box = qobject_cast<TextBox *>(shownBy)) {
            // Boxes stay above the labels of their row when a long caption reaches under them.
            box->raise();
            box->setValidator(new ValueValidator(
                member.kind,
                [this, &member, box](const QString &text) {
                    // A read-only box shows the start of a value too long to edit: nothing it
                    // shows is stored, so there is nothing to check.
                    return box->isReadOnly() ? QString() : valueRefusal(member, text);
                },
                box));
        }
    }
}

void frmVelmora::applyTabOrder()
{
    std::vector<const ControlDesign *> focusable;
    for (const ControlDesign &design : frmVelmoraDesign()) {
        if (takesFocus(design.kind))
            focusable.push_back(&design);
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const ControlDesign *a, const ControlDesign *b) {
                  return a->tabIndex < b->tabIndex;
              });
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        QWidget::setTabOrder(control(QString::fromUtf8(focusable[i - 1]->name)),
                             control(QString::fromUtf8(focusable[i]->name)));
    }
}

void frmVelmora::applyAccessibleNames()
{
    // The boxes and the arrows have no caption of their own, so a screen reader is told what
    // each one holds or does.
    for (const MemberControl &row : frmVelmoraMemberControls()) {
        if (row.accessibleName != nullptr)
            control(QString::fromUtf8(row.control))->setAccessibleName(tr(row.accessibleName));
    }
    m_txtBrojSloga->setAccessibleName(tr("Record number"));
    m_UpDnBrSloga->setAccessibleName(tr("Previous or next record"));
    // The count is read as its number, then as what the number counts.
    m_lblUkupnoSlogova->setAccessibleDescription(tr("Records in total"));
    qobject_cast<QLabel *>(control(QStringLiteral("Label58")))->setBuddy(m_lblUkupnoSlogova);
}

void frmVelmora::connectHandlers()
{
    connect(m_txtBrojSloga, &TextBox::changed, this, &frmVelmora::onRecordNumberChanged);

    for (const ShownMember &shown : m_shown) {
        if (shown.box == nullptr)
            continue;
        TextBox *box = shown.box;
        const RecordMember *member = shown.member;
        connect(box, &TextBox::changed, this, [this, box, member] {
            runHandler([this, box, member] {
                storeBoxText(*box, *member);
                showUnsaved();
            });
        });
    }

    auto button = [this](const char *name) {
        return qobject_cast<CommandButton *>(control(QString::fromUtf8(name)));
    };
    connect(button("cmdDodavanjeNovogSloga"), &QPushButton::clicked, this,
            &frmVelmora::onAppendClicked);
    connect(button("cmdUcitavanje"), &QPushButton::clicked, this, &frmVelmora::onReloadClicked);
    connect(button(kSaveButton), &QPushButton::clicked, this, &frmVelmora::onSaveClicked);
    // Leaving saves nothing; it asks first when there is something to save.
    connect(button(kLeaveButton), &QPushButton::clicked, this, &frmVelmora::leave);
}

// Change events are not held back: a box whose text really changes runs its handler inside
// the step that set it. Callers set gBrojSloga to brojsloga first, so a value box writes back
// the value just shown and a rewritten record number arrives at this same record again.
void frmVelmora::IspisSlogaNaEkranu(std::int32_t brojsloga)
{
    const std::int32_t count = gSlog->UkBrSlogova;
    m_txtBrojSloga->setText(QString::number(brojsloga));
    m_lblUkupnoSlogova->setCaption(QString::number(count));
    m_UpDnBrSloga->setMaximum(count);

    for (const ShownMember &shown : m_shown) {
        // Throws SubscriptOutOfRange for a record outside the arrays, creates a missing object.
        const std::string_view value = gSlog->value(brojsloga, *shown.member);
        if (shown.box != nullptr) {
            // A value too long to edit is shown by its start: only that is decoded.
            const bool startOnly = value.size() > std::size_t(TextBox::kLongestEditable);
            shown.box->showValue(
                decoded(startOnly ? value.substr(0, TextBox::kShownOfLongest) : value),
                static_cast<qsizetype>(value.size()));
            // A value longer than its box is shown from its start.
            shown.box->setCursorPosition(0);
        } else {
            shown.label->setCaption(decoded(value));
        }
    }
}

// Through a private copy of gBrojSloga: nested events rewrite it, and the record being shown
// must not move under the display.
void frmVelmora::showCurrentRecord()
{
    const std::int32_t brojsloga = gBrojSloga;
    IspisSlogaNaEkranu(brojsloga);
}

void frmVelmora::Form_Load()
{
    gSlog.reset();
    gSlog->UcitavanjeIzFajla(EmptyCatalog::Refuse, inBackground(LongWorkProgress::Work::Load));
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

void frmVelmora::setErrorReporter(ErrorReporter reporter)
{
    m_reportError = std::move(reporter);
}

void frmVelmora::setWarningReporter(ErrorReporter reporter)
{
    m_reportWarning = std::move(reporter);
}

void frmVelmora::setAsker(Asker asker)
{
    m_ask = std::move(asker);
}

QString frmVelmora::caption()
{
    return QString::fromUtf8(frmVelmoraWindowDesign().title);
}

QWidget *frmVelmora::control(const QString &name) const
{
    return m_controls.value(name);
}

void frmVelmora::onRecordNumberChanged()
{
    runHandler([this] {
        const std::int64_t read = recordNumberFromText(m_txtBrojSloga->text().toStdU16String());
        // A number past the last record, however large, means the last record.
        std::int64_t number = std::max<std::int64_t>(read, 1);
        const std::int32_t count = gSlog->UkBrSlogova;
        if (number > count)
            number = count;
        gBrojSloga = static_cast<std::int32_t>(number);
        showCurrentRecord();
    });
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
        showFolder();
        gBrojSloga = 1;
        showCurrentRecord();
        m_saved.reset();
        showUnsaved();
        warnAboutLoadedCatalog();
    });
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

bool frmVelmora::confirmDroppingEdits(Leaving leaving)
{
    const std::int32_t changed = gSlog->changedRecords();
    if (changed == 0)
        return true;
    // One whole sentence a case, so that a translation can order it freely and inflect the
    // count.
    const std::int32_t added = gSlog->addedRecords();
    const bool exit = leaving == Leaving::Exit;
    QString text;
    if (added == 0) {
        text = exit ? tr("Records changed and not yet saved: %n. Save them to %1 before leaving?",
                         nullptr, changed)
                          .arg(outputName())
                    : tr("Records changed and not yet saved: %n. Save them to %1 before %2 is "
                         "read again?",
                         nullptr, changed)
                          .arg(outputName(), inputName());
    } else {
        text = exit ? tr("Records changed and not yet saved: %n (added: %1). Save them to %2 "
                         "before leaving?",
                         nullptr, changed)
                          .arg(QString::number(added), outputName())
                    : tr("Records changed and not yet saved: %n (added: %1). Save them to %2 "
                         "before %3 is read again?",
                         nullptr, changed)
                          .arg(QString::number(added), outputName(), inputName());
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

QString frmVelmora::valueRefusal(const RecordMember &member, const QString &text) const
{
    const std::optional<std::string> bytes = CodePage1250::encode(text.toStdU16String());
    if (!bytes || !gSlog->holdsRecord(gBrojSloga))
        return QString();
    const ValueCheck check = gSlog->checkValue(gBrojSloga, member, *bytes);
    if (check.kept)
        return QString();
    // One byte a character in the code page, one UTF-16 unit each once decoded.
    const QChar culprit = check.culprit < static_cast<std::size_t>(text.size())
                              ? text[static_cast<qsizetype>(check.culprit)]
                              : QChar();
    if (culprit.isNull() || culprit.isLetterOrNumber() || culprit.isSpace())
        return tr("This was not put in: the catalog file would not give the value back as "
                  "typed.");
    return tr("\"%1\" was not put in: in the catalog it ends the value or the line, so the "
              "file would not give the value back as typed.")
        .arg(culprit);
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

void frmVelmora::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Coming back to the window: the folder may have been renamed or moved meanwhile, and the
    // day may have changed since the last save.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && gSlog.exists()) {
        runHandler([this] {
            showFolder();
            showUnsaved();
        });
    }
}

// Logging out asks as leaving does; where the session allows no question, logging out is
// held back rather than edits dropped, and so it is while a load or save is under way or a
// question or notice is open.
void frmVelmora::onCommitDataRequest(QSessionManager &manager)
{
    if (LongWorkProgress::running() || m_openDialogs > 0) {
        manager.cancel();
        return;
    }
    if (gSlog->changedRecords() == 0)
        return;
    bool leave = false;
    if (manager.allowsInteraction()) {
        runHandler([this, &leave] { leave = confirmDroppingEdits(Leaving::Exit); });
        manager.release();
    }
    if (!leave)
        manager.cancel();
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

void frmVelmora::createDesignView()
{
    const WindowDesign &window = frmVelmoraWindowDesign();
    m_view = new DesignView(
        QSize(twipsToPixels(window.clientWidth), twipsToPixels(window.clientHeight)), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

QWidget *frmVelmora::designArea() const
{
    return m_view->surface();
}

void frmVelmora::fitToScreen(const QRect &available)
{
    const QSize design = designArea()->size();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // The least a window can usefully be, on however small a screen.
    const QSize least(240, 160);
    const QSize room = (available.size() - kFrameAllowance).expandedTo(least);
    const QSize size = DesignView::windowSizeFor(design, room, bar);
    if (size == design) {
        setFixedSize(design);
        return;
    }
    setMinimumSize(least);
    setMaximumSize(design + QSize(bar, bar));
    resize(size);
}

void frmVelmora::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    followScreen();
}

void frmVelmora::followScreen()
{
    // The native window exists from the first show on.
    if (m_followingScreen || windowHandle() == nullptr)
        return;
    m_followingScreen = true;
    connect(windowHandle(), &QWindow::screenChanged, this, &frmVelmora::followScreenOf);
    followScreenOf(windowHandle()->screen());
}

// Fits the window to `screen` and follows that screen's changes only: another screen's panel
// moving must not undo a size the user chose here.
void frmVelmora::followScreenOf(QScreen *screen)
{
    disconnect(m_screenWatch);
    if (screen == nullptr)
        return;
    m_screenWatch = connect(screen, &QScreen::availableGeometryChanged, this,
                            &frmVelmora::fitToScreen);
    fitToScreen(screen->availableGeometry());
}

void frmVelmora::createAdditions()
{
    m_lblFolder = new ElidedLabel(designArea());
    m_lblFolder->setObjectName(QStringLiteral("lblFolder"));
    m_lblFolder->setGeometry(kFolderLabel);
    m_lblFolder->setAccessibleName(tr("Folder"));

    // The save's confirmation, under the folder.
    m_lblStatus = new QLabel(designArea());
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_lblStatus->setGeometry(kStatusLine);
    m_lblStatus->setWordWrap(true);
    m_lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Shown only while it has something to say: empty, it would be a stop for a screen reader.
    m_lblStatus->hide();

    m_find = new FindBar(designArea());
    m_find->setGeometry(kFindBar);
    connect(m_find, &FindBar::searchEdited, this, [this] { findFrom(gBrojSloga); });
    connect(m_find, &FindBar::nextRequested, this,
            [this] { findFrom(std::int64_t{gBrojSloga} + 1); });
    connect(m_find, &FindBar::closed, this, [this] { m_txtBrojSloga->setFocus(); });
}

void frmVelmora::createShortcuts()
{
    const auto add = [this](const QKeySequence &keys, auto handler) {
        auto *shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, handler);
        m_shortcuts << shortcut;
    };
    add(QKeySequence::Save, [this] { onSaveClicked(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { openFind(); });
    add(QKeySequence(Qt::Key_F3), [this] {
        if (m_find->isVisible() && !m_find->text().isEmpty())
            findFrom(std::int64_t{gBrojSloga} + 1);
        else
            openFind();
    });
    add(QKeySequence(Qt::Key_F1), [this] {
        const QScopedValueRollback<int> open(m_openDialogs, m_openDialogs + 1);
        AboutBox box(this);
        showCentred(box, *this);
    });
    add(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { leave(); });
    // Escape closes what is open on top (a note, the find field), and never the window.
    add(QKeySequence(Qt::Key_Escape), [this] {
        if (!BoxNote::closeIn(this) && m_find->isVisible())
            m_find->dismiss();
    });
    // Logging out of the desktop asks as leaving does.
    if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this,
                &frmVelmora::onCommitDataRequest);
    }
}

void frmVelmora::showFolder()
{
    m_lblFolder->setFullText(QDir::toNativeSeparators(QDir::currentPath()));
}

void frmVelmora::openFind()
{
    m_find->open();
    m_view->ensureWidgetVisible(m_find);
}

void frmVelmora::findFrom(std::int64_t from)
{
    runHandler([this, from] {
        const QString text = m_find->text();
        m_find->setNote(QString());
        if (text.isEmpty() || !gSlog.exists())
            return;
        // A character the code page lacks is in no record.
        const std::optional<std::string> bytes = CodePage1250::encode(text.toStdU16String());
        const auto found = bytes ? gSlog->find(*bytes, from) : std::nullopt;
        if (!found) {
            m_find->setNote(tr("No record holds \"%1\".")
                                .arg(isolated(text)));
            return;
        }
        if (found->wrapped)
            m_find->setNote(tr("Past the last record, the search went on from record 1."));
        // As though the number were typed: the record-number box's handler shows it.
        m_txtBrojSloga->setText(QString::number(found->record));
    });
}
