#pragma once

#include <QString>

#include <functional>

class QWidget;

// The folder last chosen in the folder dialog, kept in the user's settings so that the dialog
// starts there next time. The home folder when none was kept or it has gone since.
QString lastCatalogFolder();
void rememberCatalogFolder(const QString &folder);

// The folder whose catalog `path` stands for: `path` itself when it is a folder, the folder of
// a Trake.odl or Trake-novi.odl. Empty for any other file, or when nothing is at `path`.
QString catalogFolderFor(const QString &path);

// Asks with `ask` (given the folder to start in; an empty answer is a cancel) for a catalog's
// folder, or a file in it, until the answer names a folder that can be entered and holds
// Trake.odl. Each wrong answer is told with `tell`, and the next question starts at its folder.
// Returns the folder, absolute; empty when the user cancels.
QString chooseCatalogFolder(const std::function<QString(const QString &start)> &ask,
                            const std::function<void(const QString &problem)> &tell);

// chooseCatalogFolder() with the desktop's file dialog, which shows Trake.odl in its folder,
// and a message box. Starts at lastCatalogFolder().
QString askForCatalogFolder(QWidget *parent = nullptr);
