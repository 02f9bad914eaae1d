#include "RecordTemplate.h"

#include "CatalogFiles.h"

namespace {

template <auto Array, auto Member>
std::string &member(RecordArrays &arrays, std::int64_t n)
{
    return (arrays.*Array).at(n).*Member;
}

using A = RecordArrays;

constexpr std::array<MemberAccess, 61> kMembers = {
    // line 1
    member<&A::base, &clsBase::PocDeoRedaiTekst>,
    member<&A::base, &clsBase::Naziv>,
    member<&A::base, &clsBase::TackaZarezNaKraju>,
    // lines 2 to 18
    member<&A::lokal, &clsLokal::local_CeoRed>,
    member<&A::lokal, &clsLokal::Params_CeoRed>,
    member<&A::lokal, &clsLokal::JedinicaMjere_PocDeoRedaiTekst>,
    member<&A::lokal, &clsLokal::JedinicaMjere>,
    member<&A::lokal, &clsLokal::JedinicaMjere_ZarezNaKraju>,
    member<&A::lokal, &clsLokal::Duljina_PocDeoRedaiTekst>,
    member<&A::lokal, &clsLokal::Duljina>,
    member<&A::lokal, &clsLokal::Duljina_ZarezNaKraju>,
    member<&A::lokal, &clsLokal::Sirina_Tekst>,
    member<&A::lokal, &clsLokal::Sirina>,
    member<&A::lokal, &clsLokal::Sirina_ZarezNaKraju>,
    member<&A::lokal, &clsLokal::Debljina_Tekst>,
    member<&A::lokal, &clsLokal::Debljina>,
    member<&A::lokal, &clsLokal::Debljina_ZarezNaKraju>,
    member<&A::lokal, &clsLokal::NadmjeraKantiranja_CeoRed>,
    member<&A::lokal, &clsLokal::cijena_PocDeoRedaiTekst>,
    member<&A::lokal, &clsLokal::Cijena>,
    member<&A::lokal, &clsLokal::cijena_ZarezNaKraju>,
    member<&A::lokal, &clsLokal::tSifraDekora_CeoRed>,
    member<&A::lokal, &clsLokal::tVrstaTrake_CeoRed>,
    member<&A::lokal, &clsLokal::draw_CeoRed>,
    member<&A::lokal, &clsLokal::count_CeoRed>,
    member<&A::lokal, &clsLokal::colr_CeoRed>,
    member<&A::lokal, &clsLokal::flags_CeoRed>,
    member<&A::lokal, &clsLokal::dKolicina_CeoRed>,
    member<&A::lokal, &clsLokal::tRazmaci_CeoRed>,
    member<&A::lokal, &clsLokal::tOpis_PocDeoRedaiTekst>,
    member<&A::lokal, &clsLokal::tOpis>,
    member<&A::lokal, &clsLokal::tOpis_ZarezNaKrajuiDoKrajaReda>,
    member<&A::lokal, &clsLokal::dCijenaKantiranja_CeoRed>,
    member<&A::lokal, &clsLokal::hotstring_CeoRed>,
    // lines 19 to 21
    member<&A::shape, &clsShape::shape_CeoRed>,
    member<&A::shape, &clsShape::colr_CeoRed>,
    member<&A::shape, &clsShape::type_CeoRed>,
    // lines 22 to 26
    member<&A::pricedef, &clsPricedef::tUserSifra_CeoRed>,
    member<&A::pricedef, &clsPricedef::CijenaTrake_CeoRed>,
    member<&A::pricedef, &clsPricedef::CijenaKantiranja_CeoRed>,
    member<&A::pricedef, &clsPricedef::Cijena_CeoRed>,
    member<&A::pricedef, &clsPricedef::priceend_CeoRed>,
    // lines 27 to 43
    member<&A::pricemod, &clsPricemod::pricemod_CeoRed>,
    member<&A::pricemod, &clsPricemod::Condition_CeoRed>,
    member<&A::pricemod, &clsPricemod::priceend_CeoRed>,
    member<&A::pricemod2, &clsPricemod2::pricemod_CeoRed>,
    member<&A::pricemod2, &clsPricemod2::Condition_CeoRed>,
    member<&A::pricemod2, &clsPricemod2::Cijena_CeoRed>,
    member<&A::pricemod2, &clsPricemod2::priceend_CeoRed>,
    member<&A::pricemod3, &clsPricemod3::pricemod_CeoRed>,
    member<&A::pricemod3, &clsPricemod3::Condition_CeoRed>,
    member<&A::pricemod3, &clsPricemod3::CijenaGrupa2_CeoRed>,
    member<&A::pricemod3, &clsPricemod3::priceend_CeoRed>,
    member<&A::pricemod4, &clsPricemod4::pricemod_CeoRed>,
    member<&A::pricemod4, &clsPricemod4::Condition_CeoRed>,
    member<&A::pricemod4, &clsPricemod4::priceend_CeoRed>,
    member<&A::pricemod5, &clsPricemod5::pricemod_CeoRed>,
    member<&A::pricemod5, &clsPricemod5::Condition_CeoRed>,
    member<&A::pricemod5, &clsPricemod5::priceend_CeoRed>,
    // lines 44 and 45
    member<&A::base, &clsBase::enddef_CeoRed>,
    member<&A::base, &clsBase::PrazanRedNaKraju_CeoRed>,
};

// The split lines and their rules; every other line is whole.
CutFunction cutFor(int line)
{
    switch (line) {
    case 1: return cutBaseLine;
    case 4: return cutUnitLine;
    case 5: return cutSizeLine;
    case 7: return cutPriceLine;
    case 16: return cutDescriptionLine;
    default: return nullptr;
    }
}

std::array<TemplateLine, kLinesPerRecord> makeTemplate()
{
    std::array<TemplateLine, kLinesPerRecord> lines;
    std::size_t next = 0;
    for (int line = 1; line <= kLinesPerRecord; ++line) {
        const CutFunction cut = cutFor(line);
        const std::size_t pieces = cut == nullptr ? 1 : cut == cutSizeLine ? 9 : 3;
        lines[line - 1] = TemplateLine{cut, std::span(kMembers).subspan(next, pieces)};
        next += pieces;
    }
    return lines;
}

}  // namespace

const std::array<TemplateLine, 45> &recordTemplate()
{
    static const auto lines = makeTemplate();
    return lines;
}

std::span<const MemberAccess> recordMembers()
{
    return kMembers;
}
