#include "ChildProcess.h"
#include "EditorFixture.h"
#include "TypicalRecord.h"
#include "catalog/CatalogError.h"
#include "catalog/RecordTemplate.h"
#include "ui/LongWorkProgress.h"
#include "ui/MessageText.h"
#include "ui/StartupMessage.h"
#include "ui/Translations.h"
#include "ui/WindowKeys.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QToolButton>
#include <QWindow>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <optional>
#include <regex>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every line member of record n.
std::vector<std::string> recordValues(std::int32_t n)
{
    std::vector<std::string> values;
    for (const RecordMember &member : recordShape())
        values.push_back(member.access(gRecords, n).str());
    return values;
}

std::vector<std::string> folderListing(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

using CommandsTest = EditorFixture;

TEST_F(CommandsTest, TheWindowOpensWithTheFocusInTheRecordNumberBox)
{
    openWith(2);
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    EXPECT_EQ(QApplication::focusWidget(), box("txtBrojSloga"));
    EXPECT_EQ(box("txtBrojSloga")->selectedText(), QStringLiteral("1")) << "typing replaces it";
}

TEST_F(CommandsTest, SaveWritesEveryRecordAndLaterEditsGoIntoTheNextSave)
{
    openWith(3);
    typeOver("txtBrojSloga", QStringLiteral("2"));

    click("Command1");
    EXPECT_EQ(folder.read("Trake-novi.odl"), typicalCatalog(3));
    EXPECT_EQ(gBrojSloga, 2);

    typeOver("txtDuljina", QStringLiteral("1234"));
    click("Command1");
    std::string line5 = typicalRecordLines(2)[4];
    line5.replace(line5.find("2002"), 4, "1234");
    EXPECT_EQ(folder.read("Trake-novi.odl"), catalogWithLine(3, 2, 5, line5));
    EXPECT_EQ(folder.read("Trake.odl"), typicalCatalog(3)) << "the input file is never written";
    EXPECT_EQ(gBrojSloga, 2);
    EXPECT_EQ(box("txtBrojSloga")->text(), QStringLiteral("2"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(CommandsTest, ReloadDropsEditsAndAppendedRecordsAndShowsRecordOne)
{
    openWith(4);
    typeOver("txtBrojSloga", QStringLiteral("3"));
    typeOver("txtCijena", QStringLiteral("7.77"));
    click("cmdDodavanjeNovogSloga");
    ASSERT_EQ(gSlog->UkBrSlogova, 5);

    answers << QMessageBox::Discard;
    click("cmdUcitavanje");

    EXPECT_EQ(questions, QStringList{QStringLiteral(
                             "Records changed and not yet saved: 2 (added: 1). Save them to "
                             "Trake-novi.odl before Trake.odl is read again?")});
    EXPECT_EQ(gSlog->UkBrSlogova, 4);
    EXPECT_EQ(memoryBytes(), typicalCatalog(4));
    EXPECT_EQ(gBrojSloga, 1);
    EXPECT_EQ(box("txtBrojSloga")->text(), QStringLiteral("1"));
    EXPECT_EQ(box("txtBase_Naziv")->text(), shown(gBase.at(1).Naziv));
    EXPECT_EQ(label("lblUkupnoSlogova")->caption(), QStringLiteral("4"));
    EXPECT_EQ(upDown()->maximum(), 4);
    EXPECT_TRUE(messages.isEmpty());
}

// Line ends turned into LF by a Unix tool: the file loads as one long line, and the user is
// told so once the window is up and after each reload, before a save could write that.
TEST_F(CommandsTest, ACatalogWithLfLineEndsOnlyIsLoadedWithAWarning)
{
    std::string lfOnly = typicalCatalog(2);
    std::erase(lfOnly, '\r');
    openWithBytes(lfOnly);
    EXPECT_TRUE(warnings.isEmpty()) << "not before the window is up";
    EXPECT_TRUE(QTest::qWaitFor([this] { return !warnings.isEmpty(); }));
    click("cmdUcitavanje");
    folder.write("Trake.odl", typicalCatalog(2));
    click("cmdUcitavanje");
    QApplication::processEvents();
    ASSERT_EQ(warnings.size(), 2) << "a catalog with CR LF warns of nothing";
    EXPECT_TRUE(warnings[1].startsWith(QStringLiteral("Trake.odl has LF line ends and not a ")));
    EXPECT_TRUE(messages.isEmpty());
}

// A catalog that a save would not write back as it was read is named as it loads: one that
// ends part-way through a record (a copy cut short), one with lone CR line ends.
TEST_F(CommandsTest, ACatalogCutShortOrWithLoneCrLineEndsIsLoadedWithAWarning)
{
    const std::string whole = typicalCatalog(1);
    const std::pair<std::string, QString> rows[] = {
        {whole + "base #X;\r\nloc", "Trake.odl ends part-way through record 2, which lacks its "
                                     "lines 3 to 45, so it may have been cut short."},
        {whole.substr(0, whole.size() - 2), "Trake.odl ends before line 45 of record 1, "},
        {std::regex_replace(whole, std::regex("\n"), ""), "Trake.odl has lines that end in a CR"},
    };
    for (const auto &[bytes, warning] : rows) {
        warnings.clear();
        openWithBytes(bytes);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !warnings.isEmpty(); }));
        EXPECT_EQ(warnings.size(), 1) << warning.toStdString();
        EXPECT_TRUE(warnings.value(0).startsWith(warning)) << warnings.value(0).toStdString();
    }
}

TEST_F(CommandsTest, ReloadReadsAFileThatGrewOrShrank)
{
    openWith(3);
    for (const std::int64_t records : {7, 2}) {
        typeOver("txtBrojSloga", QStringLiteral("2"));
        folder.write("Trake.odl", typicalCatalog(records));
        click("cmdUcitavanje");
        EXPECT_EQ(gSlog->UkBrSlogova, records);
        EXPECT_EQ(gRecords.upperBound(), records);
        EXPECT_EQ(memoryBytes(), typicalCatalog(records));
        EXPECT_EQ(label("lblUkupnoSlogova")->caption(), QString::number(records));
        EXPECT_EQ(upDown()->maximum(), records);
        EXPECT_EQ(gBrojSloga, 1);
    }
}

TEST_F(CommandsTest, AppendCopiesTheLastRecordWhicheverIsOnScreen)
{
    openWith(10);
    typeOver("txtBrojSloga", QStringLiteral("3"));

    click("cmdDodavanjeNovogSloga");

    EXPECT_EQ(gSlog->UkBrSlogova, 11);
    EXPECT_EQ(gRecords.upperBound(), 11);
    EXPECT_EQ(recordValues(11), recordValues(10));
    EXPECT_EQ(gBrojSloga, 11);
    EXPECT_EQ(box("txtBrojSloga")->text(), QStringLiteral("11"));
    EXPECT_EQ(label("lblUkupnoSlogova")->caption(), QStringLiteral("11"));
    EXPECT_EQ(upDown()->maximum(), 11);
    EXPECT_EQ(box("txtBase_Naziv")->text(), shown(gBase.at(10).Naziv));

    // The new record is the one on screen: an edit goes to it alone.
    typeOver("txtBase_Naziv", QStringLiteral("Nova traka"));
    EXPECT_EQ(gBase.at(11).Naziv, "Nova traka");
    EXPECT_EQ(gBase.at(10).Naziv, "Melamin 19x0.4 javor 10");
}

TEST_F(CommandsTest, EnterAndKeypadEnterPressTheFocusedButton)
{
    openWith(3);
    // Exit last: it closes the window.
    for (const char *name : {"cmdDodavanjeNovogSloga", "cmdUcitavanje", "Command1", "Command2"}) {
        QSignalSpy clicks(button(name), &QPushButton::clicked);
        QTest::keyClick(button(name), Qt::Key_Return);
        QTest::keyClick(button(name), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(clicks.size(), 2) << name;
    }
    EXPECT_TRUE(folder.exists("Trake-novi.odl"));
}

// Lines indented with tabs, as the format allows: the text before a value box still ends
// before the box (its trailing blank draws nothing).
TEST_F(CommandsTest, AnIndentedCatalogKeepsEachCaptionClearOfTheBoxAfterIt)
{
    std::string catalog;
    for (std::string line : typicalRecordLines(1))
        catalog += std::regex_replace(line, std::regex("^  "), "\t") + "\r\n";
    openWithBytes(std::regex_replace(catalog, std::regex("\t  "), "\t\t"));
    ASSERT_TRUE(label("Label5")->caption().startsWith(QStringLiteral("\t\tDuljina = ")));
    // The tightest rows: length, width and thickness; price.
    for (const auto &[labelName, boxName] :
         {std::pair{"Label5", "txtDuljina"}, std::pair{"Label7", "txtCijena"}}) {
        const int textEnd = label(labelName)->x() + 2 + label(labelName)->captionSize().width()
            - label(labelName)->fontMetrics().horizontalAdvance(u' ');
        EXPECT_LE(textEnd, box(boxName)->x()) << labelName;
    }
}

// Leaving, reloading and the desktop session's end ask first while anything differs from what
// was last loaded or saved: Cancel keeps everything, Discard goes on, Save saves and goes on. A
// value typed back to what it was is no change. A session that lets nothing be asked cannot end
// over unsaved edits.
TEST_F(CommandsTest, UnsavedEditsAreAskedAboutOnEveryWayOut)
{
    using Button = QMessageBox::StandardButton;
    const struct
    {
        const char *way;
        std::optional<Button> answer;  // nothing: the edit is typed back, no question
        bool goesOn;
        bool saved;
        bool mayAsk = true;  // the desktop session lets the window ask
    } rows[] = {
        {"Command2", QMessageBox::Cancel, false, false},
        {"Command2", QMessageBox::Discard, true, false},
        {"Command2", QMessageBox::Save, true, true},
        {"Command2", std::nullopt, true, false},
        {"close", QMessageBox::Cancel, false, false},
        {"close", QMessageBox::Save, true, true},
        {"cmdUcitavanje", QMessageBox::Cancel, false, false},
        {"cmdUcitavanje", QMessageBox::Save, true, true},
        {"cmdUcitavanje", std::nullopt, true, false},
        {"session", QMessageBox::Cancel, false, false},
        {"session", QMessageBox::Save, true, true},
        {"session", std::nullopt, true, false},
        {"session", QMessageBox::Discard, false, false, false},
    };
    for (const auto &row : rows) {
        TearDown();
        SetUp();
        questions.clear();
        answers.clear();
        std::filesystem::remove(folder.path() / "Trake-novi.odl");
        openWith(3);
        const QString before = box("txtDuljina")->text();
        typeOver("txtDuljina", QStringLiteral("1"));
        if (row.answer)
            answers << *row.answer;
        else
            typeOver("txtDuljina", before);
        const std::string edited = memoryBytes();

        const bool session = std::string_view(row.way) == "session";
        bool goesOn = true;
        if (std::string_view(row.way) == "close") {
            // The question comes once the close request's event is done.
            window().close();
            QCoreApplication::processEvents();
        } else if (session) {
            goesOn = window().sessionMayEnd([&row] { return row.mayAsk; });
        } else {
            click(row.way);
        }

        const std::string name = std::string(row.way) + " "
            + std::to_string(row.answer.value_or(QMessageBox::NoButton));
        EXPECT_EQ(questions.size(), row.answer && row.mayAsk ? 1 : 0) << name;
        if (row.answer && row.mayAsk) {
            EXPECT_TRUE(questions.value(0).startsWith(
                QStringLiteral("Records changed and not yet saved: 1. Save them")))
                << name << questions.value(0).toStdString();
        }
        const bool reload = std::string_view(row.way) == "cmdUcitavanje";
        EXPECT_EQ(window().isVisible(), reload || session || !row.goesOn) << name;
        if (session) {
            EXPECT_EQ(goesOn, row.goesOn) << name;
        }
        EXPECT_EQ(memoryBytes(), reload && row.goesOn ? typicalCatalog(3) : edited) << name;
        EXPECT_EQ(std::filesystem::exists(folder.path() / "Trake-novi.odl"), row.saved) << name;
        if (row.saved) {
            EXPECT_EQ(folder.read("Trake-novi.odl"), edited) << name;
        }
        EXPECT_EQ(folder.read("Trake.odl"), typicalCatalog(3)) << name;
        answers = {QMessageBox::Discard};
        window().close();
    }
}

// A Trake.odl, or a folder that holds one, dropped anywhere on the window (a value box too)
// opens that catalog there, after the unsaved question; a catalog that cannot be read leaves
// the folder and the records as they were. Other files, and drags that offer only a move
// (whose source would delete the file), are refused.
TEST_F(CommandsTest, ADroppedCatalogOpensInItsFolder)
{
    const Qt::DropActions copyOrMove = Qt::CopyAction | Qt::MoveAction;
    const struct
    {
        const char *name;
        const char *dropped;  // in the other folder; "" for the folder itself
        std::optional<std::string> catalog;
        Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        bool onBox = false;
        bool edited = false;  // the question is answered Cancel
        bool taken = true;
        bool opened = true;
    } rows[] = {
        {"a folder that holds a catalog", "", typicalCatalog(5)},
        {"its Trake.odl, on a value box", "Trake.odl", typicalCatalog(5), copyOrMove, true},
        {"another file", "notes.txt", typicalCatalog(5), copyOrMove, false, false, false, false},
        {"a folder without a catalog", "", std::nullopt, copyOrMove, false, false, false, false},
        {"a catalog that cannot be read", "", "base #A\r\n", copyOrMove, false, false, true,
         false},
        {"a drag that offers only a move", "", typicalCatalog(5), Qt::MoveAction, false, false,
         false, false},
        {"unsaved edits kept", "", typicalCatalog(5), copyOrMove, false, true, true, false},
    };
    for (const auto &row : rows) {
        TearDown();
        SetUp();
        messages.clear();
        questions.clear();
        answers = {QMessageBox::Cancel};
        std::filesystem::current_path(folder.path());
        TempFolder other;
        std::filesystem::current_path(folder.path());
        if (row.catalog)
            other.write("Trake.odl", *row.catalog);
        other.write("notes.txt", "not a catalog");
        openWith(3);
        if (row.edited)
            typeOver("txtDuljina", QStringLiteral("1"));

        QMimeData mime;
        const std::filesystem::path dropped = other.path() / row.dropped;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped.string()))});
        QWidget *target = row.onBox ? static_cast<QWidget *>(box("txtDuljina")) : &window();
        QDragEnterEvent enter(QPoint(2, 2), row.actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        EXPECT_EQ(enter.isAccepted(), row.taken) << row.name;
        if (enter.isAccepted()) {
            EXPECT_EQ(enter.dropAction(), Qt::CopyAction) << row.name;
            QDropEvent drop(QPointF(2, 2), row.actions, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &drop);
            QTest::qWait(20);
        }

        const bool failed = row.taken && !row.opened && !row.edited;
        EXPECT_EQ(std::filesystem::current_path(), row.opened ? other.path() : folder.path())
            << row.name;
        EXPECT_EQ(gSlog->UkBrSlogova, row.opened ? 5 : 3) << row.name;
        EXPECT_EQ(questions.size(), row.edited ? 1 : 0) << row.name;
        EXPECT_EQ(messages.size(), failed ? 1 : 0) << row.name;
        if (failed) {
            const QString folderName = QString::fromStdString(other.path().string());
            EXPECT_TRUE(messages.value(0).startsWith(
                QStringLiteral("The catalog in \"%1\" was not opened").arg(folderName)))
                << messages.value(0).toStdString();
        }
        EXPECT_FALSE(box("txtDuljina")->text().contains(u'/')) << row.name;
        EXPECT_EQ(gSlog->changedRecords(), row.edited ? 1 : 0) << row.name;
        if (!row.edited) {
            EXPECT_EQ(memoryBytes(), typicalCatalog(row.opened ? 5 : 3)) << row.name;
        }
        answers = {QMessageBox::Discard};
        window().close();
    }
}

