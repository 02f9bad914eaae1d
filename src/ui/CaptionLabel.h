#pragma once

#include <QLabel>
#include <QSize>
#include <QString>

// A label that shows its caption as plain text (no rich text, no mnemonics). With autoSize on,
// a new caption resizes it to the caption's text plus the border, keeping its left and top; an
// empty caption leaves only the border's width. The label does not grow its container: the
// container cuts off whatever reaches past its edge. A tab is drawn narrow (see kTabStop) so
// that a line indented with tabs does not run under the control that follows it, and a lone LF
// starts a new line; the caption itself stays exactly as set. Without autoSize, a caption
// wider than the label shows its end. A caption longer than kLongestShown characters shows
// only its start, which already runs past any label: laying out all of a line of megabytes
// would take many times its size in memory.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    // Tabs advance to the next multiple of this many pixels. On the tightest rows (length,
    // width and thickness; price) the text indented by two tabs ends 2 pixels before the value
    // box; at 2 pixels a tab it touches the box, at a blank's width (3) it runs under it.
    static constexpr int kTabStop = 1;
    static constexpr qsizetype kLongestShown = 4096;

    explicit CaptionLabel(QWidget *parent = nullptr);

    // A fixed single border, two pixels wide on each side.
    void setBordered(bool bordered);
    void setAutoSize(bool autoSize);
    bool autoSize() const { return m_autoSize; }

    void setCaption(const QString &caption);
    QString caption() const { return m_longCaption.isNull() ? text() : m_longCaption; }

    // The caption's text as drawn, without the border.
    QSize captionSize() const;

    // Resizes the label to its caption plus the border, keeping its left and top.
    void fitToCaption();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_autoSize = false;
    QString m_longCaption;  // the whole caption while only its start is shown; else null
};
