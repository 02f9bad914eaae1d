#include "CatalogError.h"
#include "CatalogFiles.h"
#include "CatalogReader.h"
#include "CatalogWriter.h"
#include "ChildProcess.h"
#include "MemorySnapshot.h"
#include "ProgramState.h"
#include "SafeFileWriter.h"
#include "SavedButNotSynced.h"
#include "TempFolder.h"
#include "TypicalRecord.h"
#include "basMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <regex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> typicalLines(std::int64_t records)
{
    std::vector<std::string> lines;
    for (std::int64_t n = 1; n <= records; ++n) {
        const auto record = typicalRecordLines(n);
        lines.insert(lines.end(), record.begin(), record.end());
    }
    return lines;
}

std::string withCrLf(const std::vector<std::string> &lines)
{
    std::string bytes;
    for (const std::string &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Empty when equal; otherwise where two files part, short enough to print.
std::string difference(const std::string &actual, const std::string &expected)
{
    if (actual == expected)
        return "";
    const auto parted = std::mismatch(actual.begin(), actual.end(), expected.begin(),
                                      expected.end());
    const auto at = static_cast<std::size_t>(parted.first - actual.begin());
    return std::to_string(actual.size()) + " bytes instead of " + std::to_string(expected.size())
           + ", first difference at byte " + std::to_string(at) + ": \""
           + actual.substr(at, 20) + "\" instead of \"" + expected.substr(at, 20) + "\"";
}

std::string emptyLines(int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += "\r\n";
    return bytes;
}

std::string replaceFirst(std::string text, const std::string &from, const std::string &to)
{
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        throw std::logic_error("the test's input lacks \"" + from + "\"");
    text.replace(at, from.size(), to);
    return text;
}

// The names in a folder, sorted and joined by blanks: a leftover temporary file shows up here.
std::string listFolder(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string &name : names)
        joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

std::string readWhole(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

mode_t modeOf(const fs::path &file)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

// What `work` threw as a CatalogError, or "" when it went through.
std::string errorOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const CatalogError &error) {
        return error.what();
    }
    return "";
}

// Puts `records` typical records in memory without a file, as a load would.
void holdTypicalCatalog(std::int64_t records)
{
    LoadedCatalog loaded = readCatalog(typicalCatalog(records), kInputFile);
    gRecords = std::move(loaded.arrays);
    gSlog->UkBrSlogova = loaded.count;
}

class CatalogFile : public ::testing::Test
{
protected:
    void SetUp() override { resetProgramState(); }
    void TearDown() override { resetProgramState(); }

    void load(std::string_view bytes, EmptyCatalog ifEmpty = EmptyCatalog::Accept)
    {
        folder.write(kInputFile, bytes);
        gSlog->UcitavanjeIzFajla(ifEmpty);
    }

    TempFolder folder;
};

// --- Loader ------------------------------------------------------------------------------------

TEST_F(CatalogFile, LoadsEveryLineOfThreeRecords)
{
    gBrojSloga = 2;
    load(typicalCatalog(3));

    EXPECT_EQ(gSlog->UkBrSlogova, 3);
    gRecords.forEach([](auto &array) { EXPECT_EQ(array.upperBound(), 3) << array.name(); });
    EXPECT_EQ(gBrojSloga, 2);

    const auto second = typicalRecordLines(2);
    EXPECT_EQ(gShape.at(2).shape_CeoRed, second[18]);
    EXPECT_EQ(gShape.at(2).colr_CeoRed, second[19]);
    EXPECT_EQ(gShape.at(2).type_CeoRed, second[20]);
    EXPECT_EQ(gLokal.at(2).Duljina, "2002");
    EXPECT_EQ(gLokal.at(2).Sirina, "23");
    EXPECT_EQ(gLokal.at(2).Debljina, "1");
    EXPECT_EQ(gLokal.at(2).Cijena, "2.12");
    EXPECT_EQ(gBase.at(3).Naziv, "Furnir 24 hrast 3");
    EXPECT_EQ(gBase.at(3).PrazanRedNaKraju_CeoRed, "");
    EXPECT_EQ(gPricemod3.at(1).CijenaGrupa2_CeoRed,
              "    Cijena = Cijena * ( 1 + GdMarzaZaPlocasteMaterijale );");

    // Every line of every record, put together from its members.
    for (std::int64_t n = 1; n <= 3; ++n) {
        const auto expected = typicalRecordLines(n);
        for (std::size_t line = 0; line < expected.size(); ++line) {
            std::string joined;
            for (const RecordMember &piece : recordTemplate()[line].pieces)
                joined += piece.access(gRecords, n);
            EXPECT_EQ(joined, expected[line]) << "record " << n << ", line " << line + 1;
        }
    }
}

TEST_F(CatalogFile, FailedLoadLeavesMemoryAsItWas)
{
    struct Row
    {
        const char *name;
        std::optional<std::string> file;  // nothing: no "Trake.odl" at all
        EmptyCatalog ifEmpty;
        std::string message;
    };
    auto withLine = [](std::int64_t records, std::size_t index, const std::string &line) {
        auto lines = typicalLines(records);
        lines[index] = line;
        return withCrLf(lines);
    };
    auto withoutLine = [](std::int64_t records, std::size_t index) {
        auto lines = typicalLines(records);
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
        return withCrLf(lines);
    };
    const Row rows[] = {
        {"missing file", std::nullopt, EmptyCatalog::Accept,
         "Trake.odl: cannot open: No such file or directory"},
        {"line 5 without Sirina",
         withLine(3, 94, "    Duljina = 2800, Visina = 22, Debljina = 2,"), EmptyCatalog::Accept,
         "Trake.odl, line 95 (record 3, line 5): no \"Sirina =\" in the line"},
        {"base line without ;", withLine(2, 45, "base #Hrast"), EmptyCatalog::Accept,
         "Trake.odl, line 46 (record 2, line 1): no \";\" after the first \"#\""},
        {"extra empty line after the last record", typicalCatalog(2) + "\r\n",
         EmptyCatalog::Accept, "Trake.odl, line 91 (record 3, line 1): no \";\" in the line"},
        {"44-line record in the middle", withoutLine(3, 89), EmptyCatalog::Accept,
         "Trake.odl, line 91 (record 3, line 1): no \";\" in the line"},
        {"empty file refused", std::string(), EmptyCatalog::Refuse,
         "Trake.odl: the file holds no record"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        resetProgramState();
        TempFolder here;
        here.write(kInputFile, typicalCatalog(4));
        gSlog->UcitavanjeIzFajla();
        gLokal.at(2).Duljina = "3050";
        gBrojSloga = 2;
        const MemorySnapshot before = takeSnapshot();

        fs::remove(here.path() / kInputFile);
        if (row.file)
            here.write(kInputFile, *row.file);
        try {
            gSlog->UcitavanjeIzFajla(row.ifEmpty);
            ADD_FAILURE() << row.name << ": the load did not fail";
        } catch (const CatalogError &error) {
            EXPECT_EQ(std::string(error.what()), row.message) << row.name;
        }
        expectSameMemory(before, takeSnapshot());
        EXPECT_EQ(gLokal.at(2).Duljina, "3050") << row.name;
        EXPECT_EQ(gBrojSloga, 2) << row.name;
    }
}

TEST_F(CatalogFile, WhatStandsInPlaceOfTheCatalogIsNamed)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, kInputFile);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const std::pair<std::function<int()>, std::string> rows[] = {
        {[] { return ::mkdir(kInputFile, 0755); }, "Trake.odl: cannot read: Is a directory"},
        {[&] { return ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address); },
         "Trake.odl: cannot read: it is a socket, not a file"},
    };
    for (const auto &[make, message] : rows) {
        fs::remove(kInputFile);
        ASSERT_EQ(make(), 0) << message;
        try {
            gSlog->UcitavanjeIzFajla();
            ADD_FAILURE() << message << ": the load did not fail";
        } catch (const CatalogError &error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
        EXPECT_EQ(gSlog->UkBrSlogova, 0) << message;
    }
    ::close(listener);
}

