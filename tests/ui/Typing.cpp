#include "Typing.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
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

void dropText(QWidget *widget, const QString &text)
{
    QMimeData dragged;
    dragged.setText(text);
    const QPoint at(2, 2);
    // Qt delivers a drop only to a widget the drag has entered.
    QDragEnterEvent enter(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QDropEvent drop(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
}
