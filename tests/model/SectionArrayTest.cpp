#include "SectionArray.h"
#include "clsBase.h"

#include <gtest/gtest.h>

TEST(SectionArray, CreatesAnEmptyObjectOnFirstAccessAndKeepsIt)
{
    SectionArray<clsBase> array("gBase", 3);
    EXPECT_FALSE(array.holdsObject(2));
    EXPECT_EQ(array.at(2).Naziv, "");
    EXPECT_TRUE(array.holdsObject(2));
    array.at(2).Naziv = "Hrast";
    EXPECT_EQ(array.at(2).Naziv, "Hrast");
}
