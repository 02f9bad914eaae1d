#pragma once

#include <QLabel>
#include <QString>

// A label that shows its caption as plain text (no rich text, no mnemonics). With autoSize on,
// a new caption resizes it to the caption's text plus the border, keeping its left and top; an
// empty caption leaves only the border's width. The label does not grow its container: the
// container cuts off whatever reaches past its edge.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget *parent = nullptr);

    // A fixed single border, two pixels wide on each side.
    void setBordered(bool bordered);
    void setAutoSize(bool autoSize);
    bool autoSize() const { return m_autoSize; }

    void setCaption(const QString &caption);
    QString caption() const { return text(); }

    // Resizes the label to its caption plus the border, keeping its left and top.
    void fitToCaption();

private:
    bool m_autoSize = false;
};
