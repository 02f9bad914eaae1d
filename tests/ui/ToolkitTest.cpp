#include "Typing.h"
#include "ui/CaptionLabel.h"
#include "ui/CodePageValidator.h"
#include "ui/CommandButton.h"
#include "ui/TextBox.h"
#include "ui/UpDown.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Records the box's text at the moment changed() is raised, to prove it is raised inside the
// call that changed the text.
struct ChangeLog
{
    explicit ChangeLog(TextBox &box)
    {
        QObject::connect(&box, &TextBox::changed, &box, [this, &box] { texts << box.text(); });
    }
    QStringList texts;
};

TEST(TextBoxTest, SetTextRaisesOneSynchronousChangeOnlyWhenTheTextDiffers)
{
    TextBox box;
    ChangeLog log(box);

    box.setText(QStringLiteral("1"));
    EXPECT_EQ(log.texts, QStringList{QStringLiteral("1")});

    box.setText(QStringLiteral("1"));
    EXPECT_EQ(log.texts.size(), 1) << "same text again";

    box.setText(QStringLiteral("12"));
    box.setText(QString());
    box.setText(QString());
    EXPECT_EQ(log.texts, (QStringList{"1", "12", ""}));
}

TEST(TextBoxTest, OvertypingASelectionWithTheSameTextRaisesNoChange)
{
    TextBox box;
    box.setText(QStringLiteral("1"));
    QSignalSpy lineEditChanges(&box, &QLineEdit::textChanged);
    ChangeLog log(box);

    box.selectAll();
    typeKeys(&box, QStringLiteral("1"));

    // QLineEdit itself reports this as a change; the box must not.
    EXPECT_EQ(lineEditChanges.size(), 1);
    EXPECT_TRUE(log.texts.isEmpty());
    EXPECT_EQ(box.text(), QStringLiteral("1"));
}