// F1 shows, centred on the window, the version, each key --help lists and the licence; a close
// request meanwhile ends nothing, and Escape closes the box.
TEST_F(CommandsTest, F1ShowsTheVersionTheKeysAndTheLicence)
{
    openWith(3);
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QString text;
    QPoint offCentre;
    bool closedByEscape = false;
    QTimer::singleShot(0, &window(), [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text() + box->informativeText() + box->detailedText();
        offCentre = box->frameGeometry().center() - window().frameGeometry().center();
        window().close();
        QTest::keyClick(box, Qt::Key_Escape);
        closedByEscape = !box->isVisible();
        box->reject();
    });
    QTest::keyClick(&window(), Qt::Key_F1);
    EXPECT_TRUE(std::regex_search(text.toStdString(), std::regex("Velmora [0-9]+\\.[0-9]+")));
    for (const WindowKey &key : windowKeys())
        EXPECT_TRUE(text.contains(key.text.toHtmlEscaped())) << key.keys.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("MIT License"))) << text.toStdString();
    EXPECT_LE(offCentre.manhattanLength(), 4) << "centred, within the box's own frame";
    EXPECT_TRUE(closedByEscape);
    EXPECT_TRUE(window().isVisible()) << "the close request came while the box was open";
}

// A close request while a question or notice is open (the close button, Alt+F4, a second
// Ctrl+Q, Escape) never ends the program past it: the open one is answered first, and Cancel
// keeps every edit.
TEST_F(CommandsTest, ACloseRequestWhileAQuestionIsOpenEndsNothing)
{
    const auto ctrl = [this](Qt::Key key) { QTest::keyClick(&window(), key, Qt::ControlModifier); };
    const struct
    {
        const char *open;
        std::function<void()> ask;
        QList<QMessageBox::StandardButton> answers;
    } rows[] = {
        {"leave", [&] { ctrl(Qt::Key_Q); }, {QMessageBox::Cancel}},
        {"leave by the close button", [this] { window().close(); }, {QMessageBox::Cancel}},
        {"leave, then replace",
         [this] {
             folder.write("Trake-novi.odl", typicalCatalog(1));
             click("Command2");
         },
         {QMessageBox::Save, QMessageBox::Cancel}},
        {"reload", [this] { click("cmdUcitavanje"); }, {QMessageBox::Cancel}},
        {"a failed save's notice",
         [&] {
             std::filesystem::create_directory(folder.path() / "Trake-novi.odl");
             ctrl(Qt::Key_S);
         },
         {}},
    };
    for (const auto &row : rows) {
        TearDown();
        SetUp();
        openWith(3);
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        // The start's notices wait for the window to show; they come first, before a row makes
        // a Trake-novi.odl they would tell of.
        QTest::qWait(300);
        typeOver("txtCijena", QStringLiteral("9.5"));
        const std::string edited = memoryBytes();
        qsizetype open = 0;
        whileOpen = [&] {
            ++open;
            window().close();
            window().windowHandle()->close();
            ctrl(Qt::Key_Q);
            QTest::keyClick(&window(), Qt::Key_Escape);
            QCoreApplication::processEvents();
            EXPECT_TRUE(window().isVisible()) << row.open;
        };
        answers = row.answers;
        row.ask();
        QCoreApplication::processEvents();
        whileOpen = nullptr;
        EXPECT_EQ(open, std::max<qsizetype>(row.answers.size(), 1)) << row.open;
        EXPECT_TRUE(window().isVisible()) << row.open;
        EXPECT_EQ(memoryBytes(), edited) << row.open;
        EXPECT_FALSE(std::filesystem::is_regular_file(folder.path() / "Trake-novi.odl")
                     && folder.read("Trake-novi.odl") == edited)
            << row.open;
        std::filesystem::remove_all(folder.path() / "Trake-novi.odl");
    }
}

