#include "clsSlog.h"

#include "CatalogFiles.h"
#include "CatalogLoader.h"
#include "CatalogWriter.h"
#include "RecordAppend.h"
#include "RecordCopy.h"
#include "WorkingFolder.h"
#include "basMain.h"

#include <utility>

namespace {

clsSlog::Display &display()
{
    static clsSlog::Display registered;
    return registered;
}

}  // namespace

void clsSlog::UcitavanjeIzFajla(EmptyCatalog ifEmpty, const ProgressReport &progress)
{
    WorkingFolder::enter();
    LoadedCatalog loaded = loadCatalog(kInputFile, progress);
    if (ifEmpty == EmptyCatalog::Refuse)
        refuseEmptyCatalog(loaded, kInputFile);
    gRecords = std::move(loaded.arrays);
    UkBrSlogova = loaded.count;
    lfLineEndsOnly = loaded.lfLineEndsOnly;
}

void clsSlog::SnimanjeuFajl(const ProgressReport &progress)
{
    WorkingFolder::enter();
    saveCatalog(kOutputFile, gRecords, UkBrSlogova, progress);
}

// Appending is the append button's work, and the catalog offers no insert or delete.
void clsSlog::DodavanjeSlogaNaKraju() {}
void clsSlog::UmetanjeSloga() {}
void clsSlog::BrisanjeSloga() {}

void clsSlog::IspisSlogaNaEkranu(std::int32_t brojsloga)
{
    if (display())
        display()(gRecords, UkBrSlogova, brojsloga);
}

void clsSlog::KopiranjeSloga(std::int32_t redbrslogagdesekopira,
                             std::int32_t redbrslogazakopiranje)
{
    copyRecord(gRecords, redbrslogagdesekopira, redbrslogazakopiranje);
}

void clsSlog::setDisplay(Display show)
{
    display() = std::move(show);
}

std::int32_t appendCopyOfLastRecord()
{
    return appendCopyOfLastRecord(gRecords, gSlog->UkBrSlogova);
}
