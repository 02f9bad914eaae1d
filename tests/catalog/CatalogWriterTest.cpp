#include "CatalogFileFixture.h"
#include "ChildProcess.h"
#include "catalog/CatalogWriter.h"
#include "MemorySnapshot.h"
#include "catalog/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

inline mode_t modeOf(const std::filesystem::path &file)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

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

// Where no thread can be had (a process limit reached), the writer hands its bytes over on its
// own thread, and the catalog comes out the same.
TEST_F(CatalogFile, WriterWithoutAThreadOfItsOwnWritesTheSameBytes)
{
#ifdef __SANITIZE_THREAD__
    GTEST_SKIP() << "ThreadSanitizer ends a forked child that tries to start a thread";
#endif
    const std::string bytes = typicalCatalog(20000);  // several hand-offs
    const std::string outcome = runInChild([&bytes] {
        LoadedCatalog catalog = readCatalog(bytes, kInputFile);
        // The limit binds everyone but root: the child becomes nobody first.
        const rlimit one{1, 1};
        if ((::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            || ::setrlimit(RLIMIT_NPROC, &one) != 0)
            return std::string("cannot limit the threads");
        try {
            std::thread([] {}).join();
            return std::string("a thread could still be started");
        } catch (const std::system_error &) {
        }
        return difference(catalogBytes(catalog.arrays, catalog.count), bytes);
    });
    EXPECT_EQ(outcome, "");
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

}  // namespace
