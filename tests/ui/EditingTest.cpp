#include "EditorFixture.h"

#include "TypicalRecord.h"
#include "Typing.h"
#include "catalog/RecordTemplate.h"
#include "ui/BoxNote.h"

#include <QApplication>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocumentFragment>

#include <algorithm>
#include <vector>

namespace {

// The seven value boxes, each with the member the record's shape gives it.
struct ValueBox
{
    const char *name;
    MemberAccess access;

    Text &member(std::int32_t n) const { return access(gRecords, n); }
};

std::vector<ValueBox> valueBoxes()
{
    std::vector<ValueBox> boxes;
    for (const MemberControl &row : frmVelmoraMemberControls()) {
        if (designOf(row.control).kind == ControlKind::TextBox)
            boxes.push_back({row.control, recordMember(row.member).access});
    }
    return boxes;
}

// Every line member of every record, to see exactly what an edit touched.
std::vector<std::string> allMembers()
{
    std::vector<std::string> values;
    for (std::int32_t n = 0; n <= gSlog->UkBrSlogova; ++n) {
        for (const RecordMember &member : recordShape())
            values.push_back(member.access(gRecords, n).str());
    }
    return values;
}

class EditingTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        openWith(4);
        typeOver("txtBrojSloga", QStringLiteral("3"));
        ASSERT_EQ(gBrojSloga, 3);
    }
};

