#include "TypicalRecord.h"
#include "catalog/CatalogError.h"
#include "catalog/CatalogReader.h"
#include "catalog/CatalogWriter.h"
#include "catalog/RecordTemplate.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The record's lines as the writer would put them together, record after record.
Lines linesOf(LoadedCatalog &catalog)
{
    Lines lines;
    for (std::int32_t n = 1; n <= catalog.count; ++n) {
        for (const TemplateLine &line : recordTemplate()) {
            std::string text;
            for (const RecordMember &piece : line.pieces)
                text += piece.access(catalog.arrays, n);
            lines.push_back(text);
        }
    }
    return lines;
}

// Every member of every record, so that two loads can be compared piece by piece.
Lines membersOf(LoadedCatalog &catalog)
{
    Lines members;
    for (std::int32_t n = 1; n <= catalog.count; ++n) {
        for (const RecordMember &member : recordShape())
            members.push_back(member.access(catalog.arrays, n).str());
    }
    return members;
}

void expectUpperBounds(const RecordArrays &arrays, std::int32_t upperBound, const char *name)
{
    arrays.forEach([&](const auto &array) {
        EXPECT_EQ(array.upperBound(), upperBound) << name << ", " << array.name();
    });
}

// The first `count` lines of typical records 1, 2, 3, ...
Lines typicalLines(std::size_t count)
{
    Lines lines;
    for (std::int64_t n = 1; lines.size() < count; ++n) {
        for (const std::string &line : typicalRecordLines(n))
            lines.push_back(line);
    }
    lines.resize(count);
    return lines;
}

// `lines`, each followed by `end`; the last one without it unless `finalEnd`.
std::string joinLines(const Lines &lines, std::string_view end = "\r\n", bool finalEnd = true)
{
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += lines[i];
        if (finalEnd || i + 1 < lines.size())
            bytes += end;
    }
    return bytes;
}

// A trailing part record filled up with empty lines, as it reads after a load.
Lines padded(Lines lines)
{
    while (lines.size() % 45 != 0)
        lines.emplace_back();
    return lines;
}

std::int32_t recordsFor(std::size_t lines)
{
    return static_cast<std::int32_t>((lines + 44) / 45);
}

// A typical record whose last line is not empty, so that losing it would show.
Lines recordWithClosingText()
{
    Lines lines = typicalLines(45);
    lines[44] = "-- 45";
    return lines;
}

// ----------------------------------------------------------------------------------------------

TEST(CatalogReader, LineEnds)
{
    struct Row
    {
        const char *name;
        std::string bytes;
        Lines lines;
        bool lfLineEndsOnly = false;
        bool loneCr = false;
    };
    const Lines record = recordWithClosingText();
    Lines withLf = record;
    withLf[1] = "  lo\ncal";
    withLf[2] = "\n";
    Lines withEmpty = record;
    withEmpty[2] = "";
    Lines withOddBytes = record;
    withOddBytes[1] = std::string("a\0b\xFF\x81\t ", 7);
    Lines twoRecords = record;
    twoRecords.push_back("base #X;");

    std::string mixed;
    for (std::size_t i = 0; i < record.size(); ++i)
        mixed += record[i] + (i % 3 == 0 ? "\r" : "\r\n");

    const Row rows[] = {
        {"CR LF after every line", joinLines(record), record},
        {"a lone CR ends a line", joinLines(record, "\r"), record, false, true},
        {"CR and CR LF mixed", mixed, record, false, true},
        {"no line end after the last line", joinLines(record, "\r\n", false), record},
        {"no lone CR after the last line", joinLines(record, "\r", false), record, false, true},
        {"a lone CR at the very end", joinLines(record, "\r\n", false) + "\r", record, false,
         true},
        {"a lone LF is text, also right after CR LF", joinLines(withLf), withLf},
        {"CR CR holds an empty line", joinLines(withEmpty, "\r"), withEmpty, false, true},
        {"NUL, high bytes and tabs are text", joinLines(withOddBytes), withOddBytes},
        {"a final line end starts no line", joinLines(twoRecords), twoRecords},
        {"a last line with no end is a line", joinLines(twoRecords, "\r\n", false), twoRecords},
        {"LF alone everywhere: one line, and noted", joinLines(record, "\n"),
         {joinLines(record, "\n")}, true},
    };
    for (const Row &row : rows) {
        LoadedCatalog catalog = readCatalog(row.bytes, "x.odl");
        EXPECT_EQ(catalog.count, recordsFor(row.lines.size())) << row.name;
        EXPECT_EQ(linesOf(catalog), padded(row.lines)) << row.name;
        EXPECT_EQ(catalog.lfLineEndsOnly, row.lfLineEndsOnly) << row.name;
        EXPECT_EQ(catalog.loneCrLineEnds, row.loneCr) << row.name;
    }
}