TEST(TextBoxTest, EveryKeystrokeIsOneChange)
{
    TextBox box;
    ChangeLog log(box);

    typeKeys(&box, QStringLiteral("250"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Delete);
    QTest::keyClick(&box, Qt::Key_Backspace);  // nothing left to delete

    EXPECT_EQ(log.texts, (QStringList{"2", "25", "250", "25", ""}));
}

TEST(TextBoxTest, HoldsTextOfAnyLength)
{
    TextBox box;
    const QString longText(100000, QLatin1Char('x'));
    box.setText(longText);
    EXPECT_EQ(box.text().size(), longText.size());
}

// A value box: only text the catalog's code page can hold gets in.
class ValueBoxTest : public ::testing::Test
{
protected:
    ValueBoxTest()
    {
        box.setValidator(new CodePageValidator(&box));
        box.setText(QStringLiteral("ab"));
        QObject::connect(&box, &TextBox::changed, &box, [this] { ++changes; });
    }

    TextBox box;
    int changes = 0;
};

// Typing is one key at a time, so a typed key is refused alone; a paste or a setText is one
// change, refused whole.
struct RefusedText
{
    const char *name;
    QString key;
    QString whole;
};

const RefusedText kRefused[] = {
    {"a macron", QStringLiteral("\u0101"), QStringLiteral("\u0101")},
    {"a CJK character", QStringLiteral("\u4E2D"), QStringLiteral("x\u4E2Dy")},
    {"an emoji", QStringLiteral("\U0001F600"), QStringLiteral("\U0001F600")},
    {"one foreign letter among acceptable ones", QStringLiteral("\u0101"),
     QStringLiteral("\u010D\u0101x")},
    {"a superscript two", QStringLiteral("\u00B2"), QStringLiteral("Traka 2 mm\u00B2")},
};

TEST_F(ValueBoxTest, ForeignCharactersAreRefusedAndTheBoxKeepsItsText)
{
    for (const RefusedText &row : kRefused) {
        box.end(false);
        typeKeys(&box, row.key);
        EXPECT_EQ(box.text(), QStringLiteral("ab")) << "typed " << row.name;

        QApplication::clipboard()->setText(row.whole);
        box.selectAll();
        box.paste();
        EXPECT_EQ(box.text(), QStringLiteral("ab")) << "pasted " << row.name;

        box.setText(row.whole);
        EXPECT_EQ(box.text(), QStringLiteral("ab")) << "set " << row.name;
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(ValueBoxTest, CroatianLettersAreAccepted)
{
    box.end(false);
    typeKeys(&box, QStringLiteral("\u010D\u0107\u017E\u0161\u0111\u010C"));
    EXPECT_EQ(box.text(), QStringLiteral("ab\u010D\u0107\u017E\u0161\u0111\u010C"));
    EXPECT_EQ(changes, 6);
}

TEST(CaptionLabelTest, ShowsTextPlainAndWithoutMnemonics)
{
    CaptionLabel label;
    label.setAutoSize(true);
    label.setCaption(QStringLiteral("<b>&x</b>"));
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.caption(), QStringLiteral("<b>&x</b>"));
    // Sized for every character as it stands: no tag taken for markup, no "&" for a mnemonic.
    EXPECT_EQ(label.width(), label.fontMetrics().horizontalAdvance(QStringLiteral("<b>&x</b>")));
}

TEST(CaptionLabelTest, AutoSizeFollowsTheCaptionFromAFixedTopLeft)
{
    QWidget container;
    container.resize(200, 100);
    CaptionLabel label(&container);
    label.setBordered(true);
    label.setAutoSize(true);
    label.setGeometry(10, 20, 30, 17);
    const QFontMetrics metrics = label.fontMetrics();
    ASSERT_EQ(label.frameWidth(), 2);

    const QString line = QStringLiteral("    Duljina = 2800, Sirina = 22, Debljina = 2,");
    label.setCaption(line);
    EXPECT_EQ(label.geometry(),
              QRect(10, 20, metrics.horizontalAdvance(line) + 4, metrics.height() + 4));

    label.setCaption(QString());
    EXPECT_EQ(label.geometry(), QRect(10, 20, 4, metrics.height() + 4));

    // Past the container's edge the label is cut off; the container keeps its size.
    label.setCaption(QString(400, QLatin1Char('x')));
    EXPECT_GT(label.geometry().right(), container.width());
    EXPECT_EQ(container.size(), QSize(200, 100));
}

TEST(CaptionLabelTest, ALoneLineFeedStartsALineTheLabelIsSizedFor)
{
    CaptionLabel label;
    label.setAutoSize(true);
    label.setCaption(QStringLiteral("first\nsecond line"));
    const QFontMetrics metrics = label.fontMetrics();
    EXPECT_GE(label.height(), 2 * metrics.height());
    EXPECT_EQ(label.width(), metrics.horizontalAdvance(QStringLiteral("second line")));
}

TEST(CaptionLabelTest, WithoutAutoSizeKeepsItsSize)
{
    CaptionLabel label;
    label.setBordered(true);
    label.setGeometry(5, 5, 41, 25);
    label.setCaption(QStringLiteral("123456789"));
    label.setCaption(QString());
    EXPECT_EQ(label.geometry(), QRect(5, 5, 41, 25));
}

TEST(CommandButtonTest, KeepsTheExactCaption)
{
    CommandButton button;
    const QString caption = QStringLiteral("Ponovno ucitavanje fajla  \"Trake.odl\"");
    button.setText(caption);
    button.resize(129, 41);
    EXPECT_EQ(button.text(), caption);
    // The wrapped caption is painted at the fixed size.
    CommandButton empty;
    empty.resize(button.size());
    EXPECT_NE(button.grab().toImage(), empty.grab().toImage());
}

// The up-down alone, over a buddy box showing the record number.
class UpDownTest : public ::testing::Test
{
protected:
    UpDownTest()
    {
        buddy.setText(QStringLiteral("1"));
        upDown.setBuddy(&buddy);
        upDown.setMaximum(3);
        upDown.resize(17, 24);
        QObject::connect(&buddy, &TextBox::changed, &buddy, [this] { ++changes; });
    }

    void clickArrow(const char *name)
    {
        QTest::mouseClick(upDown.findChild<QToolButton *>(QString::fromUtf8(name)),
                          Qt::LeftButton);
    }

    QWidget parent;
    TextBox buddy{&parent};
    UpDown upDown{&parent};
    int changes = 0;
};

TEST_F(UpDownTest, ArrowsStepWithinOneAndTheMaximum)
{
    clickArrow("down");
    EXPECT_EQ(buddy.text(), QStringLiteral("1"));
    EXPECT_EQ(changes, 0) << "at the lower limit nothing is written";

    clickArrow("up");
    clickArrow("up");
    EXPECT_EQ(buddy.text(), QStringLiteral("3"));
    clickArrow("up");
    EXPECT_EQ(buddy.text(), QStringLiteral("3"));
    EXPECT_EQ(changes, 2);

    clickArrow("down");
    EXPECT_EQ(buddy.text(), QStringLiteral("2"));
}

TEST_F(UpDownTest, ArrowKeysInTheBuddyStepTheSameWay)
{
    QTest::keyClick(&buddy, Qt::Key_Down);
    EXPECT_EQ(buddy.text(), QStringLiteral("1"));
    QTest::keyClick(&buddy, Qt::Key_Up);
    QTest::keyClick(&buddy, Qt::Key_Up);
    QTest::keyClick(&buddy, Qt::Key_Up);
    EXPECT_EQ(buddy.text(), QStringLiteral("3"));
    QTest::keyClick(&upDown, Qt::Key_Down);
    EXPECT_EQ(buddy.text(), QStringLiteral("2"));
    EXPECT_EQ(changes, 3);
}

TEST_F(UpDownTest, StepsFromTheNumberTheBuddyShows)
{
    upDown.setMaximum(2147483647);
    buddy.setText(QStringLiteral("2147483646"));
    clickArrow("up");
    EXPECT_EQ(buddy.text(), QStringLiteral("2147483647"));
    clickArrow("up");
    EXPECT_EQ(buddy.text(), QStringLiteral("2147483647"));
}

TEST_F(UpDownTest, OnlyTheControlTakesTheFocusAndShowsIt)
{
    parent.show();
    QApplication::setActiveWindow(&parent);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    buddy.setFocus();
    const QImage unfocused = upDown.grab().toImage();
    upDown.setFocus();
    ASSERT_TRUE(upDown.hasFocus());
    EXPECT_NE(upDown.grab().toImage(), unfocused);

    EXPECT_TRUE(upDown.focusPolicy() & Qt::TabFocus);
    const auto arrows = upDown.findChildren<QToolButton *>();
    ASSERT_EQ(arrows.size(), 2);
    for (const QToolButton *arrow : arrows)
        EXPECT_EQ(arrow->focusPolicy(), Qt::NoFocus);
}

}  // namespace
