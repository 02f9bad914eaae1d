#pragma once

#include <QPushButton>

// A push button whose caption breaks into lines inside the button's fixed size, as the
// window's captions are longer than the buttons are wide. text() is the caption unchanged.
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
