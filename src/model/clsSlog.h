#pragma once

#include <cstdint>

// Whether a load may leave the program with no record at all.
enum class EmptyCatalog { Accept, Refuse };

// The record store: the record count and the operations on the whole catalog. Its data lives
// in the section arrays of basMain; record n is index n of all nine.
class clsSlog
{
public:
    std::int32_t UkBrSlogova = 0;
    // The last load found LFs and not a single CR, so the whole file became one line; the
    // window warns before such a catalog is saved.
    bool lfLineEndsOnly = false;

    // Reads "Trake.odl" from the current folder. The records in memory are replaced only once
    // the whole file has been read (and, with EmptyCatalog::Refuse, found to hold a record);
    // on any failure a CatalogError is thrown and memory is as it was.
    void UcitavanjeIzFajla(EmptyCatalog ifEmpty = EmptyCatalog::Accept);

    // Writes every record to "Trake-novi.odl" in the current folder. A failure throws
    // CatalogError and leaves an existing "Trake-novi.odl" exactly as it was, except where it
    // had to be written in place (the message says so). SavedButNotSynced: saved all the same.
    void SnimanjeuFajl();

    // Kept for the catalog's interface; inserting and deleting records are not offered.
    void DodavanjeSlogaNaKraju();
    void UmetanjeSloga();
    void BrisanjeSloga();

    // Fills the window from record brojsloga. Defined by the window (src/ui), the only part of
    // the program that knows it; callers set gBrojSloga first and pass a private copy.
    void IspisSlogaNaEkranu(std::int32_t brojsloga);

    // Copies the 61 line members of record redbrslogazakopiranje onto record
    // redbrslogagdesekopira; throws SubscriptOutOfRange when either lies outside the arrays.
    void KopiranjeSloga(std::int32_t redbrslogagdesekopira, std::int32_t redbrslogazakopiranje);
};
