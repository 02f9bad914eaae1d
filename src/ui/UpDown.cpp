#include "ui/UpDown.h"

#include "operations/RecordNumberText.h"
#include "ui/TextBox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kFocusMargin = 2;

// Wheel turns less apart than this are one gesture: a wheel spun to scroll the window goes on
// scrolling it when the record-number box slides under the pointer.
constexpr qint64 kGestureGapMs = 400;

}  // namespace

// Notes where each wheel gesture began: the first widget a turn went to after a pause, or a
// touchpad's scroll at its start.
class UpDown::WheelGesture : public QObject
{
public:
    explicit WheelGesture(QObject *parent) : QObject(parent)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool beganOver(const QWidget *widget) const
    {
        return widget != nullptr && m_start != nullptr
            && (m_start == widget || widget->isAncestorOf(m_start));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel || !watched->isWidgetType())
            return false;
        const auto *wheel = static_cast<QWheelEvent *>(event);
        // A turn is handed on to the widget's parents when it is not taken: only the first
        // widget it went to is where it began.
        const bool pause = !m_sinceLast.isValid() || m_sinceLast.elapsed() > kGestureGapMs;
        if (wheel->phase() == Qt::ScrollBegin || (wheel->phase() == Qt::NoScrollPhase && pause))
            m_start = static_cast<QWidget *>(watched);
        m_sinceLast.start();
        return false;
    }

private:
    QPointer<QWidget> m_start;
    QElapsedTimer m_sinceLast;
};

UpDown::UpDown(QWidget *parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    // A screen reader tells the arrows apart by these names; they draw no text of their own.
    m_up->setAccessibleName(tr("Next number"));
    m_down->setAccessibleName(tr("Previous number"));
    for (QToolButton *arrow : {m_up, m_down}) {
        // The control takes the focus as a whole; its arrows never do.
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
    }
    setFocusPolicy(Qt::TabFocus);
    m_wheel = new WheelGesture(this);
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setBuddy(TextBox *buddy)
{
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy)
        m_buddy->installEventFilter(this);
}

void UpDown::setMaximum(std::int32_t maximum)
{
    m_maximum = maximum;
}

void UpDown::step(int direction)
{
    if (!m_buddy || m_maximum < kMinimum)
        return;
    const std::int64_t shown = std::clamp<std::int64_t>(
        recordNumberFromText(m_buddy->text().toStdU16String()), kMinimum, m_maximum);
    const std::int64_t next = shown + direction;
    if (next < kMinimum || next > m_maximum)
        return;
    m_buddy->setText(QString::number(next));
}

bool UpDown::handleKey(QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    if (event->key() == Qt::Key_Up) {
        stepUp();
        return true;
    }
    if (event->key() == Qt::Key_Down) {
        stepDown();
        return true;
    }
    return false;
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent *>(event));
    if (watched == m_buddy && event->type() == QEvent::Wheel) {
        handleWheel(static_cast<QWheelEvent *>(event));
        return event->isAccepted();
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::keyPressEvent(QKeyEvent *event)
{
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}

void UpDown::wheelEvent(QWheelEvent *event)
{
    handleWheel(event);
}

void UpDown::handleWheel(QWheelEvent *event)
{
    // A gesture that began elsewhere scrolls the window, whatever slides under the pointer.
    if (!m_wheel->beganOver(this) && !m_wheel->beganOver(m_buddy)) {
        m_wheelTurned = 0;
        event->ignore();
        return;
    }
    constexpr int kNotch = 120;
    m_wheelTurned += event->angleDelta().y();
    for (; m_wheelTurned >= kNotch; m_wheelTurned -= kNotch)
        stepUp();
    for (; m_wheelTurned <= -kNotch; m_wheelTurned += kNotch)
        stepDown();
    // Taken here, so the window around does not scroll as well.
    event->accept();
}

void UpDown::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    layOutArrows();
}

void UpDown::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    layOutArrows();
}

void UpDown::paintEvent(QPaintEvent *)
{
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void UpDown::resizeEvent(QResizeEvent *)
{
    layOutArrows();
}

void UpDown::layOutArrows()
{
    // The arrows fill the control; with the focus they leave its edge free for the frame.
    const QRect area = hasFocus() ? rect().adjusted(kFocusMargin, kFocusMargin, -kFocusMargin,
                                                    -kFocusMargin)
                                  : rect();
    const int upper = area.height() / 2;
    m_up->setGeometry(area.x(), area.y(), area.width(), upper);
    m_down->setGeometry(area.x(), area.y() + upper, area.width(), area.height() - upper);
    update();
}
