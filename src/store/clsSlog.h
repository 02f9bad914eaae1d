#pragma once

#include "catalog/CatalogLoader.h"
#include "catalog/CatalogProgress.h"
#include "catalog/FileStamp.h"
#include "catalog/LoadedCatalog.h"
#include "catalog/RecordTemplate.h"
#include "catalog/StartedLoad.h"
#include "catalog/ValueCheck.h"
#include "model/RecordArrays.h"
#include "operations/RecordFind.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// Whether a load may leave the program with no record at all.
enum class EmptyCatalog { Accept, Refuse };

// Runs a long piece of work, handing it the progress report to give; the window runs it on a
// worker thread and shows how far it has come.
using LongWork = std::function<void(const std::function<void(const ProgressReport &)> &work)>;

// What a save asks the user before it goes ahead; an empty function lets the save go ahead.
struct SaveQuestions
{
    // "Trake-novi.odl" exists, and this run did not write it or it has changed since: its
    // stamp and what it holds. True replaces it.
    std::function<bool(const FileStamp &existing, const CatalogSurvey &held)> replaceOther;
    // The folder allows no new file, so the output would be written in place, where a crash
    // or kill part-way leaves it incomplete. Asked once a run; true writes.
    std::function<bool()> writeInPlace;
};

// The record store: the record count and the operations on the whole catalog. Its data lives
// in the section arrays of basMain; record n is index n of all nine. Each method hands the
// program-wide state to the catalog or operations code that does the work.
class clsSlog
{
public:
    std::int32_t UkBrSlogova = 0;
    // The last load found LFs and not a single CR, so the whole file became one line; the
    // window warns before such a catalog is saved.
    bool lfLineEndsOnly = false;
    // The last load found text that reads as UTF-8; the window warns before it is saved.
    bool utf8Text = false;
    // The last load found a line ended by a CR without LF, which a save writes as CR LF.
    bool loneCrLineEnds = false;
    // The last load ended part-way through a record: the lines it lacks, which a save writes
    // empty. The window warns of both.
    MissingLines missingLines;

    // Reads "Trake.odl" from the current folder. The records in memory are replaced only once
    // the whole file has been read (and, with EmptyCatalog::Refuse, found to hold a record);
    // on any failure a CatalogError is thrown and memory is as it was. The file is read through
    // `run`, which may show progress and read it on another thread (inline when empty). Given
    // `started`, the load begun by startLoading is taken instead.
    void UcitavanjeIzFajla(EmptyCatalog ifEmpty = EmptyCatalog::Accept, const LongWork &run = {},
                           StartedLoad *started = nullptr);
    // Begins reading "Trake.odl" from the current folder on a thread of its own, so that the
    // program's start opens its window meanwhile.
    static std::unique_ptr<StartedLoad> startLoading();

    // Writes every record to "Trake-novi.odl" in the current folder, after the questions of
    // `ask`, asked on the calling thread; the records are then written through `run`, which may
    // show progress and run them on another thread (inline when empty). False when a question
    // was answered no and nothing was written. A failure throws CatalogError and leaves an
    // existing "Trake-novi.odl" exactly as it was, except where it had to be written in place
    // (the message says so). SavedButNotSynced: saved all the same. "Trake.odl" itself,
    // through whatever link, is never written.
    bool SnimanjeuFajl(const SaveQuestions &ask = {}, const LongWork &run = {});

    // Puts `value` into `member` of record brojsloga: the one way an edit reaches the records.
    void storeValue(std::int32_t brojsloga, const RecordMember &member, std::string_view value);

    // Whether record brojsloga lies within the section arrays.
    bool holdsRecord(std::int64_t brojsloga) const;
    // Whether `value` may go into `member` of record brojsloga, which must lie within the arrays
    // (ValueCheck).
    ValueCheck checkValue(std::int32_t brojsloga, const RecordMember &member,
                          std::string_view value) const;
    // The next record from `from` on, past the last one from record 1, that holds `text`
    // (Windows-1250 bytes); nothing when none does (RecordFind).
    std::optional<RecordFind::Found> find(std::string_view text, std::int64_t from) const;

    // The records that differ from what was last loaded or saved: edited ones (an edit typed
    // back to the value it replaced is none) and appended ones.
    std::int32_t changedRecords() const;
    std::int32_t addedRecords() const;

    // The stamp of "Trake-novi.odl" when it was written later than "Trake.odl"; nothing when
    // it was not, or either is missing.
    static std::optional<FileStamp> newerOutput();

    // Grows the store by one record, a copy of the record that was last, whichever record is
    // on screen, and returns its number. Throws RecordCountFull when the count cannot grow; on
    // that or any other failure (memory running out) the store is exactly as it was.
    std::int32_t appendRecord();

    // The value of `member` in record brojsloga, as the window shows it; creates a missing
    // section object, and throws SubscriptOutOfRange for a record outside the arrays.
    std::string_view value(std::int32_t brojsloga, const RecordMember &member) const;

    // Copies the 61 line members of record redbrslogazakopiranje onto record
    // redbrslogagdesekopira; throws SubscriptOutOfRange when either lies outside the arrays.
    void KopiranjeSloga(std::int32_t redbrslogagdesekopira, std::int32_t redbrslogazakopiranje);

private:
    // What is in memory now is what the file holds: nothing unsaved.
    void markSaved();

    // The value each edited member had when last loaded or saved, by record and by its place
    // in recordShape(); records past m_savedCount are new as a whole.
    std::map<std::pair<std::int32_t, std::size_t>, std::string> m_savedValues;
    std::int32_t m_savedCount = 0;
    std::optional<FileStamp> m_written;  // "Trake-novi.odl" as this run last wrote it
    bool m_inPlaceAllowed = false;
};