// A CR at the end of one piece and its LF at the start of the next make one line end.
TEST(CatalogReader, LineEndSplitBetweenPieces)
{
    struct Row
    {
        const char *name;
        std::vector<std::string_view> pieces;
        Lines lines;
        bool loneCr = false;
    };
    const Row rows[] = {
        {"CR | LF", {"base #A;\r", "\nx\r\n"}, {"base #A;", "x"}},
        {"CR | empty | LF", {"base #A;\r", "", "\nx"}, {"base #A;", "x"}},
        {"CR | CR LF", {"base #A;\r", "\r\nx"}, {"base #A;", "", "x"}, true},
        {"text | CR | LF | text", {"base #A;", "\r", "\n", "x"}, {"base #A;", "x"}},
        {"CR | LF | LF", {"base #A;\r", "\n", "\n"}, {"base #A;", "\n"}},
        {"line over three pieces", {"base ", "#A", ";\r\n"}, {"base #A;"}},
    };
    for (const Row &row : rows) {
        CatalogReader reader("x.odl");
        for (const std::string_view piece : row.pieces)
            reader.feed(piece);
        LoadedCatalog catalog = reader.finish();
        EXPECT_EQ(catalog.count, 1) << row.name;
        EXPECT_EQ(linesOf(catalog), padded(row.lines)) << row.name;
        EXPECT_EQ(catalog.loneCrLineEnds, row.loneCr) << row.name;
    }
}

TEST(CatalogReader, PiecesOfAnySizeGiveTheSameRecords)
{
    // Three records with every kind of line end, an LF inside a line, and no final line end.
    Lines lines = typicalLines(3 * 45);
    lines[46] = "  lo\ncal";
    lines[134] = "-- the end";
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += lines[i];
        if (i + 1 < lines.size())
            bytes += i % 2 == 0 ? "\r\n" : "\r";
    }

    LoadedCatalog whole = readCatalog(bytes, "x.odl");
    ASSERT_EQ(linesOf(whole), lines);
    const Lines expected = membersOf(whole);

    for (std::size_t size = 1; size <= 64; ++size) {
        CatalogReader reader("x.odl");
        for (std::size_t at = 0; at < bytes.size(); at += size)
            reader.feed(std::string_view(bytes).substr(at, size));
        LoadedCatalog catalog = reader.finish();
        EXPECT_EQ(catalog.count, 3) << "pieces of " << size;
        expectUpperBounds(catalog.arrays, 3, "upper bound");
        EXPECT_EQ(membersOf(catalog), expected) << "pieces of " << size;

        // Read a stretch at a time into one held block, as a load does: a line that spans two
        // stretches still refers into the block, uncopied.
        CatalogReader stretches("x.odl");
        char *block = stretches.hold(HeldBlock(bytes.size()), bytes.size());
        for (std::size_t at = 0; at < bytes.size(); at += size) {
            const std::size_t stretch = std::min(size, bytes.size() - at);
            std::memcpy(block + at, bytes.data() + at, stretch);
            stretches.feedHeld(stretch);
        }
        LoadedCatalog held = stretches.finish();
        EXPECT_EQ(membersOf(held), expected) << "stretches of " << size;
        for (std::int32_t n = 1; n <= held.count; ++n) {
            for (const RecordMember &member : recordShape())
                EXPECT_FALSE(member.access(held.arrays, n).isOwned())
                    << "stretches of " << size << ", record " << n;
        }
    }
}

TEST(CatalogReader, EmptyInputHoldsNoRecord)
{
    LoadedCatalog catalog = readCatalog("", "x.odl");
    EXPECT_EQ(catalog.count, 0);
    expectUpperBounds(catalog.arrays, 0, "empty input");

    CatalogReader reader("x.odl");
    reader.feed("");
    reader.feed("");
    LoadedCatalog fed = reader.finish();
    EXPECT_EQ(fed.count, 0);
    expectUpperBounds(fed.arrays, 0, "empty pieces");
}

