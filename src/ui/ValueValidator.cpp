#include "ui/ValueValidator.h"

#include <utility>

ValueValidator::ValueValidator(Check check, QObject *parent)
    : CodePageValidator(parent), m_check(std::move(check))
{
}

bool ValueValidator::accepts(const QString &text) const
{
    return m_check(text).isEmpty();
}

QString ValueValidator::refusal(const QString &text) const
{
    const QString codePage = codePageRefusal(text);
    return codePage.isEmpty() ? m_check(text) : codePage;
}
