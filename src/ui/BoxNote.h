#pragma once

#include <QLabel>
#include <QPointer>
#include <QTimer>

// A short note at a box (why a character was refused, what a paste left out). It looks like a
// tooltip but is a child of the box's window, never a window of its own, and lets every click
// through to what lies beneath it: a click on the box it covers lands in that box. One note a
// window; it goes by after a reading time, on a click anywhere in the window, or on close().
class BoxNote : public QLabel
{
    Q_OBJECT

public:
    // Shows `text` under `anchor`, kept inside the anchor's window.
    static void show(QWidget *anchor, const QString &text);
    // The note open in `window`, or null.
    static BoxNote *openIn(const QWidget *window);
    // Closes the note open in `window`; false when none was.
    static bool closeIn(const QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit BoxNote(QWidget *window);

    void place(QWidget *anchor);

    QTimer m_goBy;
};