// The arrays grow in steps while loading; after the load the upper bound is the count. A last
// record the file ends in part-way is named, with the first line it lacks.
TEST(CatalogReader, RecordCountAndUpperBound)
{
    struct Row
    {
        const char *name;
        std::size_t lines;
        std::int32_t records;
        int firstMissingLine = 0;
    };
    const Row rows[] = {
        {"1 line", 1, 1, 2},         {"44 lines", 44, 1, 45},
        {"45 lines", 45, 1},         {"46 lines", 46, 2, 2},
        {"90 lines", 90, 2},         {"91 lines", 91, 3, 2},
        {"99 records", 99 * 45, 99}, {"100 records", 100 * 45, 100},
        {"100 records and a line", 100 * 45 + 1, 101, 2},
    };
    for (const Row &row : rows) {
        LoadedCatalog catalog = readCatalog(joinLines(typicalLines(row.lines)), "x.odl");
        EXPECT_EQ(catalog.count, row.records) << row.name;
        expectUpperBounds(catalog.arrays, row.records, row.name);
        EXPECT_EQ(catalog.missingLines.record, row.firstMissingLine == 0 ? 0 : row.records)
            << row.name;
        EXPECT_EQ(catalog.missingLines.firstLine, row.firstMissingLine) << row.name;
    }
}

// While loading, the arrays stay ahead of the record count by up to 100 slots and grow when the
// first line of every hundredth record arrives.
TEST(CatalogReader, ArraysGrowAHundredRecordsAtATime)
{
    struct Row
    {
        const char *name;
        std::size_t lines;
        std::int32_t upperBound;
    };
    const Row rows[] = {
        {"nothing yet", 0, 100},
        {"99 records", 99 * 45, 100},
        {"first line of record 100", 99 * 45 + 1, 200},
        {"100 records", 100 * 45, 200},
        {"first line of record 200", 199 * 45 + 1, 300},
    };
    for (const Row &row : rows) {
        CatalogReader reader("x.odl");
        reader.feed(joinLines(typicalLines(row.lines)));
        EXPECT_EQ(reader.upperBound(), row.upperBound) << row.name;
    }
}

// A record the file ends in after its first line has only that line's pieces; the section
// objects of its other lines are not made by the load, and read as empty.
TEST(CatalogReader, RecordOfOneLine)
{
    for (const std::size_t lines : {46u, 91u}) {
        const std::int32_t last = recordsFor(lines);
        LoadedCatalog catalog = readCatalog(joinLines(typicalLines(lines)), "x.odl");
        ASSERT_EQ(catalog.count, last) << lines << " lines";
        RecordArrays &arrays = catalog.arrays;

        // Line 1 is the base's: no other array has an object for the record.
        int holding = 0;
        arrays.forEach([&](const auto &array) { holding += array.holdsObject(last); });
        EXPECT_EQ(holding, 1) << lines << " lines";
        EXPECT_TRUE(arrays.base.holdsObject(last));
        EXPECT_TRUE(arrays.lokal.holdsObject(last - 1));

        const clsBase &base = arrays.base.at(last);
        EXPECT_EQ(base.PocDeoRedaiTekst, "base #");
        const std::string baseLine = typicalRecordLines(last)[0];
        EXPECT_EQ(base.Naziv, baseLine.substr(6, baseLine.size() - 7));
        EXPECT_EQ(base.TackaZarezNaKraju, ";");
        EXPECT_EQ(base.enddef_CeoRed, "");

        EXPECT_EQ(arrays.lokal.at(last).Duljina, "");
        EXPECT_EQ(arrays.pricemod5.at(last).priceend_CeoRed, "");
        EXPECT_TRUE(arrays.lokal.holdsObject(last));
    }
}

