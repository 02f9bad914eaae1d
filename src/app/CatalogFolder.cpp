#include "CatalogFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("lastCatalogFolder");

}  // namespace

QString lastCatalogFolder()
{
    const QString folder = QSettings().value(kKey).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return QDir::homePath();
    return folder;
}

void rememberCatalogFolder(const QString &folder)
{
    QSettings settings;
    settings.setValue(kKey, folder);
    settings.sync();
}

QString askForCatalogFolder(QWidget *parent)
{
    return QFileDialog::getExistingDirectory(
        parent, QCoreApplication::translate("CatalogFolder", "Open the folder with Trake.odl"),
        lastCatalogFolder());
}
