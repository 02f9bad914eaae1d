#include "catalog/PopulateAhead.h"

#include "model/MemoryPages.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <utility>

namespace {
// The thread's step through the first track: a few milliseconds of work, so that it stops
// soon when the load ends early. Below two steps the load populates alone.
constexpr std::size_t kStep = std::size_t(8) << 20;
// How often a waiting thread looks whether the load has ended.
constexpr std::chrono::milliseconds kWaitSlice(5);
}  // namespace

PopulateAhead::PopulateAhead(std::vector<std::span<char>> tracks, std::size_t ready,
                             std::shared_future<void> start)
    : m_tracks(std::move(tracks)),
      m_taken(std::make_unique<std::atomic<std::size_t>[]>(m_tracks.size())),
      m_start(std::move(start))
{
    m_taken[0] = ready;
    if (m_tracks.front().size() < 2 * kStep)
        return;
    try {
        m_thread = std::thread([this] { populateAhead(); });
    } catch (const std::system_error &) {
        // The load populates as it goes.
    }
}

PopulateAhead::~PopulateAhead()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void PopulateAhead::reach(std::size_t upTo)
{
    populateUpTo(upTo);
}

void PopulateAhead::populateAhead()
{
    if (m_start.valid()) {
        while (m_start.wait_for(kWaitSlice) == std::future_status::timeout) {
            if (m_stop.load(std::memory_order_relaxed))
                return;
        }
    }
    const std::size_t size = m_tracks.front().size();
    for (std::size_t upTo = kStep; !m_stop.load(std::memory_order_relaxed); upTo += kStep) {
        populateUpTo(std::min(upTo, size));
        if (upTo >= size)
            break;
    }
}

void PopulateAhead::populateUpTo(std::size_t upTo)
{
    const std::size_t size = m_tracks.front().size();
    for (std::size_t i = 0; i < m_tracks.size(); ++i) {
        const std::span<char> track = m_tracks[i];
        const std::size_t to = i == 0 ? upTo : track.size() * upTo / size;
        std::size_t from = m_taken[i].load(std::memory_order_relaxed);
        if (to < track.size() && to < from + kLeastPopulated)
            continue;
        while (from < to
               && !m_taken[i].compare_exchange_weak(from, to, std::memory_order_relaxed)) {
        }
        if (from < to)
            populate(track.data() + from, to - from);
    }
}
