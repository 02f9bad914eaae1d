#include "MemorySnapshot.h"
#include "model/RecordArrays.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

TEST(RecordArrays, RedimAllResizesEveryArrayAlike)
{
    RecordArrays arrays;
    arrays.redimAll(100);
    arrays.forEach([](auto &array) {
        EXPECT_EQ(array.upperBound(), 100) << array.name();
        array.at(100);
    });
    arrays.redimAll(4);
    arrays.forEach([](auto &array) {
        EXPECT_EQ(array.upperBound(), 4) << array.name();
        EXPECT_FALSE(array.holdsObject(4)) << array.name();
    });
}

// Each array reports its own name, one no other array has, when a record number falls
// outside it.
TEST(RecordArrays, EachArrayNamesItselfWhenOutOfRange)
{
    RecordArrays arrays;
    arrays.redimAll(2);
    std::set<std::string> names;
    arrays.forEach([&](auto &array) {
        const std::string name = array.name();
        EXPECT_TRUE(names.insert(name).second) << name << " twice";
        try {
            array.at(3);
            ADD_FAILURE() << name << ": no exception";
        } catch (const SubscriptOutOfRange &error) {
            EXPECT_EQ(std::string(error.what()),
                      "subscript out of range: record 3 is outside " + name + "(0 to 2)");
        }
    });
    EXPECT_EQ(names.size(), 9u);
}

TEST(RecordArrays, UnwrittenRecordReadsEmpty)
{
    RecordArrays arrays;
    arrays.redimAll(1);
    EXPECT_EQ(recordValues(arrays, 1), std::vector<std::string>(61));
    arrays.forEach([](auto &array) { EXPECT_TRUE(array.holdsObject(1)) << array.name(); });
}

}  // namespace
