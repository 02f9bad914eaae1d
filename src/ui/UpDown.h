#pragma once

#include <QWidget>

#include <cstdint>

class QToolButton;
class TextBox;

// A pair of arrows that steps the number in its buddy text box. A step starts from the number
// the buddy shows, goes one up or down within 1 ... maximum() and writes the result, in
// decimal, into the buddy's text; the buddy's change event does the rest. At a limit nothing
// is written. Up and Down pressed in the buddy (or in this control) step the same way, and so
// does the mouse wheel over either, a notch a step, up for the next number, when the wheel
// gesture began over them: one that began elsewhere goes on scrolling the window around. The
// control takes the focus as a whole and then draws the style's focus frame around its arrows.
class UpDown : public QWidget
{
    Q_OBJECT

public:
    static constexpr std::int32_t kMinimum = 1;

    explicit UpDown(QWidget *parent = nullptr);

    void setBuddy(TextBox *buddy);

    void setMaximum(std::int32_t maximum);
    std::int32_t maximum() const { return m_maximum; }

    void stepUp() { step(+1); }
    void stepDown() { step(-1); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void step(int direction);
    void layOutArrows();
    bool handleKey(QKeyEvent *event);
    void handleWheel(QWheelEvent *event);

    class WheelGesture;

    QToolButton *m_up;
    QToolButton *m_down;
    WheelGesture *m_wheel;
    TextBox *m_buddy = nullptr;
    std::int32_t m_maximum = kMinimum;
    int m_wheelTurned = 0;  // eighths of a degree not yet stepped, from fine-grained wheels
};
