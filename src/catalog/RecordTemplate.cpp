#include "catalog/RecordTemplate.h"

#include "catalog/CatalogFiles.h"

#include <string_view>
#include <tuple>

namespace {

// The section class that a member belongs to; declared only, for its type.
template <class Section>
Section sectionOf(Text Section::*member);

// The array of the arrays that holds the objects `Member` belongs to.
template <auto Member>
auto &arrayOf(RecordArrays &arrays)
{
    using Section = decltype(sectionOf(Member));
    return arrays.*std::get<SectionArray<Section> RecordArrays::*>(RecordArrays::kArrays);
}

template <auto Member>
Text &reach(RecordArrays &arrays, std::int64_t n)
{
    return arrayOf<Member>(arrays).at(n).*Member;
}

template <auto Member>
std::string_view peek(RecordArrays &arrays, std::int64_t n)
{
    auto &array = arrayOf<Member>(arrays);
    return array.holdsObject(n) ? (array.at(n).*Member).view() : std::string_view();
}

template <auto Member>
constexpr MemberAccess M = {&reach<Member>, &peek<Member>};

using enum MemberId;
constexpr ValueKind Number = ValueKind::Number;
constexpr bool Searched = true;

// The five cutting rules by the letters the format gives them; W marks a whole line.
using enum LineRule;
constexpr LineRule W = Whole;

// clang-format off
constexpr RecordMember kShape[] = {
    {base_PocDeoRedaiTekst, 1, B, M<&clsBase::PocDeoRedaiTekst>},
    {base_Naziv, 1, B, M<&clsBase::Naziv>, ValueKind::Text, Searched},
    {base_TackaZarezNaKraju, 1, B, M<&clsBase::TackaZarezNaKraju>},
    {lokal_local_CeoRed, 2, W, M<&clsLokal::local_CeoRed>},
    {lokal_Params_CeoRed, 3, W, M<&clsLokal::Params_CeoRed>},
    {lokal_JedinicaMjere_PocDeoRedaiTekst, 4, J, M<&clsLokal::JedinicaMjere_PocDeoRedaiTekst>},
    {lokal_JedinicaMjere, 4, J, M<&clsLokal::JedinicaMjere>, ValueKind::Text, Searched},
    {lokal_JedinicaMjere_ZarezNaKraju, 4, J, M<&clsLokal::JedinicaMjere_ZarezNaKraju>},
    {lokal_Duljina_PocDeoRedaiTekst, 5, D, M<&clsLokal::Duljina_PocDeoRedaiTekst>},
    {lokal_Duljina, 5, D, M<&clsLokal::Duljina>, Number},
    {lokal_Duljina_ZarezNaKraju, 5, D, M<&clsLokal::Duljina_ZarezNaKraju>},
    {lokal_Sirina_Tekst, 5, D, M<&clsLokal::Sirina_Tekst>},
    {lokal_Sirina, 5, D, M<&clsLokal::Sirina>, Number},
    {lokal_Sirina_ZarezNaKraju, 5, D, M<&clsLokal::Sirina_ZarezNaKraju>},
    {lokal_Debljina_Tekst, 5, D, M<&clsLokal::Debljina_Tekst>},
    {lokal_Debljina, 5, D, M<&clsLokal::Debljina>, Number},
    {lokal_Debljina_ZarezNaKraju, 5, D, M<&clsLokal::Debljina_ZarezNaKraju>},
    {lokal_NadmjeraKantiranja_CeoRed, 6, W, M<&clsLokal::NadmjeraKantiranja_CeoRed>},
    {lokal_cijena_PocDeoRedaiTekst, 7, C, M<&clsLokal::cijena_PocDeoRedaiTekst>},
    {lokal_Cijena, 7, C, M<&clsLokal::Cijena>, Number, Searched},
    {lokal_cijena_ZarezNaKraju, 7, C, M<&clsLokal::cijena_ZarezNaKraju>},
    {lokal_tSifraDekora_CeoRed, 8, W, M<&clsLokal::tSifraDekora_CeoRed>},
    {lokal_tVrstaTrake_CeoRed, 9, W, M<&clsLokal::tVrstaTrake_CeoRed>},
    {lokal_draw_CeoRed, 10, W, M<&clsLokal::draw_CeoRed>},
    {lokal_count_CeoRed, 11, W, M<&clsLokal::count_CeoRed>},
    {lokal_colr_CeoRed, 12, W, M<&clsLokal::colr_CeoRed>},
    {lokal_flags_CeoRed, 13, W, M<&clsLokal::flags_CeoRed>},
    {lokal_dKolicina_CeoRed, 14, W, M<&clsLokal::dKolicina_CeoRed>},
    {lokal_tRazmaci_CeoRed, 15, W, M<&clsLokal::tRazmaci_CeoRed>},
    {lokal_tOpis_PocDeoRedaiTekst, 16, O, M<&clsLokal::tOpis_PocDeoRedaiTekst>},
    {lokal_tOpis, 16, O, M<&clsLokal::tOpis>, ValueKind::Text, Searched},
    {lokal_tOpis_ZarezNaKrajuiDoKrajaReda, 16, O, M<&clsLokal::tOpis_ZarezNaKrajuiDoKrajaReda>},
    {lokal_dCijenaKantiranja_CeoRed, 17, W, M<&clsLokal::dCijenaKantiranja_CeoRed>},
    {lokal_hotstring_CeoRed, 18, W, M<&clsLokal::hotstring_CeoRed>},
    {shape_shape_CeoRed, 19, W, M<&clsShape::shape_CeoRed>},
    {shape_colr_CeoRed, 20, W, M<&clsShape::colr_CeoRed>},
    {shape_type_CeoRed, 21, W, M<&clsShape::type_CeoRed>},
    {pricedef_tUserSifra_CeoRed, 22, W, M<&clsPricedef::tUserSifra_CeoRed>},
    {pricedef_CijenaTrake_CeoRed, 23, W, M<&clsPricedef::CijenaTrake_CeoRed>},
    {pricedef_CijenaKantiranja_CeoRed, 24, W, M<&clsPricedef::CijenaKantiranja_CeoRed>},
    {pricedef_Cijena_CeoRed, 25, W, M<&clsPricedef::Cijena_CeoRed>},
    {pricedef_priceend_CeoRed, 26, W, M<&clsPricedef::priceend_CeoRed>},
    {pricemod_pricemod_CeoRed, 27, W, M<&clsPricemod::pricemod_CeoRed>},
    {pricemod_Condition_CeoRed, 28, W, M<&clsPricemod::Condition_CeoRed>},
    {pricemod_priceend_CeoRed, 29, W, M<&clsPricemod::priceend_CeoRed>},
    {pricemod2_pricemod_CeoRed, 30, W, M<&clsPricemod2::pricemod_CeoRed>},
    {pricemod2_Condition_CeoRed, 31, W, M<&clsPricemod2::Condition_CeoRed>},
    {pricemod2_Cijena_CeoRed, 32, W, M<&clsPricemod2::Cijena_CeoRed>},
    {pricemod2_priceend_CeoRed, 33, W, M<&clsPricemod2::priceend_CeoRed>},
    {pricemod3_pricemod_CeoRed, 34, W, M<&clsPricemod3::pricemod_CeoRed>},
    {pricemod3_Condition_CeoRed, 35, W, M<&clsPricemod3::Condition_CeoRed>},
    {pricemod3_CijenaGrupa2_CeoRed, 36, W, M<&clsPricemod3::CijenaGrupa2_CeoRed>},
    {pricemod3_priceend_CeoRed, 37, W, M<&clsPricemod3::priceend_CeoRed>},
    {pricemod4_pricemod_CeoRed, 38, W, M<&clsPricemod4::pricemod_CeoRed>},
    {pricemod4_Condition_CeoRed, 39, W, M<&clsPricemod4::Condition_CeoRed>},
    {pricemod4_priceend_CeoRed, 40, W, M<&clsPricemod4::priceend_CeoRed>},
    {pricemod5_pricemod_CeoRed, 41, W, M<&clsPricemod5::pricemod_CeoRed>},
    {pricemod5_Condition_CeoRed, 42, W, M<&clsPricemod5::Condition_CeoRed>},
    {pricemod5_priceend_CeoRed, 43, W, M<&clsPricemod5::priceend_CeoRed>},
    {base_enddef_CeoRed, 44, W, M<&clsBase::enddef_CeoRed>},
    {base_PrazanRedNaKraju_CeoRed, 45, W, M<&clsBase::PrazanRedNaKraju_CeoRed>},
};
// clang-format on

// Every line has its members, in order, all of one rule and as many as that rule cuts the
// line into (a whole line exactly one).
constexpr bool wellFormed()
{
    int line = 0;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < std::size(kShape); ++i) {
        const RecordMember &member = kShape[i];
        if (member.line != line) {
            if (member.line != line + 1)
                return false;
            line = member.line;
            runStart = i;
        } else if (member.rule != kShape[runStart].rule) {
            return false;
        }
        const bool lastOfLine = i + 1 == std::size(kShape) || kShape[i + 1].line != line;
        if (lastOfLine && i + 1 - runStart != pieceCount(member.rule))
            return false;
        if (member.id != MemberId(i))
            return false;
    }
    return line == kLinesPerRecord;
}
static_assert(wellFormed(), "the record's shape has a gap, a mixed line, a line of the wrong "
                            "piece count or a member out of the order of its id");

std::array<TemplateLine, kLinesPerRecord> makeTemplate()
{
    std::array<TemplateLine, kLinesPerRecord> lines;
    const std::span<const RecordMember> shape(kShape);
    std::size_t next = 0;
    for (TemplateLine &line : lines) {
        std::size_t end = next;
        while (end < shape.size() && shape[end].line == shape[next].line)
            ++end;
        line = TemplateLine{cutterOf(shape[next].rule), shape.subspan(next, end - next)};
        next = end;
    }
    return lines;
}

}  // namespace

std::span<const RecordMember> recordShape()
{
    return kShape;
}

const RecordMember &recordMember(MemberId id)
{
    return kShape[static_cast<std::size_t>(id)];
}

const std::array<TemplateLine, kLinesPerRecord> &recordTemplate()
{
    static const auto lines = makeTemplate();
    return lines;
}