// A file twice the room under the address-space limit is refused before any of it is read,
// naming the figures; a sparse file of zeros, so the disk holds none of its gigabyte.
TEST_F(CatalogFile, FileLargerThanTheMemoryLimitIsRefusedBeforeItIsRead)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#endif
    folder.write(kInputFile, "");
    fs::resize_file(folder.path() / kInputFile, std::uintmax_t(1) << 30);
    const std::string message = runInChild([] {
        std::uint64_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t room = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (256 << 20);
        const rlimit limit{room, room};
        if (::setrlimit(RLIMIT_AS, &limit) != 0)
            return std::string("cannot limit the address space");
        return errorOf([] { gSlog->UcitavanjeIzFajla(); });
    });
    // What the system has available varies; what the limit leaves is at most the 256 MiB.
    const std::regex figures("has [0-9]+ MiB available .* leaves (25[0-6]|2[0-4][0-9]|1?[0-9]{1,2})"
                             " MiB;");
    EXPECT_EQ(std::regex_replace(message, figures, "has N MiB available (MemAvailable) and the "
                                                   "address-space limit (RLIMIT_AS) leaves M MiB;"),
              "Trake.odl: too large to load: the file is 1024 MiB and loading it takes up to "
              "2048 MiB of memory, but the system has N MiB available (MemAvailable) and the "
              "address-space limit (RLIMIT_AS) leaves M MiB; nothing was read");
}

// A backup restored or a sync tool replaces the folder the program stands in; saves and reloads
// must go to the folder now at that path, not into the deleted or moved one.
// A folder deleted and made again is followed by its path; one only moved or renamed still
// holds this run's files, whatever now stands at its old path.
TEST_F(CatalogFile, SaveAndReloadFollowAReplacedFolderButNotAMovedOne)
{
    const struct
    {
        const char *name;
        bool moveAway;  // instead of deleting
        bool makeAnew;
    } rows[] = {{"deleted and made again", false, true},
                {"moved away, a new one in its place", true, true},
                {"deleted, nothing in its place", false, false}};
    for (const auto &row : rows) {
        TempFolder here;
        const fs::path path = here.path(), moved = path.string() + ".moved";
        here.write(kInputFile, typicalCatalog(2));
        gSlog->UcitavanjeIzFajla();
        if (row.moveAway)
            fs::rename(path, moved);
        else
            fs::remove_all(path);
        if (row.makeAnew) {
            fs::create_directory(path);
            here.write(kInputFile, typicalCatalog(3));
        }
        const std::string error = errorOf([] {
            gSlog->UcitavanjeIzFajla();
            gSlog->SnimanjeuFajl();
        });
        const bool followed = row.makeAnew && !row.moveAway;
        EXPECT_EQ(error, row.makeAnew ? "" : path.string() + ": the working folder has been "
                                             "deleted and no folder stands at its path now")
            << row.name;
        EXPECT_EQ(gSlog->UkBrSlogova, followed ? 3 : 2) << row.name;
        if (row.makeAnew) {
            EXPECT_EQ(difference(readWhole(followed ? path / kOutputFile : moved / kOutputFile),
                                 typicalCatalog(followed ? 3 : 2)),
                      "")
                << row.name;
            EXPECT_EQ(fs::exists(path / kOutputFile), followed) << row.name;
        }
        fs::remove_all(moved);
    }
}

