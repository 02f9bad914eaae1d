#include "EditorFixture.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

namespace {

enum class Kind { Frame, Label, Box, Button, Spinner };

struct Placement
{
    const char *name;
    Kind kind;
    bool inFrame;
    int left, top, width, height;  // twips
    const char *caption;
    bool bordered;
    bool autoSize;
};

constexpr bool kOnWindow = false;
constexpr bool kInFrame = true;

// The window as its design describes it, written out separately from the program's own table.
const Placement kPlacements[] = {
    {"Frame1", Kind::Frame, kOnWindow, 120, 10, 11775, 11040, "", false, false},
    {"Label58", Kind::Label, kOnWindow, 13920, 120, 615, 495, "Ukupno slogova", false, false},
    {"Label57", Kind::Label, kOnWindow, 12720, 240, 855, 255, "Broj sloga", false, false},
    {"txtBrojSloga", Kind::Box, kOnWindow, 12600, 600, 585, 360, "1", false, false},
    {"UpDnBrSloga", Kind::Spinner, kOnWindow, 13200, 600, 255, 360, "", false, false},
    {"lblUkupnoSlogova", Kind::Label, kOnWindow, 13920, 600, 615, 375, "", true, false},
    {"cmdDodavanjeNovogSloga", Kind::Button, kOnWindow, 12600, 1440, 1935, 615,
     "Dodavanje novog sloga na kraju", false, false},
    {"cmdUcitavanje", Kind::Button, kOnWindow, 12600, 3720, 1935, 615,
     "Ponovno ucitavanje fajla  \"Trake.odl\"", false, false},
    {"Command1", Kind::Button, kOnWindow, 12600, 5640, 1935, 615,
     "Snimanje u fajl  \"Trake-novi.odl\"", false, false},
    {"Command2", Kind::Button, kOnWindow, 12720, 9000, 1935, 615, "Izlaz", false, false},
    {"label1", Kind::Label, kInFrame, 120, 240, 405, 255, "base", true, true},
    {"txtBase_Naziv", Kind::Box, kInFrame, 600, 220, 2415, 285, "", false, false},
    {"label1_1", Kind::Label, kInFrame, 3000, 240, 105, 255, ";", true, true},
    {"Label2", Kind::Label, kInFrame, 960, 500, 390, 255, "local", true, true},
    {"Label3", Kind::Label, kInFrame, 1680, 660, 1380, 255, "Params = #ITraka,", true, true},
    {"Label4", Kind::Label, kInFrame, 1680, 960, 1320, 255, "JedinicaMjere = #", true, true},
    {"txtJedinicaMjere", Kind::Box, kInFrame, 3000, 920, 375, 285, "", false, false},
    {"Label4_1", Kind::Label, kInFrame, 3360, 960, 105, 255, ",", true, true},
    {"Label5", Kind::Label, kInFrame, 1680, 1200, 675, 255, "Duljina =", true, true},
    {"txtDuljina", Kind::Box, kInFrame, 2400, 1200, 495, 285, "", false, false},
    {"Label5_1", Kind::Label, kInFrame, 2880, 1200, 105, 255, ",", true, true},
    {"Label5_2", Kind::Label, kInFrame, 3120, 1200, 585, 255, "Sirina =", true, true},
    {"txtSirina", Kind::Box, kInFrame, 3720, 1200, 465, 285, "", false, false},
    {"Label5_3", Kind::Label, kInFrame, 4200, 1200, 105, 255, ",", true, true},
    {"Label5_4", Kind::Label, kInFrame, 4560, 1200, 765, 255, "Debljina =", true, true},
    {"txtDebljina", Kind::Box, kInFrame, 5280, 1200, 495, 285, "", false, false},
    {"Label5_5", Kind::Label, kInFrame, 5760, 1200, 105, 255, ",", true, true},
    {"Label6", Kind::Label, kInFrame, 1680, 1440, 3765, 255,
     "NadmjeraKantiranja = NadmjeraKantiranjaPoStranici,", true, true},
    {"Label7", Kind::Label, kInFrame, 1680, 1720, 615, 255, "cijena =", true, true},
    {"txtCijena", Kind::Box, kInFrame, 2320, 1680, 780, 285, "", false, false},
    {"Label7_1", Kind::Label, kInFrame, 3120, 1680, 105, 255, ",", true, true},
    {"Label8", Kind::Label, kInFrame, 1680, 1960, 1695, 255, "tSifraDekora = #NULL,", true,
     true},
    {"Label9", Kind::Label, kInFrame, 1680, 2200, 1530, 255, "tVrstaTrake = #ABS,", true, true},
    {"Label10", Kind::Label, kInFrame, 1680, 2440, 3525, 255,
     "draw = ( tSifraDekora = #NULL ) ? #false : #true,", true, true},
    {"Label11", Kind::Label, kInFrame, 1680, 2680, 3675, 255,
     "count = ( tSifraDekora = #NULL ) ? #none : #units,", true, true},
    {"Label12", Kind::Label, kInFrame, 1680, 2920, 4065, 255,
     "colr = 0, colg = 0, colb = 0, alpha = 1, Tekstura = #none,", true, true},
    {"Label13", Kind::Label, kInFrame, 1680, 3160, 825, 255, "flags = #K,", true, true},
    {"Label14", Kind::Label, kInFrame, 1680, 3420, 9780, 255,
     "dKolicina = ( Duljina + NadmjeraKantiranja ) / 1000, units = dKolicina * ( 1 + ( "
     "GbPovecanjeKolicine ? ( GdPovecanjeKolicine / 100 ) : 0 ) ),",
     true, true},
    {"Label15", Kind::Label, kInFrame, 1680, 3680, 4980, 255,
     "tRazmaci = #__ + ( GbPovecanjeKolicine ? #POV : #_______ ) + #_,", true, true},
    {"Label16", Kind::Label, kInFrame, 1680, 3960, 2295, 255, "tUserSifra = #0000000, tOpis = ",
     true, true},
    {"txttOpis", Kind::Box, kInFrame, 4080, 3920, 855, 285, "", false, false},
    {"Label16_1", Kind::Label, kInFrame, 5040, 3960, 2505, 255, "$ObjectName = #0000000_NULL,",
     true, true},
    {"Label17", Kind::Label, kInFrame, 1680, 4200, 3405, 255,
     "$dCijenaKantiranja = Params.dCijenaKantiranja,", true, true},
    {"Label18", Kind::Label, kInFrame, 1680, 4440, 1230, 255, "hotstring = #null;", true, true},
    {"Label19", Kind::Label, kInFrame, 960, 4680, 495, 255, "shape", true, true},
    {"Label20", Kind::Label, kInFrame, 1680, 4920, 4965, 255,
     "colr = colr, colg = colg, colb = colb, alpha = alpha, texture = Tekstura,", true, true},
    {"Label21", Kind::Label, kInFrame, 1680, 5160, 3555, 255,
     "type = #panel, x = Sirina, y = Duljina, z = Debljina;", true, true},
    {"Label22", Kind::Label, kInFrame, 960, 5400, 1410, 255, "pricedef tUserSifra;", true, true},
    {"Label23", Kind::Label, kInFrame, 1680, 5640, 2355, 255,
     "CijenaTrake = dKolicina * cijena,", true, true},
    {"Label24", Kind::Label, kInFrame, 1680, 5880, 3900, 255,
     "CijenaKantiranja = Duljina / 1000 * $dCijenaKantiranja,", true, true},
    {"Label25", Kind::Label, kInFrame, 1680, 6120, 2895, 255,
     "Cijena = CijenaTrake + CijenaKantiranja;", true, true},
    {"Label26", Kind::Label, kInFrame, 960, 6360, 720, 255, "priceend;", true, true},
    {"Label27", Kind::Label, kInFrame, 960, 6600, 900, 255, "pricemod #;", true, true},
    {"Label28", Kind::Label, kInFrame, 1680, 6840, 1035, 255, "Condition = 1;", true, true},
    {"Label29", Kind::Label, kInFrame, 960, 7080, 720, 255, "priceend;", true, true},
    {"Label30", Kind::Label, kInFrame, 960, 7320, 900, 255, "pricemod #;", true, true},
    {"Label31", Kind::Label, kInFrame, 1680, 7560, 1035, 255, "Condition = 1;", true, true},
    {"Label32", Kind::Label, kInFrame, 1680, 7800, 3885, 255,
     "Cijena = Cijena * ( 1 + GdMarzaZaPlocasteMaterijale );", true, true},
    {"Label33", Kind::Label, kInFrame, 960, 8040, 720, 255, "priceend;", true, true},
    {"Label34", Kind::Label, kInFrame, 960, 8280, 900, 255, "pricemod #;", true, true},
    {"Label35", Kind::Label, kInFrame, 1680, 8520, 2100, 255, "Condition = GbTrakeGrupa2,", true,
     true},
    {"Label36", Kind::Label, kInFrame, 1680, 8760, 3885, 255,
     "Cijena = Cijena * ( 1 + GdMarzaZaPlocasteMaterijale );", true, true},
    {"Label37", Kind::Label, kInFrame, 960, 9000, 720, 255, "priceend;", true, true},
    {"Label38", Kind::Label, kInFrame, 960, 9240, 1455, 255, "pricemod tRazmaci;", true, true},
    {"Label39", Kind::Label, kInFrame, 1680, 9480, 2025, 255, "Condition = GbOpisDioSifre;",
     true, true},
    {"Label40", Kind::Label, kInFrame, 960, 9720, 720, 255, "priceend;", true, true},
    {"Label41", Kind::Label, kInFrame, 960, 9960, 1155, 255, "pricemod tOpis;", true, true},
    {"Label42", Kind::Label, kInFrame, 1680, 10200, 2025, 255, "Condition = GbOpisDioSifre;",
     true, true},
    {"Label43", Kind::Label, kInFrame, 960, 10440, 720, 255, "priceend;", true, true},
    {"Label44", Kind::Label, kInFrame, 120, 10680, 600, 255, "enddef;", true, true},
};

const char *const kTabOrder[] = {
    "txtBrojSloga", "UpDnBrSloga",      "cmdDodavanjeNovogSloga", "cmdUcitavanje", "Command1",
    "txtBase_Naziv", "txtJedinicaMjere", "txtDuljina",            "txtSirina",     "txtDebljina",
    "txtCijena",    "txttOpis",         "Command2",
};

int pixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

QString captionOf(QWidget *control)
{
    if (auto *label = qobject_cast<CaptionLabel *>(control))
        return label->caption();
    if (auto *box = qobject_cast<TextBox *>(control))
        return box->text();
    if (auto *button = qobject_cast<CommandButton *>(control))
        return button->text();
    if (auto *frame = qobject_cast<QGroupBox *>(control))
        return frame->title();
    return QString();
}

bool isKind(QWidget *control, Kind kind)
{
    switch (kind) {
    case Kind::Frame: return qobject_cast<QGroupBox *>(control) != nullptr;
    case Kind::Label: return qobject_cast<CaptionLabel *>(control) != nullptr;
    case Kind::Box: return qobject_cast<TextBox *>(control) != nullptr;
    case Kind::Button: return qobject_cast<CommandButton *>(control) != nullptr;
    case Kind::Spinner: return qobject_cast<UpDown *>(control) != nullptr;
    }
    return false;
}

class LayoutTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        createWindow();
    }
};

