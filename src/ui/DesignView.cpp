#include "ui/DesignView.h"

#include <algorithm>

DesignView::DesignView(QSize designSize, QWidget *parent)
    : DesignView(designSize, QStringLiteral("designView"), QStringLiteral("designArea"), parent)
{
}

DesignView::DesignView(QSize designSize, const QString &name, const QString &surfaceName,
                       QWidget *parent)
    : QScrollArea(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    // Tab goes from control to control; the area itself takes no focus.
    setFocusPolicy(Qt::NoFocus);
    // The surface shows the window's own background, as the window did before it scrolled.
    setBackgroundRole(QPalette::Window);
    viewport()->setBackgroundRole(QPalette::Window);
    auto *surface = new QWidget;
    surface->setObjectName(surfaceName);
    surface->setFixedSize(designSize);
    setWidget(surface);
}

QSize DesignView::windowSizeFor(QSize design, QSize available, int scrollBarExtent)
{
    if (design.width() <= available.width() && design.height() <= available.height())
        return design;
    QSize size = design.boundedTo(available);
    // A scroll bar along one edge takes room from the other direction, which may then need
    // its own bar; the window grows by a bar's width where the screen has that room.
    if (size.height() < design.height())
        size.setWidth(std::min(design.width() + scrollBarExtent, available.width()));
    if (size.width() < design.width())
        size.setHeight(std::min(design.height() + scrollBarExtent, available.height()));
    return size;
}
