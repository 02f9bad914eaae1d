#include "store/clsSlog.h"

#include "catalog/CatalogFiles.h"
#include "catalog/CatalogLoader.h"
#include "catalog/CatalogWriter.h"
#include "catalog/SavedButNotSynced.h"
#include "catalog/WorkingFolder.h"
#include "operations/RecordAppend.h"
#include "operations/RecordCopy.h"
#include "store/basMain.h"

#include <optional>
#include <utility>

void clsSlog::UcitavanjeIzFajla(EmptyCatalog ifEmpty, const LongWork &run, StartedLoad *started)
{
    WorkingFolder::enter();
    // Only the reading runs through `run`: the records are swapped in on the calling thread.
    LoadedCatalog loaded;
    const auto load = [&loaded, started](const ProgressReport &progress) {
        loaded = started != nullptr ? started->take(progress) : loadCatalog(kInputFile, progress);
    };
    if (run)
        run(load);
    else
        load({});
    if (ifEmpty == EmptyCatalog::Refuse)
        refuseEmptyCatalog(loaded, kInputFile);
    gRecords = std::move(loaded.arrays);
    UkBrSlogova = loaded.count;
    lfLineEndsOnly = loaded.lfLineEndsOnly;
    utf8Text = loaded.utf8Text;
    loneCrLineEnds = loaded.loneCrLineEnds;
    missingLines = loaded.missingLines;
    markSaved();
}

std::unique_ptr<StartedLoad> clsSlog::startLoading()
{
    WorkingFolder::enter();
    return std::make_unique<StartedLoad>(kInputFile);
}

bool clsSlog::SnimanjeuFajl(const SaveQuestions &ask, const LongWork &run)
{
    WorkingFolder::enter();
    WriteRules rules;
    rules.neverWrite = stampOf(kInputFile);
    rules.neverWriteName = kInputFile;
    if (ask.replaceOther) {
        rules.mayReplace = [this, &ask](const FileStamp &existing) {
            return existing == m_written || ask.replaceOther(existing, surveyCatalog(kOutputFile));
        };
    }
    if (ask.writeInPlace) {
        rules.mayWriteInPlace = [this, &ask] {
            return m_inPlaceAllowed || (m_inPlaceAllowed = ask.writeInPlace());
        };
    }
    std::optional<CatalogSave> save;
    try {
        save.emplace(kOutputFile, gRecords, UkBrSlogova, std::move(rules));
    } catch (const SaveCancelled &) {
        return false;
    }
    try {
        if (run)
            run([this, &save](const ProgressReport &progress) {
                m_written = save->write(progress);
            });
        else
            m_written = save->write();
    } catch (const SavedButNotSynced &saved) {
        m_written = saved.written();
        markSaved();
        throw;
    }
    markSaved();
    return true;
}

void clsSlog::storeValue(std::int32_t brojsloga, const RecordMember &member,
                         std::string_view value)
{
    Text &held = member.access(gRecords, brojsloga);
    if (held == value)
        return;
    if (brojsloga <= m_savedCount) {
        const std::pair key{brojsloga, static_cast<std::size_t>(&member - recordShape().data())};
        if (m_savedValues.find(key) == m_savedValues.end())
            m_savedValues.emplace(key, held.str());
    }
    held = value;
}

std::int32_t clsSlog::changedRecords() const
{
    std::int32_t changed = addedRecords();
    std::int32_t counted = 0;  // the last record counted, so that each counts once
    for (const auto &[key, saved] : m_savedValues) {
        const auto &[n, member] = key;
        if (n == counted || n > UkBrSlogova)
            continue;
        if (recordShape()[member].access(gRecords, n) != saved) {
            ++changed;
            counted = n;
        }
    }
    return changed;
}

std::int32_t clsSlog::addedRecords() const
{
    return UkBrSlogova > m_savedCount ? UkBrSlogova - m_savedCount : 0;
}

std::optional<FileStamp> clsSlog::newerOutput()
{
    const std::optional<FileStamp> input = stampOf(kInputFile);
    const std::optional<FileStamp> output = stampOf(kOutputFile);
    if (!input || !output || output->modifiedNs <= input->modifiedNs)
        return std::nullopt;
    return output;
}

void clsSlog::markSaved()
{
    m_savedValues.clear();
    m_savedCount = UkBrSlogova;
}

bool clsSlog::holdsRecord(std::int64_t brojsloga) const
{
    return brojsloga >= 1 && brojsloga <= gRecords.upperBound();
}

ValueCheck clsSlog::checkValue(std::int32_t brojsloga, const RecordMember &member,
                               std::string_view value) const
{
    return ::checkValue(gRecords, brojsloga, member, value);
}

std::optional<RecordFind::Found> clsSlog::find(std::string_view text, std::int64_t from) const
{
    return RecordFind(text).next(gRecords, UkBrSlogova, from);
}

std::int32_t clsSlog::appendRecord()
{
    return appendCopyOfLastRecord(gRecords, UkBrSlogova);
}

std::string_view clsSlog::value(std::int32_t brojsloga, const RecordMember &member) const
{
    return member.access(gRecords, brojsloga);
}

void clsSlog::KopiranjeSloga(std::int32_t redbrslogagdesekopira,
                             std::int32_t redbrslogazakopiranje)
{
    copyRecord(gRecords, redbrslogagdesekopira, redbrslogazakopiranje);
}