// The title carries the mark of unsaved work and the status line counts the records that have
// it; a save clears both, and an edit typed back to what it replaced is no unsaved work.
TEST_F(CommandsTest, UnsavedWorkShowsInTheTitleAndTheStatusLine)
{
    openWith(3);
    const auto *status = window().findChild<QLabel *>(QStringLiteral("lblStatus"));
    const QString before = box("txtCijena")->text();
    const QString saved = QStringLiteral("Saved Trake-novi.odl at ");
    const struct
    {
        std::function<void()> act;
        bool marked;
        QString status;  // its start
    } steps[] = {
        {[] {}, false, {}},
        {[this] { typeOver("txtCijena", QStringLiteral("9.5")); }, true, {}},
        {[&] { typeOver("txtCijena", before); }, false, {}},
        {[this] { click("cmdDodavanjeNovogSloga"); }, true, {}},
        {[this] { click("Command1"); }, false, saved},
        {[this] { typeOver("txtDuljina", QStringLiteral("1")); }, true, saved},
    };
    for (const auto &step : steps) {
        step.act();
        const std::string text = status->text().toStdString();
        EXPECT_EQ(window().windowHandle()->title(),
                  step.marked ? QStringLiteral("Trake.Odl*") : QStringLiteral("Trake.Odl"))
            << text;
        EXPECT_TRUE(status->text().startsWith(step.status) || step.status.isEmpty()) << text;
        EXPECT_EQ(status->text().endsWith(QStringLiteral("Records with unsaved changes: 1.")),
                  step.marked)
            << text;
        EXPECT_EQ(status->text().isEmpty(), !step.marked && step.status.isEmpty()) << text;
    }
}

