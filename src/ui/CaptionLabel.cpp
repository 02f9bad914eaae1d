#include "ui/CaptionLabel.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kBorderWidth = 2;

// Calls `draw(x, piece)` for each piece of `line` between tabs, a tab moving on to the next
// multiple of CaptionLabel::kTabStop, and returns the line's width. A line without tabs is one
// piece as wide as QFontMetrics says.
template <class Draw>
int layOutLine(const QFontMetrics &metrics, QStringView line, Draw draw)
{
    int x = 0;
    bool first = true;
    for (const QStringView piece : line.split(u'\t')) {
        if (!first)
            x = (x / CaptionLabel::kTabStop + 1) * CaptionLabel::kTabStop;
        first = false;
        const QString text = piece.toString();
        draw(x, text);
        x += metrics.horizontalAdvance(text);
    }
    return x;
}

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
    if (caption == this->caption())
        return;
    if (caption.size() > kLongestShown) {
        m_longCaption = caption;
        setText(caption.left(kLongestShown));
    } else {
        m_longCaption = QString();
        setText(caption);
    }
    if (m_autoSize)
        fitToCaption();
}

QSize CaptionLabel::captionSize() const
{
    const QFontMetrics metrics = fontMetrics();
    const QList<QStringView> lines = QStringView(text()).split(u'\n');
    int width = 0;
    for (const QStringView line : lines)
        width = std::max(width, layOutLine(metrics, line, [](int, const QString &) {}));
    const auto extraLines = static_cast<int>(lines.size() - 1);
    return QSize(width, metrics.height() + extraLines * metrics.lineSpacing());
}

void CaptionLabel::fitToCaption()
{
    const int border = 2 * frameWidth();
    resize(captionSize() + QSize(border, border));
}

void CaptionLabel::paintEvent(QPaintEvent *event)
{
    // A wrapped caption is the window's own text ("Ukupno slogova"), never a record's line.
    if (wordWrap()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect();
    const QSize size = captionSize();
    // A caption too long for a label of fixed size shows its end: the count's last digits.
    const int left = !m_autoSize && size.width() > area.width()
        ? area.right() + 1 - size.width()
        : area.left();
    const QFontMetrics metrics = fontMetrics();
    int baseline = area.top() + (area.height() - size.height()) / 2 + metrics.ascent();
    painter.setClipRect(area);
    painter.setPen(palette().color(foregroundRole()));
    for (const QStringView line : QStringView(text()).split(u'\n')) {
        layOutLine(metrics, line, [&](int x, const QString &piece) {
            painter.drawText(QPoint(left + x, baseline), piece);
        });
        baseline += metrics.lineSpacing();
    }
}
