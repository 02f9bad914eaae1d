#pragma once

#include "catalog/RecordTemplate.h"
#include "model/RecordArrays.h"
#include "store/basMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// The 61 line members of record n, in line order. Creates the record's missing section objects.
inline std::vector<std::string> recordValues(RecordArrays &arrays, std::int64_t n)
{
    std::vector<std::string> values;
    for (const RecordMember &member : recordShape())
        values.push_back(member.access(arrays, n).str());
    return values;
}

inline std::vector<std::string> recordValues(std::int64_t n)
{
    return recordValues(gRecords, n);
}

// What a failed or read-only operation must leave as it found it: the count, the nine bounds,
// which object stands in every slot, and the members of every record. Taking one creates
// nothing: the members are read only of records that hold all nine objects.
struct MemorySnapshot
{
    std::int32_t count = 0;
    std::vector<std::int32_t> upperBounds;
    std::vector<std::vector<const void *>> objects;  // per array, per index; null for empty
    std::vector<std::vector<std::string>> records;   // records 1 to count; empty when partial
};

inline MemorySnapshot takeSnapshot()
{
    MemorySnapshot snapshot;
    snapshot.count = gSlog->UkBrSlogova;
    gRecords.forEach([&snapshot](auto &array) {
        snapshot.upperBounds.push_back(array.upperBound());
        std::vector<const void *> slots;
        for (std::int32_t n = 0; n <= array.upperBound(); ++n)
            slots.push_back(array.holdsObject(n) ? &array.at(n) : nullptr);
        snapshot.objects.push_back(std::move(slots));
    });
    const std::int32_t last = std::min(snapshot.count, gRecords.upperBound());
    for (std::int32_t n = 1; n <= last; ++n) {
        bool whole = true;
        gRecords.forEach(
                     [&whole, n](auto &array) { whole = whole && array.holdsObject(n); });
        snapshot.records.push_back(whole ? recordValues(n) : std::vector<std::string>());
    }
    return snapshot;
}

inline void expectSameMemory(const MemorySnapshot &before, const MemorySnapshot &after)
{
    EXPECT_EQ(after.count, before.count);
    EXPECT_EQ(after.upperBounds, before.upperBounds);
    EXPECT_TRUE(after.objects == before.objects) << "a slot gained, lost or changed its object";
    ASSERT_EQ(after.records.size(), before.records.size());
    for (std::size_t i = 0; i < before.records.size(); ++i)
        EXPECT_EQ(after.records[i], before.records[i]) << "record " << i + 1;
}