// While a save runs the window's thread leaves the records alone: an arrow held down through
// it steps no record (its auto-repeat runs on a timer, which the save lets through), so the
// worker and the window never reach the records at once; afterwards the arrows step again. A
// close request meanwhile waits for the save to end.
TEST_F(CommandsTest, AnArrowHeldThroughASaveStepsNoRecord)
{
    static constexpr std::int32_t kRecords = 50000;
    // The last record is short: showing it would create its missing section objects.
    openWithBytes(typicalCatalog(kRecords) + typicalRecordLines(kRecords + 1)[0] + "\r\n");
    typeOver("txtBrojSloga", QString::number(kRecords));
    auto *up = upDown()->findChild<QToolButton *>(QStringLiteral("up"));
    up->setAutoRepeatDelay(1);
    up->setAutoRepeatInterval(1);
    int ticksDuringSave = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [this, &ticksDuringSave] {
        if (LongWorkProgress::running()) {
            ++ticksDuringSave;
            EXPECT_EQ(gBrojSloga, kRecords) << "a record was stepped to during the save";
            EXPECT_TRUE(window().isVisible()) << "the window closed during the save";
            window().close();
        }
    });
    probe.start(1);

    QTest::mousePress(up, Qt::LeftButton);
    click("Command1");
    QTest::mouseRelease(up, Qt::LeftButton);
    probe.stop();
    EXPECT_GT(ticksDuringSave, 0) << "the save ended before a timer could fire";
    EXPECT_EQ(gBrojSloga, kRecords);
    EXPECT_EQ(folder.read("Trake-novi.odl").size(), memoryBytes().size());
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(gBrojSloga, kRecords + 1) << "the arrows step again after the save";
    QCoreApplication::processEvents();
    EXPECT_FALSE(window().isVisible()) << "the close asked for during the save";
}

