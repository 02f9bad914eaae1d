#include "EditorFixture.h"

#include <QStyle>
#include <QStyleOptionFrame>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "Typing.h"

namespace {

// One text reaching the record-number box. Set or pasted, it is one change; typed, every
// keystroke is a change of its own, and the display rewrites the box after each one, so the
// later keys land after the rewritten number.
struct NavigationRow
{
    const char *name;
    std::int64_t records;
    const char16_t *text;
    std::int32_t whenSet;
    std::int32_t whenTyped;
};

const NavigationRow kNavigation[] = {
    {"zero", 20, u"0", 1, 1},
    {"negative", 20, u"-3", 1, 13},
    {"letters", 20, u"abc", 1, 1},
    {"emptied box", 20, u"", 1, 1},
    {"past the last record", 5, u"500", 5, 5},
    {"two digits", 20, u"12", 12, 12},
    {"leading zero", 20, u"07", 7, 17},
    {"blanks before and between digits", 20, u" 1 2", 12, 20},
    {"trailing letter", 20, u"3x", 3, 3},
    {"half rounds down to even", 20, u"2.5", 2, 20},
    {"half rounds up to even", 20, u"3.5", 4, 20},
    {"zero and a half", 20, u"0.5", 1, 15},
    {"decimal comma", 20, u"2,5", 2, 20},
    {"last record exactly", 20, u"20", 20, 20},
    // Beyond the 32-bit range: the last record, and the program goes on.
    {"one past the 32-bit range", 20, u"2147483648", 20, 20},
    {"wraps to one in 32 bits", 20, u"4294967297", 20, 20},
    {"eleven nines", 20, u"99999999999", 20, 20},
    {"hugely negative", 20, u"-99999999999999999999999", 1, 20},
};

enum class Entry { Set, Pasted, Typed };

class NavigationTest : public EditorFixture, public ::testing::WithParamInterface<Entry>
{
protected:
    void enter(const QString &text)
    {
        switch (GetParam()) {
        case Entry::Set: box("txtBrojSloga")->setText(text); break;
        case Entry::Pasted: pasteOver("txtBrojSloga", text); break;
        case Entry::Typed: typeOver("txtBrojSloga", text); break;
        }
    }

