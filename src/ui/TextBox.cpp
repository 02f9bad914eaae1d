#include "ui/TextBox.h"

#include "ui/BoxNote.h"
#include "ui/CodePageValidator.h"

#include <QEvent>
#include <QLocale>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextDocument>
#include <QStringList>
#include <QValidator>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

struct Change
{
    QString text;
    qsizetype start;             // where the inserted part begins
    qsizetype end;               // where what is kept of it ends
    qsizetype linesLeftOut = 0;  // lines of the inserted text that hold text and were left out
    qsizetype cellsLeftOut = 0;  // the same for the cells of a row (tab-separated)
};

bool holdsText(QStringView line)
{
    return std::any_of(line.begin(), line.end(), [](QChar c) { return !c.isSpace(); });
}

// The first of `parts` that holds text, or the first when none does, and how many others hold
// text.
std::pair<QStringView, qsizetype> firstWithText(const std::vector<QStringView> &parts)
{
    const auto kept = std::find_if(parts.begin(), parts.end(), holdsText);
    const auto leftOut =
        std::count_if(parts.begin(), parts.end(), holdsText) - (kept != parts.end());
    return {kept == parts.end() ? parts.front() : *kept, leftOut};
}

std::vector<QStringView> split(QStringView text, bool (*isSeparator)(QChar))
{
    std::vector<QStringView> parts;
    for (auto from = text.begin();;) {
        const auto end = std::find_if(from, text.end(), isSeparator);
        parts.emplace_back(from, end);
        if (end == text.end())
            return parts;
        from = end + 1;
    }
}

bool isTab(QChar c)
{
    return c == u'\t';
}

// `after` with only one line of what the change from `before` inserted: the first line that
// holds text, or the first line when none does; of a row of cells (a spreadsheet's, separated
// by tabs) its first cell that holds text. The inserted part is what lies between the longest
// common start and end of the two texts, so line breaks and tabs that `before` held are never
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
    if (std::none_of(inserted.begin(), inserted.end(),
                     [](QChar c) { return isLineBreak(c) || isTab(c); }))
        return {after, start, start + inserted.size()};

    const auto [line, linesLeftOut] = firstWithText(split(inserted, isLineBreak));
    const auto [cell, cellsLeftOut] = firstWithText(split(line, isTab));
    QString text = after.left(start);
    text += cell;
    text += QStringView(after).right(end);
    return {text, start, start + cell.size(), linesLeftOut, cellsLeftOut};
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
    // user puts in is adjusted and checked.
    const QValidator *rule = m_showingValue ? nullptr : validator();
    const auto *explained = qobject_cast<const CodePageValidator *>(rule);
    const QString adjusted = explained ? explained->adjust(candidate) : QString();
    if (rule != nullptr) {
        const qsizetype tail = candidate.size() - change.end;
        int position = static_cast<int>(change.end);
        if (rule->validate(candidate, position) != QValidator::Acceptable) {
            refuse(explained ? explained->refusal(candidate) : QString(),
                   std::min(change.start, m_lastText.size()));
            return;
        }
        change.end = candidate.size() - tail;
    }
    QStringList notes;
    if (change.linesLeftOut > 0) {
        notes << tr("Only one line of the text was put in; lines with text left out: %1.")
                     .arg(change.linesLeftOut);
    }
    if (change.cellsLeftOut > 0) {
        notes << tr("Only the first cell of the row was put in; cells with text left out: %1.")
                     .arg(change.cellsLeftOut);
    }
    notes << adjusted;
    notes.removeAll(QString());
    if (!notes.isEmpty())
        showNote(notes.join(u' '));
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
    BoxNote::show(this, note);
}
