#include "TextBox.h"

#include "CodePageValidator.h"

#include <QLocale>
#include <QScopedValueRollback>
#include <QToolTip>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

struct Change
{
    QString text;
    qsizetype start;  // where the inserted part begins
    qsizetype end;    // where what is kept of it ends
};

// `after` with only the first line of what the change from `before` inserted. The inserted
// part is what lies between the longest common start and end of the two texts, so line breaks
// that `before` held are never taken for new ones.
Change keepFirstInsertedLine(const QString &before, const QString &after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype start = 0;
    while (start < shorter && before[start] == after[start])
        ++start;
    qsizetype end = 0;
    while (end < shorter - start
           && before[before.size() - 1 - end] == after[after.size() - 1 - end])
        ++end;
    const QStringView inserted = QStringView(after).mid(start, after.size() - start - end);
    const auto lineEnd = std::find_if(inserted.begin(), inserted.end(), isLineBreak);
    const qsizetype kept = lineEnd - inserted.begin();
    if (kept == inserted.size())
        return {after, start, start + kept};
    QString text = after.left(start);
    text += inserted.left(kept);
    text += QStringView(after).right(end);
    return {text, start, start + kept};
}

}  // namespace

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    // Catalog values have no length limit; QLineEdit cuts at 32767 characters by default.
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textChanged, this, &TextBox::onTextChanged);
}

void TextBox::showValue(const QString &text)
{
    const QScopedValueRollback<bool> showing(m_showingValue, true);
    const bool startOnly = text.size() > kLongestEditable;
    if (startOnly || m_startOnly) {
        m_startOnly = startOnly;
        setReadOnly(startOnly);
        setToolTip(startOnly ? tr("This value is %1 characters long, too long to edit here: the "
                                  "box shows its start, and it is saved as it is.")
                                   .arg(QLocale().toString(text.size()))
                             : QString());
    }
    setText(startOnly ? text.left(kShownOfLongest) : text);
}

void TextBox::onTextChanged(const QString &text)
{
    if (text == m_lastText)
        return;
    if (m_startOnly) {
        // Only showValue() gets here: the box is read-only. What it shows is not the value.
        m_lastText = text;
        return;
    }
    Change change = m_showingValue ? Change{text, 0, text.size()}
                                   : keepFirstInsertedLine(m_lastText, text);
    QString &candidate = change.text;
    if (const QValidator *rule = validator()) {
        const qsizetype tail = candidate.size() - change.end;
        int position = static_cast<int>(change.end);
        if (rule->validate(candidate, position) != QValidator::Acceptable) {
            const auto *codePage = qobject_cast<const CodePageValidator *>(rule);
            refuse(codePage ? codePage->refusal(candidate) : QString(),
                   std::min(change.start, m_lastText.size()));
            return;
        }
        change.end = candidate.size() - tail;
    }
    if (candidate != text) {
        // The fixed text comes back through here and is taken as any other change.
        setText(candidate);
        setCursorPosition(
            static_cast<int>(std::clamp<qsizetype>(change.end, 0, candidate.size())));
        return;
    }
    m_lastText = text;
    emit changed();
}

void TextBox::refuse(const QString &reason, qsizetype cursor)
{
    // Typing and pasting reach here too: a validator that said Invalid would have them undone
    // silently, and the user would not learn which character was refused.
    setText(m_lastText);
    setCursorPosition(static_cast<int>(cursor));
    if (!reason.isEmpty())
        QToolTip::showText(mapToGlobal(QPoint(0, height())), reason, this);
    emit refused(reason);
}
