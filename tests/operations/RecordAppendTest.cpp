#include "MemorySnapshot.h"
#include "ProgramState.h"
#include "TypicalRecord.h"
#include "catalog/CatalogFiles.h"
#include "catalog/CatalogReader.h"
#include "catalog/RecordTemplate.h"
#include "operations/RecordAppend.h"
#include "store/basMain.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>
#include <vector>

namespace {
// Allocations still allowed before one fails; negative while none is meant to fail.
long g_allocationsLeft = -1;
}  // namespace

// The test binary's allocator, able to run out of memory on demand.
void *operator new(std::size_t size)
{
    if (g_allocationsLeft == 0)
        throw std::bad_alloc();
    if (g_allocationsLeft > 0)
        --g_allocationsLeft;
    if (void *p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
// GCC takes the standard allocator's pairing for granted here.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void *p) noexcept
{
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

class RecordAppend : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetProgramState();
        LoadedCatalog loaded = readCatalog(typicalCatalog(10), kInputFile);
        gRecords = std::move(loaded.arrays);
        gSlog->UkBrSlogova = loaded.count;
        gBrojSloga = 3;  // on screen; plays no part in the append
        for (std::int32_t n = 1; n <= 10; ++n)
            m_loaded.push_back(recordValues(n));
    }
    void TearDown() override { resetProgramState(); }

    void expectLoadedRecordsUnchanged()
    {
        for (std::int32_t n = 1; n <= 10; ++n)
            EXPECT_EQ(recordValues(n), m_loaded[n - 1]) << "record " << n;
    }

    std::vector<std::vector<std::string>> m_loaded;
};

TEST_F(RecordAppend, CopiesTheLastRecordNotTheOneOnScreen)
{
    EXPECT_EQ(gSlog->appendRecord(), 11);

    EXPECT_EQ(gSlog->UkBrSlogova, 11);
    gRecords.forEach([](auto &array) { EXPECT_EQ(array.upperBound(), 11) << array.name(); });
    EXPECT_EQ(recordValues(11), m_loaded[9]);
    EXPECT_NE(recordValues(11), m_loaded[2]);
    expectLoadedRecordsUnchanged();
}

TEST_F(RecordAppend, NewRecordHasObjectsOfItsOwn)
{
    gSlog->appendRecord();
    gBase.at(11).Naziv = "Novi naziv";
    EXPECT_EQ(gBase.at(10).Naziv, "Melamin 19x0.4 javor 10");
    EXPECT_EQ(gBase.at(11).Naziv, "Novi naziv");
    gRecords.forEach([](auto &array) { EXPECT_NE(&array.at(11), &array.at(10)); });
}

TEST_F(RecordAppend, TwoAppendsBothCopyRecordTen)
{
    EXPECT_EQ(gSlog->appendRecord(), 11);
    EXPECT_EQ(gSlog->appendRecord(), 12);
    EXPECT_EQ(gSlog->UkBrSlogova, 12);
    EXPECT_EQ(gRecords.upperBound(), 12);
    EXPECT_EQ(recordValues(11), m_loaded[9]);
    EXPECT_EQ(recordValues(12), m_loaded[9]);
    expectLoadedRecordsUnchanged();
}

TEST_F(RecordAppend, CarriesAnEditOfTheLastRecord)
{
    gLokal.at(10).Duljina = "3050";
    gBase.at(10).Naziv = "  Hrast  ";
    gSlog->appendRecord();
    EXPECT_EQ(gLokal.at(11).Duljina, "3050");
    EXPECT_EQ(gBase.at(11).Naziv, "  Hrast  ");
    EXPECT_EQ(recordValues(11), recordValues(10));

    // An edit of the new last record goes into the next copy.
    gLokal.at(11).Cijena = "7.77";
    gSlog->appendRecord();
    EXPECT_EQ(gLokal.at(12).Cijena, "7.77");
    EXPECT_EQ(gLokal.at(12).Duljina, "3050");
}

TEST_F(RecordAppend, OntoAnEmptyStoreGivesAnEmptyFirstRecord)
{
    resetProgramState();
    EXPECT_EQ(gSlog->appendRecord(), 1);
    EXPECT_EQ(gSlog->UkBrSlogova, 1);
    EXPECT_EQ(gRecords.upperBound(), 1);
    EXPECT_EQ(recordValues(1), std::vector<std::string>(61));
}

// Memory may run out at any allocation: while the nine arrays grow or while the copy creates
// the new record's objects. Each time the store must be as it was, down to its empty slots.
TEST_F(RecordAppend, RunningOutOfMemoryAnywherePutsEverythingBack)
{
    // Arrays at their exact size and members of their own, so that growing and copying both
    // allocate.
    const auto makeStore = [this](bool lastRecordWhole) {
        gRecords = RecordArrays(10);
        gSlog->UkBrSlogova = 10;
        for (std::int32_t n = 1; n <= 10; ++n) {
            std::size_t i = 0;
            for (const RecordMember &member : recordShape())
                member.access(gRecords, n) = m_loaded[n - 1][i++];
        }
        if (!lastRecordWhole)
            gShape.drop(10);
    };
    for (const bool lastRecordWhole : {true, false}) {
        int failures = 0;
        for (;; ++failures) {
            makeStore(lastRecordWhole);
            const MemorySnapshot before = takeSnapshot();
            g_allocationsLeft = failures;
            try {
                gSlog->appendRecord();
                g_allocationsLeft = -1;
                break;
            } catch (const std::bad_alloc &) {
                g_allocationsLeft = -1;
            }
            expectSameMemory(before, takeSnapshot());
            ASSERT_EQ(gShape.holdsObject(10), lastRecordWhole) << failures;
        }
        EXPECT_GE(failures, 9 + 50) << "the arrays' growth and the copy can both fail";
        EXPECT_EQ(gSlog->UkBrSlogova, 11);
        EXPECT_EQ(recordValues(11), recordValues(10));
    }
}

TEST_F(RecordAppend, FullStoreRefusesBeforeAnythingChanges)
{
    gRecords = RecordArrays(2);
    gBase.at(2).Naziv = "last held";
    gSlog->UkBrSlogova = std::numeric_limits<std::int32_t>::max();
    const MemorySnapshot before = takeSnapshot();

    try {
        gSlog->appendRecord();
        FAIL() << "the append did not fail";
    } catch (const RecordCountFull &error) {
        EXPECT_EQ(std::string(error.what()),
                  "the catalog already holds 2147483647 records, the most it can hold");
    }
    expectSameMemory(before, takeSnapshot());
    EXPECT_EQ(gSlog->UkBrSlogova, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(gRecords.upperBound(), 2);
    EXPECT_EQ(gBrojSloga, 3);
}

}  // namespace