// Ctrl+S saves; a save says where, how much and when without a box to dismiss. A Trake-novi.odl
// this run did not write (another day's, another window's) is replaced only when the user says
// so; one the run wrote itself is replaced without a question until someone else changes it.
TEST_F(CommandsTest, ASaveAsksBeforeReplacingAnOutputItDidNotWrite)
{
    folder.write("Trake-novi.odl", typicalCatalog(2));
    openWith(3);
    typeOver("txtCijena", QStringLiteral("9.5"));
    const std::string edited = memoryBytes();
    QApplication::setActiveWindow(&window());
    const struct
    {
        std::optional<QMessageBox::StandardButton> answer;  // nothing: no question expected
        std::function<void()> before;
        std::string expected;
    } rows[] = {
        {QMessageBox::Cancel, [] {}, typicalCatalog(2)},
        {QMessageBox::Yes, [] {}, edited},
        {std::nullopt, [] {}, edited},
        {QMessageBox::Cancel, [this] { folder.write("Trake-novi.odl", typicalCatalog(1)); },
         typicalCatalog(1)},
    };
    for (const auto &row : rows) {
        questions.clear();
        row.before();
        if (row.answer)
            answers << *row.answer;
        QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(questions.size(), row.answer ? 1 : 0);
        EXPECT_EQ(folder.read("Trake-novi.odl"), row.expected);
        EXPECT_EQ(memoryBytes(), edited);
    }
    EXPECT_TRUE(questions.value(0).endsWith(
        QStringLiteral(" (records: 1), and this window did not write it or it has changed since. "
                       "Replace it with the records in the editor (3)?")))
        << questions.value(0).toStdString();
    const auto *status = window().findChild<QLabel *>(QStringLiteral("lblStatus"));
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("Saved Trake-novi.odl at ")));
    EXPECT_TRUE(status->text().endsWith(QStringLiteral("; records: 3.")));
    EXPECT_TRUE(messages.isEmpty());
}

