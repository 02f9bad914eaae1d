#include "StartupMessage.h"

#include <QCoreApplication>
#include <QString>

std::string startupFailureMessage(const std::filesystem::path &folder, std::string_view reason)
{
    return QCoreApplication::translate("StartupMessage", "Cannot open the catalog in %1:\n%2")
        .arg(QString::fromStdString(folder.string()),
             QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size())))
        .toStdString();
}
