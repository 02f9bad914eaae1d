#include "MemorySnapshot.h"
#include "ProgramState.h"
#include "store/basMain.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class BasMain : public ::testing::Test
{
protected:
    void SetUp() override { resetProgramState(); }
    void TearDown() override { resetProgramState(); }
};

TEST_F(BasMain, StoreIsCreatedOnFirstUseWithCountZero)
{
    EXPECT_FALSE(gSlog.exists());
    EXPECT_EQ(gSlog->UkBrSlogova, 0);
    EXPECT_TRUE(gSlog.exists());
}

TEST_F(BasMain, ResetGivesAFreshStore)
{
    gSlog->UkBrSlogova = 7;
    gSlog.reset();
    EXPECT_FALSE(gSlog.exists());
    EXPECT_EQ(gSlog->UkBrSlogova, 0);
}

// gBase to gPricemod5 are how the rest of the program reaches the arrays, so they must follow
// gRecords when a load swaps a new set in.
TEST_F(BasMain, GlobalArraysFollowAReplacedSet)
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

}  // namespace
