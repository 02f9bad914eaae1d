#pragma once

#include <atomic>
#include <cstddef>
#include <future>
#include <memory>
#include <span>
#include <thread>
#include <vector>

// Populates the pages of memory a load fills front to back, each a track: the file's block
// first, then the arrays. Fresh memory costs more to find than to fill, so it is found in one
// call per stretch rather than a page fault each 4 KiB, and mostly on a thread of its own while
// the load reads and cuts. That thread waits for `start` where it is given (a program's start
// keeps the second core for its window until then), and takes a share of every track in turn,
// ahead of the read. The load calls reach() before it fills each stretch: what the thread has
// not taken yet, up to the same share of every track, is populated there. Small blocks, or
// where no thread can be had, are populated by reach() alone.
class PopulateAhead
{
public:
    // The first `ready` bytes of the first track are populated already.
    PopulateAhead(std::vector<std::span<char>> tracks, std::size_t ready,
                  std::shared_future<void> start);
    ~PopulateAhead();
    PopulateAhead(const PopulateAhead &) = delete;
    PopulateAhead &operator=(const PopulateAhead &) = delete;

    // The load is about to fill the first track up to `upTo`, and as much of the others.
    void reach(std::size_t upTo);

private:
    void populateAhead();
    // Populates what is not yet taken of every track up to their share of the first track's
    // `upTo`.
    void populateUpTo(std::size_t upTo);

    std::vector<std::span<char>> m_tracks;
    // Of each track, the bytes from its front that one of the two took to populate.
    std::unique_ptr<std::atomic<std::size_t>[]> m_taken;
    std::shared_future<void> m_start;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};
