#include "MemorySnapshot.h"
#include "ProgramState.h"
#include "store/basMain.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

class RecordModel : public ::testing::Test
{
protected:
    void SetUp() override { resetProgramState(); }
    void TearDown() override { resetProgramState(); }
};

TEST_F(RecordModel, StoreIsCreatedOnFirstUseWithCountZero)
{
    EXPECT_FALSE(gSlog.exists());
    EXPECT_EQ(gSlog->UkBrSlogova, 0);
    EXPECT_TRUE(gSlog.exists());
}

TEST_F(RecordModel, ResetGivesAFreshStore)
{
    gSlog->UkBrSlogova = 7;
    gSlog.reset();
    EXPECT_FALSE(gSlog.exists());
    EXPECT_EQ(gSlog->UkBrSlogova, 0);
}

// gBase to gPricemod5 are how the rest of the program reaches the arrays, so they must follow
// gRecords when a load swaps a new set in.
TEST_F(RecordModel, GlobalArraysFollowAReplacedSet)
{
    RecordArrays loaded(3);
    loaded.base.at(2).Naziv = "Hrast";
    loaded.pricemod5.at(3).priceend_CeoRed = "priceend;";
    gRecords = std::move(loaded);

    EXPECT_EQ(gBase.upperBound(), 3);
    EXPECT_EQ(gPricemod5.upperBound(), 3);
    EXPECT_EQ(gBase.at(2).Naziv, "Hrast");
    EXPECT_EQ(gPricemod5.at(3).priceend_CeoRed, "priceend;");
    EXPECT_EQ(std::string(gLokal.name()), "gLokal");
}

TEST_F(RecordModel, RedimAllResizesEveryArrayAlike)
{
    gRecords.redimAll(100);
    gRecords.forEach([](auto &array) {
        EXPECT_EQ(array.upperBound(), 100) << array.name();
        array.at(100);
    });
    gRecords.redimAll(4);
    gRecords.forEach([](auto &array) {
        EXPECT_EQ(array.upperBound(), 4) << array.name();
        EXPECT_FALSE(array.holdsObject(4)) << array.name();
    });
}

// Each array reports its own name, one no other array has, when a record number falls
// outside it.
TEST_F(RecordModel, EachArrayNamesItselfWhenOutOfRange)
{
    gRecords.redimAll(2);
    std::set<std::string> names;
    gRecords.forEach([&](auto &array) {
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

TEST_F(RecordModel, UnwrittenRecordReadsEmpty)
{
    gRecords.redimAll(1);
    EXPECT_EQ(recordValues(1), std::vector<std::string>(61));
    gRecords.forEach([](auto &array) { EXPECT_TRUE(array.holdsObject(1)) << array.name(); });
}
