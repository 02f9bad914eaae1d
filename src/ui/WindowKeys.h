#pragma once

#include <QList>
#include <QString>

// One key of the window and what it does, translated.
struct WindowKey
{
    QString keys;
    QString text;
};

// The window's keys, in the order the About box, --help and the manual page list them.
QList<WindowKey> windowKeys();
