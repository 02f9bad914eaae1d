#pragma once

class QString;
class QWidget;

// Types `text` into the widget one key at a time. Unlike QTest::keyClicks this also types
// letters beyond Latin-1 (č, ā, 中), as a keyboard layout that has them would.
void typeKeys(QWidget *widget, const QString &text);

// Drags `text` onto the widget and drops it there, as from another program.
void dropText(QWidget *widget, const QString &text);
