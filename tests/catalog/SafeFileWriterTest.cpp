#include "CatalogFileFixture.h"
#include "ChildProcess.h"
#include "FailingSink.h"
#include "MemorySnapshot.h"
#include "catalog/CatalogWriter.h"
#include "catalog/SafeFileWriter.h"
#include "catalog/SavedButNotSynced.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>


namespace fs = std::filesystem;

namespace {

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
    constexpr rlim_t kNoLimit = RLIM_INFINITY;
    const struct
    {
        const char *name;
        mode_t folderMode;  // as root the folder is root's own: 0555 becomes 0755
        bool outputExists;
        rlim_t sizeLimit;
        const char *error;
        gid_t sharedGroup = 0;  // the output's group, one of the saving user's groups too
    } rows[] = {
        {"read-only folder: written in place", 0555, true, kNoLimit, "saved"},
        {"read-only folder, writing in place declined", 0555, true, kNoLimit, "cancelled"},
        {"read-only folder, no output yet", 0555, false, kNoLimit,
         "Trake-novi.odl: cannot create a file in its folder: Permission denied"},
        {"sticky folder, another's output we may write: in place", 01777, true, kNoLimit,
         "saved"},
        {"written in place and failing part-way says so", 0555, true, 8192,
         "Trake-novi.odl: cannot write: File too large; its folder allows no new file, so it "
         "was being written in place and Trake-novi.odl is now incomplete; every record is "
         "still in the editor"},
        {"written in place and failing at the first byte says it is unchanged", 0555, true, 0,
         "Trake-novi.odl: cannot write: File too large; nothing was written over it, so "
         "Trake-novi.odl was not changed"},
        {"folder that cannot be read to sync it: saved, with a warning", 0333, true, kNoLimit,
         "warning: Trake-novi.odl: saved, but it may not yet be safe on disk: its folder "
         "cannot be synced: Permission denied"},
        {"another's file in an open folder keeps its group", 0777, true, kNoLimit, "saved",
         4242},
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
            if (row.sizeLimit != kNoLimit && ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
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
        if (std::string_view(row.error) == "cancelled" || row.sizeLimit == 0) {
            EXPECT_EQ(folder.read(kOutputFile), m_oldOutput) << row.name;
        } else if (row.outputExists && row.sizeLimit == kNoLimit) {
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

// The sink fails at the start, part-way, past the first 8 MiB the writer hands on (written on
// a thread of its own while the rest is gathered), and at the very last byte.
TEST_F(FailedSave, SinkFailingPartWayLeavesNoTrace)
{
    holdTypicalCatalog(6000);
    const auto size = static_cast<std::size_t>(catalogSize(gRecords, gSlog->UkBrSlogova));
    ASSERT_GT(size, std::size_t(9) << 20);
    for (const std::size_t limit :
         {std::size_t(0), std::size_t(100), std::size_t(9) << 20, size - 1}) {
        try {
            SafeFileWriter out(kOutputFile);
            writeCatalog(gRecords, gSlog->UkBrSlogova,
                         FailingSink([&out](std::string_view block) { out.write(block); },
                                     limit));
            out.commit();
            FAIL() << "the sink did not fail after " << limit << " bytes";
        } catch (const std::runtime_error &error) {
            EXPECT_EQ(std::string(error.what()), "the device went away") << limit;
        }
        expectOldOutputUntouched();
    }
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
