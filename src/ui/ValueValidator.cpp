#include "ui/ValueValidator.h"

#include <utility>

ValueValidator::ValueValidator(ValueKind kind, Check check, QObject *parent)
    : CodePageValidator(parent), m_kind(kind), m_check(std::move(check))
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

QString ValueValidator::adjust(QString &text) const
{
    if (m_kind != ValueKind::Number || !text.contains(u','))
        return QString();
    text.replace(u',', u'.');
    return tr("Decimals are written with a period: the comma was put in as one.");
}
