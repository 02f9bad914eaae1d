#include "ui/TextBox.h"

#include "ui/CodePageValidator.h"

#include <QEvent>
#include <QLocale>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextDocument>
#include <QToolTip>
#include <QValidator>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

struct Change
{
    QString text;
    qsizetype start;        // where the inserted part begins
    qsizetype end;          // where what is kept of it ends
    qsizetype leftOut = 0;  // lines of the inserted text that hold text and were left out
};

bool holdsText(QStringView line)
{
    return std::any_of(line.begin(), line.end(), [](QChar c) { return !c.isSpace(); });
}

// `after` with only one line of what the change from `before` inserted: the first line that
// holds text, or the first line when none does. The inserted part is what lies between the
// longest common start and end of the two texts, so line breaks that `before` held are never
// taken for new ones.
Change keepOneInsertedLine(const QString &before, const QString &after)
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
    if (std::none_of(inserted.begin(), inserted.end(), isLineBreak))
        return {after, start, start + inserted.size()};

    std::vector<QStringView> lines;
    for (auto from = inserted.begin();;) {
        const auto lineEnd = std::find_if(from, inserted.end(), isLineBreak);
        lines.emplace_back(from, lineEnd);
        if (lineEnd == inserted.end())
            break;
        from = lineEnd + 1;
    }
    const auto kept = std::find_if(lines.begin(), lines.end(), holdsText);
    const QStringView line = kept == lines.end() ? lines.front() : *kept;
    const auto leftOut =
        std::count_if(lines.begin(), lines.end(), holdsText) - (kept != lines.end());
    QString text = after.left(start);
    text += line;
    text += QStringView(after).right(end);
    return {text, start, start + line.size(), leftOut};
}

}  // namespace

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    // Catalog values have no length limit; QLineEdit cuts at 32767 characters by default.
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textChanged, this, &TextBox::onTextChanged);
}

bool TextBox::event(QEvent *event)
{
    // Decided as the tooltip is asked for, so that it follows the text however that came in,
    // and a keystroke or a record shown costs no measuring.
    if (event->type() == QEvent::ToolTip)
        updateToolTip();
    return QLineEdit::event(event);
}

void TextBox::updateToolTip()
{
    // A value shown only in part keeps the tooltip that says so.
    if (m_startOnly)
        return;
    QStyleOptionFrame option;
    initStyleOption(&option);
    // QLineEdit keeps two pixels free on each side of its text.
    const int room =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).width() - 4;
    const QString shown = text();
    QString tip;
    if (fontMetrics().horizontalAdvance(shown) > room)
        // Text that looks like markup would be shown as rich text: plain text is made safe.
        tip = Qt::mightBeRichText(shown) ? Qt::convertFromPlainText(shown) : shown;
    // Setting a tooltip sends an event even when it stays the same.
    if (tip != toolTip())
        setToolTip(tip);
}

void TextBox::showValue(const QString &text, qsizetype length)
{
    const QScopedValueRollback<bool> showing(m_showingValue, true);
    if (length < 0)
        length = text.size();
    const bool startOnly = length > kLongestEditable;
    if (startOnly || m_startOnly) {
        m_startOnly = startOnly;
        setReadOnly(startOnly);
        setToolTip(startOnly ? tr("This value is %1 characters long, too long to edit here: the "
                                  "box shows its start, and it is saved as it is.")
                                   .arg(QLocale().toString(length))
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
                                   : keepOneInsertedLine(m_lastText, text);
    QString &candidate = change.text;
    // A shown value is the one the record holds, which is kept whatever it is: only what the
    // user puts in is checked.
    const QValidator *rule = m_showingValue ? nullptr : validator();
    if (rule != nullptr) {
        const qsizetype tail = candidate.size() - change.end;
        int position = static_cast<int>(change.end);
        if (rule->validate(candidate, position) != QValidator::Acceptable) {
            const auto *explained = qobject_cast<const CodePageValidator *>(rule);
            refuse(explained ? explained->refusal(candidate) : QString(),
                   std::min(change.start, m_lastText.size()));
            return;
        }
        change.end = candidate.size() - tail;
    }
    if (change.leftOut > 0) {
        showNote(tr("Only one line of the text was put in; lines with text left out: %1.")
                     .arg(change.leftOut));
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
        showNote(reason);
}

void TextBox::showNote(const QString &note)
{
    QToolTip::showText(mapToGlobal(QPoint(0, height())), note, this);
}
