// The Windows side of saving and loading: what the system's own calls must keep.
#include "CatalogFileFixture.h"
#include "catalog/CatalogLoader.h"
#include "catalog/FileSystem.h"
#include "catalog/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include <windows.h>

namespace {

constexpr std::string_view kOld = "old\r\n";
constexpr std::string_view kNew = "new\r\n";

// Opens `file` as another program would, sharing only what `share` allows.
HANDLE holdOpen(const std::filesystem::path &file, DWORD access, DWORD share)
{
    return ::CreateFileW(file.c_str(), access, share, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string save(const std::filesystem::path &target, WriteRules rules = {})
{
    return errorOf([&] {
        SafeFileWriter out(target, std::move(rules));
        out.write(kNew);
        out.commit();
    });
}

struct HeldTarget
{
    const char *name;
    // Prepares Trake-novi.odl (holding kOld) and returns what to undo afterwards.
    std::function<std::function<void()>()> arrange;
    const char *refusal;  // part of the message; nullptr: the save goes through
    std::string_view left = kOld;  // what Trake-novi.odl holds after a refusal

    friend void PrintTo(const HeldTarget &target, std::ostream *out) { *out << target.name; }
};

class WindowsSave : public CatalogFile, public ::testing::WithParamInterface<HeldTarget>
{
};

TEST_P(WindowsSave, RefusesOrReplacesWholly)
{
    folder.write(kInputFile, "catalog\r\n");
    folder.write(kOutputFile, kOld);
    const std::function<void()> undo = GetParam().arrange();
    WriteRules rules;
    rules.neverWrite = stampOf(kInputFile);
    rules.neverWriteName = kInputFile;
    const std::string error = save(kOutputFile, rules);
    undo();

    if (GetParam().refusal == nullptr) {
        EXPECT_EQ(error, "");
        EXPECT_EQ(folder.read(kOutputFile), kNew);
    } else {
        EXPECT_NE(error.find(GetParam().refusal), std::string::npos) << error;
        EXPECT_NE(error.find(kOutputFile), std::string::npos) << error;
        EXPECT_EQ(folder.read(kInputFile), "catalog\r\n");
        EXPECT_EQ(folder.read(kOutputFile), GetParam().left);
        // The next save, with nothing in its way, goes through.
        ::SetFileAttributesW(std::filesystem::path(kOutputFile).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(std::filesystem::path(kOutputFile).c_str());
        folder.write(kOutputFile, kOld);
        EXPECT_EQ(save(kOutputFile, rules), "");
        EXPECT_EQ(folder.read(kOutputFile), kNew);
    }
    EXPECT_EQ(listFolder("."), "Trake-novi.odl Trake.odl");
}

const HeldTarget kHeldTargets[] = {
    {"Replaced", [] { return std::function<void()>([] {}); }, nullptr},
    {"ReadByAnotherProgramThatShares",
     [] {
         const HANDLE held = holdOpen(kOutputFile, GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
         return std::function<void()>([held] { ::CloseHandle(held); });
     },
     nullptr},
    {"HeldOpenWithoutSharing",
     [] {
         const HANDLE held = holdOpen(kOutputFile, GENERIC_READ, 0);
         return std::function<void()>([held] { ::CloseHandle(held); });
     },
     "another program has it open"},
    {"ReadOnly",
     [] {
         ::SetFileAttributesW(std::filesystem::path(kOutputFile).c_str(), FILE_ATTRIBUTE_READONLY);
         return std::function<void()>([] {});
     },
     "it is read-only"},
    {"HardLinkToTheCatalog",
     [] {
         ::DeleteFileW(std::filesystem::path(kOutputFile).c_str());
         ::CreateHardLinkW(std::filesystem::path(kOutputFile).c_str(),
                           std::filesystem::path(kInputFile).c_str(), nullptr);
         return std::function<void()>([] {});
     },
     "is the same file as Trake.odl", "catalog\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Targets, WindowsSave, ::testing::ValuesIn(kHeldTargets),
                         [](const auto &info) { return std::string(info.param.name); });

// A first save names the new file without hiding it, in a folder whose name is not in the
// system's 8-bit code page, and a catalog another program is writing to is read all the same.
TEST_F(CatalogFile, CroatianFolderNamesAndSharedReadsWork)
{
    const std::filesystem::path radionica = folder.path() / u8"radionica-čćšžđ";
    std::filesystem::create_directory(radionica);
    const std::filesystem::path output = radionica / kOutputFile;
    EXPECT_EQ(save(output), "");
    EXPECT_EQ(readWhole(output), kNew);
    EXPECT_FALSE(::GetFileAttributesW(output.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    const std::string catalog = withCrLf(typicalLines(2));
    const std::filesystem::path input = radionica / kInputFile;
    std::ofstream(input, std::ios::binary) << catalog;
    const HANDLE writer = holdOpen(input, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    const LoadedCatalog loaded = loadCatalog(input);
    ::CloseHandle(writer);
    EXPECT_EQ(loaded.count, 2);
    // Messages spell the folder in UTF-8, as the window reads them.
    EXPECT_NE(errorOf([&] { loadCatalog(radionica / "nema.odl"); }).find("radionica-čćšžđ"),
              std::string::npos);
}

}  // namespace