    // The record on screen, seen through what the window shows and what memory holds.
    void expectOnScreen(std::int32_t n, const char *row)
    {
        EXPECT_EQ(gBrojSloga, n) << row;
        EXPECT_EQ(box("txtBrojSloga")->text(), QString::number(n)) << row;
        EXPECT_EQ(box("txtBase_Naziv")->text(), shown(gBase.at(n).Naziv)) << row;
        EXPECT_EQ(box("txtDuljina")->text(), shown(gLokal.at(n).Duljina)) << row;
        EXPECT_EQ(label("Label16")->caption(), shown(gLokal.at(n).tOpis_PocDeoRedaiTekst))
            << row;
    }
};

TEST_P(NavigationTest, TheBoxMovesToTheRecordItNames)
{
    for (const NavigationRow &row : kNavigation) {
        TearDown();
        SetUp();
        openWith(row.records);
        const std::string before = memoryBytes();
        // Start away from record 1 so that a move to 1 shows.
        box("txtBrojSloga")->setText(QStringLiteral("2"));

        enter(QString::fromStdU16String(row.text));

        expectOnScreen(GetParam() == Entry::Typed ? row.whenTyped : row.whenSet, row.name);
        EXPECT_EQ(memoryBytes(), before) << row.name << ": navigating changed a record";
        EXPECT_TRUE(messages.isEmpty()) << row.name << ": " << messages.join('\n').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, NavigationTest,
                         ::testing::Values(Entry::Set, Entry::Pasted, Entry::Typed),
                         [](const ::testing::TestParamInfo<Entry> &info) {
                             switch (info.param) {
                             case Entry::Set: return "Set";
                             case Entry::Pasted: return "Pasted";
                             case Entry::Typed: return "Typed";
                             }
                             return "";
                         });

class UpDownNavigationTest : public EditorFixture
{
protected:
    void clickArrow(const char *name)
    {
        QTest::mouseClick(upDown()->findChild<QToolButton *>(QString::fromUtf8(name)),
                          Qt::LeftButton);
    }
};

TEST_F(UpDownNavigationTest, ArrowsMoveOneRecordAndStopAtBothEnds)
{
    openWith(3);
    EXPECT_EQ(upDown()->maximum(), 3);

    clickArrow("down");
    EXPECT_EQ(gBrojSloga, 1);
    EXPECT_EQ(box("txtBrojSloga")->text(), QStringLiteral("1"));

    clickArrow("up");
    EXPECT_EQ(gBrojSloga, 2);
    EXPECT_EQ(box("txtDuljina")->text(), shown(gLokal.at(2).Duljina));
    clickArrow("up");
    clickArrow("up");
    EXPECT_EQ(gBrojSloga, 3);
    EXPECT_EQ(box("txtBrojSloga")->text(), QStringLiteral("3"));
    EXPECT_EQ(box("txtBase_Naziv")->text(), shown(gBase.at(3).Naziv));

    clickArrow("down");
    EXPECT_EQ(gBrojSloga, 2);
}

TEST_F(UpDownNavigationTest, ArrowKeysInTheRecordNumberBoxMoveTheSameWay)
{
    openWith(3);
    TextBox *number = box("txtBrojSloga");
    QTest::keyClick(number, Qt::Key_Down);
    EXPECT_EQ(gBrojSloga, 1);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(number, Qt::Key_Up);
    EXPECT_EQ(gBrojSloga, 3);
    EXPECT_EQ(number->text(), QStringLiteral("3"));
    EXPECT_EQ(box("txtCijena")->text(), shown(gLokal.at(3).Cijena));
    QTest::keyClick(number, Qt::Key_Down);
    EXPECT_EQ(gBrojSloga, 2);
}

// Up to 9,999,999 records both the box and the count show every digit (a first digit cut off
// would read 1,000,001 as ".000001"); a longer count its last.
TEST_F(UpDownNavigationTest, SevenDigitNumbersShowWhole)
{
    openWith(3);
    TextBox *number = box("txtBrojSloga");
    QStyleOptionFrame frame;
    frame.initFrom(number);
    frame.rect = number->rect();
    frame.lineWidth = number->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, number);
    // QLineEdit keeps two pixels free on each side, and one more for the cursor at the end.
    const int textRoom =
        number->style()->subElementRect(QStyle::SE_LineEditContents, &frame, number).width() - 4;
    EXPECT_LE(number->fontMetrics().horizontalAdvance(QStringLiteral("9999999")) + 1, textRoom);

    CaptionLabel *count = label("lblUkupnoSlogova");
    count->setCaption(QStringLiteral("9999999"));
    EXPECT_LE(count->captionSize().width(), count->contentsRect().width());
    count->setCaption(QStringLiteral("912345678901"));
    const QImage shown = count->grab().toImage();
    count->setCaption(QStringLiteral("012345678901"));
    EXPECT_EQ(count->grab().toImage(), shown) << "a longer count shows its last digits";
}

TEST_F(UpDownNavigationTest, TheWheelStepsOverTheArrowsAndTheBoxANotchAStep)
{
    openWith(9);
    const auto turn = [](QWidget *target, int eighths) {
        QWheelEvent wheel(QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)), QPoint(),
                          QPoint(0, eighths), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(target, &wheel);
    };
    turn(upDown(), 120);
    turn(upDown(), 240);
    EXPECT_EQ(gBrojSloga, 4);
    turn(box("txtBrojSloga"), -120);
    EXPECT_EQ(gBrojSloga, 3);
    turn(upDown(), 60);  // half a notch of a fine-grained wheel: no step yet
    EXPECT_EQ(gBrojSloga, 3);
    turn(upDown(), 60);
    EXPECT_EQ(gBrojSloga, 4);
    // A wheel spun to scroll the window goes on scrolling it when the box slides under the
    // pointer, though the box has the focus.
    box("txtBrojSloga")->setFocus();
    QTest::qWait(500);
    turn(window().recordArea(), -120);
    turn(box("txtBrojSloga"), -120);
    turn(upDown(), -120);
    EXPECT_EQ(gBrojSloga, 4);
}