TEST_F(CatalogFile, AcceptedEmptyFileLeavesNoRecord)
{
    load(typicalCatalog(3));
    load("");
    EXPECT_EQ(gSlog->UkBrSlogova, 0);
    gRecords.forEach([](auto &array) {
        EXPECT_EQ(array.upperBound(), 0) << array.name();
        EXPECT_FALSE(array.holdsObject(0)) << array.name();
    });
}

TEST_F(CatalogFile, ReloadBuildsTheRecordsAfresh)
{
    struct Row
    {
        const char *name;
        std::int64_t first;
        std::int64_t second;
    };
    const Row rows[] = {
        {"same file", 3, 3},
        {"shrank 5 to 3", 5, 3},
        {"grew 5 to 120", 5, 120},
        {"grew past two growth steps", 5, 201},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        resetProgramState();
        TempFolder here;
        here.write(kInputFile, typicalCatalog(row.first));
        gSlog->UcitavanjeIzFajla();
        gBase.at(1).Naziv = "edited";

        here.write(kInputFile, typicalCatalog(row.second));
        gRecords = RecordArrays(100);  // as the window does before every load
        gSlog->UcitavanjeIzFajla();

        EXPECT_EQ(gSlog->UkBrSlogova, row.second) << row.name;
        gRecords.forEach([&row](auto &array) {
            EXPECT_EQ(array.upperBound(), row.second) << row.name << ", " << array.name();
        });
        EXPECT_EQ(gBase.at(1).Naziv, "ABS 23x1 antracit 1") << row.name;
        const auto last = typicalRecordLines(row.second);
        EXPECT_EQ(gPricemod5.at(row.second).priceend_CeoRed, last[42]) << row.name;
        EXPECT_EQ(gLokal.at(row.second).tOpis, "Traka broj " + std::to_string(row.second)
                                                   + " za plo\xe8" "e") << row.name;
    }
}

// Parts of lines 12 and 16 that no operation reads or writes.
TEST_F(CatalogFile, NeverUsedLokalMembersStayEmptyThroughLoadCopyAndSave)
{
    auto expectEmpty = [](const char *after) {
        for (std::int32_t n = 1; n <= gSlog->UkBrSlogova; ++n) {
            const clsLokal &lokal = gLokal.at(n);
            for (const Text *member :
                 {&lokal.colg_CeoRed, &lokal.colb_CeoRed, &lokal.alpha_CeoRed,
                  &lokal.Tekstura_CeoRed, &lokal.tUserSifra_CeoRed, &lokal.ObjectName_CeoRed})
                EXPECT_EQ(*member, "") << "after " << after << ", record " << n;
        }
    };
    load(typicalCatalog(3));
    expectEmpty("load");
    gSlog->KopiranjeSloga(3, 1);
    expectEmpty("copy");
    gSlog->SnimanjeuFajl();
    expectEmpty("save");
}

// --- Writer ------------------------------------------------------------------------------------

TEST_F(CatalogFile, EmptyStoreWritesAnEmptyFile)
{
    folder.write(kOutputFile, "an earlier save\r\n");
    gSlog->UkBrSlogova = 0;
    gSlog->SnimanjeuFajl();
    EXPECT_TRUE(folder.exists(kOutputFile));
    EXPECT_EQ(fs::file_size(folder.path() / kOutputFile), 0u);
}

// Objects that do not exist are written as empty lines, so every record is 45 lines.
TEST_F(CatalogFile, TwoSparseRecordsGiveNinetyLines)
{
    gRecords = RecordArrays(2);
    gSlog->UkBrSlogova = 2;
    gBase.at(1).Naziv = "Hrast";
    gLokal.at(2).Duljina = "2800";
    gSlog->SnimanjeuFajl();

    std::vector<std::string> expected(90);
    expected[0] = "Hrast";
    expected[45 + 4] = "2800";
    const std::string written = folder.read(kOutputFile);
    EXPECT_EQ(written, withCrLf(expected));

    std::size_t lineEnds = 0;
    for (std::size_t at = written.find("\r\n"); at != std::string::npos;
         at = written.find("\r\n", at + 2))
        ++lineEnds;
    EXPECT_EQ(lineEnds, 90u);
    EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
}

// "Trake-novi.odl" as saved right after loading `input` as "Trake.odl", in a folder of its own.
std::string savedAfterLoading(const std::string &input)
{
    resetProgramState();
    TempFolder here;
    here.write(kInputFile, input);
    gSlog->UcitavanjeIzFajla();
    gSlog->SnimanjeuFajl();
    return here.read(kOutputFile);
}

TEST_F(CatalogFile, SavingRightAfterLoadingGivesTheFileBack)
{
    struct Row
    {
        std::string name;
        std::string bytes;
    };
    std::vector<Row> rows = {
        {"examples/Trake.odl", readWhole(fs::path(VELMORA_SOURCE_DIR) / "examples" / "Trake.odl")},
    };
    for (const std::int64_t n : {1, 2, 99, 100, 101, 250})
        rows.push_back({std::to_string(n) + " typical records", typicalCatalog(n)});
    ASSERT_FALSE(rows.front().bytes.empty()) << "the sample catalog is missing";

    for (const Row &row : rows)
        EXPECT_EQ(difference(savedAfterLoading(row.bytes), row.bytes), "") << row.name;
}

