#pragma once

// The folder the editor's two files live in. When it is deleted under the program (a backup
// restored or a sync tool deletes the folder and makes it again), the folder that now stands at
// its path is followed: the program would otherwise go on standing in a deleted folder, where
// nothing can be created any more. A folder that was only renamed or moved still exists and
// stays the one worked in, whatever now stands at its old path. The first call remembers the
// current folder; a folder the program was moved into since (not one it was left standing in)
// is remembered instead. Windows keeps a process's current folder from being deleted or
// renamed, so there the current folder always is the working folder.
class WorkingFolder
{
public:
    // Changes into the folder that now stands at the remembered path, when the current folder
    // has been deleted. Throws CatalogError when it has and no folder stands at its path.
    static void enter();
};
