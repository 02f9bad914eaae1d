#pragma once

#include <QLineEdit>
#include <QString>

// A single-line text box whose changed() follows the program's rule exactly: raised at once,
// inside the call that changed the text, on every real change (typing, paste, drop, setText),
// and never when the text ends up as it was. QLineEdit alone also signals when, say, a selected
// "1" is overtyped with "1"; the record display's nesting ends only because this box does not.
// Whatever way text comes in, only one line of what it adds is kept: the first that holds
// text (a pasted cell's trailing line end is dropped, a CR or LF is never added), with a note
// at the box when lines holding text were left out; line breaks the text already held stay. A
// validator() may then fix the text up; a text it does not find Acceptable is put back to the
// previous text, with a note at the box saying why. A text longer than the box shows whole as
// the box's tooltip, however it came in; the tooltip is set when it is asked for
// (QEvent::ToolTip).
class TextBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent = nullptr);

    // Shows a stored value exactly, line breaks included: they came from the file, which must
    // get them back. A value longer than kLongestEditable characters (`length`, when `text` is
    // only its start) is shown read-only, only its first kShownOfLongest characters, and raises
    // no changed(): the stored value stays whole, and a line edit laying out megabytes would
    // take many times their size in memory.
    void showValue(const QString &text, qsizetype length = -1);

    static constexpr qsizetype kLongestEditable = 1 << 16;
    static constexpr qsizetype kShownOfLongest = 1024;

protected:
    bool event(QEvent *event) override;

signals:
    void changed();

private:
    void onTextChanged(const QString &text);
    void refuse(const QString &reason, qsizetype cursor);
    // A note shown at the box, as a tooltip: it needs no answer.
    void showNote(const QString &note);
    void updateToolTip();

    QString m_lastText;
    bool m_showingValue = false;
    bool m_startOnly = false;
};
