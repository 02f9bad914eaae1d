#pragma once

#include <QLineEdit>
#include <QString>

// A single-line text box whose changed() follows the program's rule exactly: raised at once,
// inside the call that changed the text, on every real change (typing, paste, setText), and
// never when the text ends up as it was. QLineEdit alone also signals when, say, a selected
// "1" is overtyped with "1"; the record display's nesting ends only because this box does not.
// A text its validator() refuses is put back to the previous text, whichever way it came.
class TextBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent = nullptr);

signals:
    void changed();

private:
    void onTextChanged(const QString &text);

    QString m_lastText;
};