// What the user must know about the files before saving: a Trake-novi.odl newer than the
// catalog shown, a catalog that reads as UTF-8.
TEST_F(CommandsTest, AStartTellsOfANewerOutputAndOfAUtf8Catalog)
{
    folder.write("Trake-novi.odl", typicalCatalog(1));
    const auto older = std::filesystem::last_write_time(folder.path() / "Trake-novi.odl")
        - std::chrono::hours(1);
    std::string utf8;  // "č" and "š" as UTF-8 writes them
    for (const char c : typicalCatalog(2))
        utf8 += c == '\xe8' ? "\xc4\x8d" : c == '\x9a' ? "\xc5\xa1" : std::string(1, c);
    folder.write("Trake.odl", utf8);
    std::filesystem::last_write_time(folder.path() / "Trake.odl", older);
    createWindow();
    window().Form_Load();
    window().show();
    EXPECT_TRUE(QTest::qWaitFor([this] { return warnings.size() == 2; }));
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("Trake.odl reads as UTF-8 text")));
    EXPECT_TRUE(warnings[1].startsWith(QStringLiteral("This window shows Trake.odl. Trake-novi.odl "
                                                      "was saved later, on ")));
}

// The commands that can fail keep the program, the records and the screen as they were.
class FailedCommandTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        openWith(4);
        typeOver("txtBrojSloga", QStringLiteral("3"));
        typeOver("txtSirina", QStringLiteral("edited"));
        m_memory = memoryBytes();
    }

    void expectNothingChanged()
    {
        EXPECT_EQ(memoryBytes(), m_memory);
        EXPECT_EQ(gSlog->UkBrSlogova, 4);
        EXPECT_EQ(gBrojSloga, 3);
        EXPECT_EQ(box("txtBrojSloga")->text(), QStringLiteral("3"));
        EXPECT_EQ(box("txtSirina")->text(), QStringLiteral("edited"));
        EXPECT_EQ(label("lblUkupnoSlogova")->caption(), QStringLiteral("4"));
        EXPECT_EQ(upDown()->maximum(), 4);
        EXPECT_TRUE(window().isVisible());
    }

    std::string m_memory;
};

TEST_F(FailedCommandTest, AFailedSaveNamesTheOutputFileAndKeepsEverything)
{
    std::filesystem::create_directory(folder.path() / "Trake-novi.odl");

    click("Command1");

    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "The catalog was not saved; the records in memory are as they were.\n"
                            "Trake-novi.odl: Is a directory; nothing was written")});
    expectNothingChanged();
    EXPECT_EQ(folderListing(folder.path()),
              (std::vector<std::string>{"Trake-novi.odl", "Trake.odl"}))
        << "no temporary file is left behind";

    // The program goes on: once the way is clear the same edits are saved.
    std::filesystem::remove(folder.path() / "Trake-novi.odl");
    click("Command1");
    EXPECT_EQ(folder.read("Trake-novi.odl"), m_memory);
}

struct ReloadFailure
{
    const char *name;
    bool removeFile;
    std::string catalog;
    const char *reason;
    bool namedPipe = false;  // in place of the file, which would block a plain open for good
};