TEST_F(CatalogFile, SavedFileDiffersOnlyWhereTheInputWasIrregular)
{
    struct Row
    {
        const char *name;
        std::string input;
        std::string output;
    };
    const std::string one = typicalCatalog(1);
    const std::string two = typicalCatalog(2);
    auto blankClosingLine = typicalLines(1);
    blankClosingLine[44] = "  ";
    const std::string blankClosed = withCrLf(blankClosingLine);
    const Row rows[] = {
        {"last record of 44 lines", two.substr(0, two.size() - 2), two},
        {"line ended by a lone CR", replaceFirst(one, "  local\r\n", "  local\r"), one},
        {"last line without a line end", blankClosed.substr(0, blankClosed.size() - 2),
         blankClosed},
        {"trailing block of one line", one + "base #Kratki;\r\n",
         one + "base #Kratki;\r\n" + emptyLines(44)},
        {"lone LF inside a line", replaceFirst(one, "  local", "  lo\ncal"),
         replaceFirst(one, "  local", "  lo\ncal")},
        {"description holding =", replaceFirst(one, "za plo\xe8" "e", "za plo\xe8" "e x=1"),
         replaceFirst(one, "za plo\xe8" "e", "za plo\xe8" "e x=1")},
        {"empty file", "", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(difference(savedAfterLoading(row.input), row.output), "") << row.name;
}

TEST_F(CatalogFile, EditedLengthLandsBetweenTheUnchangedPieces)
{
    const char *const values[] = {"3050", "", " 12 ", "3050mm"};
    for (const char *value : values) {
        SCOPED_TRACE(value);
        resetProgramState();
        TempFolder here;
        here.write(kInputFile, typicalCatalog(3));
        gSlog->UcitavanjeIzFajla();
        gLokal.at(2).Duljina = value;
        gSlog->SnimanjeuFajl();

        auto lines = typicalLines(3);
        ASSERT_EQ(lines[49], "    Duljina = 2002, Sirina = 23, Debljina = 1,");
        lines[49] = "    Duljina = " + std::string(value) + ", Sirina = 23, Debljina = 1,";
        EXPECT_EQ(difference(here.read(kOutputFile), withCrLf(lines)), "")
            << "value \"" << value << "\"";
    }
}

TEST_F(CatalogFile, SavingTwiceGivesTheSameFileAndChangesNoMemory)
{
    load(typicalCatalog(4));
    gLokal.at(3).Cijena = "9.99";
    gBrojSloga = 3;
    const MemorySnapshot before = takeSnapshot();

    gSlog->SnimanjeuFajl();
    const std::string first = folder.read(kOutputFile);
    gSlog->SnimanjeuFajl();
    EXPECT_EQ(difference(folder.read(kOutputFile), first), "");
    expectSameMemory(before, takeSnapshot());
    EXPECT_EQ(gBrojSloga, 3);
    EXPECT_EQ(listFolder(folder.path()), "Trake-novi.odl Trake.odl");

    // A later save replaces the earlier one with what memory holds then.
    gLokal.at(3).Cijena = "1.00";
    gSlog->SnimanjeuFajl();
    EXPECT_EQ(difference(folder.read(kOutputFile),
                         replaceFirst(first, "cijena = 9.99,", "cijena = 1.00,")),
              "");
}

// A long load or save reports as it goes, always forward; with a report or without, the same
// records and the same bytes.
TEST_F(CatalogFile, LoadAndSaveReportTheirProgressWithoutChangingWhatTheyDo)
{
    const std::string bytes = typicalCatalog(10000);
    folder.write(kInputFile, bytes);
    for (const bool load : {true, false}) {
        std::vector<CatalogProgress> reports;
        const ProgressReport report = [&reports](const CatalogProgress &p) { reports.push_back(p); };
        if (load)
            gSlog->UcitavanjeIzFajla(EmptyCatalog::Refuse, report);
        else
            gSlog->SnimanjeuFajl({}, [&report](const auto &work) { work(report); });
        ASSERT_GE(reports.size(), 2u) << load;
        for (std::size_t i = 1; i < reports.size(); ++i) {
            EXPECT_GE(reports[i].records, reports[i - 1].records) << load;
            EXPECT_GT(reports[i].fraction, reports[i - 1].fraction) << load;
        }
        EXPECT_LE(reports.back().fraction, 1.0) << load;
        EXPECT_EQ(reports.back().records, load ? 8192 : 10000) << load;
        EXPECT_EQ(reports.back().total, load ? 0 : 10000) << load;
    }
    EXPECT_EQ(gSlog->UkBrSlogova, 10000);
    EXPECT_EQ(folder.read(kOutputFile), bytes);
}

TEST_F(CatalogFile, OutputKeepsThePermissionsOfTheFileItReplaces)
{
    struct Row
    {
        const char *name;
        std::optional<mode_t> existing;  // nothing: no earlier "Trake-novi.odl"
        mode_t umask;
        mode_t expected;
    };
    const Row rows[] = {
        {"existing 0640 kept", 0640, 022, 0640},
        {"existing 0604 kept despite umask 077", 0604, 077, 0604},
        {"new file under umask 022", std::nullopt, 022, 0644},
        {"new file under umask 027", std::nullopt, 027, 0640},
        {"new file under umask 0", std::nullopt, 0, 0666},
    };
    holdTypicalCatalog(2);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder here;
        const fs::path output = here.path() / kOutputFile;
        if (row.existing) {
            here.write(kOutputFile, "an earlier save\r\n");
            ASSERT_EQ(::chmod(output.c_str(), *row.existing), 0);
        }
        const mode_t previous = ::umask(row.umask);
        try {
            gSlog->SnimanjeuFajl();
        } catch (...) {
            ::umask(previous);
            throw;
        }
        ::umask(previous);
        EXPECT_EQ(modeOf(output), row.expected) << row.name;
        EXPECT_EQ(difference(here.read(kOutputFile), typicalCatalog(2)), "") << row.name;
    }
}

// An output kept elsewhere through a link: the file it leads to is replaced, the link stays.
// A link someone else could have planted (another user's, in a folder others may write) is
// not followed.
TEST_F(CatalogFile, SaveThroughALinkReplacesWhatItLeadsTo)
{
    const struct
    {
        const char *name;
        bool targetExists;
        mode_t folderMode;
        uid_t linkOwner;  // root can plant another user's link; others skip those rows
    } rows[] = {
        {"link into a shared folder", true, 0700, 0},
        {"link to a file not made yet", false, 0700, 0},
        {"another's link in a folder others may write: refused", true, 0777, 65534},
        {"another's link in a folder its group may write: refused", true, 0770, 65534},
        {"another's link in a sticky shared folder: refused", true, 01777, 65534},
    };
    holdTypicalCatalog(2);
    for (const auto &row : rows) {
        if (row.linkOwner != 0 && ::geteuid() != 0)
            continue;
        TempFolder here;
        fs::create_directory("shared");
        if (row.targetExists)
            here.write("shared/out.odl", "an earlier save\r\n");
        fs::create_symlink("shared/out.odl", kOutputFile);
        if (row.linkOwner != 0) {
            ASSERT_EQ(::lchown(kOutputFile, row.linkOwner, row.linkOwner), 0);
        }
        ASSERT_EQ(::chmod(".", row.folderMode), 0);
        const bool refused = row.linkOwner != 0;
        EXPECT_EQ(errorOf([] { gSlog->SnimanjeuFajl(); }),
                  refused ? "Trake-novi.odl: is a link owned by another user in a folder that "
                            "others may write to; it is not followed, so nothing was written"
                          : "") << row.name;
        EXPECT_EQ(difference(here.read("shared/out.odl"),
                             refused ? "an earlier save\r\n" : typicalCatalog(2)), "")
            << row.name;
        EXPECT_EQ(fs::read_symlink(kOutputFile), "shared/out.odl") << row.name;
        EXPECT_EQ(listFolder("shared"), "out.odl") << row.name;
    }
}

// What Trake-novi.odl must never be made to replace or feed: the catalog that was read (through
// a link, or as a second name of the same file) and anything that is not a plain file.
TEST_F(CatalogFile, SaveRefusesATargetThatIsTheInputOrNoFile)
{
    const struct
    {
        const char *name;
        std::function<void()> make;
        const char *error;
    } rows[] = {
        {"link to the input", [] { fs::create_symlink(kInputFile, kOutputFile); },
         "Trake-novi.odl: is the same file as Trake.odl, which is never written; nothing was "
         "written"},
        {"second name of the input", [] { fs::create_hard_link(kInputFile, kOutputFile); },
         "Trake-novi.odl: is the same file as Trake.odl, which is never written; nothing was "
         "written"},
        {"link to a device", [] { fs::create_symlink("/dev/null", kOutputFile); },
         "Trake-novi.odl: leads to /dev/null: it is a device, not a file; nothing was written"},
        {"named pipe", [] { ASSERT_EQ(::mkfifo(kOutputFile, 0600), 0); },
         "Trake-novi.odl: it is a named pipe, not a file; nothing was written"},
        {"dangling link into a missing folder",
         [] { fs::create_symlink("gone/out.odl", kOutputFile); },
         "Trake-novi.odl: is a link to gone/out.odl, which cannot be created there: No such file "
         "or directory"},
    };
    for (const auto &row : rows) {
        resetProgramState();
        TempFolder here;
        here.write(kInputFile, typicalCatalog(2));
        gSlog->UcitavanjeIzFajla();
        gBase.at(1).Naziv = "edited";
        row.make();
        EXPECT_EQ(errorOf([] { gSlog->SnimanjeuFajl(); }), row.error) << row.name;
        EXPECT_EQ(here.read(kInputFile), typicalCatalog(2)) << row.name;
        EXPECT_EQ(gBase.at(1).Naziv, "edited") << row.name;
    }
}

TEST_F(CatalogFile, InputFileIsNeverWritten)
{
    const std::string input = typicalCatalog(3);
    folder.write(kInputFile, input);
    const fs::path inputPath = folder.path() / kInputFile;
    const auto longAgo = fs::last_write_time(inputPath) - std::chrono::hours(24 * 365);
    fs::last_write_time(inputPath, longAgo);

    gSlog->UcitavanjeIzFajla();
    gBase.at(1).Naziv = "edited";
    gSlog->SnimanjeuFajl();
    gSlog->SnimanjeuFajl();

    EXPECT_EQ(difference(folder.read(kInputFile), input), "");
    EXPECT_EQ(fs::last_write_time(inputPath), longAgo);
}

// --- A failed save leaves the earlier output as it was ---------------------------------------

const std::string kSkip = "skip: ";

// What a save in the child left behind, seen from inside the child.
struct SaveOutcome
{
    std::string error;
    std::string files;
    bool oldFileKept = false;
};

std::string saveAndDescribe(const std::string &oldOutput, const SaveQuestions &ask = {})
{
    std::string error = "saved";
    try {
        if (!gSlog->SnimanjeuFajl(ask))
            error = "cancelled";
    } catch (const CatalogError &caught) {
        error = caught.what();
    } catch (const SavedButNotSynced &caught) {
        error = std::string("warning: ") + caught.what();
    }
    std::error_code unlisted;
    fs::directory_iterator(".", unlisted);
    return error + "\n" + (unlisted ? "(cannot be listed)" : listFolder(".")) + "\n"
           + (readWhole(kOutputFile) == oldOutput ? "kept" : "changed");
}

SaveOutcome parseOutcome(const std::string &report)
{
    SaveOutcome outcome;
    const std::size_t first = report.find('\n');
    const std::size_t second = first == std::string::npos ? first : report.find('\n', first + 1);
    if (second == std::string::npos) {
        outcome.error = report;
        return outcome;
    }
    outcome.error = report.substr(0, first);
    outcome.files = report.substr(first + 1, second - first - 1);
    outcome.oldFileKept = report.substr(second + 1) == "kept";
    return outcome;
}

class FailedSave : public CatalogFile
{
protected:
    void SetUp() override
    {
        CatalogFile::SetUp();
        folder.write(kOutputFile, m_oldOutput);
    }

    void expectOldOutputUntouched()
    {
        EXPECT_EQ(difference(folder.read(kOutputFile), m_oldOutput), "");
        EXPECT_EQ(listFolder(folder.path()), "Trake-novi.odl");
    }

    // Saves in a child that, when `asNobody`, first gives up root: root writes anywhere.
    SaveOutcome saveInChild(bool asNobody)
    {
        return parseOutcome(runInChild([this, asNobody] {
            if (asNobody
                && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0
                    || ::setuid(65534) != 0))
                return kSkip + "cannot give up root: " + std::strerror(errno);
            return saveAndDescribe(m_oldOutput);
        }));
    }

    const std::string m_oldOutput = typicalCatalog(1);
};

