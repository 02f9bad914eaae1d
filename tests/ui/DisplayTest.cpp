#include "EditorFixture.h"
#include "TypicalRecord.h"
#include "catalog/RecordTemplate.h"

#include <QFontMetrics>
#include <QSignalSpy>

#include <array>
#include <memory>
#include <set>
#include <vector>

namespace {

// The record-number box and the value boxes.
std::vector<const char *> boxNames()
{
    std::vector<const char *> names;
    for (const ControlDesign &design : frmVelmoraDesign()) {
        if (design.kind == ControlKind::TextBox)
            names.push_back(design.name);
    }
    return names;
}

class DisplayTest : public EditorFixture
{
protected:
    QString textOf(const char *name) const
    {
        QWidget *control = window().findChild<QWidget *>(QString::fromUtf8(name));
        if (auto *shownBox = qobject_cast<TextBox *>(control))
            return shownBox->text();
        return qobject_cast<CaptionLabel *>(control)->caption();
    }

    // Fails naming the first control that does not show record n's member.
    void expectShowing(std::int32_t n) const
    {
        for (const MemberControl &row : frmVelmoraMemberControls()) {
            EXPECT_EQ(textOf(row.control), shown(recordMember(row.member).access(gRecords, n)))
                << row.control << " for record " << n;
        }
        EXPECT_EQ(box("txtBrojSloga")->text(), QString::number(n));
        EXPECT_EQ(label("lblUkupnoSlogova")->caption(), QString::number(gSlog->UkBrSlogova));
        EXPECT_EQ(upDown()->maximum(), gSlog->UkBrSlogova);
    }

    // Counts the change events of every text box from now on.
    std::vector<std::unique_ptr<QSignalSpy>> spyOnBoxes() const
    {
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (const char *name : boxNames())
            spies.push_back(std::make_unique<QSignalSpy>(box(name), &TextBox::changed));
        return spies;
    }

