#pragma once

#include "catalog/CatalogFiles.h"
#include "catalog/LineRules.h"
#include "model/RecordArrays.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Reaches one line member of record n. Called, it creates the record's section object if the
// slot is empty; `peek` reads the member without creating one, empty for an empty slot.
struct MemberAccess
{
    Text &(*reach)(RecordArrays &arrays, std::int64_t n);
    std::string_view (*peek)(RecordArrays &arrays, std::int64_t n);

    Text &operator()(RecordArrays &arrays, std::int64_t n) const { return reach(arrays, n); }
};

// The members of the record's shape in the order of the lines, a split line's members together,
// each named by its section array and its member there: `lokal_Duljina` is gLokal(n).Duljina.
// clang-format off
enum class MemberId : unsigned char {
    base_PocDeoRedaiTekst, base_Naziv, base_TackaZarezNaKraju,
    lokal_local_CeoRed,
    lokal_Params_CeoRed,
    lokal_JedinicaMjere_PocDeoRedaiTekst, lokal_JedinicaMjere, lokal_JedinicaMjere_ZarezNaKraju,
    lokal_Duljina_PocDeoRedaiTekst, lokal_Duljina, lokal_Duljina_ZarezNaKraju,
    lokal_Sirina_Tekst, lokal_Sirina, lokal_Sirina_ZarezNaKraju,
    lokal_Debljina_Tekst, lokal_Debljina, lokal_Debljina_ZarezNaKraju,
    lokal_NadmjeraKantiranja_CeoRed,
    lokal_cijena_PocDeoRedaiTekst, lokal_Cijena, lokal_cijena_ZarezNaKraju,
    lokal_tSifraDekora_CeoRed,
    lokal_tVrstaTrake_CeoRed,
    lokal_draw_CeoRed,
    lokal_count_CeoRed,
    lokal_colr_CeoRed,
    lokal_flags_CeoRed,
    lokal_dKolicina_CeoRed,
    lokal_tRazmaci_CeoRed,
    lokal_tOpis_PocDeoRedaiTekst, lokal_tOpis, lokal_tOpis_ZarezNaKrajuiDoKrajaReda,
    lokal_dCijenaKantiranja_CeoRed,
    lokal_hotstring_CeoRed,
    shape_shape_CeoRed,
    shape_colr_CeoRed,
    shape_type_CeoRed,
    pricedef_tUserSifra_CeoRed,
    pricedef_CijenaTrake_CeoRed,
    pricedef_CijenaKantiranja_CeoRed,
    pricedef_Cijena_CeoRed,
    pricedef_priceend_CeoRed,
    pricemod_pricemod_CeoRed,
    pricemod_Condition_CeoRed,
    pricemod_priceend_CeoRed,
    pricemod2_pricemod_CeoRed,
    pricemod2_Condition_CeoRed,
    pricemod2_Cijena_CeoRed,
    pricemod2_priceend_CeoRed,
    pricemod3_pricemod_CeoRed,
    pricemod3_Condition_CeoRed,
    pricemod3_CijenaGrupa2_CeoRed,
    pricemod3_priceend_CeoRed,
    pricemod4_pricemod_CeoRed,
    pricemod4_Condition_CeoRed,
    pricemod4_priceend_CeoRed,
    pricemod5_pricemod_CeoRed,
    pricemod5_Condition_CeoRed,
    pricemod5_priceend_CeoRed,
    base_enddef_CeoRed,
    base_PrazanRedNaKraju_CeoRed,
};
// clang-format on

// What a value holds: a number is written with a decimal period, so a comma typed in its box
// is the decimal separator the user meant.
enum class ValueKind { Text, Number };

// One member of the record's shape: its id, the line that holds it, the rule that cuts that
// line, the member, what its value holds, and whether find looks for text in it.
struct RecordMember
{
    MemberId id;
    int line;
    LineRule rule;
    MemberAccess access;
    ValueKind kind = ValueKind::Text;
    bool searched = false;
};

// One of the 45 lines of a record: either a whole line held by one member, or a line that
// `cut` splits into the members of `pieces`, which joined in order give the line again.
struct TemplateLine
{
    CutFunction cut = nullptr;
    std::span<const RecordMember> pieces;
};

// The record's shape, written once: the 61 members in the order of the lines, index
// `MemberId` for each. The loader, the writer, the copy, find, the display and the value boxes
// all read it.
std::span<const RecordMember> recordShape();

const RecordMember &recordMember(MemberId id);

// The record's 45 lines, index 0 for line 1, each a run of recordShape().
const std::array<TemplateLine, kLinesPerRecord> &recordTemplate();