TEST_F(LayoutTest, EveryControlStandsWhereTheDesignPutsIt)
{
    QWidget *frame = window().findChild<QWidget *>(QStringLiteral("Frame1"));
    ASSERT_NE(frame, nullptr);
    for (const Placement &row : kPlacements) {
        auto *control = window().findChild<QWidget *>(QString::fromUtf8(row.name));
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_TRUE(isKind(control, row.kind)) << row.name;
        EXPECT_EQ(control->parentWidget(), row.inFrame ? frame : &window()) << row.name;
        QRect expected(pixels(row.left), pixels(row.top), pixels(row.width), pixels(row.height));
        // A label that sizes itself fits its caption in the window's font from the start.
        if (row.autoSize) {
            const QFontMetrics metrics = control->fontMetrics();
            expected.setSize(QSize(metrics.horizontalAdvance(QString::fromUtf8(row.caption)) + 4,
                                   metrics.height() + 4));
        }
        EXPECT_EQ(control->geometry(), expected) << row.name;
        EXPECT_EQ(captionOf(control), QString::fromUtf8(row.caption)) << row.name;
        if (auto *label = qobject_cast<CaptionLabel *>(control)) {
            EXPECT_EQ(label->frameWidth(), row.bordered ? 2 : 0) << row.name;
            EXPECT_EQ(label->autoSize(), row.autoSize) << row.name;
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << row.name;
        }
    }
}