TEST_F(UpDownNavigationTest, StepsFromATypedNumber)
{
    openWith(9);
    typeOver("txtBrojSloga", QStringLiteral("5"));
    clickArrow("up");
    EXPECT_EQ(gBrojSloga, 6);
}

// Ctrl+F opens the find field; typing shows the first match from the record on screen, Enter
// and F3 the next, wrapping with a note; Escape closes the field and nothing else.
TEST_F(UpDownNavigationTest, FindShowsAStripByNameDescriptionUnitOrPrice)
{
    openWith(12);
    gBase.at(5).Naziv = "PVC \x9aljiva";            // "šljiva"
    gLokal.at(9).tOpis = "\x8aLJIVA i \xe6" "elija";  // "ŠLJIVA i ćelija"
    const std::string before = memoryBytes();
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(box("txtBrojSloga"), Qt::Key_F, Qt::ControlModifier);
    auto *field = window().findChild<QLineEdit *>(QStringLiteral("txtFind"));
    auto *note = window().findChild<QLabel *>(QStringLiteral("lblFindNote"));
    ASSERT_TRUE(field->isVisible() && field->hasFocus());

    const struct
    {
        const char *name;
        Qt::Key key;  // or typed text
        const char16_t *text;
        std::int32_t shown;
        bool noted;
    } steps[] = {
        {"typed without marks", Qt::Key_unknown, u"sljiva", 5, false},
        {"Enter finds the next", Qt::Key_Return, nullptr, 9, false},
        {"F3 wraps with a note", Qt::Key_F3, nullptr, 5, true},
        {"capitals without marks", Qt::Key_unknown, u"CELIJA", 9, false},
        {"no match says so", Qt::Key_unknown, u"qqq", 9, true},
    };
    for (const auto &step : steps) {
        if (step.text != nullptr) {
            field->selectAll();
            typeKeys(field, QString::fromStdU16String(step.text));
        } else {
            QTest::keyClick(field, step.key);
        }
        EXPECT_EQ(gBrojSloga, step.shown) << step.name;
        EXPECT_EQ(box("txtBrojSloga")->text(), QString::number(step.shown)) << step.name;
        EXPECT_EQ(!note->text().isEmpty(), step.noted) << step.name;
    }
    EXPECT_EQ(memoryBytes(), before) << "finding changed a record";

    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->isVisible());
    EXPECT_TRUE(window().isVisible()) << "Escape in the find field closes only the field";
    QTest::keyClick(box("txtBrojSloga"), Qt::Key_Escape);
    EXPECT_TRUE(window().isVisible()) << "Escape never leaves the window";
    QTest::keyClick(box("txtBrojSloga"), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window().isVisible());
}

// The folder being edited, whole in the tooltip of its label however narrow the label is.
TEST_F(UpDownNavigationTest, TheFolderBeingEditedIsShown)
{
    openWith(2);
    auto *folderLabel = window().findChild<QLabel *>(QStringLiteral("lblFolder"));
    const QString path = QDir::toNativeSeparators(QDir::currentPath());
    EXPECT_EQ(folderLabel->toolTip(), path);
    EXPECT_EQ(folderLabel->text(), path);
    folderLabel->resize(40, folderLabel->height());
    EXPECT_TRUE(folderLabel->text().contains(QChar(0x2026))) << folderLabel->text().toStdString();
}

}  // namespace
