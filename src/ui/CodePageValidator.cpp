#include "ui/CodePageValidator.h"

#include "catalog/CodePage1250.h"
#include "ui/MessageText.h"

#include <algorithm>

namespace {

bool storable(QStringView text)
{
    return CodePage1250::encode(std::u16string_view(
               reinterpret_cast<const char16_t *>(text.utf16()),
               static_cast<std::size_t>(text.size())))
        .has_value();
}

}  // namespace

CodePageValidator::CodePageValidator(QObject *parent) : QValidator(parent) {}

QValidator::State CodePageValidator::validate(QString &text, int &position) const
{
    QString composed = text.normalized(QString::NormalizationForm_C);
    if (composed != text) {
        // The cursor keeps its distance from the end, which composing before it does not move.
        const qsizetype fromEnd = text.size() - position;
        position = static_cast<int>(std::clamp<qsizetype>(composed.size() - fromEnd, 0,
                                                          composed.size()));
        text = std::move(composed);
    }
    return storable(text) && accepts(text) ? Acceptable : Intermediate;
}

bool CodePageValidator::accepts(const QString &) const
{
    return true;
}

QString CodePageValidator::refusal(const QString &text) const
{
    return codePageRefusal(text);
}

QString CodePageValidator::adjust(QString &) const
{
    return QString();
}

QString CodePageValidator::codePageRefusal(const QString &text)
{
    for (const char32_t codePoint : text.toUcs4()) {
        QString character = QString::fromUcs4(&codePoint, 1);
        if (storable(character))
            continue;
        const QString code = QStringLiteral("U+")
            + QString::number(static_cast<uint>(codePoint), 16).toUpper().rightJustified(4, u'0');
        // A lone combining mark is shown on a dotted circle, as it cannot stand by itself.
        if (QChar::isMark(codePoint))
            character.prepend(QChar(0x25CC));
        return tr("\"%1\" (%2) was not put in: the catalog's code page, Windows-1250, has no "
                  "such character.")
            .arg(isolated(character), code);
    }
    return QString();
}
