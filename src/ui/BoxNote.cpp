#include "ui/BoxNote.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QToolTip>

#include <algorithm>

namespace {

const QString kName = QStringLiteral("boxNote");

// Long enough to read the note: two seconds and a little more per character, at most ten.
int readingTimeMs(const QString &text)
{
    return static_cast<int>(std::min<qsizetype>(2000 + 50 * text.size(), 10000));
}

}  // namespace

BoxNote::BoxNote(QWidget *window) : QLabel(window)
{
    setObjectName(kName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setMargin(3);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setPalette(QToolTip::palette());
    setAutoFillBackground(true);
    setFont(QToolTip::font());
    m_goBy.setSingleShot(true);
    connect(&m_goBy, &QTimer::timeout, this, &QWidget::hide);
}

void BoxNote::show(QWidget *anchor, const QString &text)
{
    QWidget *window = anchor->window();
    BoxNote *note = window->findChild<BoxNote *>(kName, Qt::FindDirectChildrenOnly);
    if (note == nullptr)
        note = new BoxNote(window);
    note->setText(text);
    note->place(anchor);
    note->raise();
    note->QLabel::show();
    note->m_goBy.start(readingTimeMs(text));
    qApp->installEventFilter(note);
    QAccessibleEvent shown(note, QAccessible::Alert);
    QAccessible::updateAccessibility(&shown);
}

BoxNote *BoxNote::openIn(const QWidget *window)
{
    BoxNote *note = window->findChild<BoxNote *>(kName, Qt::FindDirectChildrenOnly);
    return note != nullptr && note->isVisible() ? note : nullptr;
}

bool BoxNote::closeIn(const QWidget *window)
{
    BoxNote *note = openIn(window);
    if (note == nullptr)
        return false;
    note->hide();
    return true;
}

// Under the anchor's left edge, as wide as the text needs up to the window's width, moved up or
// left where it would leave the window.
void BoxNote::place(QWidget *anchor)
{
    QWidget *window = parentWidget();
    const int widest = std::max(120, std::min(window->width() - 8, 420));
    const int chrome = 2 * (margin() + frameWidth()) + 2;
    const int fitting = std::min(fontMetrics().horizontalAdvance(text()) + chrome, widest);
    resize(fitting, heightForWidth(fitting));
    const QPoint below = anchor->mapTo(window, QPoint(0, anchor->height() + 2));
    QPoint at = below;
    at.setX(std::clamp(at.x(), 0, std::max(0, window->width() - width())));
    if (at.y() + height() > window->height())
        at.setY(anchor->mapTo(window, QPoint(0, 0)).y() - height() - 2);
    move(at.x(), std::max(0, at.y()));
}

// A click anywhere in the window closes the note, and still reaches what it was meant for.
bool BoxNote::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched == this) {
        qApp->removeEventFilter(this);
        m_goBy.stop();
    }
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == parentWidget()) {
        hide();
    }
    return false;
}
