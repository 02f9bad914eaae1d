#pragma once

#include "CatalogProgress.h"
#include "RecordArrays.h"

#include <cstdint>
#include <functional>

// Whether a load may leave the program with no record at all.
enum class EmptyCatalog { Accept, Refuse };

// The record store: the record count and the operations on the whole catalog. Its data lives
// in the section arrays of basMain; record n is index n of all nine. Each method hands the
// program-wide state to the catalog or operations code that does the work.
class clsSlog
{
public:
    // Fills the window from record `brojsloga` of `arrays`, a store of `count` records.
    using Display =
        std::function<void(RecordArrays &arrays, std::int32_t count, std::int32_t brojsloga)>;

    std::int32_t UkBrSlogova = 0;
    // The last load found LFs and not a single CR, so the whole file became one line; the
    // window warns before such a catalog is saved.
    bool lfLineEndsOnly = false;

    // Reads "Trake.odl" from the current folder. The records in memory are replaced only once
    // the whole file has been read (and, with EmptyCatalog::Refuse, found to hold a record);
    // on any failure a CatalogError is thrown and memory is as it was. `progress` hears how far
    // a large load has come.
    void UcitavanjeIzFajla(EmptyCatalog ifEmpty = EmptyCatalog::Accept,
                           const ProgressReport &progress = {});

    // Writes every record to "Trake-novi.odl" in the current folder. A failure throws
    // CatalogError and leaves an existing "Trake-novi.odl" exactly as it was, except where it
    // had to be written in place (the message says so). SavedButNotSynced: saved all the same.
    void SnimanjeuFajl(const ProgressReport &progress = {});

    // Kept for the catalog's interface; inserting and deleting records are not offered.
    void DodavanjeSlogaNaKraju();
    void UmetanjeSloga();
    void BrisanjeSloga();

    // Fills the window from record brojsloga through the display the window registered; does
    // nothing while none is. Callers set gBrojSloga first and pass a private copy.
    void IspisSlogaNaEkranu(std::int32_t brojsloga);

    // Copies the 61 line members of record redbrslogazakopiranje onto record
    // redbrslogagdesekopira; throws SubscriptOutOfRange when either lies outside the arrays.
    void KopiranjeSloga(std::int32_t redbrslogagdesekopira, std::int32_t redbrslogazakopiranje);

    // The display belongs to the program, not to one store: it outlives the store being
    // dropped at start and replaced on reload. An empty function unregisters it.
    static void setDisplay(Display display);
};

// Grows the store by one record, a copy of the record that was last, whichever record is on
// screen, and returns its number. Throws RecordCountFull when the count cannot grow; on that
// or any other failure (memory running out) the store is exactly as it was.
std::int32_t appendCopyOfLastRecord();