TEST_F(FailedCommandTest, AFailedReloadSaysWhyAndKeepsRecordsEditsAndScreen)
{
    const ReloadFailure failures[] = {
        {"file deleted", true, "", "Trake.odl: cannot open: No such file or directory"},
        {"line that cannot be cut", false,
         catalogWithLine(3, 2, 1, "base #ABS 22x2 bijela"),
         "Trake.odl, line 46 (record 2, line 1): no \";\" after the first \"#\""},
        {"empty file", false, "", "Trake.odl: the file holds no record"},
        {"named pipe", true, "", "Trake.odl: cannot read: it is a named pipe, not a file", true},
    };
    for (const ReloadFailure &row : failures) {
        messages.clear();
        if (row.removeFile)
            std::filesystem::remove(folder.path() / "Trake.odl");
        else
            folder.write("Trake.odl", row.catalog);
        if (row.namedPipe) {
            ASSERT_EQ(::mkfifo("Trake.odl", 0644), 0);
        }

        answers << QMessageBox::Discard;
        ::alarm(10);  // a hang ends the test run instead of stalling it
        click("cmdUcitavanje");
        ::alarm(0);

        EXPECT_EQ(messages, QStringList{QStringLiteral("The catalog was not reloaded; the records "
                                                       "in memory are as they were.\n")
                                        + QString::fromUtf8(row.reason)})
            << row.name;
        expectNothingChanged();
    }
}

TEST_F(FailedCommandTest, UnderACroatianLocaleTheMessageIsCroatian)
{
    const Translations croatian(QLocale(QLocale::Croatian, QLocale::Croatia));
    const QString notReloaded = QStringLiteral(
        "Katalog nije ponovno učitan; slogovi u memoriji ostali su kakvi su bili.\n");
    const struct
    {
        const char *name;
        std::function<void()> arrange;
        const char *button;
        QString message;
    } rows[] = {
        {"file deleted", [&] { std::filesystem::remove(folder.path() / "Trake.odl"); },
         "cmdUcitavanje",
         notReloaded
             + QStringLiteral("Trake.odl: ne može se otvoriti: No such file or directory")},
        {"line that cannot be cut",
         [&] { folder.write("Trake.odl", catalogWithLine(3, 2, 1, "base #ABS 22x2 bijela")); },
         "cmdUcitavanje",
         notReloaded
             + QStringLiteral("Trake.odl, redak 46 (slog 2, redak 1): nema „;“ iza prvog „#“")},
        {"output is a folder",
         [&] { std::filesystem::create_directory(folder.path() / "Trake-novi.odl"); }, "Command1",
         QStringLiteral("Katalog nije snimljen; slogovi u memoriji ostali su kakvi su bili.\n"
                        "Trake-novi.odl: Is a directory; ništa nije zapisano")},
    };
    for (const auto &row : rows) {
        messages.clear();
        row.arrange();
        answers << QMessageBox::Discard;
        click(row.button);
        EXPECT_EQ(messages, QStringList{row.message}) << row.name;
        expectNothingChanged();
    }
}

// Croatian has three plural forms, chosen by the last digits: 1 and 21 take the first, 2 to 4 and
// 22 to 24 the second, 5 to 20 and 25 the third.
TEST(CroatianPluralTest, TheCountPicksItsForm)
{
    const Translations croatian(QLocale(QLocale::Croatian, QLocale::Croatia));
    const struct
    {
        int count;
        const char *start;
    } rows[] = {{1, "1 slog je"},   {4, "4 sloga su"},   {11, "11 slogova je"},
                {21, "21 slog je"}, {22, "22 sloga su"}, {25, "25 slogova je"}};
    for (const auto &row : rows) {
        const QString text = QCoreApplication::translate(
            "frmVelmora", "Records changed and not yet saved: %n. Save them to %1 before leaving?",
            nullptr, row.count);
        EXPECT_TRUE(text.startsWith(QString::fromUtf8(row.start)))
            << row.count << ": " << text.toStdString();
    }
}

// Memory running out part-way through a save or an append (a limit on a child's address space)
// leaves the program running with every record and edit, and says so.
TEST_F(CommandsTest, RunningOutOfMemoryKeepsEverything)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizer's allocator does not run out as the system's does";
#endif
    openWith(50000);
    typeOver("txtCijena", QStringLiteral("9.5"));
    const std::string before = memoryBytes();
    for (const char *button : {"Command1", "cmdDodavanjeNovogSloga"}) {
        CommandButton *target = this->button(button);
        const std::string report = runInChild([&] {
            std::ifstream statm("/proc/self/statm");
            unsigned long long pages = 0;
            statm >> pages;
            const rlim_t used = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
            std::vector<void *> taken;
            taken.reserve(1 << 20);
            const rlimit tight{used + (1 << 20), RLIM_INFINITY};
            if (::setrlimit(RLIMIT_AS, &tight) != 0)
                return std::string("cannot limit the address space");
            // Whatever room is left goes, so the next allocation fails wherever it comes.
            for (const std::size_t size : {1024, 128, 16}) {
                while (taken.size() < taken.capacity()) {
                    void *block = std::malloc(size);
                    if (block == nullptr)
                        break;
                    taken.push_back(block);
                }
            }
            // The button's own signal: a simulated mouse would need memory of its own.
            target->click();
            const rlimit loose{RLIM_INFINITY, RLIM_INFINITY};
            ::setrlimit(RLIMIT_AS, &loose);
            if (messages != QStringList{QStringLiteral("There was not enough memory to finish "
                                                       "this. Every record and edit is still in "
                                                       "the editor, and no file was written.")})
                return "said: " + messages.join(u'/').toStdString();
            // An append may have gone through before the display ran out.
            const std::int32_t count = gSlog->UkBrSlogova;
            if (memoryBytes().substr(0, before.size()) != before || count < 50000 || count > 50001)
                return std::string("the records changed");
            if (box("txtCijena")->text() != shown(gLokal.at(gBrojSloga).Cijena)
                || label("lblUkupnoSlogova")->caption() != QString::number(count))
                return std::string("the window shows another record than the one edits go to");
            if (std::filesystem::exists(folder.path() / "Trake-novi.odl"))
                return std::string("a file was written");
            return std::string(window().isVisible() ? "kept" : "the window closed");
        });
        EXPECT_EQ(report, "kept") << button;
    }
}

