#include "CatalogFolder.h"

#include <QDir>
#include <QSettings>
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

}  // namespace
