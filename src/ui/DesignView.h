#pragma once

#include <QScrollArea>
#include <QSize>

// The record's part of the window's design: a surface of its fixed size on which the record's
// frame stands where the design puts it. Where the window is smaller than the design (a small
// laptop screen, or a large scaling factor), the surface scrolls instead of leaving the
// record's lower rows out of reach; where the window holds it, it shows as a plain part of the
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

protected:
    // A view of the same kind, named `name`, its surface named `surfaceName`.
    DesignView(QSize designSize, const QString &name, const QString &surfaceName,
               QWidget *parent);
};
