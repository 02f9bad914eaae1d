#include "TypicalRecord.h"
#include "catalog/CatalogReader.h"
#include "catalog/CatalogWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kMiB = 1 << 20;

// A typical record whose second line, held whole, is `filler` characters long.
std::string recordWithLongLine(std::int64_t number, std::size_t filler)
{
    auto lines = typicalRecordLines(number);
    lines[1] = std::string(filler, 'x');
    std::string bytes;
    for (const std::string &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// The filler that makes record `number` exactly `size` bytes long.
std::size_t fillerForSize(std::int64_t number, std::size_t size)
{
    return size - recordWithLongLine(number, 0).size();
}

}  // namespace

// The writer hands its bytes over a block of about 1 MiB at a time. Records that end exactly
// at a block's end, straddle it, or are larger than a block on their own come out whole.
TEST(CatalogWriterBlocks, RecordsAroundTheBlockSizeComeOutWhole)
{
    struct Row
    {
        const char *name;
        std::string bytes;
    };
    const Row rows[] = {
        {"typical records over several blocks", typicalCatalog(2000)},
        {"first record fills a block exactly",
         recordWithLongLine(1, fillerForSize(1, kMiB)) + typicalCatalog(2)},
        {"first record one byte over a block",
         recordWithLongLine(1, fillerForSize(1, kMiB + 1)) + typicalCatalog(2)},
        {"record of three blocks between small ones",
         typicalCatalog(1) + recordWithLongLine(2, 3 * kMiB) + typicalCatalog(1)},
        {"two records larger than a block in a row",
         recordWithLongLine(1, 2 * kMiB) + recordWithLongLine(2, kMiB + 7)},
    };
    for (const Row &row : rows) {
        LoadedCatalog catalog = readCatalog(row.bytes, "x.odl");
        std::string written;
        bool emptyBlock = false;
        writeCatalog(catalog.arrays, catalog.count, [&](std::string_view block) {
            emptyBlock = emptyBlock || block.empty();
            written += block;
        });
        EXPECT_TRUE(written == row.bytes) << row.name;
        EXPECT_FALSE(emptyBlock) << row.name;
    }
}
