#include "ui/MessageText.h"

#include "catalog/CatalogFiles.h"
#include "catalog/Message.h"

#include <QCoreApplication>
#include <QRegularExpression>

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
                 ? QString::fromStdString(argument.literal)
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

QString keptWhole(QString text)
{
    for (const char *name : {kOutputFile, kInputFile}) {
        const QString plain = QString::fromUtf8(name);
        QString joined = plain;
        joined.replace(u'-', QStringLiteral("-\u2060"));
        text.replace(plain, joined);
    }
    static const QRegularExpression date(QStringLiteral("(\\d{1,2}\\.) (\\d{1,2}\\.) (\\d{4})"));
    text.replace(date, QStringLiteral("\\1\u00a0\\2\u00a0\\3"));
    return text;
}
