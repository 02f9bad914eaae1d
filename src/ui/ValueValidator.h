#pragma once

#include "catalog/RecordTemplate.h"
#include "ui/CodePageValidator.h"

#include <functional>

// What a value box lets in: the code page's characters (see CodePageValidator), and only a
// value that the catalog file gives back as it was typed, which `check` judges for the record
// on screen. The text is refused, never changed, so what the box shows is what the file gets;
// the one change is in a number's box, where a comma is the decimal separator the user meant
// and becomes the period the file writes.
class ValueValidator : public CodePageValidator
{
    Q_OBJECT

public:
    // The reason `text` cannot go in, or an empty string when it can.
    using Check = std::function<QString(const QString &text)>;

    ValueValidator(ValueKind kind, Check check, QObject *parent);

    QString refusal(const QString &text) const override;
    QString adjust(QString &text) const override;

protected:
    bool accepts(const QString &text) const override;

private:
    ValueKind m_kind;
    Check m_check;
};
