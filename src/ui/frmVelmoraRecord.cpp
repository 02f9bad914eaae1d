// The record on screen: showing it, moving by its number, checking what is typed into its
// value boxes, and finding a record by its text.

#include "ui/frmVelmora.h"

#include "catalog/CodePage1250.h"
#include "catalog/RecordTemplate.h"
#include "catalog/ValueCheck.h"
#include "operations/RecordNumberText.h"
#include "store/basMain.h"
#include "ui/CaptionLabel.h"
#include "ui/CommandColumn.h"
#include "ui/ElidedLabel.h"
#include "ui/FindBar.h"
#include "ui/MessageText.h"
#include "ui/TextBox.h"
#include "ui/UpDown.h"

#include <QDir>

#include <algorithm>
#include <optional>
#include <string>

namespace {

// Catalog bytes as the window shows them, decoded straight into the string shown.
QString decoded(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    CodePage1250::decodeInto(bytes, reinterpret_cast<char16_t *>(text.data()));
    return text;
}

}  // namespace

// Change events are not held back: a box whose text really changes runs its handler inside
// the step that set it. Callers set gBrojSloga to brojsloga first, so a value box writes back
// the value just shown and a rewritten record number arrives at this same record again.
void frmVelmora::IspisSlogaNaEkranu(std::int32_t brojsloga)
{
    const std::int32_t count = gSlog->UkBrSlogova;
    m_txtBrojSloga->setText(QString::number(brojsloga));
    m_lblUkupnoSlogova->setCaption(QString::number(count));
    m_UpDnBrSloga->setMaximum(count);

    for (const ShownMember &shown : m_shown) {
        // Throws SubscriptOutOfRange for a record outside the arrays, creates a missing object.
        const std::string_view value = gSlog->value(brojsloga, *shown.member);
        if (shown.box != nullptr) {
            // A value too long to edit is shown by its start: only that is decoded.
            const bool startOnly = value.size() > std::size_t(TextBox::kLongestEditable);
            shown.box->showValue(
                decoded(startOnly ? value.substr(0, TextBox::kShownOfLongest) : value),
                static_cast<qsizetype>(value.size()));
            // A value longer than its box is shown from its start.
            shown.box->setCursorPosition(0);
        } else {
            shown.label->setCaption(decoded(value));
        }
    }
}

// Through a private copy of gBrojSloga: nested events rewrite it, and the record being shown
// must not move under the display.
void frmVelmora::showCurrentRecord()
{
    const std::int32_t brojsloga = gBrojSloga;
    IspisSlogaNaEkranu(brojsloga);
}

void frmVelmora::onRecordNumberChanged()
{
    runHandler([this] {
        const std::int64_t read = recordNumberFromText(m_txtBrojSloga->text().toStdU16String());
        // A number past the last record, however large, means the last record.
        std::int64_t number = std::max<std::int64_t>(read, 1);
        const std::int32_t count = gSlog->UkBrSlogova;
        if (number > count)
            number = count;
        gBrojSloga = static_cast<std::int32_t>(number);
        showCurrentRecord();
    });
}

QString frmVelmora::valueRefusal(const RecordMember &member, const QString &text) const
{
    const std::optional<std::string> bytes = CodePage1250::encode(text.toStdU16String());
    if (!bytes || !gSlog->holdsRecord(gBrojSloga))
        return QString();
    const ValueCheck check = gSlog->checkValue(gBrojSloga, member, *bytes);
    if (check.kept)
        return QString();
    // One byte a character in the code page, one UTF-16 unit each once decoded.
    const QChar culprit = check.culprit < static_cast<std::size_t>(text.size())
                              ? text[static_cast<qsizetype>(check.culprit)]
                              : QChar();
    if (culprit.isNull() || culprit.isLetterOrNumber() || culprit.isSpace())
        return tr("This was not put in: the catalog file would not give the value back as "
                  "typed.");
    return tr("\"%1\" was not put in: in the catalog it ends the value or the line, so the "
              "file would not give the value back as typed.")
        .arg(culprit);
}

void frmVelmora::showFolder()
{
    m_lblFolder->setFullText(QDir::toNativeSeparators(QDir::currentPath()));
}

void frmVelmora::openFind()
{
    m_find->open();
    m_column->ensureWidgetVisible(m_find);
}

void frmVelmora::findFrom(std::int64_t from)
{
    runHandler([this, from] {
        const QString text = m_find->text();
        m_find->setNote(QString());
        if (text.isEmpty() || !gSlog.exists())
            return;
        // A character the code page lacks is in no record.
        const std::optional<std::string> bytes = CodePage1250::encode(text.toStdU16String());
        const auto found = bytes ? gSlog->find(*bytes, from) : std::nullopt;
        if (!found) {
            m_find->setNote(tr("No record holds \"%1\".")
                                .arg(isolated(text)));
            return;
        }
        if (found->wrapped)
            m_find->setNote(tr("Past the last record, the search went on from record 1."));
        // As though the number were typed: the record-number box's handler shows it.
        m_txtBrojSloga->setText(QString::number(found->record));
    });
}
