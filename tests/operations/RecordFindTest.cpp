#include "operations/RecordFind.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace {

// Windows-1250 bytes: 0x9A "š", 0xE6 "ć", 0xF0 "đ", 0xC8 "Č".
RecordArrays searchedCatalog()
{
    RecordArrays arrays(6);
    arrays.base.at(1).Naziv = "Traka ABS";
    arrays.lokal.at(1).JedinicaMjere = "rola";
    arrays.lokal.at(1).Duljina = "777";
    arrays.base.at(2).Naziv = "PVC \x9aljiva";
    arrays.lokal.at(3).tOpis = "\xf0ur\xf0" "evac";
    arrays.lokal.at(3).Cijena = "12.50";
    arrays.lokal.at(4).tOpis = "\xe6" "elija traka";
    arrays.base.at(5).Naziv = "\xC8" "ELIK";
    // Record 6 holds no section object at all.
    return arrays;
}

struct FindRow
{
    const char *name;
    const char *text;
    std::int32_t from;
    std::int32_t found;  // 0: none
    bool wrapped;
};

const FindRow kFinds[] = {
    {"lower case finds s with caron", "sljiva", 1, 2, false},
    {"capitals find c with acute", "CELIJA", 1, 4, false},
    {"capital C with caron in the record", "celik", 1, 5, false},
    {"accented text finds accented text", "\x8aLJIVA", 1, 2, false},
    {"d with stroke folds to d", "durdevac", 1, 3, false},
    {"the unit", "ROLA", 1, 1, false},
    {"the price", "2.5", 1, 3, false},
    {"from the record given onward", "traka", 2, 4, false},
    {"the record given itself", "traka", 4, 4, false},
    {"wraps past the last record", "traka", 5, 1, true},
    {"past the end starts over, wrapped", "traka", 7, 1, true},
    {"a lone match found again after wrapping", "rola", 2, 1, true},
    {"no match", "hrast", 1, 0, false},
    {"empty text finds nothing", "", 1, 0, false},
    {"other members are not searched", "777", 1, 0, false},
    {"longer than every value", "traka abs traka abs", 1, 0, false},
};

TEST(RecordFind, FindsByNameDescriptionUnitOrPriceIgnoringCaseAndMarks)
{
    RecordArrays arrays = searchedCatalog();
    for (const FindRow &row : kFinds) {
        const std::optional<RecordFind::Found> found =
            RecordFind(row.text).next(arrays, 6, row.from);
        EXPECT_EQ(found ? found->record : 0, row.found) << row.name;
        if (found) {
            EXPECT_EQ(found->wrapped, row.wrapped) << row.name;
        }
    }
    EXPECT_FALSE(arrays.base.holdsObject(6)) << "finding created a section object";
    EXPECT_FALSE(arrays.lokal.holdsObject(2));
}

TEST(RecordFind, EveryAccentedLetterFoldsToALowerCaseAsciiLetter)
{
    int accented = 0;
    for (int byte = 0x80; byte < 0x100; ++byte) {
        const unsigned char folded = RecordFind::fold(static_cast<unsigned char>(byte));
        if (folded == byte)
            continue;
        EXPECT_TRUE(folded >= 'a' && folded <= 'z') << byte;
        ++accented;
    }
    EXPECT_EQ(accented, 80);
    EXPECT_EQ(RecordFind::fold('Q'), 'q');
    EXPECT_EQ(RecordFind::fold('@'), '@');
}

}  // namespace
