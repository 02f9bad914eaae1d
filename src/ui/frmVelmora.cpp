// The form: the design's controls made into widgets, with their tab order and accessible names,
// the window fitted to its screen, the additions beside the design and the shortcuts.

#include "ui/frmVelmora.h"

#include "catalog/CodePage1250.h"
#include "catalog/RecordTemplate.h"
#include "operations/RecordNumberText.h"
#include "store/basMain.h"
#include "ui/AboutBox.h"
#include "ui/BoxNote.h"
#include "ui/CaptionLabel.h"
#include "ui/CatalogDrop.h"
#include "ui/CommandButton.h"
#include "ui/CommandColumn.h"
#include "ui/DesignView.h"
#include "ui/ElidedLabel.h"
#include "ui/FindBar.h"
#include "ui/MessageText.h"
#include "ui/TextBox.h"
#include "ui/UpDown.h"
#include "ui/ValueValidator.h"
#include "ui/frmVelmoraDesign.h"

#include <QFont>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <cassert>
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

// In the free space of the right-hand column, in twips on the window as the design is: the
// folder below the save button with the save's confirmation under it, the find field below
// Izlaz.
constexpr QRect kFolderLabel = twipsToPixels(12600, 6420, 2520, 240);
constexpr QRect kStatusLine = twipsToPixels(12600, 6720, 2520, 960);
constexpr QRect kFindBar = twipsToPixels(12600, 9720, 2520, 1260);

// The change handler of all seven value boxes: the box's whole text goes into its member of
// the record on screen, through the store, which keeps what was there before.
void storeBoxText(const TextBox &box, const RecordMember &member)
{
    const std::optional<std::string> bytes = CodePage1250::encode(box.text().toStdU16String());
    // The box refuses text the code page cannot hold, so this always succeeds.
    if (bytes)
        gSlog->storeValue(gBrojSloga, member, *bytes);
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
    new CatalogDrop(this, [this](const QString &folder) { openDroppedCatalog(folder); });

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
    keepMemoryReserve();
}

frmVelmora::~frmVelmora() = default;

void frmVelmora::createControls()
{
    QWidget *frame = nullptr;
    for (const ControlDesign &design : frmVelmoraDesign()) {
        const bool inColumn =
            design.container == Container::Window && design.kind != ControlKind::Frame;
        QWidget *parent = design.container == Container::Frame1 ? frame
            : inColumn                                        ? columnArea()
                                                              : recordArea();
        assert(parent != nullptr);
        QWidget *control = createControl(design, parent);
        if (design.kind == ControlKind::Frame)
            frame = control;
        control->setObjectName(QString::fromUtf8(design.name));
        control->setGeometry(twipsToPixels(design).translated(inColumn ? -m_columnLeft : 0, 0));
        // The design's label sizes fit its captions in another font; fitting them in ours
        // keeps a line whose text equals the design caption from being cut short.
        if (auto *label = qobject_cast<CaptionLabel *>(control); label && label->autoSize())
            label->fitToCaption();
        if (inColumn)
            m_column->place(control, control->geometry());
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

// The record's frame on the left, scrolling where the window is smaller than the design, and the
// command column on the right, which the design starts at its leftmost control beside the frame.
void frmVelmora::createDesignView()
{
    const WindowDesign &window = frmVelmoraWindowDesign();
    int columnLeft = window.clientWidth;
    for (const ControlDesign &design : frmVelmoraDesign()) {
        if (design.container == Container::Window && design.kind != ControlKind::Frame)
            columnLeft = std::min(columnLeft, design.left);
    }
    m_columnLeft = twipsToPixels(columnLeft);
    const int height = twipsToPixels(window.clientHeight);
    m_view = new DesignView(QSize(m_columnLeft, height), this);
    m_column = new CommandColumn(
        QSize(twipsToPixels(window.clientWidth) - m_columnLeft, height), this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_column);
}

QWidget *frmVelmora::recordArea() const
{
    return m_view->surface();
}

QWidget *frmVelmora::columnArea() const
{
    return m_column->surface();
}

void frmVelmora::fitToScreen(const QRect &available)
{
    const QSize record = recordArea()->size();
    const QSize design(record.width() + columnArea()->width(), record.height());
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // The least a window can usefully be, on however small a screen.
    const QSize least(240, 160);
    const QSize room = (available.size() - kFrameAllowance).expandedTo(least);
    if (design.width() <= room.width() && design.height() <= room.height()) {
        setFixedSize(design);
        return;
    }
    // The column keeps its width; the record's frame takes what is left and scrolls.
    const int column = m_column->widthFor(std::min(room.height(), design.height()));
    const QSize size = DesignView::windowSizeFor(record, room - QSize(column, 0), bar);
    setMinimumSize(least);
    setMaximumSize(design + QSize(bar, bar));
    resize(size + QSize(column, 0));
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
    const QPoint column(-m_columnLeft, 0);
    m_lblFolder = new ElidedLabel(columnArea());
    m_lblFolder->setObjectName(QStringLiteral("lblFolder"));
    m_column->place(m_lblFolder, kFolderLabel.translated(column));
    m_lblFolder->setAccessibleName(tr("Folder"));

    // The save's confirmation, under the folder.
    m_lblStatus = new QLabel(columnArea());
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_column->place(m_lblStatus, kStatusLine.translated(column));
    m_lblStatus->setWordWrap(true);
    m_lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Shown only while it has something to say: empty, it would be a stop for a screen reader.
    m_lblStatus->hide();

    m_find = new FindBar(columnArea());
    m_column->place(m_find, kFindBar.translated(column));
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
