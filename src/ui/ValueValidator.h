#pragma once

#include "ui/CodePageValidator.h"

#include <functional>

// What a value box lets in: the code page's characters (see CodePageValidator), and only a
// value that the catalog file gives back as it was typed, which `check` judges for the record
// on screen. The text is refused, never changed, so what the box shows is what the file gets.
class ValueValidator : public CodePageValidator
{
    Q_OBJECT

public:
    // The reason `text` cannot go in, or an empty string when it can.
    using Check = std::function<QString(const QString &text)>;

    ValueValidator(Check check, QObject *parent);

    QString refusal(const QString &text) const override;

protected:
    bool accepts(const QString &text) const override;

private:
    Check m_check;
};
