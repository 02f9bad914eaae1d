#include "CatalogFolder.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CatalogFolderTest, TheFolderDialogStartsWhereTheLastCatalogWasOpened)
{
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    auto catalog = std::make_unique<QTemporaryDir>();

    EXPECT_EQ(lastCatalogFolder(), QDir::homePath()) << "nothing remembered yet";
    rememberCatalogFolder(catalog->path());
    EXPECT_EQ(lastCatalogFolder(), catalog->path());
    catalog.reset();
    EXPECT_EQ(lastCatalogFolder(), QDir::homePath()) << "the folder has gone";
}

// The answers a person gives in the dialog, one per question; "" cancels. Each wrong answer is
// told, and the question comes again where it was answered.
TEST(CatalogFolderTest, TheChooserAsksAgainUntilAFolderWithTheCatalogIsChosen)
{
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QTemporaryDir root;
    const QString catalog = root.filePath(QStringLiteral("radionica"));
    const QString empty = root.filePath(QStringLiteral("prazna"));
    QDir(root.path()).mkpath(catalog);
    QDir(root.path()).mkpath(empty);
    for (const char *name : {"Trake.odl", "Trake-novi.odl", "Druge.odl"}) {
        QFile file(QDir(catalog).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString other = QDir(catalog).filePath(QStringLiteral("Druge.odl"));

    const struct
    {
        const char *name;
        QStringList answers;
        QString chosen;
        QStringList told;
        QStringList starts;  // where each question started, after the first
    } rows[] = {
        {"the folder", {catalog}, catalog, {}, {}},
        {"its Trake.odl", {catalog + QStringLiteral("/Trake.odl")}, catalog, {}, {}},
        {"its Trake-novi.odl", {catalog + QStringLiteral("/Trake-novi.odl")}, catalog, {}, {}},
        {"a folder without the catalog, then the right one", {empty, catalog}, catalog,
         {QStringLiteral("There is no Trake.odl in the folder \"%1\".").arg(empty)}, {empty}},
        {"another file, then cancel", {other, QString()}, QString(),
         {QStringLiteral("\"%1\" is not a catalog. Choose the file Trake.odl in the catalog's "
                         "folder.")
              .arg(other)},
         {catalog}},
        {"cancel", {QString()}, QString(), {}, {}},
    };
    for (const auto &row : rows) {
        QStringList answers = row.answers;
        QStringList starts;
        QStringList told;
        const QString chosen = chooseCatalogFolder(
            [&](const QString &start) {
                starts << start;
                return answers.isEmpty() ? QString() : answers.takeFirst();
            },
            [&](const QString &problem) { told << problem; });
        EXPECT_EQ(chosen, row.chosen) << row.name;
        EXPECT_EQ(told, row.told) << row.name;
        EXPECT_TRUE(answers.isEmpty()) << row.name << ": not asked again";
        EXPECT_EQ(starts.mid(1), row.starts) << row.name;
    }
}

// What the file manager offers Velmora for, by the installed file type: the catalog and the
// saved copy by their exact names, and no other program's .odl file.
TEST(CatalogFolderTest, TheFileTypeClaimsTheCatalogsNamesOnly)
{
    QTemporaryDir data;
    const QString packages = data.filePath(QStringLiteral("mime/packages"));
    ASSERT_TRUE(QDir().mkpath(packages));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/desktop/velmora.xml"),
                            packages + QStringLiteral("/velmora.xml")));
    // The database as a desktop builds it on install.
    ASSERT_EQ(QProcess::execute(QStringLiteral("update-mime-database"),
                                {data.filePath(QStringLiteral("mime"))}),
              0);
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));

    const struct
    {
        const char *file;
        bool claimed;
    } rows[] = {
        {"Trake.odl", true},         {"Trake-novi.odl", true}, {"Other.odl", false},
        {"trake.odl", false},        {"Stare Trake.odl", false}, {"Trake.odl.bak", false},
    };
    const QMimeDatabase types;
    for (const auto &row : rows) {
        const QString type =
            types.mimeTypeForFile(QStringLiteral("/radionica/") + QString::fromUtf8(row.file),
                                  QMimeDatabase::MatchExtension)
                .name();
        EXPECT_EQ(type == QStringLiteral("application/x-velmora-catalog"), row.claimed)
            << row.file << ": " << type.toStdString();
    }
    qputenv("XDG_DATA_HOME", previous);
}

}  // namespace
