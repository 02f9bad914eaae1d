#include "CaptionLabel.h"

#include <QFontMetrics>

namespace {

constexpr int kBorderWidth = 2;

}  // namespace

CaptionLabel::CaptionLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // QLabel indents framed text by half an "x"; the autosize arithmetic assumes it does not.
    setIndent(0);
    setMargin(0);
}

void CaptionLabel::setBordered(bool bordered)
{
    if (bordered) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(kBorderWidth);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
}

void CaptionLabel::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
}

void CaptionLabel::setCaption(const QString &caption)
{
    if (caption == text())
        return;
    setText(caption);
    if (m_autoSize)
        fitToCaption();
}

void CaptionLabel::fitToCaption()
{
    const QFontMetrics metrics = fontMetrics();
    const int border = 2 * frameWidth();
    const int textWidth = text().isEmpty() ? 0 : metrics.horizontalAdvance(text());
    resize(textWidth + border, metrics.height() + border);
}
