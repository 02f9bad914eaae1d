#pragma once

#include "model/HeldBlock.h"
#include "model/SectionArray.h"
#include "model/clsBase.h"
#include "model/clsLokal.h"
#include "model/clsPricedef.h"
#include "model/clsPricemod.h"
#include "model/clsPricemod2.h"
#include "model/clsPricemod3.h"
#include "model/clsPricemod4.h"
#include "model/clsPricemod5.h"
#include "model/clsShape.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <tuple>
#include <vector>

// The nine section arrays of one catalog, always of one upper bound. Kept together so that a
// load can fill a fresh set and the program swap it in whole, or keep what it had on failure.
// They also hold the bytes of the file they were loaded from, which the members of records
// that were not edited refer to: those bytes live and die with the arrays, so a member must
// not be copied from one set of arrays into another.
class RecordArrays
{
public:
    explicit RecordArrays(std::int32_t upperBound = 0) { redimAll(upperBound); }

    // Calls f on each of the nine arrays, in the order of the record's lines.
    template <class F>
    void forEach(F &&f)
    {
        std::apply([&](auto... array) { (f(this->*array), ...); }, kArrays);
    }
    template <class F>
    void forEach(F &&f) const
    {
        std::apply([&](auto... array) { (f(this->*array), ...); }, kArrays);
    }

    // Resizes all nine, keeping the objects that remain.
    void redimAll(std::int32_t upperBound)
    {
        forEach([upperBound](auto &array) { array.redim(upperBound); });
    }

    std::int32_t upperBound() const { return base.upperBound(); }

    // Makes room for about `records` more records; see SectionArray::reserve.
    void reserve(std::size_t records, std::vector<std::span<char>> *unpopulated = nullptr)
    {
        forEach([records, unpopulated](auto &array) { array.reserve(records, unpopulated); });
    }

    // Keeps the first `size` bytes of `block` unchanged for as long as the arrays live, for
    // members to refer to, and returns them.
    std::string_view hold(HeldBlock block, std::size_t size)
    {
        m_held.push_back({std::move(block), size});
        return {m_held.back().bytes.data(), size};
    }

    // The held bytes that `text` lies in; empty when it lies in none of them.
    std::string_view heldAround(std::string_view text) const
    {
        const auto address = reinterpret_cast<std::uintptr_t>(text.data());
        for (auto each = m_held.rbegin(); each != m_held.rend(); ++each) {
            const auto start = reinterpret_cast<std::uintptr_t>(each->bytes.data());
            if (address >= start && address - start + text.size() <= each->size)
                return {each->bytes.data(), each->size};
        }
        return {};
    }

    SectionArray<clsBase> base{"gBase"};
    SectionArray<clsLokal> lokal{"gLokal"};
    SectionArray<clsShape> shape{"gShape"};
    SectionArray<clsPricedef> pricedef{"gPricedef"};
    SectionArray<clsPricemod> pricemod{"gPricemod"};
    SectionArray<clsPricemod2> pricemod2{"gPricemod2"};
    SectionArray<clsPricemod3> pricemod3{"gPricemod3"};
    SectionArray<clsPricemod4> pricemod4{"gPricemod4"};
    SectionArray<clsPricemod5> pricemod5{"gPricemod5"};

    // The one list of the arrays, in the order of the record's lines, that forEach() and
    // everything else reads.
    static constexpr std::tuple kArrays{
        &RecordArrays::base,      &RecordArrays::lokal,     &RecordArrays::shape,
        &RecordArrays::pricedef,  &RecordArrays::pricemod,  &RecordArrays::pricemod2,
        &RecordArrays::pricemod3, &RecordArrays::pricemod4, &RecordArrays::pricemod5,
    };
    static constexpr std::size_t kArrayCount = std::tuple_size_v<decltype(kArrays)>;

private:
    struct Held
    {
        HeldBlock bytes;
        std::size_t size;
    };
    std::vector<Held> m_held;
};