    void showCopyOf(std::int32_t n)
    {
        gBrojSloga = n;
        const std::int32_t brojsloga = gBrojSloga;
        window().IspisSlogaNaEkranu(brojsloga);
    }
};

// Every control in the frame shows exactly one member, and only the closing line goes unshown.
TEST_F(DisplayTest, EveryMemberIsShownByExactlyOneControl)
{
    createWindow();
    std::multiset<QString> showing;
    for (const MemberControl &row : frmVelmoraMemberControls())
        showing.insert(QString::fromUtf8(row.control));
    QWidget *frame = window().findChild<QWidget *>(QStringLiteral("Frame1"));
    std::multiset<QString> inFrame;
    for (QWidget *child : frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        inFrame.insert(child->objectName());
    EXPECT_EQ(showing, inFrame);
    EXPECT_EQ(recordShape().size() - showing.size(), 1u);
}

TEST_F(DisplayTest, LoadShowsRecordOneInEveryControl)
{
    openWith(5);
    EXPECT_EQ(gBrojSloga, 1);
    expectShowing(1);
    EXPECT_EQ(label("lblUkupnoSlogova")->caption(), QStringLiteral("5"));
    EXPECT_EQ(upDown()->maximum(), 5);
    EXPECT_EQ(label("Label5")->caption(), QStringLiteral("    Duljina = "));
    // The two column labels keep their design captions.
    EXPECT_EQ(label("Label57")->caption(), QStringLiteral("Broj sloga"));
    EXPECT_EQ(label("Label58")->caption(), QStringLiteral("Ukupno slogova"));
}

TEST_F(DisplayTest, ShowingTheRecordOnScreenAgainRaisesNoEventAndChangesNothing)
{
    openWith(5);
    const std::string before = memoryBytes();
    const auto spies = spyOnBoxes();

    showCopyOf(1);

    for (std::size_t i = 0; i < spies.size(); ++i)
        EXPECT_EQ(spies[i]->size(), 0) << boxNames()[i];
    EXPECT_EQ(memoryBytes(), before);
    expectShowing(1);
}

TEST_F(DisplayTest, ALeadingZeroRunsExactlyOneNestedDisplay)
{
    openWith(9);
    const std::string before = memoryBytes();
    QSignalSpy numberChanges(box("txtBrojSloga"), &TextBox::changed);
    QSignalSpy lengthChanges(box("txtDuljina"), &TextBox::changed);

    box("txtBrojSloga")->setText(QStringLiteral("07"));

    // "07" itself, then the display's rewrite to "7", whose nested display finds all in place.
    EXPECT_EQ(numberChanges.size(), 2);
    // The nested display filled the length box; the outer one found it already showing.
    EXPECT_EQ(lengthChanges.size(), 1);
    EXPECT_EQ(gBrojSloga, 7);
    expectShowing(7);
    EXPECT_EQ(memoryBytes(), before);
}

TEST_F(DisplayTest, MissingSectionObjectsShowEmptyAndAreCreated)
{
    openWith(4);
    // Dropping the last slot and growing back leaves record 4 with no section objects.
    gRecords.redimAll(3);
    gRecords.redimAll(4);
    ASSERT_FALSE(gLokal.holdsObject(4));

    QSignalSpy lengthChanges(box("txtDuljina"), &TextBox::changed);
    typeOver("txtBrojSloga", QStringLiteral("4"));

    EXPECT_EQ(gBrojSloga, 4);
    for (const MemberControl &row : frmVelmoraMemberControls())
        EXPECT_EQ(textOf(row.control), QString()) << row.control;
    EXPECT_EQ(lengthChanges.size(), 1) << "the emptied box wrote back the empty value";
    gRecords.forEach([](auto &array) { EXPECT_TRUE(array.holdsObject(4)) << array.name(); });
    EXPECT_EQ(gLokal.at(4).Duljina, "");
}

TEST_F(DisplayTest, RecordLabelsFollowTheirCaptions)
{
    openWith(3);
    gLokal.at(2).flags_CeoRed = "    flags = #K, and a much longer tail than the design had,";
    gShape.at(2).shape_CeoRed = "";
    gLokal.at(2).dKolicina_CeoRed += gLokal.at(2).dKolicina_CeoRed;
    typeOver("txtBrojSloga", QStringLiteral("2"));

    const QFontMetrics metrics = label("Label13")->fontMetrics();
    const int lineHeight = metrics.height() + 4;
    const QString flags = label("Label13")->caption();
    EXPECT_EQ(label("Label13")->geometry(),
              QRect(112, 211, metrics.horizontalAdvance(flags) + 4, lineHeight));
    EXPECT_EQ(label("Label19")->geometry(), QRect(64, 312, 4, lineHeight))
        << "an empty caption leaves the border";

    // The longest line runs past the frame, which cuts it off; nothing else moves.
    QWidget *frame = window().findChild<QWidget *>(QStringLiteral("Frame1"));
    EXPECT_GT(label("Label14")->geometry().right(), frame->width());
    EXPECT_EQ(frame->geometry(), QRect(8, 1, 785, 736));
    EXPECT_EQ(window().size(), QSize(1016, 734));
    EXPECT_EQ(box("txtDuljina")->geometry(), QRect(160, 80, 33, 19));
}

TEST_F(DisplayTest, EveryByteValueSurvivesDisplayAndWriteBack)
{
    openWith(3);
    std::string allBytes;
    for (int byte = 0; byte < 256; ++byte)
        allBytes += static_cast<char>(byte);
    gLokal.at(2).tOpis = allBytes;
    gBase.at(2).Naziv = allBytes;

    QSignalSpy descriptionChanges(box("txttOpis"), &TextBox::changed);
    typeOver("txtBrojSloga", QStringLiteral("2"));

    EXPECT_EQ(descriptionChanges.size(), 1) << "the value went through the box's handler";
    EXPECT_EQ(box("txttOpis")->text().size(), 256);
    EXPECT_EQ(gLokal.at(2).tOpis, allBytes);
    EXPECT_EQ(gBase.at(2).Naziv, allBytes);
}

TEST_F(DisplayTest, ValueBoxesShowTheStartOfALongValue)
{
    openWith(3);
    EXPECT_EQ(box("txttOpis")->cursorPosition(), 0);
    EXPECT_EQ(box("txtBase_Naziv")->cursorPosition(), 0);
}

// A value or line too long to lay out shows only its start; the box is read-only and raises
// no change, so the value is saved back byte for byte.
TEST_F(DisplayTest, AHugeValueShowsItsStartReadOnlyAndIsSavedWhole)
{
    const std::string huge(static_cast<std::size_t>(TextBox::kLongestEditable) + 1, 'x');
    std::string catalog = typicalCatalog(3);
    catalog.replace(catalog.find("tOpis = Traka broj 2 "), 21, "tOpis = " + huge + " ");
    catalog.replace(catalog.find("tSifraDekora = #NULL,", catalog.find("base #", 10)), 21,
                    "tSifraDekora = #NULL," + huge);
    openWithBytes(catalog);
    QSignalSpy descriptionChanges(box("txttOpis"), &TextBox::changed);

    typeOver("txtBrojSloga", QStringLiteral("2"));
    EXPECT_TRUE(box("txttOpis")->isReadOnly());
    EXPECT_EQ(box("txttOpis")->text().size(), TextBox::kShownOfLongest);
    EXPECT_EQ(descriptionChanges.size(), 0);
    EXPECT_EQ(label("Label8")->text().size(), CaptionLabel::kLongestShown);
    EXPECT_EQ(label("Label8")->caption(), QString::fromLatin1("    tSifraDekora = #NULL," + huge));
    click("Command1");
    EXPECT_EQ(folder.read("Trake-novi.odl"), catalog);

    typeOver("txtBrojSloga", QStringLiteral("1"));
    EXPECT_FALSE(box("txttOpis")->isReadOnly());
    expectShowing(1);
}

}  // namespace
