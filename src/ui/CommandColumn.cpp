#include "ui/CommandColumn.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
// The least gap between two rows of the column, and above and below them.
constexpr int kLeastGap = 4;
}  // namespace

CommandColumn::CommandColumn(QSize designSize, QWidget *parent)
    : DesignView(designSize, QStringLiteral("commandColumn"), QStringLiteral("commandArea"),
                 parent),
      m_design(designSize)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedWidth(designSize.width());
}

void CommandColumn::place(QWidget *control, QRect place)
{
    m_placed.push_back({control, place});
    control->setGeometry(place);
}

int CommandColumn::widthFor(int height) const
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return m_design.width() + (height < leastHeight() ? bar : 0);
}

std::vector<QRect> CommandColumn::closeGaps(std::span<const QRect> places, int designHeight,
                                            int height, int leastGap)
{
    std::vector<QRect> moved(places.begin(), places.end());
    if (height >= designHeight || places.empty())
        return moved;

    std::vector<std::size_t> order(places.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return places[a].top() < places[b].top(); });

    // Rows, top to bottom, each with the gap above it; the last gap is below the last row.
    struct Row
    {
        int top;
        int bottom;  // one past the row's lowest pixel
        std::vector<std::size_t> members;
    };
    std::vector<Row> rows;
    for (std::size_t i : order) {
        const QRect &place = places[i];
        if (rows.empty() || place.top() >= rows.back().bottom)
            rows.push_back({place.top(), place.top() + place.height(), {}});
        rows.back().bottom = std::max(rows.back().bottom, place.top() + place.height());
        rows.back().members.push_back(i);
    }
    std::vector<int> gaps;
    int above = 0;
    for (const Row &row : rows) {
        gaps.push_back(row.top - above);
        above = row.bottom;
    }
    gaps.push_back(std::max(0, designHeight - above));

    int spare = 0;
    for (int gap : gaps)
        spare += std::max(0, gap - leastGap);
    const double share =
        spare == 0 ? 0.0 : std::min(1.0, double(designHeight - height) / double(spare));

    // Rounded as a running total, so that the rows move by whole pixels and never drift.
    double cut = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        cut += std::max(0, gaps[r] - leastGap) * share;
        const int shift = static_cast<int>(std::lround(cut));
        for (std::size_t i : rows[r].members)
            moved[i].translate(0, -shift);
    }
    return moved;
}

std::vector<QRect> CommandColumn::placesFor(int height) const
{
    std::vector<QRect> places;
    for (const Placed &placed : m_placed)
        places.push_back(placed.place);
    return closeGaps(places, m_design.height(), height, kLeastGap);
}

int CommandColumn::leastHeight() const
{
    int lowest = 0;
    for (const QRect &place : placesFor(0))
        lowest = std::max(lowest, place.top() + place.height());
    return lowest + kLeastGap;
}

void CommandColumn::resizeEvent(QResizeEvent *event)
{
    DesignView::resizeEvent(event);
    layOut();
}

void CommandColumn::layOut()
{
    const int height = this->height();
    const std::vector<QRect> places = placesFor(height);
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (m_placed[i].control)
            m_placed[i].control->setGeometry(places[i]);
    }
    surface()->setFixedSize(m_design.width(),
                            std::clamp(height, leastHeight(), m_design.height()));
    setFixedWidth(widthFor(height));
}
