#include "EditorFixture.h"
#include "TypicalRecord.h"
#include "catalog/CatalogFiles.h"
#include "catalog/RecordTemplate.h"
#include "ui/frmVelmoraDesign.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

namespace {

// The control that shows `member`; null for a member no control shows.
const char *controlOf(MemberId member)
{
    for (const MemberControl &row : frmVelmoraMemberControls()) {
        if (row.member == member)
            return row.control;
    }
    return nullptr;
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

bool isKind(QWidget *control, ControlKind kind)
{
    switch (kind) {
    case ControlKind::Frame: return qobject_cast<QGroupBox *>(control) != nullptr;
    case ControlKind::Label: return qobject_cast<CaptionLabel *>(control) != nullptr;
    case ControlKind::TextBox: return qobject_cast<TextBox *>(control) != nullptr;
    case ControlKind::CommandButton: return qobject_cast<CommandButton *>(control) != nullptr;
    case ControlKind::UpDown: return qobject_cast<UpDown *>(control) != nullptr;
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

// Where the window holds the design, every control stands at the design's place on it; the
// frame's controls stand on the frame, the rest in the command column beside it.
TEST_F(LayoutTest, EveryControlStandsWhereTheDesignPutsIt)
{
    window().show();
    QWidget *frame = window().findChild<QWidget *>(QStringLiteral("Frame1"));
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(window().size(), QSize(1016, 734));
    for (const ControlDesign &row : frmVelmoraDesign()) {
        auto *control = window().findChild<QWidget *>(QString::fromUtf8(row.name));
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_TRUE(isKind(control, row.kind)) << row.name;
        EXPECT_EQ(control->parentWidget(), row.container == Container::Frame1 ? frame
                                           : control == frame           ? window().recordArea()
                                                                        : window().columnArea())
            << row.name;
        QRect expected = twipsToPixels(row);
        if (row.container == Container::Frame1)
            expected.translate(frame->pos());
        // A label that sizes itself fits its caption in the window's font from the start.
        if (row.style & kAutoSize) {
            const QFontMetrics metrics = control->fontMetrics();
            expected.setSize(QSize(metrics.horizontalAdvance(QString::fromUtf8(row.caption)) + 4,
                                   metrics.height() + 4));
        }
        EXPECT_EQ(QRect(control->mapTo(&window(), QPoint()), control->size()), expected)
            << row.name;
        EXPECT_EQ(captionOf(control), QString::fromUtf8(row.caption)) << row.name;
        if (auto *label = qobject_cast<CaptionLabel *>(control)) {
            EXPECT_EQ(label->frameWidth(), row.style & kBordered ? 2 : 0) << row.name;
            EXPECT_EQ(label->autoSize(), (row.style & kAutoSize) != 0) << row.name;
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << row.name;
        }
    }
}

// At 96 dots per inch a pixel is 15 twips; a place in twips falls on the nearest pixel.
TEST(TwipsToPixels, RoundsToTheNearestPixel)
{
    const struct
    {
        int twips;
        int pixels;
    } rows[] = {{0, 0}, {7, 0}, {8, 1}, {15, 1}, {22, 1}, {23, 2}, {11010, 734}, {15240, 1016}};
    for (const auto &row : rows)
        EXPECT_EQ(twipsToPixels(row.twips), row.pixels) << row.twips << " twips";
}

// Scripts click the real window at the point scripts/control-center prints, which it works out
// from the design table itself: for every control that takes input, the point is its centre.
TEST_F(LayoutTest, ControlCenterPrintsTheCentreOfEveryInputControl)
{
#ifdef __SANITIZE_THREAD__
    GTEST_SKIP() << "ThreadSanitizer ends the program at its next thread after a child process";
#endif
    // Shown, as the scripts find it: the design area is laid out on the window.
    window().show();
    QApplication::processEvents();
    int checked = 0;
    for (const ControlDesign &design : frmVelmoraDesign()) {
        if (design.kind == ControlKind::Label || design.kind == ControlKind::Frame)
            continue;
        QProcess script;
        script.start(QStringLiteral(VELMORA_SOURCE_DIR "/scripts/control-center"),
                     {QString::fromUtf8(design.name)});
        ASSERT_TRUE(script.waitForFinished()) << design.name;
        const QString printed = QString::fromUtf8(script.readAllStandardOutput()).trimmed();
        const QWidget *control = window().control(QString::fromUtf8(design.name));
        const QPoint centre = control->mapTo(&window(), QPoint(control->width() / 2,
                                                                control->height() / 2));
        EXPECT_EQ(printed, QStringLiteral("%1 %2").arg(centre.x()).arg(centre.y()))
            << design.name;
        ++checked;
    }
    EXPECT_EQ(checked, 13);
}

TEST_F(LayoutTest, TheWindowHoldsExactlyTheSeventyControls)
{
    std::set<QString> expected;
    for (const ControlDesign &row : frmVelmoraDesign())
        expected.insert(QString::fromUtf8(row.name));
    ASSERT_EQ(expected.size(), 70u);
    expected.insert(QStringLiteral("lblStatus"));  // the save's confirmation, beside the design

    // Beside the design's controls, the window's own: the folder and the find field.
    std::set<QString> found;
    QWidget *frame = window().findChild<QWidget *>(QStringLiteral("Frame1"));
    for (QWidget *container : {window().recordArea(), window().columnArea(), frame}) {
        for (QWidget *child :
             container->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            found.insert(child->objectName());
    }
    found.erase(QStringLiteral("lblFolder"));
    found.erase(QStringLiteral("findBar"));
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

    // The arrows, as a whole and each one, are named and told apart.
    QStringList arrows{upDown()->accessibleName()};
    for (const QToolButton *arrow : upDown()->findChildren<QToolButton *>())
        arrows << arrow->accessibleName();
    EXPECT_EQ(std::set<QString>(arrows.begin(), arrows.end()).size(), 3u);
    EXPECT_FALSE(arrows.contains(QString()));

    // The count is read with its caption; a label with nothing to say is no stop on the way.
    QAccessibleInterface *count = QAccessible::queryAccessibleInterface(label("lblUkupnoSlogova"));
    EXPECT_FALSE(count->text(QAccessible::Description).isEmpty());
    const auto captions = count->relations(QAccessible::Label);
    EXPECT_TRUE(captions.size() == 1 && captions.front().first->object() == label("Label58"));
    window().show();
    for (const QLabel *empty : window().findChildren<QLabel *>()) {
        if (empty->text().isEmpty() && empty->isVisible()) {
            EXPECT_EQ(empty->focusPolicy(), Qt::NoFocus) << empty->objectName().toStdString();
        }
    }
}

TEST_F(LayoutTest, WindowTitleSizeAndFonts)
{
    EXPECT_EQ(window().objectName(), QStringLiteral("frmVelmora"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Trake.Odl[*]")) << "the mark of unsaved work";
    EXPECT_FALSE(window().isWindowModified());
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
    // Neighbours on a row are the controls of consecutive pieces of one line.
    const auto shown = frmVelmoraMemberControls();
    int checked = 0;
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        const char *control = shown[i].control;
        const char *next = shown[i + 1].control;
        if (recordMember(shown[i].member).line != recordMember(shown[i + 1].member).line
            || designOf(control).kind != ControlKind::Label)
            continue;
        const QRect design = twipsToPixels(designOf(control));
        const int nextLeft = twipsToPixels(designOf(next).left);
        const QWidget *label = window().findChild<QWidget *>(QString::fromUtf8(control));
        EXPECT_LE(label->geometry().right(), std::max(nextLeft - 1, design.right()))
            << control << " runs under " << next;
        ++checked;
    }
    EXPECT_EQ(checked, 9);
}

// Whatever a record holds, no two controls that take input lie over one another, and no two
// record lines share a row.
TEST_F(LayoutTest, NoTwoInputControlsOverlap)
{
    std::vector<QWidget *> inputs;
    for (const ControlDesign &design : frmVelmoraDesign()) {
        if (design.kind != ControlKind::Label && design.kind != ControlKind::Frame)
            inputs.push_back(window().findChild<QWidget *>(QString::fromUtf8(design.name)));
    }
    ASSERT_EQ(inputs.size(), 13u);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        for (std::size_t j = i + 1; j < inputs.size(); ++j) {
            const QRect a(inputs[i]->mapTo(&window(), QPoint()), inputs[i]->size());
            const QRect b(inputs[j]->mapTo(&window(), QPoint()), inputs[j]->size());
            EXPECT_FALSE(a.intersects(b))
                << qPrintable(inputs[i]->objectName()) << " and "
                << qPrintable(inputs[j]->objectName());
        }
    }
    const auto lines = recordTemplate();
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const int top = designOf(controlOf(lines[i].pieces[0].id)).top;
        EXPECT_GT(top, designOf(controlOf(lines[i - 1].pieces[0].id)).top) << "line " << i + 1;
    }
}

// The design shows a typical record: every record label's caption is its member's text, without
// the indentation, numbers aside. Two captions leave out a separator.
TEST_F(LayoutTest, RecordCaptionsAreATypicalRecordsText)
{
    const std::pair<const char *, const char *> separatorLeftOut[] = {
        {"label1", "base #"}, {"Label16_1", ", $ObjectName = #0000000_NULL,"}};
    folder.write(kInputFile, typicalCatalog(1));
    gSlog->UcitavanjeIzFajla();
    for (const MemberControl &row : frmVelmoraMemberControls()) {
        if (designOf(row.control).kind != ControlKind::Label)
            continue;
        QString caption = QString::fromUtf8(designOf(row.control).caption);
        for (const auto &[control, whole] : separatorLeftOut) {
            if (std::strcmp(control, row.control) == 0)
                caption = QString::fromUtf8(whole);
        }
        const QRegularExpression digit(QStringLiteral("[0-9]"));
        const QString value =
            shown(recordMember(row.member).access(gRecords, 1)).replace(digit, "0").trimmed();
        EXPECT_EQ(caption.replace(digit, "0").trimmed().toStdString(), value.toStdString())
            << row.control;
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

// On a screen too small for it the window fits the screen and the record's frame scrolls to
// every control, while the command column stays whole in view beside it, its controls apart;
// where the design fits, nothing changes.
TEST_F(LayoutTest, TheWindowFitsTheScreenWithTheCommandColumnInView)
{
    const struct
    {
        const char *name;
        QRect available;
        bool scrolls;
    } screens[] = {
        {"1920x1080", QRect(0, 0, 1920, 1040), false},
        {"1366x768 with a panel", QRect(0, 28, 1366, 740), true},
        {"1366x768 at 150% with a panel", QRect(0, 19, 910, 493), true},
        {"1920x1080 at 200%", QRect(0, 0, 960, 540), true},
    };
    auto *view = window().findChild<QScrollArea *>(QStringLiteral("designView"));
    const QList<QWidget *> column =
        window().columnArea()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(column.size(), 12);
    std::vector<QRect> designPlaces;
    window().show();
    for (const auto &screen : screens) {
        window().fitToScreen(screen.available);
        QApplication::processEvents();
        EXPECT_EQ(window().minimumSize() == window().maximumSize(), !screen.scrolls)
            << screen.name;
        EXPECT_EQ(window().size() == QSize(1016, 734), !screen.scrolls) << screen.name;
        EXPECT_LE(window().height(), screen.available.height() - 40) << screen.name;
        EXPECT_LE(window().width(), screen.available.width()) << screen.name;
        EXPECT_EQ(window().recordArea()->size(), QSize(840, 734)) << screen.name;
        for (const char *name : {"Label44", "Label2", "txtBase_Naziv"}) {
            QWidget *control = window().control(QString::fromUtf8(name));
            view->ensureWidgetVisible(control);
            const QRect shown(control->mapTo(view->viewport(), QPoint()), control->size());
            EXPECT_TRUE(view->viewport()->rect().contains(shown)) << screen.name << " " << name;
        }
        std::vector<QRect> places;
        for (QWidget *control : column) {
            places.emplace_back(control->mapTo(&window(), QPoint()), control->size());
            EXPECT_TRUE(window().rect().contains(places.back()))
                << screen.name << " " << control->objectName().toStdString();
        }
        // The first screen holds the design: what stands apart there stands apart everywhere.
        if (designPlaces.empty())
            designPlaces = places;
        for (std::size_t i = 0; i < places.size(); ++i) {
            for (std::size_t j = i + 1; j < places.size(); ++j)
                EXPECT_EQ(places[i].intersects(places[j]),
                          designPlaces[i].intersects(designPlaces[j]))
                    << screen.name << " " << column[i]->objectName().toStdString() << " "
                    << column[j]->objectName().toStdString();
        }
    }
}

// The column's controls first, then the value boxes down the record, leaving the window last.
TEST_F(LayoutTest, TabKeyVisitsTheThirteenControlsInOrder)
{
    window().show();
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    box("txtBrojSloga")->setFocus();

    QStringList visited;
    for (int i = 0; i < 13; ++i) {
        QWidget *focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        visited << focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    QStringList boxes;
    for (const MemberControl &row : frmVelmoraMemberControls()) {
        if (designOf(row.control).kind == ControlKind::TextBox)
            boxes << QString::fromUtf8(row.control);
    }
    EXPECT_EQ(visited.mid(0, 5), (QStringList{"txtBrojSloga", "UpDnBrSloga",
                                              "cmdDodavanjeNovogSloga", "cmdUcitavanje",
                                              "Command1"}));
    EXPECT_EQ(visited.mid(5, 7), boxes);
    EXPECT_EQ(visited.last(), QStringLiteral("Command2"));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtBrojSloga"))
        << "the order wraps around";
}

}  // namespace
