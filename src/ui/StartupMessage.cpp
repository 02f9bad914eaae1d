#include "StartupMessage.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

namespace {

// The loader's reasons begin "Trake.odl: cannot open: ...", "Trake.odl, line 91 (record 3,
// line 1): ..." or end "the file holds no record".
const char *headline(std::string_view reason)
{
    if (reason.ends_with(": the file holds no record"))
        return QT_TRANSLATE_NOOP("StartupMessage", "The catalog in %1 holds no record:");
    if (const auto colon = reason.find(':');
        colon != std::string_view::npos && reason.substr(0, colon).find(", line ")
                                               != std::string_view::npos)
        return QT_TRANSLATE_NOOP("StartupMessage",
                                 "The catalog in %1 has a line that cannot be cut:");
    if (reason.find(": cannot open: ") != std::string_view::npos)
        return QT_TRANSLATE_NOOP("StartupMessage", "Cannot open the catalog in %1:");
    return QT_TRANSLATE_NOOP("StartupMessage", "Cannot read the catalog in %1:");
}

}  // namespace

std::string startupFailureMessage(const std::filesystem::path &folder, std::string_view reason)
{
    const QString where = QFile::decodeName(QByteArray::fromStdString(folder.native()));
    const QString message = QCoreApplication::translate("StartupMessage", headline(reason))
                                .arg(where)
        + u'\n' + QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()));
    return message.toStdString();
}
