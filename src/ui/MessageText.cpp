#include "ui/MessageText.h"

#include "catalog/Message.h"

#include <QCoreApplication>
#include <QFile>

#include <string>
#include <vector>

QString messageText(const Message &message)
{
    // Substituted in UTF-8, which every part converts to and from without loss.
    std::vector<std::string> arguments;
    arguments.reserve(message.arguments.size());
    for (const MessageArgument &argument : message.arguments) {
        arguments.push_back(
            (argument.translatable.empty()
                 ? QFile::decodeName(QByteArray::fromStdString(argument.literal))
                 : messageText(argument.translatable.front()))
                .toStdString());
    }
    const QString format =
        QCoreApplication::translate("CatalogError", message.format.c_str());
    return QString::fromStdString(substituteArguments(format.toStdString(), arguments));
}

QString isolated(const QString &text)
{
    return QChar(0x2068) + text + QChar(0x2069);
}

QString messageText(const std::exception &error)
{
    if (const auto *carrier = dynamic_cast<const CarriesMessage *>(&error))
        return messageText(carrier->message());
    return QString::fromUtf8(error.what());
}
