#pragma once

#include <filesystem>

// The folder the editor's two files live in, followed when it is replaced under the program:
// a backup restored or a sync tool deletes the folder and makes it again, or moves it away and
// puts a new one at its path. The program would otherwise go on standing in the old one, where
// nothing can be created any more. The first call remembers the current folder; a folder the
// program was moved into since (not one it was left standing in) is remembered instead.
class WorkingFolder
{
public:
    // Changes into the folder that now stands at the remembered path, when the current folder
    // has been deleted or moved away from it. Throws CatalogError when the current folder has
    // been deleted and no folder stands at its path.
    static void enter();

private:
    static void remember();

    static std::filesystem::path s_path;
    static int s_folder;  // the folder at s_path when it was remembered, held open
};
