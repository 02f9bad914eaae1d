#include "catalog/RecordTemplate.h"

#include "catalog/CatalogFiles.h"

namespace {

template <auto Array, auto Member>
Text &M(RecordArrays &arrays, std::int64_t n)
{
    return (arrays.*Array).at(n).*Member;
}

using A = RecordArrays;
using enum MemberRole;
constexpr ValueKind Number = ValueKind::Number;

// The five cutting rules by the letters the format gives them; W marks a whole line.
using enum LineRule;
constexpr LineRule W = Whole;

// clang-format off
constexpr RecordMember kShape[] = {
    {1, B, M<&A::base, &clsBase::PocDeoRedaiTekst>, "label1", Shown},
    {1, B, M<&A::base, &clsBase::Naziv>, "txtBase_Naziv", Edited},
    {1, B, M<&A::base, &clsBase::TackaZarezNaKraju>, "label1_1", Shown},
    {2, W, M<&A::lokal, &clsLokal::local_CeoRed>, "Label2", Shown},
    {3, W, M<&A::lokal, &clsLokal::Params_CeoRed>, "Label3", Shown},
    {4, J, M<&A::lokal, &clsLokal::JedinicaMjere_PocDeoRedaiTekst>, "Label4", Shown},
    {4, J, M<&A::lokal, &clsLokal::JedinicaMjere>, "txtJedinicaMjere", Edited},
    {4, J, M<&A::lokal, &clsLokal::JedinicaMjere_ZarezNaKraju>, "Label4_1", Shown},
    {5, D, M<&A::lokal, &clsLokal::Duljina_PocDeoRedaiTekst>, "Label5", Shown},
    {5, D, M<&A::lokal, &clsLokal::Duljina>, "txtDuljina", Edited, Number},
    {5, D, M<&A::lokal, &clsLokal::Duljina_ZarezNaKraju>, "Label5_1", Shown},
    {5, D, M<&A::lokal, &clsLokal::Sirina_Tekst>, "Label5_2", Shown},
    {5, D, M<&A::lokal, &clsLokal::Sirina>, "txtSirina", Edited, Number},
    {5, D, M<&A::lokal, &clsLokal::Sirina_ZarezNaKraju>, "Label5_3", Shown},
    {5, D, M<&A::lokal, &clsLokal::Debljina_Tekst>, "Label5_4", Shown},
    {5, D, M<&A::lokal, &clsLokal::Debljina>, "txtDebljina", Edited, Number},
    {5, D, M<&A::lokal, &clsLokal::Debljina_ZarezNaKraju>, "Label5_5", Shown},
    {6, W, M<&A::lokal, &clsLokal::NadmjeraKantiranja_CeoRed>, "Label6", Shown},
    {7, C, M<&A::lokal, &clsLokal::cijena_PocDeoRedaiTekst>, "Label7", Shown},
    {7, C, M<&A::lokal, &clsLokal::Cijena>, "txtCijena", Edited, Number},
    {7, C, M<&A::lokal, &clsLokal::cijena_ZarezNaKraju>, "Label7_1", Shown},
    {8, W, M<&A::lokal, &clsLokal::tSifraDekora_CeoRed>, "Label8", Shown},
    {9, W, M<&A::lokal, &clsLokal::tVrstaTrake_CeoRed>, "Label9", Shown},
    {10, W, M<&A::lokal, &clsLokal::draw_CeoRed>, "Label10", Shown},
    {11, W, M<&A::lokal, &clsLokal::count_CeoRed>, "Label11", Shown},
    {12, W, M<&A::lokal, &clsLokal::colr_CeoRed>, "Label12", Shown},
    {13, W, M<&A::lokal, &clsLokal::flags_CeoRed>, "Label13", Shown},
    {14, W, M<&A::lokal, &clsLokal::dKolicina_CeoRed>, "Label14", Shown},
    {15, W, M<&A::lokal, &clsLokal::tRazmaci_CeoRed>, "Label15", Shown},
    {16, O, M<&A::lokal, &clsLokal::tOpis_PocDeoRedaiTekst>, "Label16", Shown},
    {16, O, M<&A::lokal, &clsLokal::tOpis>, "txttOpis", Edited},
    {16, O, M<&A::lokal, &clsLokal::tOpis_ZarezNaKrajuiDoKrajaReda>, "Label16_1", Shown},
    {17, W, M<&A::lokal, &clsLokal::dCijenaKantiranja_CeoRed>, "Label17", Shown},
    {18, W, M<&A::lokal, &clsLokal::hotstring_CeoRed>, "Label18", Shown},
    {19, W, M<&A::shape, &clsShape::shape_CeoRed>, "Label19", Shown},
    {20, W, M<&A::shape, &clsShape::colr_CeoRed>, "Label20", Shown},
    {21, W, M<&A::shape, &clsShape::type_CeoRed>, "Label21", Shown},
    {22, W, M<&A::pricedef, &clsPricedef::tUserSifra_CeoRed>, "Label22", Shown},
    {23, W, M<&A::pricedef, &clsPricedef::CijenaTrake_CeoRed>, "Label23", Shown},
    {24, W, M<&A::pricedef, &clsPricedef::CijenaKantiranja_CeoRed>, "Label24", Shown},
    {25, W, M<&A::pricedef, &clsPricedef::Cijena_CeoRed>, "Label25", Shown},
    {26, W, M<&A::pricedef, &clsPricedef::priceend_CeoRed>, "Label26", Shown},
    {27, W, M<&A::pricemod, &clsPricemod::pricemod_CeoRed>, "Label27", Shown},
    {28, W, M<&A::pricemod, &clsPricemod::Condition_CeoRed>, "Label28", Shown},
    {29, W, M<&A::pricemod, &clsPricemod::priceend_CeoRed>, "Label29", Shown},
    {30, W, M<&A::pricemod2, &clsPricemod2::pricemod_CeoRed>, "Label30", Shown},
    {31, W, M<&A::pricemod2, &clsPricemod2::Condition_CeoRed>, "Label31", Shown},
    {32, W, M<&A::pricemod2, &clsPricemod2::Cijena_CeoRed>, "Label32", Shown},
    {33, W, M<&A::pricemod2, &clsPricemod2::priceend_CeoRed>, "Label33", Shown},
    {34, W, M<&A::pricemod3, &clsPricemod3::pricemod_CeoRed>, "Label34", Shown},
    {35, W, M<&A::pricemod3, &clsPricemod3::Condition_CeoRed>, "Label35", Shown},
    {36, W, M<&A::pricemod3, &clsPricemod3::CijenaGrupa2_CeoRed>, "Label36", Shown},
    {37, W, M<&A::pricemod3, &clsPricemod3::priceend_CeoRed>, "Label37", Shown},
    {38, W, M<&A::pricemod4, &clsPricemod4::pricemod_CeoRed>, "Label38", Shown},
    {39, W, M<&A::pricemod4, &clsPricemod4::Condition_CeoRed>, "Label39", Shown},
    {40, W, M<&A::pricemod4, &clsPricemod4::priceend_CeoRed>, "Label40", Shown},
    {41, W, M<&A::pricemod5, &clsPricemod5::pricemod_CeoRed>, "Label41", Shown},
    {42, W, M<&A::pricemod5, &clsPricemod5::Condition_CeoRed>, "Label42", Shown},
    {43, W, M<&A::pricemod5, &clsPricemod5::priceend_CeoRed>, "Label43", Shown},
    {44, W, M<&A::base, &clsBase::enddef_CeoRed>, "Label44", Shown},
    {45, W, M<&A::base, &clsBase::PrazanRedNaKraju_CeoRed>, nullptr, Hidden},
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
        if ((member.role == Hidden) != (member.control == nullptr))
            return false;
    }
    return line == kLinesPerRecord;
}
static_assert(wellFormed(),
              "the record's shape has a gap, a mixed line or a line of the wrong piece count");

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

const std::array<TemplateLine, kLinesPerRecord> &recordTemplate()
{
    static const auto lines = makeTemplate();
    return lines;
}
