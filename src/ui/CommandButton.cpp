#include "CommandButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CommandButton::CommandButton(QWidget *parent) : QPushButton(parent) {}

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
    painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(),
                         text(), QPalette::ButtonText);
}