TEST(CatalogReader, LineThatCannotBeCut)
{
    struct Row
    {
        const char *name;
        const char *file;
        std::string bytes;
        const char *message;
    };
    Lines shifted = typicalLines(3 * 45);
    shifted.erase(shifted.begin() + 45 + 2);  // record 2 loses its Params line
    Lines unclosed = typicalLines(2 * 45);
    unclosed.erase(unclosed.begin() + 44);  // record 1 loses its closing empty line
    Lines noObjectName = typicalLines(3 * 45);
    noObjectName[90 + 15] = "    tUserSifra = #1000003, tOpis = Traka, ObjectName = #1,";
    Lines badPrice = typicalLines(45);
    badPrice[6] = "    cijena = 1.25";
    Lines extraEmptyLine = typicalLines(45);
    extraEmptyLine.emplace_back();
    Lines badUnit = typicalLines(45);
    badUnit[3] = "    JedinicaMjere = #m;";

    const Row rows[] = {
        {"an empty line after the last record", "x.odl", typicalCatalog(1) + "\r\n",
         "x.odl, line 46 (record 2, line 1): no \";\" in the line"},
        {"an empty line after two records", "Trake.odl", typicalCatalog(2) + "\r\n",
         "Trake.odl, line 91 (record 3, line 1): no \";\" in the line"},
        {"lone CR line ends are counted", "x.odl", joinLines(extraEmptyLine, "\r"),
         "x.odl, line 46 (record 2, line 1): no \";\" in the line"},
        {"a last line without a line end", "x.odl", typicalCatalog(1) + "oops",
         "x.odl, line 46 (record 2, line 1): no \";\" in the line"},
        {"a record shifted by one line", "x.odl", joinLines(shifted),
         "x.odl, line 50 (record 2, line 5): no \"Duljina =\" in the line"},
        {"a record without its closing line", "x.odl", joinLines(unclosed),
         "x.odl, line 46 (record 2, line 1): no \";\" in the line"},
        {"a description line without $ObjectName", "x.odl", joinLines(noObjectName),
         "x.odl, line 106 (record 3, line 16): no \"$ObjectName\" in the line"},
        {"a price line without ,", "x.odl", joinLines(badPrice),
         "x.odl, line 7 (record 1, line 7): no \",\" after the price"},
        {"a unit line ending in ;", "x.odl", joinLines(badUnit),
         "x.odl, line 4 (record 1, line 4): no \",\" after the first \"#\""},
    };
    for (const Row &row : rows) {
        try {
            readCatalog(row.bytes, row.file);
            ADD_FAILURE() << row.name << ": loaded";
        } catch (const CatalogError &error) {
            EXPECT_STREQ(error.what(), row.message) << row.name;
        }
    }
}

// ----------------------------------------------------------------------------------------------
// Round trips: writing what was read.

std::string writtenBack(std::string_view bytes)
{
    LoadedCatalog catalog = readCatalog(bytes, "x.odl");
    return catalogBytes(catalog.arrays, catalog.count);
}

TEST(CatalogReader, TypicalCatalogsComeBackByteForByte)
{
    for (const std::int64_t records : {1, 2, 3, 45, 100, 101}) {
        const std::string bytes = typicalCatalog(records);
        EXPECT_TRUE(writtenBack(bytes) == bytes) << records << " records";
    }
}

TEST(CatalogReader, SampleCatalogComesBackByteForByte)
{
    std::ifstream file(VELMORA_SOURCE_DIR "/examples/Trake.odl", std::ios::binary);
    ASSERT_TRUE(file) << "examples/Trake.odl is missing";
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(bytes.empty());

    LoadedCatalog catalog = readCatalog(bytes, "Trake.odl");
    EXPECT_GT(catalog.count, 1);
    EXPECT_TRUE(catalogBytes(catalog.arrays, catalog.count) == bytes);
}

// The 40 whole lines take any text; only the line ends and the five cut lines have a shape.
TEST(CatalogReader, ArbitraryWholeLinesComeBackByteForByte)
{
    std::mt19937 engine(45);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    for (int catalogs = 0; catalogs < 200; ++catalogs) {
        const std::int64_t records = 1 + catalogs % 3;
        Lines lines = typicalLines(static_cast<std::size_t>(records) * 45);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::size_t line = i % 45 + 1;
            if (line == 1 || line == 4 || line == 5 || line == 7 || line == 16)
                continue;
            std::string text;
            for (int n = length(engine); n > 0; --n) {
                const char ch = static_cast<char>(byte(engine));
                text += ch == '\r' ? '\n' : ch;
            }
            lines[i] = text;
        }
        const std::string bytes = joinLines(lines);
        ASSERT_TRUE(writtenBack(bytes) == bytes) << "catalog " << catalogs;
    }
}

// Input the writer cannot reproduce comes back with CR LF after every line and the last
// record filled up to 45 lines.
TEST(CatalogReader, IrregularInputComesBackNormalised)
{
    struct Row
    {
        const char *name;
        Lines lines;
        const char *end;
        bool finalEnd;
    };
    Lines withLf = recordWithClosingText();
    withLf[1] = "  lo\ncal\n";
    Lines endsInText = typicalLines(89);
    endsInText.push_back("x");
    const Row rows[] = {
        {"lone CR line ends", recordWithClosingText(), "\r", true},
        {"no final lone CR", recordWithClosingText(), "\r", false},
        {"no final CR LF", endsInText, "\r\n", false},
        {"a 44-line last record", typicalLines(89), "\r\n", true},
        {"a one-line last record without a line end", typicalLines(46), "\r\n", false},
        {"LF inside lines, lone CR line ends", withLf, "\r", true},
    };
    for (const Row &row : rows) {
        const std::string bytes = joinLines(row.lines, row.end, row.finalEnd);
        EXPECT_EQ(writtenBack(bytes), joinLines(padded(row.lines))) << row.name;
    }
}

}  // namespace
