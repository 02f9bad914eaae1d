#pragma once

#include <QPushButton>

// A push button whose caption breaks into lines inside the button's fixed size, as the
// window's captions are longer than the buttons are wide; never at a hyphen, so a file name
// stays whole. text() is the caption unchanged.
// Enter and keypad Enter press a focused button as Space does: a keyboard user expects a
// focused "save" to save on Enter, and the window has no default button to take the key.
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
