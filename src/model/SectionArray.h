#pragma once

#include "SubscriptOutOfRange.h"

#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

// One of the nine program-wide arrays of section objects: indexes 0 to an upper bound, record n
// at index n. A slot owns its object and creates it, all members empty, on first access, so a
// record the file never reached still reads as empty text.
template <class Section>
class SectionArray
{
public:
    explicit SectionArray(const char *name, std::int32_t upperBound = 0)
        : m_name(name), m_slots(static_cast<std::size_t>(upperBound) + 1)
    {
        assert(upperBound >= 0);
    }

    SectionArray(SectionArray &&) noexcept = default;
    SectionArray &operator=(SectionArray &&) noexcept = default;

    // Throws SubscriptOutOfRange for n < 0 or n > upperBound(); nothing is created then.
    Section &at(std::int64_t n)
    {
        if (n < 0 || n > upperBound())
            throw SubscriptOutOfRange(m_name, n, upperBound());
        auto &slot = m_slots[static_cast<std::size_t>(n)];
        if (!slot)
            slot = std::make_unique<Section>();
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
            m_slots[static_cast<std::size_t>(n)].reset();
    }

    std::int32_t upperBound() const { return static_cast<std::int32_t>(m_slots.size()) - 1; }

    // Keeps the objects of the indexes that remain, releases the others; new slots are empty.
    void redim(std::int32_t upperBound)
    {
        assert(upperBound >= 0);
        m_slots.resize(static_cast<std::size_t>(upperBound) + 1);
    }

    const char *name() const { return m_name; }

private:
    const char *m_name;
    std::vector<std::unique_ptr<Section>> m_slots;
};