// A file name is put in as it is: a "%1" in it is not taken for a place in the text.
TEST(MessageTextTest, ArgumentsArePutInInOnePass)
{
    const Message message{"%1: cannot open: %2", {"50%2 off/Trake%1.odl", "gone"}};
    EXPECT_EQ(message.english(), "50%2 off/Trake%1.odl: cannot open: gone");
    EXPECT_EQ(messageText(message), QStringLiteral("50%2 off/Trake%1.odl: cannot open: gone"));
}

TEST_F(FailedCommandTest, AppendAtTheLargestCountSaysSoAndAddsNothing)
{
    gSlog->UkBrSlogova = std::numeric_limits<std::int32_t>::max();

    click("cmdDodavanjeNovogSloga");

    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "No record was added: the catalog already holds 2147483647 records, "
                            "the most it can hold")});
    EXPECT_EQ(gSlog->UkBrSlogova, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(gRecords.upperBound(), 4);
    gSlog->UkBrSlogova = 4;
    expectNothingChanged();
}

TEST_F(FailedCommandTest, ARecordOutsideTheArraysIsReportedAndTheProgramGoesOn)
{
    // Arrays shorter than the count can only come from a fault; the handler must still hold.
    gRecords.redimAll(3);
    typeOver("txtBrojSloga", QStringLiteral("4"));
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "subscript out of range: record 4 is outside gBase(0 to 3)")});
    gRecords.redimAll(4);
    typeOver("txtBrojSloga", QStringLiteral("2"));
    EXPECT_EQ(gBrojSloga, 2);
    EXPECT_EQ(box("txtSirina")->text(), shown(gLokal.at(2).Sirina));
}

struct StartupFailure
{
    const char *name;
    bool writeFile;
    std::string catalog;
    const char *reason;
    const char *headline;
    bool namedPipe = false;
};

TEST_F(CommandsTest, AStartThatCannotReadTheCatalogSaysWhereAndWhy)
{
    const StartupFailure failures[] = {
        {"no file", false, "", "Trake.odl: cannot open: No such file or directory",
         "Cannot open the catalog in %1:"},
        {"bad line", true, catalogWithLine(3, 3, 1, "base #ABS"),
         "Trake.odl, line 91 (record 3, line 1): no \";\" after the first \"#\"",
         "The catalog in %1 has a line that cannot be cut:"},
        {"no record", true, "", "Trake.odl: the file holds no record",
         "The catalog in %1 holds no record:"},
        {"named pipe", false, "", "Trake.odl: cannot read: it is a named pipe, not a file",
         "Cannot read the catalog in %1:", true},
    };
    for (const StartupFailure &row : failures) {
        TearDown();
        SetUp();
        std::filesystem::remove(folder.path() / "Trake.odl");
        if (row.writeFile)
            folder.write("Trake.odl", row.catalog);
        if (row.namedPipe) {
            ASSERT_EQ(::mkfifo("Trake.odl", 0644), 0);
        }
        createWindow();

        std::optional<CatalogError> failure;
        ::alarm(10);
        try {
            window().Form_Load();
        } catch (const CatalogError &error) {
            failure = error;
        }
        ::alarm(0);
        ASSERT_TRUE(failure) << row.name;
        EXPECT_EQ(std::string(failure->what()), row.reason) << row.name;
        EXPECT_EQ(QString::fromStdString(
                      startupFailureMessage(std::filesystem::current_path(), *failure)),
                  QString::fromUtf8(row.headline).arg(folder.path().c_str()) + u'\n'
                      + QString::fromUtf8(row.reason))
            << row.name;
        EXPECT_EQ(folderListing(folder.path()).size(), row.writeFile || row.namedPipe ? 1u : 0u)
            << row.name;
    }
}

}  // namespace
