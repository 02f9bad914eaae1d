#pragma once

#include <QString>

class QWidget;

// The folder of the last catalog that opened, kept in the user's settings so that the folder
// dialog starts there next time. The home folder when none was kept or it has gone since.
QString lastCatalogFolder();
void rememberCatalogFolder(const QString &folder);

// Asks for a folder with the desktop's dialog, starting at lastCatalogFolder(). Empty when the
// user cancels.
QString askForCatalogFolder(QWidget *parent = nullptr);
