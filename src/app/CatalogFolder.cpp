#include "app/CatalogFolder.h"

#include "catalog/CatalogFiles.h"
#include "catalog/FileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

#include <filesystem>
#include <optional>
#include <string>

// The translation context of the texts below.
struct CatalogFolder
{
    Q_DECLARE_TR_FUNCTIONS(CatalogFolder)
};

namespace {

const QString kKey = QStringLiteral("lastCatalogFolder");

// Why the answer `path` is no catalog's folder; empty when it is one.
QString problemWith(const QString &path, const QString &folder)
{
    const QString catalogName = QString::fromUtf8(kInputFile);
    if (folder.isEmpty())
        return CatalogFolder::tr("\"%1\" is not a catalog. Choose the file %2 in the catalog's "
                                 "folder.")
            .arg(QDir::toNativeSeparators(path), catalogName);
    // As the program will enter it: a folder it may list but not enter is no use either.
    if (const std::optional<std::string> why =
            cannotEnter(std::filesystem::path(folder.toStdU16String())))
        return CatalogFolder::tr("The folder \"%1\" cannot be entered: %2")
            .arg(QDir::toNativeSeparators(folder), QString::fromStdString(*why));
    if (!QFileInfo::exists(QDir(folder).filePath(catalogName)))
        return CatalogFolder::tr("There is no %1 in the folder \"%2\".")
            .arg(catalogName, QDir::toNativeSeparators(folder));
    return {};
}

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

QString catalogFolderFor(const QString &path)
{
    const QFileInfo given(path);
    if (given.isDir())
        return QDir::cleanPath(given.absoluteFilePath());
    if (given.exists()
        && (given.fileName() == QString::fromUtf8(kInputFile)
            || given.fileName() == QString::fromUtf8(kOutputFile)))
        return QDir::cleanPath(given.absolutePath());
    return {};
}

QString chooseCatalogFolder(const std::function<QString(const QString &start)> &ask,
                            const std::function<void(const QString &problem)> &tell)
{
    QString start = lastCatalogFolder();
    for (;;) {
        const QString answer = ask(start);
        if (answer.isEmpty())
            return {};
        const QString folder = catalogFolderFor(answer);
        const QString problem = problemWith(answer, folder);
        if (problem.isEmpty())
            return folder;
        tell(problem);
        const QFileInfo tried(folder.isEmpty() ? answer : folder);
        start = tried.isDir() ? tried.absoluteFilePath() : tried.absolutePath();
    }
}

QString askForCatalogFolder(QWidget *parent)
{
    const QString catalogName = QString::fromUtf8(kInputFile);
    return chooseCatalogFolder(
        [&](const QString &start) {
            return QFileDialog::getOpenFileName(
                parent, CatalogFolder::tr("Open the catalog %1").arg(catalogName), start,
                CatalogFolder::tr("Catalog (%1 %2)")
                    .arg(catalogName, QString::fromUtf8(kOutputFile)));
        },
        [&](const QString &problem) {
            QMessageBox::warning(parent, QStringLiteral("Velmora"), problem);
        });
}
