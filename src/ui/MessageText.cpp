#include "ui/MessageText.h"

#include "catalog/Message.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

QString messageText(const Message &message)
{
    QStringList arguments;
    for (const MessageArgument &argument : message.arguments) {
        arguments << (argument.translatable.empty()
                          ? QFile::decodeName(QByteArray::fromStdString(argument.literal))
                          : messageText(argument.translatable.front()));
    }
    const QString format =
        QCoreApplication::translate("CatalogError", message.format.c_str());
    // One pass: a "%1" inside a file name is put in as it is, never taken for a place.
    QString text;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const char16_t digit = i + 1 < format.size() ? format[i + 1].unicode() : u'\0';
        const qsizetype index = format[i] == u'%' && digit >= u'1' && digit <= u'9'
                                    ? digit - u'1'
                                    : arguments.size();
        if (index >= arguments.size()) {
            text += format[i];
            continue;
        }
        text += arguments[index];
        ++i;
    }
    return text;
}

QString messageText(const std::exception &error)
{
    if (const auto *carrier = dynamic_cast<const CarriesMessage *>(&error))
        return messageText(carrier->message());
    return QString::fromUtf8(error.what());
}