TEST_F(EditingTest, EachBoxStoresItsWholeTextInItsOwnMemberOfTheRecordOnScreen)
{
    for (const ValueBox &row : valueBoxes()) {
        std::vector<std::string> expected = allMembers();
        const std::string before = row.member(3).str();

        typeOver(row.name, QStringLiteral("x 1"));
        EXPECT_EQ(row.member(3), "x 1") << row.name;
        box(row.name)->setText(QStringLiteral("no number: 2.5"));
        EXPECT_EQ(row.member(3), "no number: 2.5") << row.name;
        box(row.name)->setText(QString::fromStdU16String(u"\u0161" + std::u16string(5000, u'y')));
        EXPECT_EQ(row.member(3), "\x9a" + std::string(5000, 'y')) << row.name;
        box(row.name)->setText(shown(before));

        EXPECT_EQ(allMembers(), expected) << row.name << " changed more than its member";
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(EditingTest, EveryKeystrokeStoresTheWholeTextAnew)
{
    typeOver("txtDuljina", QString());
    EXPECT_EQ(gLokal.at(3).Duljina, "");
    std::vector<std::string> stored;
    for (const QChar digit : QStringLiteral("250")) {
        QTest::keyClick(box("txtDuljina"), digit.toLatin1());
        stored.push_back(gLokal.at(3).Duljina.str());
    }
    EXPECT_EQ(stored, (std::vector<std::string>{"2", "25", "250"}));

    QTest::keyClick(box("txtDuljina"), Qt::Key_Backspace);
    EXPECT_EQ(gLokal.at(3).Duljina, "25");
    typeOver("txtDuljina", QString());
    EXPECT_EQ(gLokal.at(3).Duljina, "");
}

TEST_F(EditingTest, CroatianLettersLandAsCodePageBytesInMemoryAndOnDisk)
{
    typeOver("txttOpis",
             QStringLiteral("\u010Di\u0107\u017E\u0161\u0111 \u010C\u0106\u017D\u0160\u0110"));
    const std::string bytes = "\xe8i\xe6\x9e\x9a\xf0 \xc8\xc6\x8e\x8a\xd0";
    EXPECT_EQ(gLokal.at(3).tOpis, bytes);

    click("Command1");
    auto lines = typicalRecordLines(3);
    const std::string code = std::to_string(1000003);
    lines[15] = "    tUserSifra = #" + code + ", tOpis = " + bytes + ", $ObjectName = #" + code
                + "_NULL,";
    std::string expected;
    for (std::int64_t n = 1; n <= 4; ++n) {
        for (const std::string &line : n == 3 ? lines : typicalRecordLines(n))
            expected += line + "\r\n";
    }
    EXPECT_EQ(folder.read("Trake-novi.odl"), expected);
}

TEST_F(EditingTest, ACharacterTheCodePageLacksIsRefusedWhicheverWayItComes)
{
    const std::string before = gBase.at(3).Naziv.str();
    const QString shownBefore = box("txtBase_Naziv")->text();
    QSignalSpy changes(box("txtBase_Naziv"), &TextBox::changed);

    box("txtBase_Naziv")->end(false);
    typeKeys(box("txtBase_Naziv"), QStringLiteral("\u0101"));
    typeKeys(box("txtBase_Naziv"), QStringLiteral("\u4E2D"));
    pasteOver("txtBase_Naziv", QStringLiteral("ab\u4E2Dc"));
    box("txtBase_Naziv")->setText(QStringLiteral("\u0101bc"));

    EXPECT_EQ(changes.size(), 0);
    EXPECT_EQ(box("txtBase_Naziv")->text(), shownBefore);
    EXPECT_EQ(gBase.at(3).Naziv, before);
}

TEST_F(EditingTest, MultiLineTextPastedSetOrDroppedPutsInOneLine)
{
    for (const ValueBox &row : valueBoxes()) {
        pasteOver(row.name, QStringLiteral("12\r\n5"));  // a spreadsheet cell ends in CR LF
        box(row.name)->setText(QStringLiteral("7\n8"));
        EXPECT_EQ(row.member(3), "7") << row.name;
        dropText(box(row.name), QStringLiteral("9\r0"));
        EXPECT_EQ(row.member(3).size(), 2) << row.name;
        // The first line that holds text, not an empty one before it.
        pasteOver(row.name, QStringLiteral("\r\n  \r\n42\r\nx"));
        EXPECT_EQ(row.member(3), "42") << row.name;
        EXPECT_EQ(note(), QStringLiteral("Only one line of the text was put in; lines "
                                         "with text left out: 1."));
        // A spreadsheet row: its first cell that holds text.
        pasteOver(row.name, QStringLiteral("\t31\t4\r\n"));
        EXPECT_EQ(row.member(3), "31") << row.name;
        EXPECT_EQ(note(), QStringLiteral("Only the first cell of the row was put in; cells "
                                         "with text left out: 1."));
    }
    click("Command1");
    const std::string saved = folder.read("Trake-novi.odl");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 4 * 45);
    folder.write("Trake.odl", saved);
    click("cmdUcitavanje");
    EXPECT_TRUE(messages.isEmpty());
}

// A value holding what ends it in the file would come back cut short, or not load at all: it
// is refused, typed or pasted, with a note naming the character, and the file still gives back
// every value. So is text that moves where the line's cutting steps cut it ("Sirina =" in the
// length, "=" in the description); text that merely looks like the line's own is kept.
TEST_F(EditingTest, AValueTheFileCannotGiveBackIsRefused)
{
    const struct
    {
        const char *box;
        const char *refused;
        const char *note;
        const char *kept;
    } rows[] = {
        {"txtBase_Naziv", "Hrast; tamni",
         "\";\" was not put in: in the catalog it ends the value or the line", "Hrast #2, tamni"},
        {"txtJedinicaMjere", "m,2", "\",\" was not put in: in the catalog it ends", "m#2"},
        {"txtDuljina", "2 Sirina = 5", "\"=\" was not put in: in the catalog it ends",
         "2 Sirina 5"},
        {"txttOpis", "crna, mat", "\",\" was not put in: in the catalog it ends", "crna; mat"},
        {"txttOpis", "crna=mat", "\"=\" was not put in: in the catalog it ends", "crna-mat"},
        {"txttOpis", "a $ObjectName b", "This was not put in: the catalog file would not give",
         "a $Object b"},
    };
    for (const auto &row : rows) {
        const QString shownBefore = box(row.box)->text();
        pasteOver(row.box, QString::fromUtf8(row.refused));
        EXPECT_EQ(box(row.box)->text(), shownBefore) << row.box;
        EXPECT_TRUE(note().startsWith(QString::fromUtf8(row.note)))
            << row.box << " " << note().toStdString();
        typeOver(row.box, QString::fromUtf8(row.refused));
        EXPECT_NE(box(row.box)->text(), QString::fromUtf8(row.refused)) << row.box;
        typeOver(row.box, QString::fromUtf8(row.kept));
        EXPECT_EQ(box(row.box)->text(), QString::fromUtf8(row.kept)) << row.box;
    }
    const std::string edited = memoryBytes();
    click("Command1");
    folder.write("Trake.odl", folder.read("Trake-novi.odl"));
    click("cmdUcitavanje");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(memoryBytes(), edited) << "every value comes back as typed";
}

// In a number's box a comma, typed by habit or pasted, is the decimal separator the user meant:
// it goes in as the period the file writes, and a note says so; "2,5" never becomes 25.
TEST_F(EditingTest, ACommaInANumberGoesInAsADecimalPeriod)
{
    int numbers = 0;
    for (const MemberControl &row : frmVelmoraMemberControls()) {
        const RecordMember &member = recordMember(row.member);
        if (member.kind != ValueKind::Number)
            continue;
        ++numbers;
        typeOver(row.control, QStringLiteral("2,5"));
        EXPECT_EQ(member.access(gRecords, 3), "2.5") << row.control;
        pasteOver(row.control, QStringLiteral("0,45"));
        EXPECT_EQ(member.access(gRecords, 3), "0.45") << row.control;
        EXPECT_TRUE(note().startsWith(QStringLiteral("Decimals are written with a period")))
            << row.control << " " << note().toStdString();
    }
    EXPECT_EQ(numbers, 4) << "length, width, thickness and price";
    typeOver("txtBase_Naziv", QStringLiteral("Hrast, tamni"));
    EXPECT_EQ(gBase.at(3).Naziv, "Hrast, tamni") << "a name is no number";
}

// A note stands over the box below its own: a click there, delivered through the window as the
// window system delivers it, lands in that box, and what is typed next goes into it.
TEST_F(EditingTest, AClickOnANoteReachesTheBoxBeneath)
{
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    typeOver("txtDuljina", QStringLiteral("2\u2713"));
    const BoxNote *open = BoxNote::openIn(&window());
    ASSERT_NE(open, nullptr);
    TextBox *price = box("txtCijena");
    const QRect covered = QRect(price->mapTo(&window(), QPoint()), price->size()) & open->geometry();
    ASSERT_FALSE(covered.isEmpty()) << "the note stands over the price";
    QTest::mouseClick(window().windowHandle(), Qt::LeftButton, Qt::NoModifier, covered.center());
    price->selectAll();
    typeKeys(QApplication::focusWidget(), QStringLiteral("4.4"));
    EXPECT_EQ(gLokal.at(3).Cijena, "4.4");
    EXPECT_EQ(gLokal.at(3).Duljina, "2");
}

TEST_F(EditingTest, ALineFeedAValueHadInTheFileIsKeptThroughAnEdit)
{
    const auto line = [](const std::string &description) {
        return "    tUserSifra = #1000003, tOpis = " + description
            + ", $ObjectName = #1000003_NULL,";
    };
    folder.write("Trake.odl", catalogWithLine(4, 3, 16, line("prva\ndruga")));
    click("cmdUcitavanje");
    typeOver("txtBrojSloga", QStringLiteral("3"));
    box("txttOpis")->end(false);
    typeKeys(box("txttOpis"), QStringLiteral("!"));
    click("Command1");
    EXPECT_EQ(folder.read("Trake-novi.odl"), catalogWithLine(4, 3, 16, line("prva\ndruga!")));
}

TEST_F(EditingTest, ADecomposedLetterIsStoredComposedAndARefusedOneIsNamedAtTheBox)
{
    pasteOver("txttOpis", QStringLiteral("c\u030C"));
    EXPECT_EQ(gLokal.at(3).tOpis, "\xe8");
    // The character stands isolated (FSI ... PDI): a right-to-left one leaves the sentence as
    // it reads.
    const std::pair<QString, QString> refusals[] = {
        {QStringLiteral("Traka 2 mm\u00B2"), QStringLiteral("\"\u2068\u00B2\u2069\" (U+00B2)")},
        {QStringLiteral("\u05D0"), QStringLiteral("\"\u2068\u05D0\u2069\" (U+05D0)")},
    };
    for (const auto &[pasted, named] : refusals) {
        pasteOver("txtBase_Naziv", pasted);
        EXPECT_TRUE(note().startsWith(named + QStringLiteral(" was not put in")))
            << note().toStdString();
    }
    EXPECT_TRUE(messages.isEmpty()) << "no modal message";
}

// A value wider than its box shows whole as the box's tooltip, however it came in.
TEST_F(EditingTest, AValueLongerThanItsBoxIsItsTooltip)
{
    // The tooltip the box gives when the pointer rests on it.
    const auto tip = [this] {
        TextBox *target = box("txttOpis");
        QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(target, &ask);
        return QTextDocumentFragment::fromHtml(target->toolTip()).toPlainText();
    };
    const QString longer = QStringLiteral("Traka ABS 22x2 hrast rustikalni <b>");
    typeOver("txttOpis", longer);
    EXPECT_EQ(tip(), longer);
    typeOver("txttOpis", QStringLiteral("kratko"));
    EXPECT_EQ(tip(), QString());

    gLokal.at(2).tOpis = "Traka broj 2 za plo\xe8" "e i rubove";
    typeOver("txtBrojSloga", QStringLiteral("2"));
    EXPECT_EQ(tip(), shown(gLokal.at(2).tOpis)) << "shown by display";
}

TEST_F(EditingTest, EditsSurviveNavigationAndGoToTheRecordOnScreen)
{
    typeOver("txtSirina", QStringLiteral("99"));
    typeOver("txtBrojSloga", QStringLiteral("1"));
    typeOver("txtSirina", QStringLiteral("11"));
    typeOver("txtBrojSloga", QStringLiteral("3"));

    EXPECT_EQ(box("txtSirina")->text(), QStringLiteral("99"));
    EXPECT_EQ(gLokal.at(3).Sirina, "99");
    EXPECT_EQ(gLokal.at(1).Sirina, "11");
    EXPECT_EQ(gLokal.at(2).Sirina, "23");
}

}  // namespace
