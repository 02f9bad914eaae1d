#include "model/SectionArray.h"
#include "model/clsBase.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

TEST(SectionArray, CreatesAnEmptyObjectOnFirstAccessAndKeepsIt)
{
    SectionArray<clsBase> array("gBase", 3);
    EXPECT_FALSE(array.holdsObject(2));
    EXPECT_EQ(array.at(2).Naziv, "");
    EXPECT_TRUE(array.holdsObject(2));
    array.at(2).Naziv = "Hrast";
    EXPECT_EQ(array.at(2).Naziv, "Hrast");
}

TEST(SectionArray, IndexOutsideTheBoundsNamesTheArrayAndCreatesNothing)
{
    struct Row
    {
        const char *name;
        std::int64_t index;
        const char *message;
    };
    const Row rows[] = {
        {"one past the upper bound", 11,
         "subscript out of range: record 11 is outside gBase(0 to 10)"},
        {"far past the upper bound", 12,
         "subscript out of range: record 12 is outside gBase(0 to 10)"},
        {"negative", -1, "subscript out of range: record -1 is outside gBase(0 to 10)"},
        {"beyond 32 bits", std::int64_t(1) << 32,
         "subscript out of range: record 4294967296 is outside gBase(0 to 10)"},
    };
    for (const Row &row : rows) {
        SectionArray<clsBase> array("gBase", 10);
        try {
            array.at(row.index);
            ADD_FAILURE() << row.name << ": no exception";
        } catch (const SubscriptOutOfRange &error) {
            EXPECT_EQ(std::string(error.what()), row.message) << row.name;
        }
        EXPECT_EQ(array.upperBound(), 10) << row.name;
        for (std::int64_t n = 0; n <= 10; ++n)
            EXPECT_FALSE(array.holdsObject(n)) << row.name << ", slot " << n;
    }
}

TEST(SectionArray, BothBoundsAreUsable)
{
    SectionArray<clsBase> array("gBase", 10);
    array.at(0).Naziv = "zero";
    array.at(10).Naziv = "ten";
    EXPECT_EQ(array.at(0).Naziv, "zero");
    EXPECT_EQ(array.at(10).Naziv, "ten");
}

TEST(SectionArray, RedimKeepsTheObjectsThatRemainAndDropsTheRest)
{
    SectionArray<clsBase> array("gBase", 5);
    array.at(2).Naziv = "kept";
    const clsBase *kept = &array.at(2);
    array.at(4).Naziv = "dropped";
    array.at(5).Naziv = "dropped too";

    array.redim(3);
    EXPECT_EQ(array.upperBound(), 3);
    EXPECT_EQ(&array.at(2), kept);
    EXPECT_EQ(array.at(2).Naziv, "kept");
    EXPECT_THROW(array.at(4), SubscriptOutOfRange);

    // Growing again brings back empty slots, not the objects that were dropped.
    array.redim(200);
    EXPECT_EQ(array.upperBound(), 200);
    EXPECT_FALSE(array.holdsObject(4));
    EXPECT_FALSE(array.holdsObject(5));
    EXPECT_EQ(array.at(4).Naziv, "");
    EXPECT_EQ(array.at(5).Naziv, "");
    EXPECT_EQ(&array.at(2), kept);
    EXPECT_EQ(array.at(2).Naziv, "kept");
}

TEST(SectionArray, RedimToZeroLeavesOnlyIndexZero)
{
    SectionArray<clsBase> array("gBase", 100);
    array.at(0).Naziv = "index zero";
    array.at(1).Naziv = "record one";
    array.redim(0);
    EXPECT_EQ(array.upperBound(), 0);
    EXPECT_EQ(array.at(0).Naziv, "index zero");
    EXPECT_THROW(array.at(1), SubscriptOutOfRange);
}
