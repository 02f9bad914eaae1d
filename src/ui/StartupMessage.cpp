#include "ui/StartupMessage.h"

#include "catalog/CatalogError.h"
#include "ui/MessageText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

namespace {

const char *headline(const std::exception &error)
{
    const auto *catalogError = dynamic_cast<const CatalogError *>(&error);
    switch (catalogError != nullptr ? catalogError->kind() : CatalogError::Kind::Other) {
    case CatalogError::Kind::NoRecord:
        return QT_TRANSLATE_NOOP("StartupMessage", "The catalog in %1 holds no record:");
    case CatalogError::Kind::LineCannotBeCut:
        return QT_TRANSLATE_NOOP("StartupMessage",
                                 "The catalog in %1 has a line that cannot be cut:");
    case CatalogError::Kind::CannotOpen:
        return QT_TRANSLATE_NOOP("StartupMessage", "Cannot open the catalog in %1:");
    case CatalogError::Kind::CannotRead:
    case CatalogError::Kind::Other:
        break;
    }
    return QT_TRANSLATE_NOOP("StartupMessage", "Cannot read the catalog in %1:");
}

}  // namespace

std::string startupFailureMessage(const std::filesystem::path &folder,
                                  const std::exception &error)
{
    // The folder as the system names it, whatever its bytes or wide characters.
    const QString where = QDir::toNativeSeparators(QFileInfo(folder).filePath());
    const QString message =
        QCoreApplication::translate("StartupMessage", headline(error)).arg(where) + u'\n'
        + messageText(error);
    return message.toStdString();
}