TEST_F(FailedSave, FileSizeLimitReachedPartWay)
{
    holdTypicalCatalog(50);
    const SaveOutcome outcome = parseOutcome(runInChild([this] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8192, 8192};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return kSkip + "cannot limit the file size: " + std::strerror(errno);
        return saveAndDescribe(m_oldOutput);
    }));
    if (outcome.error.starts_with(kSkip))
        GTEST_SKIP() << outcome.error;
    EXPECT_EQ(outcome.error, "Trake-novi.odl: cannot write: File too large");
    EXPECT_EQ(outcome.files, "Trake-novi.odl");
    EXPECT_TRUE(outcome.oldFileKept);
    expectOldOutputUntouched();
}

// A small tmpfs of the child's own, so a real disk fills up without touching the machine's. The
// save's whole size is reserved first, so the message gives it exactly and nothing is touched;
// written in place (a folder that allows no new file, as another user than root), the earlier
// output stays whole too.
TEST_F(FailedSave, FullDisk)
{
    holdTypicalCatalog(300);
    const std::uint64_t size = catalogBytes(gRecords, gSlog->UkBrSlogova).size();
    const fs::path disk = folder.path() / "disk";
    fs::create_directory(disk);
    for (const bool inPlace : {false, true}) {
        const SaveOutcome outcome = parseOutcome(runInChild([this, &disk, inPlace] {
            if (::unshare(CLONE_NEWNS) != 0)
                return kSkip + "cannot unshare the mount namespace: " + std::strerror(errno);
            if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                return kSkip + "cannot make the mounts private: " + std::strerror(errno);
            if (::mount("velmora-test", disk.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k")
                != 0)
                return kSkip + "cannot mount a tmpfs: " + std::strerror(errno);
            if (::chdir(disk.c_str()) != 0)
                return std::string("cannot enter the tmpfs: ") + std::strerror(errno);
            std::ofstream(kOutputFile, std::ios::binary) << m_oldOutput;
            if (inPlace
                && (::chmod(kOutputFile, 0666) != 0 || ::chmod(".", 0555) != 0
                    || ::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0
                    || ::setuid(65534) != 0))
                return kSkip + "cannot give up root: " + std::strerror(errno);
            return saveAndDescribe(m_oldOutput);
        }));
        if (outcome.error.starts_with(kSkip))
            GTEST_SKIP() << outcome.error;
        const std::string needs =
            inPlace ? "its folder allows no new file, so it would be written in place, which "
                      "needs " + std::to_string(size - m_oldOutput.size())
                          + " bytes more than it holds now, and "
                    : "a save writes a whole new copy before it replaces the file, which needs "
                          + std::to_string(size) + " bytes, and ";
        EXPECT_TRUE(outcome.error.starts_with(
            "Trake-novi.odl: cannot write: No space left on device; " + needs))
            << outcome.error;
        EXPECT_TRUE(outcome.error.ends_with(" free; nothing was written")) << outcome.error;
        EXPECT_EQ(outcome.files, "Trake-novi.odl");
        EXPECT_TRUE(outcome.oldFileKept);
    }
}

// Saves by a user other than root, who writes anywhere (so the child gives up root). A folder
// that refuses new files, with an output we may write, is written in place: otherwise the edits
// could never be saved. Anyone may keep a file in a group of theirs, though not its owner.
TEST_F(FailedSave, SaveByAnUnprivilegedUser)
{
    const struct
    {
        const char *name;
        mode_t folderMode;  // as root the folder is root's own: 0555 becomes 0755
        bool outputExists;
        rlim_t sizeLimit;   // 0: none
        const char *error;
        gid_t sharedGroup = 0;  // the output's group, one of the saving user's groups too
    } rows[] = {
        {"read-only folder: written in place", 0555, true, 0, "saved"},
        {"read-only folder, writing in place declined", 0555, true, 0, "cancelled"},
        {"read-only folder, no output yet", 0555, false, 0,
         "Trake-novi.odl: cannot create a file in its folder: Permission denied"},
        {"sticky folder, another's output we may write: in place", 01777, true, 0, "saved"},
        {"written in place and failing part-way says so", 0555, true, 8192,
         "Trake-novi.odl: cannot write: File too large; its folder allows no new file, so it "
         "was being written in place and Trake-novi.odl is now incomplete; every record is "
         "still in the editor"},
        {"folder that cannot be read to sync it: saved, with a warning", 0333, true, 0,
         "warning: Trake-novi.odl: saved, but it may not yet be safe on disk: its folder "
         "cannot be synced: Permission denied"},
        {"another's file in an open folder keeps its group", 0777, true, 0, "saved", 4242},
    };
    holdTypicalCatalog(50);
    const bool root = ::geteuid() == 0;
    for (const auto &row : rows) {
        if (row.sharedGroup != 0 && !root)
            continue;
        if (!row.outputExists) {
            fs::remove(kOutputFile);
        } else {
            ASSERT_EQ(::chmod(kOutputFile, 0666), 0);
            ASSERT_TRUE(!root || ::chown(kOutputFile, 0, row.sharedGroup) == 0);
        }
        ::chmod(".", root && row.folderMode == 0555 ? 0755 : row.folderMode);
        const SaveOutcome outcome = parseOutcome(runInChild([this, &row, root] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{row.sizeLimit, row.sizeLimit};
            if (row.sizeLimit != 0 && ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return kSkip + "cannot limit the file size: " + std::strerror(errno);
            if (root
                && (::setgroups(row.sharedGroup != 0, &row.sharedGroup) != 0
                    || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                return kSkip + "cannot give up root: " + std::strerror(errno);
            SaveQuestions ask;
            ask.writeInPlace = [&row] { return std::string_view(row.error) != "cancelled"; };
            return saveAndDescribe(m_oldOutput, ask);
        }));
        fs::permissions(folder.path(), fs::perms::owner_all);
        if (outcome.error.starts_with(kSkip))
            GTEST_SKIP() << outcome.error;
        EXPECT_EQ(outcome.error, row.error) << row.name;
        EXPECT_EQ(listFolder(folder.path()), row.outputExists ? "Trake-novi.odl" : "");
        if (std::string_view(row.error) == "cancelled") {
            EXPECT_EQ(folder.read(kOutputFile), m_oldOutput) << row.name;
        } else if (row.outputExists && row.sizeLimit == 0) {
            EXPECT_EQ(difference(folder.read(kOutputFile), typicalCatalog(50)), "") << row.name;
        }
        struct stat st {};
        if (row.sharedGroup != 0) {
            EXPECT_TRUE(::stat(kOutputFile, &st) == 0 && st.st_gid == row.sharedGroup);
        }
        folder.write(kOutputFile, m_oldOutput);
    }
}

// Killed at any moment (kill -9, a power cut), a save leaves the earlier output whole and no
// other file. The moments are spread over a save of about 4 MB. A save killed between naming
// its file and the rename leaves that file: the next save removes it, but not one that another
// save is still writing (it holds a lock), nor a name not of ours.
TEST_F(FailedSave, KilledSaveLeavesNothingBehind)
{
    holdTypicalCatalog(3000);
    const std::string complete = catalogBytes(gRecords, gSlog->UkBrSlogova);
    // A child that hides /proc cannot name an unnamed file later, so it names one at the start:
    // what it leaves, the next save removes.
    for (const bool hideProc : {false, true}) {
        for (const int delayUs : {0, 500, 2000, 8000, 30000, 120000}) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                if (hideProc
                    && (::unshare(CLONE_NEWNS) != 0
                        || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                        || ::mount("none", "/proc", "tmpfs", 0, nullptr) != 0))
                    ::_exit(0);
                try {
                    gSlog->SnimanjeuFajl();
                } catch (...) {
                }
                ::_exit(0);
            }
            ::usleep(static_cast<useconds_t>(delayUs));
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            const std::string now = folder.read(kOutputFile);
            EXPECT_TRUE(now == m_oldOutput || now == complete) << delayUs;
            if (hideProc)
                gSlog->SnimanjeuFajl();
            EXPECT_EQ(listFolder(folder.path()), "Trake-novi.odl") << delayUs << hideProc;
        }
    }
    for (const char *name : {"Killed", "InUse1", "not-ours"})
        folder.write(std::string(".Trake-novi.odl.velmora-") + name, "part of a save");
    const int inUse = ::open(".Trake-novi.odl.velmora-InUse1", O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(inUse, LOCK_EX), 0);
    gSlog->SnimanjeuFajl();
    ::close(inUse);
    EXPECT_EQ(listFolder(folder.path()),
              ".Trake-novi.odl.velmora-InUse1 .Trake-novi.odl.velmora-not-ours Trake-novi.odl");
}

// Read-only is the owner's way of saying no, even though a rename could replace the file.
TEST_F(FailedSave, ReadOnlyOutputFile)
{
    holdTypicalCatalog(2);
    const bool root = ::geteuid() == 0;
    fs::permissions(folder.path() / kOutputFile, fs::perms(0444));
    if (root)
        fs::permissions(folder.path(), fs::perms(0777));
    const SaveOutcome outcome = saveInChild(root);
    fs::permissions(folder.path(), fs::perms::owner_all);
    if (outcome.error.starts_with(kSkip))
        GTEST_SKIP() << outcome.error;
    EXPECT_EQ(outcome.error, "Trake-novi.odl: cannot write: Permission denied");
    EXPECT_EQ(outcome.files, "Trake-novi.odl");
    EXPECT_TRUE(outcome.oldFileKept);
    expectOldOutputUntouched();
}

TEST_F(FailedSave, SinkFailingPartWayLeavesNoTrace)
{
    holdTypicalCatalog(3);
    try {
        SafeFileWriter out(kOutputFile);
        writeCatalog(gRecords, gSlog->UkBrSlogova, [&out](std::string_view block) {
            out.write(block.substr(0, 100));
            throw std::runtime_error("the device went away");
        });
        out.commit();
        FAIL() << "the sink did not fail";
    } catch (const std::runtime_error &error) {
        EXPECT_EQ(std::string(error.what()), "the device went away");
    }
    expectOldOutputUntouched();
}

// --- SafeFileWriter -----------------------------------------------------------------------------

TEST_F(CatalogFile, WriterAbandonedBeforeCommitLeavesTheTargetAlone)
{
    struct Row
    {
        const char *name;
        bool targetExists;
        std::string written;
    };
    const Row rows[] = {
        {"existing target, nothing written", true, ""},
        {"existing target, bytes written", true, "new bytes\r\n"},
        {"no target, bytes written", false, "new bytes\r\n"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder here;
        if (row.targetExists)
            here.write("target.odl", "old bytes\r\n");
        {
            SafeFileWriter out("target.odl");
            out.write(row.written);
        }
        EXPECT_EQ(listFolder(here.path()), row.targetExists ? "target.odl" : "") << row.name;
        if (row.targetExists) {
            EXPECT_EQ(here.read("target.odl"), "old bytes\r\n") << row.name;
        }
    }
}

TEST_F(CatalogFile, WriterCommitReplacesTheTargetAndLeavesNothingElse)
{
    folder.write("target.odl", "old bytes\r\n");
    SafeFileWriter out("target.odl");
    out.write("new ");
    out.write("bytes\r\n");
    EXPECT_EQ(folder.read("target.odl"), "old bytes\r\n");
    out.commit();
    EXPECT_EQ(folder.read("target.odl"), "new bytes\r\n");
    EXPECT_EQ(listFolder(folder.path()), "target.odl");
}

TEST_F(CatalogFile, WriterIntoAMissingFolderNamesTheTarget)
{
    try {
        SafeFileWriter out("missing/Trake-novi.odl");
        FAIL() << "the writer was created";
    } catch (const CatalogError &error) {
        EXPECT_EQ(std::string(error.what()),
                  "missing/Trake-novi.odl: cannot create a file in its folder: "
                  "No such file or directory");
    }
    EXPECT_EQ(listFolder(folder.path()), "");
}

}  // namespace

// --- The held file bytes -----------------------------------------------------------------------

// Unedited members refer into the loaded file's bytes and copies share them, so each edit below
// is made to a record that shares bytes with another: it must show in that record only, and
// never in the held bytes.
TEST_F(CatalogFile, EditsStayInTheirRecordAndOutOfTheHeldBytes)
{
    const std::string file = typicalCatalog(3);
    load(file);
    const auto one = recordValues(1);
    const auto two = recordValues(2);
    auto differences = [](const std::vector<std::string> &a, const std::vector<std::string> &b) {
        std::size_t count = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            count += a[i] != b[i];
        return count;
    };

    gSlog->KopiranjeSloga(3, 1);
    gBase.at(3).Naziv = "Hrast";        // the copy
    gLokal.at(1).Duljina += "9";        // the record copied from
    appendCopyOfLastRecord();
    gLokal.at(4).tOpis = "novi opis";   // the appended record
    gLokal.at(3).Cijena = "9.99";       // the record appended from

    EXPECT_EQ(gLokal.at(1).Duljina, one[9] + "9");
    EXPECT_EQ(differences(recordValues(1), one), 1u);
    EXPECT_EQ(recordValues(2), two);
    EXPECT_EQ(gBase.at(3).Naziv, "Hrast");
    EXPECT_EQ(gLokal.at(3).Cijena, "9.99");
    EXPECT_EQ(differences(recordValues(3), one), 2u);
    EXPECT_EQ(gBase.at(4).Naziv, "Hrast");
    EXPECT_EQ(gLokal.at(4).tOpis, "novi opis");
    EXPECT_EQ(differences(recordValues(4), one), 2u);
    EXPECT_EQ(gRecords.heldAround(gBase.at(2).Naziv), file);

    gSlog->SnimanjeuFajl();
    LoadedCatalog saved = readCatalog(folder.read(kOutputFile), kOutputFile);
    ASSERT_EQ(saved.count, 4);
    for (std::int32_t n = 1; n <= 4; ++n)
        EXPECT_EQ(recordValues(saved.arrays, n), recordValues(n)) << "record " << n;
}

// A reload that fails keeps the store's file bytes: the records still read and save as before.
TEST_F(CatalogFile, FailedReloadKeepsTheHeldBytes)
{
    load(typicalCatalog(4));
    gLokal.at(2).Duljina = "1234";
    const std::string saved = catalogBytes(gRecords, 4);
    folder.write(kInputFile, typicalCatalog(2) + "no line end and no record shape");
    EXPECT_THROW(gSlog->UcitavanjeIzFajla(), CatalogError);
    gSlog->SnimanjeuFajl();
    EXPECT_EQ(folder.read(kOutputFile), saved);
}
