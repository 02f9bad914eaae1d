#pragma once

#include "model/HeldBlock.h"
#include "model/SubscriptOutOfRange.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <utility>
#include <vector>

// One of the nine program-wide arrays of section objects: indexes 0 to an upper bound, record n
// at index n. A slot owns its object and creates it, all members empty, on first access, so a
// record the file never reached still reads as empty text.
//
// The objects live in chunks, not in an allocation each: a large catalog creates hundreds of
// thousands of them. A load sizes one chunk for the whole file ahead (reserve()); objects
// created past it, by appends or a file that grew, go into chunks that each hold twice as many
// as the one before, up to a few megabytes, so a small catalog stays small. An object keeps
// its address for as long as its slot holds it; a released object's place is reused by the
// next one created.
template <class Section>
class SectionArray
{
public:
    explicit SectionArray(const char *name, std::int32_t upperBound = 0)
        : m_name(name), m_slots(static_cast<std::size_t>(upperBound) + 1)
    {
        assert(upperBound >= 0);
    }
    ~SectionArray() { releaseAll(); }

    SectionArray(SectionArray &&other) noexcept
        : m_name(other.m_name), m_slots(std::move(other.m_slots)),
          m_chunks(std::move(other.m_chunks)), m_usedInLast(std::exchange(other.m_usedInLast, 0)),
          m_lastSize(std::exchange(other.m_lastSize, 0)),
          m_free(std::exchange(other.m_free, nullptr))
    {
        other.m_slots.clear();
    }
    SectionArray &operator=(SectionArray &&other) noexcept
    {
        if (this != &other) {
            releaseAll();
            m_name = other.m_name;
            m_slots = std::move(other.m_slots);
            other.m_slots.clear();
            m_chunks = std::move(other.m_chunks);
            m_usedInLast = std::exchange(other.m_usedInLast, 0);
            m_lastSize = std::exchange(other.m_lastSize, 0);
            m_free = std::exchange(other.m_free, nullptr);
        }
        return *this;
    }

    // Throws SubscriptOutOfRange for n < 0 or n > upperBound(); nothing is created then.
    Section &at(std::int64_t n)
    {
        if (n < 0 || n > upperBound())
            throw SubscriptOutOfRange(m_name, n, upperBound());
        Section *&slot = m_slots[static_cast<std::size_t>(n)];
        if (slot == nullptr)
            slot = ::new (place()) Section();
        return *slot;
    }

    // Whether slot n already holds an object; reading it through at() would create one.
    bool holdsObject(std::int64_t n) const
    {
        return n >= 0 && n <= upperBound() && m_slots[static_cast<std::size_t>(n)] != nullptr;
    }

    // Empties slot n again, releasing its object; an index outside the bounds is ignored.
    void drop(std::int64_t n) noexcept
    {
        if (n >= 0 && n <= upperBound())
            release(m_slots[static_cast<std::size_t>(n)]);
    }

    std::int32_t upperBound() const { return static_cast<std::int32_t>(m_slots.size()) - 1; }

    // Keeps the objects of the indexes that remain, releases the others; new slots are empty.
    void redim(std::int32_t upperBound)
    {
        assert(upperBound >= 0);
        const auto size = static_cast<std::size_t>(upperBound) + 1;
        for (std::size_t n = size; n < m_slots.size(); ++n)
            release(m_slots[n]);
        m_slots.resize(size);
    }

    const char *name() const { return m_name; }

    // Makes room for `count` more objects and slots in one block each, for a load that can
    // tell its size: one block filled in one go faults in far fewer pages than a chain of
    // doubling chunks. Only a hint; creating more than that works as always. The room's pages
    // are populated here, or, given `unpopulated`, left for the caller and added to it.
    void reserve(std::size_t count, std::vector<std::span<char>> *unpopulated = nullptr)
    {
        m_slots.reserve(m_slots.size() + count);
        const std::span<char> slotRoom(reinterpret_cast<char *>(m_slots.data() + m_slots.size()),
                                    (m_slots.capacity() - m_slots.size()) * sizeof(Section *));
        if (unpopulated != nullptr)
            unpopulated->push_back(slotRoom);
        else
            populate(slotRoom.data(), slotRoom.size());
        if (count <= m_lastSize - m_usedInLast)
            return;
        m_chunks.emplace_back(count * sizeof(Section), unpopulated != nullptr
                                                           ? HeldBlock::Pages::Unpopulated
                                                           : HeldBlock::Pages::Populated);
        if (unpopulated != nullptr)
            unpopulated->emplace_back(m_chunks.back().data(), m_chunks.back().size());
        m_lastSize = count;
        m_usedInLast = 0;
    }

private:
    static constexpr std::size_t kFirstChunk = 64;
    static constexpr std::size_t kLargestChunk = (std::size_t(8) << 20) / sizeof(Section);
    static_assert(alignof(Section) <= alignof(std::max_align_t));
    // A released place holds the link to the next free one.
    struct FreePlace
    {
        FreePlace *next;
    };
    static_assert(sizeof(Section) >= sizeof(FreePlace));

    void *place()
    {
        if (m_free != nullptr)
            return std::exchange(m_free, m_free->next);
        if (m_usedInLast == m_lastSize) {
            const std::size_t size =
                m_lastSize == 0 ? kFirstChunk : std::min(2 * m_lastSize, kLargestChunk);
            m_chunks.emplace_back(size * sizeof(Section));
            m_lastSize = size;
            m_usedInLast = 0;
        }
        return m_chunks.back().data() + sizeof(Section) * m_usedInLast++;
    }

    void release(Section *&slot) noexcept
    {
        if (slot == nullptr)
            return;
        slot->~Section();
        m_free = ::new (static_cast<void *>(slot)) FreePlace{m_free};
        slot = nullptr;
    }

    void releaseAll() noexcept
    {
        for (Section *&slot : m_slots) {
            if (slot != nullptr)
                slot->~Section();
            slot = nullptr;
        }
    }

    const char *m_name;
    std::vector<Section *> m_slots;
    std::vector<HeldBlock> m_chunks;
    std::size_t m_usedInLast = 0;
    std::size_t m_lastSize = 0;  // places in the last chunk
    FreePlace *m_free = nullptr;
};
