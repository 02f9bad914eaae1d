#include "ui/CommandButton.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

CommandButton::CommandButton(QWidget *parent) : QPushButton(parent) {}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & ~Qt::KeypadModifier)) {
        // A held key presses once, not once per repeat.
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style draws the bevel and the focus frame; the caption is drawn wrapped below.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const int inset = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2;
    QRect area = rect().adjusted(inset, inset, -inset, -inset);
    if (isDown())
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    // A hyphen drawn as a non-breaking one keeps a file name such as "Trake-novi.odl" whole
    // on its line.
    QString caption = text();
    caption.replace(u'-', QChar(0x2011));
    painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(),
                         caption, QPalette::ButtonText);
}
