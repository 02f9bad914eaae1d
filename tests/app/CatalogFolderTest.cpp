#include "app/CatalogFolder.h"

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

// The answers given in the dialog, one per question ("" cancels): each wrong one is told, and
// the question comes again in its folder.
TEST(CatalogFolderTest, TheChooserAsksAgainUntilAFolderWithTheCatalogIsChosen)
{
    QTemporaryDir root;
    const QString catalog = root.filePath(QStringLiteral("radionica"));
    const QString empty = root.filePath(QStringLiteral("prazna"));
    const QString other = catalog + QStringLiteral("/Druge.odl");
    QDir().mkpath(empty);
    QDir().mkpath(catalog);
    for (const char *name : {"Trake.odl", "Trake-novi.odl", "Druge.odl"})
        QFile(catalog + u'/' + QLatin1String(name)).open(QIODevice::WriteOnly);

    const struct
    {
        QStringList answers;
        QString chosen;
        QStringList told;
        QStringList startsAfterTheFirst;
    } rows[] = {
        {{catalog}, catalog, {}, {}},
        {{catalog + QStringLiteral("/Trake.odl")}, catalog, {}, {}},
        {{catalog + QStringLiteral("/Trake-novi.odl")}, catalog, {}, {}},
        {{empty, catalog}, catalog,
         {QStringLiteral("There is no Trake.odl in the folder \"%1\".").arg(empty)}, {empty}},
        {{other, QString()}, QString(),
         {QStringLiteral("\"%1\" is not a catalog. Choose the file Trake.odl in the catalog's "
                         "folder.").arg(other)},
         {catalog}},
        {{QString()}, QString(), {}, {}},
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
        const QString name = row.answers.join(u',');
        EXPECT_EQ(chosen, row.chosen) << name.toStdString();
        EXPECT_EQ(told, row.told) << name.toStdString();
        EXPECT_TRUE(answers.isEmpty()) << name.toStdString() << ": not asked again";
        EXPECT_EQ(starts.mid(1), row.startsAfterTheFirst) << name.toStdString();
    }
}

// The file type as a desktop installs it claims the catalog and the saved copy by their exact
// names, and no other program's .odl file.
TEST(CatalogFolderTest, TheFileTypeClaimsTheCatalogsNamesOnly)
{
    QTemporaryDir data;
    ASSERT_TRUE(QDir().mkpath(data.filePath(QStringLiteral("mime/packages"))));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/desktop/velmora.xml"),
                            data.filePath(QStringLiteral("mime/packages/velmora.xml"))));
    ASSERT_EQ(QProcess::execute(QStringLiteral("update-mime-database"),
                                {data.filePath(QStringLiteral("mime"))}), 0);
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const std::pair<const char *, bool> rows[] = {
        {"Trake.odl", true},  {"Trake-novi.odl", true},   {"Other.odl", false},
        {"trake.odl", false}, {"Stare Trake.odl", false}, {"Trake.odl.bak", false},
    };
    for (const auto &[file, claimed] : rows) {
        const QString type = QMimeDatabase()
                                 .mimeTypeForFile(QString::fromUtf8(file),
                                                  QMimeDatabase::MatchExtension)
                                 .name();
        EXPECT_EQ(type == QStringLiteral("application/x-velmora-catalog"), claimed) << file;
    }
    qputenv("XDG_DATA_HOME", previous);
}

}  // namespace
