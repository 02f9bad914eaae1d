#include "CatalogFileFixture.h"
#include "MemorySnapshot.h"
#include "catalog/CatalogWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// --- The held file bytes -----------------------------------------------------------------------

// Unedited members refer into the loaded file's bytes and copies share them, so each edit below
// is made to a record that shares bytes with another: it must show in that record only, and
// never in the held bytes.
TEST_F(CatalogFile, EditsStayInTheirRecordAndOutOfTheHeldBytes)
{
    const std::string file = typicalCatalog(3);
    load(file);
    const auto one = recordValues(1);
    const auto two = recordValues(2);
    auto differences = [](const std::vector<std::string> &a, const std::vector<std::string> &b) {
        std::size_t count = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            count += a[i] != b[i];
        return count;
    };

    gSlog->KopiranjeSloga(3, 1);
    gBase.at(3).Naziv = "Hrast";        // the copy
    gLokal.at(1).Duljina += "9";        // the record copied from
    gSlog->appendRecord();
    gLokal.at(4).tOpis = "novi opis";   // the appended record
    gLokal.at(3).Cijena = "9.99";       // the record appended from

    EXPECT_EQ(gLokal.at(1).Duljina, one[9] + "9");
    EXPECT_EQ(differences(recordValues(1), one), 1u);
    EXPECT_EQ(recordValues(2), two);
    EXPECT_EQ(gBase.at(3).Naziv, "Hrast");
    EXPECT_EQ(gLokal.at(3).Cijena, "9.99");
    EXPECT_EQ(differences(recordValues(3), one), 2u);
    EXPECT_EQ(gBase.at(4).Naziv, "Hrast");
    EXPECT_EQ(gLokal.at(4).tOpis, "novi opis");
    EXPECT_EQ(differences(recordValues(4), one), 2u);
    EXPECT_EQ(gRecords.heldAround(gBase.at(2).Naziv), file);

    gSlog->SnimanjeuFajl();
    LoadedCatalog saved = readCatalog(folder.read(kOutputFile), kOutputFile);
    ASSERT_EQ(saved.count, 4);
    for (std::int32_t n = 1; n <= 4; ++n)
        EXPECT_EQ(recordValues(saved.arrays, n), recordValues(n)) << "record " << n;
}

// A reload that fails keeps the store's file bytes: the records still read and save as they
// were loaded.
TEST_F(CatalogFile, FailedReloadKeepsTheHeldBytes)
{
    load(typicalCatalog(4));
    gLokal.at(2).Duljina = "1234";
    const std::string saved = catalogBytes(gRecords, 4);
    folder.write(kInputFile, typicalCatalog(2) + "no line end and no record shape");
    EXPECT_THROW(gSlog->UcitavanjeIzFajla(), CatalogError);
    gSlog->SnimanjeuFajl();
    EXPECT_EQ(folder.read(kOutputFile), saved);
}

// A long load or save reports as it goes, always forward; with a report or without, the same
// records and the same bytes.
TEST_F(CatalogFile, LoadAndSaveReportTheirProgressWithoutChangingWhatTheyDo)
{
    const std::string bytes = typicalCatalog(10000);
    folder.write(kInputFile, bytes);
    for (const bool load : {true, false}) {
        std::vector<CatalogProgress> reports;
        const ProgressReport report = [&reports](const CatalogProgress &p) {
            reports.push_back(p);
        };
        const LongWork run = [&report](const auto &work) { work(report); };
        if (load)
            gSlog->UcitavanjeIzFajla(EmptyCatalog::Refuse, run);
        else
            gSlog->SnimanjeuFajl({}, run);
        ASSERT_GE(reports.size(), 2u) << load;
        for (std::size_t i = 1; i < reports.size(); ++i) {
            EXPECT_GE(reports[i].records, reports[i - 1].records) << load;
            EXPECT_GT(reports[i].fraction, reports[i - 1].fraction) << load;
        }
        EXPECT_LE(reports.back().fraction, 1.0) << load;
        EXPECT_EQ(reports.back().records, load ? 8192 : 10000) << load;
        EXPECT_EQ(reports.back().total, load ? 0 : 10000) << load;
    }
    EXPECT_EQ(gSlog->UkBrSlogova, 10000);
    EXPECT_EQ(folder.read(kOutputFile), bytes);
}
