#include "Typing.h"

#include <QString>
#include <QTest>

void typeKeys(QWidget *widget, const QString &text)
{
    for (const char32_t codePoint : text.toUcs4()) {
        if (codePoint < 0x80) {
            QTest::keyClick(widget, static_cast<char>(codePoint));
            continue;
        }
        // Qt names a letter's key by its capital's code point.
        const auto key = static_cast<Qt::Key>(QChar::toUpper(codePoint));
        QTest::sendKeyEvent(QTest::Click, widget, key, QString::fromUcs4(&codePoint, 1),
                            Qt::NoModifier);
    }
}
