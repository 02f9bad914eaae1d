#pragma once

#include <QScrollArea>
#include <QSize>

// The window's design area: a surface of the design's fixed size on which the controls stand
// where the design puts them. Where the window is smaller than the design (a small laptop
// screen, or a large scaling factor), the surface scrolls instead of leaving its lower rows and
// the exit button out of reach; where the window holds it, it shows as a plain part of the
// window, without a frame or scroll bars.
class DesignView : public QScrollArea
{
    Q_OBJECT

public:
    explicit DesignView(QSize designSize, QWidget *parent = nullptr);

    QWidget *surface() const { return widget(); }

    // The window size that shows the most of a design of size `design` within `available`:
    // the design itself when it fits; else the design cut to `available`, keeping room for a
    // scroll bar of `scrollBarExtent` across the direction that still fits.
    static QSize windowSizeFor(QSize design, QSize available, int scrollBarExtent);
};
