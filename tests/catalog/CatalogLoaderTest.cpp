#include "CatalogFileFixture.h"
#include "ChildProcess.h"
#include "MemorySnapshot.h"
#include "catalog/CatalogLoader.h"
#include "catalog/StartedLoad.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

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

// A load begun at the program's start gives what a load gives, with its progress, its records
// and its failure, however late it is taken. Large, its memory is found on a second thread too.
TEST_F(CatalogFile, AStartedLoadGivesWhatALoadGives)
{
    const struct
    {
        const char *name;
        std::optional<std::string> file;
    } rows[] = {
        {"a catalog of 19 MB", typicalCatalog(12000)},
        {"no Trake.odl", std::nullopt},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(kInputFile);
        if (row.file)
            folder.write(kInputFile, *row.file);
        std::string expectedFailure;
        LoadedCatalog expected;
        try {
            expected = loadCatalog(kInputFile);
        } catch (const CatalogError &error) {
            expectedFailure = error.what();
        }

        const std::unique_ptr<StartedLoad> started = clsSlog::startLoading();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        CatalogProgress heard;
        try {
            gSlog->UcitavanjeIzFajla(EmptyCatalog::Accept,
                                     [&heard](const auto &work) {
                                         work([&heard](const CatalogProgress &progress) {
                                             heard = progress;
                                         });
                                     },
                                     started.get());
            EXPECT_TRUE(expectedFailure.empty());
        } catch (const CatalogError &error) {
            EXPECT_EQ(error.what(), expectedFailure);
            continue;
        }
        ASSERT_EQ(gSlog->UkBrSlogova, expected.count);
        EXPECT_EQ(heard.records, 12000 / kRecordsPerReport * kRecordsPerReport);
        for (const std::int32_t n : {1, expected.count / 2, expected.count}) {
            for (const RecordMember &member : recordShape())
                EXPECT_EQ(member.access(gRecords, n).view(),
                          member.access(expected.arrays, n).view());
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
        bool cutWhileRead = false;
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
        {"cut short while it was read", typicalCatalog(kRecordsPerReport + 1000),
         EmptyCatalog::Accept,
         "Trake.odl: the file changed while it was being read, so it was not loaded; load it "
         "again once it is complete", true},
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
        // The load's first report comes while the file is read, with more of it to come.
        const LongWork cutShort = [](const auto &work) {
            work([](const CatalogProgress &) { fs::resize_file(kInputFile, 100); });
        };
        try {
            gSlog->UcitavanjeIzFajla(row.ifEmpty, row.cutWhileRead ? cutShort : LongWork());
            ADD_FAILURE() << row.name << ": the load did not fail";
        } catch (const CatalogError &error) {
            EXPECT_EQ(std::string(error.what()), row.message) << row.name;
        }
        expectSameMemory(before, takeSnapshot());
        EXPECT_EQ(gLokal.at(2).Duljina, "3050") << row.name;
        EXPECT_EQ(gBrojSloga, 2) << row.name;
    }
}

// A file twice the room under the address-space limit is refused before any of it is read,
// naming the figures; a sparse file of zeros, so the disk holds none of its gigabyte.
TEST_F(CatalogFile, FileLargerThanTheMemoryLimitIsRefusedBeforeItIsRead)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizer reserves more address space than any limit allows";
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

// A first line that can never start a record is found before the rest of the file is read:
// a sparse file of zeros is refused with the load's own message, without being read into memory.
TEST_F(CatalogFile, FileWhoseFirstLineCannotBeCutIsRefusedBeforeItIsRead)
{
    folder.write(kInputFile, "");
    fs::resize_file(folder.path() / kInputFile, std::uintmax_t(256) << 20);
    const std::string message = runInChild([] {
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        const std::string error = errorOf([] { gSlog->UcitavanjeIzFajla(); });
        ::getrusage(RUSAGE_SELF, &after);
        return error + (after.ru_maxrss - before.ru_maxrss < (64 << 10) ? "" : " (read whole)");
    });
    EXPECT_EQ(message, "Trake.odl, line 1 (record 1, line 1): no \";\" in the line");
}

// What a save asks before replacing a Trake-novi.odl it did not write: how many records it
// holds, only when it reads as whole records.
TEST_F(CatalogFile, SurveyTellsACatalogFromAnythingElse)
{
    using Holds = CatalogSurvey::Holds;
    const std::tuple<const char *, std::optional<std::string>, Holds, std::int32_t> rows[] = {
        {"three records", typicalCatalog(3), Holds::Records, 3},
        {"a line of text", std::string("some notes\r\n"), Holds::NotACatalog, 0},
        {"a record and a line", typicalCatalog(1) + "base #X;\r\n", Holds::NotACatalog, 0},
        {"missing", std::nullopt, Holds::Unknown, 0},
    };
    for (const auto &[name, bytes, holds, records] : rows) {
        fs::remove(kOutputFile);
        if (bytes)
            folder.write(kOutputFile, *bytes);
        const CatalogSurvey survey = surveyCatalog(kOutputFile);
        EXPECT_EQ(survey.holds, holds) << name;
        EXPECT_EQ(survey.records, records) << name;
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

}  // namespace
