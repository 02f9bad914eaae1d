#include "CatalogFileFixture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

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

}  // namespace
