#pragma once

#include <QString>
#include <QValidator>

// What a value box lets in. The text is first composed (Unicode NFC), so a letter written as a
// base letter and a combining mark, as text copied from some systems is ("c" + U+030C), is the
// one character the code page has ("č"). Text holding a character the catalog's code page
// (Windows-1250) still cannot hold is Intermediate, never Invalid: the box puts its previous
// text back and tells the user which character it was, so what a value box shows is always
// what the file will get. Composing leaves text made of the code page's characters as it is.
class CodePageValidator : public QValidator
{
    Q_OBJECT

public:
    explicit CodePageValidator(QObject *parent = nullptr);

    State validate(QString &text, int &position) const override;

    // Why `text`, which validate() did not accept, was refused; empty when it gives no reason.
    virtual QString refusal(const QString &text) const;

    // Puts into `text`, before it is validated, what the user meant by it; returns what the
    // user should be told about the change, or an empty string. The default changes nothing.
    virtual QString adjust(QString &text) const;

    // Names the first character of `text` the code page cannot hold, set apart from the
    // sentence's direction; empty when there is none.
    static QString codePageRefusal(const QString &text);

protected:
    // Whether `text`, already composed and made of the code page's characters, may go in.
    virtual bool accepts(const QString &text) const;
};
