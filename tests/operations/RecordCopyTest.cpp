#include "MemorySnapshot.h"
#include "ProgramState.h"
#include "catalog/RecordTemplate.h"
#include "store/basMain.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kRecords = 5;

// Distinct text for member i of a record, with blanks at either end and now and then empty,
// so a copy that trims, drops or swaps members shows.
std::string sample(const char *record, std::size_t i)
{
    if (i % 10 == 3)
        return "";
    return "  " + std::string(record) + " member " + std::to_string(i) + " ";
}

void fill(std::int32_t n, const char *tag)
{
    std::size_t i = 0;
    for (const RecordMember &member : recordShape())
        member.access(gRecords, n) = sample(tag, i++);
}

std::vector<Text *> neverUsed(clsLokal &lokal)
{
    return {&lokal.colg_CeoRed,     &lokal.colb_CeoRed,       &lokal.alpha_CeoRed,
            &lokal.Tekstura_CeoRed, &lokal.tUserSifra_CeoRed, &lokal.ObjectName_CeoRed};
}

std::vector<const void *> objectsOf(std::int32_t n)
{
    std::vector<const void *> objects;
    gRecords.forEach([&](auto &array) {
        objects.push_back(array.holdsObject(n) ? &array.at(n) : nullptr);
    });
    return objects;
}

class RecordCopy : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetProgramState();
        gRecords = RecordArrays(kRecords);
        gSlog->UkBrSlogova = kRecords;
        gBrojSloga = 2;
        fill(1, "first");
        fill(2, "second");
        fill(3, "third");
    }
    void TearDown() override { resetProgramState(); }
};

// The copy walks recordShape(); two entries reaching one member would leave a line uncopied.
TEST_F(RecordCopy, RecordMembersReachSixtyOneDistinctMembers)
{
    ASSERT_EQ(recordShape().size(), 61u);
    std::size_t i = 0;
    for (const RecordMember &member : recordShape())
        member.access(gRecords, 4) = "distinct " + std::to_string(i++);
    i = 0;
    for (const RecordMember &member : recordShape())
        EXPECT_EQ(member.access(gRecords, 4), "distinct " + std::to_string(i++));
    for (const Text *member : neverUsed(gLokal.at(4)))
        EXPECT_EQ(*member, "");
}

TEST_F(RecordCopy, CopiesEveryLineMemberOntoANewSlot)
{
    gRecords.redimAll(kRecords + 1);
    gSlog->KopiranjeSloga(kRecords + 1, 2);

    const std::vector<std::string> source = recordValues(2);
    EXPECT_EQ(recordValues(kRecords + 1), source);
    for (std::size_t i = 0; i < source.size(); ++i)
        EXPECT_EQ(source[i], sample("second", i)) << "member " << i << " of the source changed";

    for (Text *member : neverUsed(gLokal.at(kRecords + 1)))
        EXPECT_EQ(*member, "");

    // Nothing else moves: the count, the bounds, the record on screen.
    EXPECT_EQ(gSlog->UkBrSlogova, kRecords);
    EXPECT_EQ(gRecords.upperBound(), kRecords + 1);
    EXPECT_EQ(gBrojSloga, 2);
}

TEST_F(RecordCopy, NeverUsedLokalMembersOfTheTargetStayAsTheyWere)
{
    std::size_t i = 0;
    for (Text *member : neverUsed(gLokal.at(3)))
        *member = "target " + std::to_string(i++);
    for (Text *member : neverUsed(gLokal.at(2)))
        *member = "source";

    gSlog->KopiranjeSloga(3, 2);

    i = 0;
    for (Text *member : neverUsed(gLokal.at(3)))
        EXPECT_EQ(*member, "target " + std::to_string(i++));
    for (Text *member : neverUsed(gLokal.at(2)))
        EXPECT_EQ(*member, "source");
}

TEST_F(RecordCopy, OntoItselfChangesNothing)
{
    const MemorySnapshot before = takeSnapshot();
    gSlog->KopiranjeSloga(2, 2);
    expectSameMemory(before, takeSnapshot());
}

// The target keeps objects of its own, none shared with the source.
TEST_F(RecordCopy, OntoAnExistingRecordKeepsItsObjects)
{
    const std::vector<const void *> objects = objectsOf(3);
    gSlog->KopiranjeSloga(3, 1);
    EXPECT_EQ(objectsOf(3), objects);
    EXPECT_EQ(recordValues(3), recordValues(1));
    for (std::size_t a = 0; a < objects.size(); ++a)
        EXPECT_NE(objectsOf(1)[a], objects[a]) << "array " << a << " shares an object";
}

TEST_F(RecordCopy, FromAnEmptySlotEmptiesTheTarget)
{
    ASSERT_EQ(objectsOf(4), std::vector<const void *>(9, nullptr));
    gLokal.at(3).colg_CeoRed = "kept";

    gSlog->KopiranjeSloga(3, 4);

    EXPECT_EQ(recordValues(3), std::vector<std::string>(61));
    EXPECT_EQ(gLokal.at(3).colg_CeoRed, "kept");
    for (const void *object : objectsOf(4))
        EXPECT_NE(object, nullptr);
}

TEST_F(RecordCopy, RecordOutsideTheArraysChangesNoMember)
{
    struct Row
    {
        const char *name;
        std::int32_t target;
        std::int32_t source;
        const char *message;
    };
    const Row rows[] = {
        {"source one past the upper bound", 2, kRecords + 1,
         "subscript out of range: record 6 is outside gBase(0 to 5)"},
        {"target one past the upper bound", kRecords + 1, 2,
         "subscript out of range: record 6 is outside gBase(0 to 5)"},
        {"target out of range, source slot empty", kRecords + 1, 4,
         "subscript out of range: record 6 is outside gBase(0 to 5)"},
        {"negative target", -1, 2, "subscript out of range: record -1 is outside gBase(0 to 5)"},
        {"negative source", 2, -1, "subscript out of range: record -1 is outside gBase(0 to 5)"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        const MemorySnapshot before = takeSnapshot();
        try {
            gSlog->KopiranjeSloga(row.target, row.source);
            ADD_FAILURE() << row.name << ": no exception";
        } catch (const SubscriptOutOfRange &error) {
            EXPECT_EQ(std::string(error.what()), row.message) << row.name;
        }
        expectSameMemory(before, takeSnapshot());
    }
}

}  // namespace