TEST_F(LayoutTest, TheWindowHoldsExactlyTheSeventyControls)
{
    std::set<QString> expected;
    for (const Placement &row : kPlacements)
        expected.insert(QString::fromUtf8(row.name));
    ASSERT_EQ(expected.size(), 70u);

    std::set<QString> found;
    QWidget *frame = window().findChild<QWidget *>(QStringLiteral("Frame1"));
    for (QWidget *container : {static_cast<QWidget *>(&window()), frame}) {
        for (QWidget *child :
             container->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            found.insert(child->objectName());
    }
    EXPECT_EQ(found, expected);
}

TEST_F(LayoutTest, EveryBoxHasItsOwnAccessibleNameAndButtonsReadTheirCaptions)
{
    std::set<QString> names;
    for (const TextBox *box : window().findChildren<TextBox *>()) {
        EXPECT_FALSE(box->accessibleName().isEmpty()) << box->objectName().toStdString();
        names.insert(box->accessibleName());
    }
    EXPECT_EQ(names.size(), 8u) << "seven values and the record number, each told apart";
    for (const CommandButton *button : window().findChildren<CommandButton *>())
        EXPECT_TRUE(button->accessibleName().isEmpty()) << button->objectName().toStdString();
}

TEST_F(LayoutTest, WindowTitleSizeAndFonts)
{
    EXPECT_EQ(window().objectName(), QStringLiteral("frmVelmora"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Trake.Odl"));
    EXPECT_EQ(window().size(), QSize(1016, 734));
    EXPECT_EQ(window().minimumSize(), window().maximumSize()) << "fixed size";
    EXPECT_TRUE(window().font().styleHint() == QFont::SansSerif);

    for (const char *name : {"txtBrojSloga", "lblUkupnoSlogova"}) {
        const QFont font = window().findChild<QWidget *>(QString::fromUtf8(name))->font();
        EXPECT_EQ(font.family(), QStringLiteral("DejaVu Sans Mono")) << name;
        EXPECT_EQ(font.pixelSize(), 9) << name;
        EXPECT_EQ(font.weight(), QFont::Normal) << name;
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut()) << name;
    }
    EXPECT_EQ(label("Label5")->font(), window().font());
    EXPECT_TRUE(label("Label58")->wordWrap());
}

// In the window's font a label must still end before the control that follows it on its row
// (or no later than the design's own label did, which overlaps "Debljina =" a little):
// otherwise the label would hide the start of the value.
TEST_F(LayoutTest, DesignCaptionsEndBeforeTheControlThatFollowsThem)
{
    const std::pair<const char *, const char *> neighbours[] = {
        {"label1", "txtBase_Naziv"}, {"Label4", "txtJedinicaMjere"}, {"Label5", "txtDuljina"},
        {"Label5_1", "Label5_2"},    {"Label5_2", "txtSirina"},      {"Label5_3", "Label5_4"},
        {"Label5_4", "txtDebljina"}, {"Label7", "txtCijena"},        {"Label16", "txttOpis"},
    };
    auto placement = [](const char *name) {
        return *std::find_if(std::begin(kPlacements), std::end(kPlacements),
                             [name](const Placement &row) {
                                 return std::strcmp(row.name, name) == 0;
                             });
    };
    for (const auto &[labelName, nextName] : neighbours) {
        const Placement design = placement(labelName);
        const int designRight = pixels(design.left) + pixels(design.width) - 1;
        const int nextLeft = pixels(placement(nextName).left);
        const QWidget *label = window().findChild<QWidget *>(QString::fromUtf8(labelName));
        EXPECT_LE(label->geometry().right(), std::max(nextLeft - 1, designRight))
            << labelName << " runs under " << nextName;
    }
}

TEST_F(LayoutTest, CreatingTheWindowRaisesNoEvent)
{
    // A change handler would have made the record store or moved the record number.
    EXPECT_FALSE(gSlog.exists());
    EXPECT_EQ(gBrojSloga, 0);
    EXPECT_EQ(gRecords.upperBound(), 0);
    EXPECT_FALSE(gBase.holdsObject(0));
    EXPECT_FALSE(gLokal.holdsObject(0));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(LayoutTest, TabKeyVisitsTheThirteenControlsInOrder)
{
    window().show();
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    box("txtBrojSloga")->setFocus();

    QStringList visited;
    for (std::size_t i = 0; i < std::size(kTabOrder); ++i) {
        QWidget *focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        visited << focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    QStringList expected;
    for (const char *name : kTabOrder)
        expected << QString::fromUtf8(name);
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtBrojSloga"))
        << "the order wraps around";
}

}  // namespace
