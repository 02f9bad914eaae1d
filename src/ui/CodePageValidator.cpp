#include "CodePageValidator.h"

#include "CodePage1250.h"

CodePageValidator::CodePageValidator(QObject *parent) : QValidator(parent) {}

QValidator::State CodePageValidator::validate(QString &text, int &) const
{
    return CodePage1250::encode(text.toStdU16String()) ? Acceptable : Invalid;
}
