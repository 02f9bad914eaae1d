#pragma once

#include "ui/DesignView.h"

#include <QPointer>
#include <QRect>

#include <span>
#include <vector>

// The window's right-hand column: the record number and count, the buttons, the folder, the
// save's confirmation and the find field. It stands beside the record's frame and stays in view
// while the frame scrolls. In a window as tall as the design its controls stand where the
// design puts them; in a shorter one the gaps between its rows close up evenly, down to a few
// pixels each, and only a column that still does not fit scrolls.
class CommandColumn : public DesignView
{
    Q_OBJECT

public:
    CommandColumn(QSize designSize, QWidget *parent = nullptr);

    // Puts `control`, a child of surface(), at `place` in the column's design pixels.
    void place(QWidget *control, QRect place);

    // The width the column takes in a window `height` pixels high: its design's, and a scroll
    // bar's more where even its closed-up rows do not fit.
    int widthFor(int height) const;

    // Where `places`, controls in a column `designHeight` high, stand in one `height` high:
    // controls whose spans overlap form a row and move together; the gaps above, between and
    // below the rows shrink in proportion to what each has above `leastGap`, as far as needed.
    static std::vector<QRect> closeGaps(std::span<const QRect> places, int designHeight,
                                        int height, int leastGap);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Placed
    {
        QPointer<QWidget> control;
        QRect place;
    };

    std::vector<QRect> placesFor(int height) const;
    int leastHeight() const;
    void layOut();

    QSize m_design;
    std::vector<Placed> m_placed;
};
