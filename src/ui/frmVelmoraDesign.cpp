#include "ui/frmVelmoraDesign.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

using enum ControlKind;
using enum Container;

constexpr unsigned kRecordLabel = kBordered | kAutoSize;

constexpr WindowDesign kWindow = {"frmVelmora", "Trake.Odl", 15240, 11010};

// clang-format off
constexpr std::array<ControlDesign, 70> kControls = {{
    // The navigation and command column, on the window.
    {"Frame1", Frame, Window, 120, 10, 11775, 11040, 12, "", kPlain},
    {"Label58", Label, Window, 13920, 120, 615, 495, 68, "Ukupno slogova", kWordWrap},
    {"Label57", Label, Window, 12720, 240, 855, 255, 66, "Broj sloga", kPlain},
    {"txtBrojSloga", TextBox, Window, 12600, 600, 585, 360, 0, "1", kOwnFont},
    {"UpDnBrSloga", UpDown, Window, 13200, 600, 255, 360, 1, "", kPlain},
    {"lblUkupnoSlogova", Label, Window, 13920, 600, 615, 375, 67, "", kBordered | kOwnFont},
    {"cmdDodavanjeNovogSloga", CommandButton, Window, 12600, 1440, 1935, 615, 2,
     "Dodavanje novog sloga na kraju", kPlain},
    {"cmdUcitavanje", CommandButton, Window, 12600, 3720, 1935, 615, 3,
     "Ponovno ucitavanje fajla  \"Trake.odl\"", kPlain},
    {"Command1", CommandButton, Window, 12600, 5640, 1935, 615, 4,
     "Snimanje u fajl  \"Trake-novi.odl\"", kPlain},
    {"Command2", CommandButton, Window, 12720, 9000, 1935, 615, 69, "Izlaz", kPlain},

    // The record template in Frame1, row by row as the record's lines stand in the file.
    {"label1", Label, Frame1, 120, 240, 405, 255, 31, "base", kRecordLabel},
    {"txtBase_Naziv", TextBox, Frame1, 600, 220, 2415, 285, 5, "", kPlain},
    {"label1_1", Label, Frame1, 3000, 240, 105, 255, 60, ";", kRecordLabel},
    {"Label2", Label, Frame1, 960, 500, 390, 255, 30, "local", kRecordLabel},
    {"Label3", Label, Frame1, 1680, 660, 1380, 255, 29, "Params = #ITraka,", kRecordLabel},
    {"Label4", Label, Frame1, 1680, 960, 1320, 255, 28, "JedinicaMjere = #", kRecordLabel},
    {"txtJedinicaMjere", TextBox, Frame1, 3000, 920, 375, 285, 6, "", kPlain},
    {"Label4_1", Label, Frame1, 3360, 960, 105, 255, 65, ",", kRecordLabel},
    {"Label5", Label, Frame1, 1680, 1200, 675, 255, 27, "Duljina =", kRecordLabel},
    {"txtDuljina", TextBox, Frame1, 2400, 1200, 495, 285, 7, "", kPlain},
    {"Label5_1", Label, Frame1, 2880, 1200, 105, 255, 61, ",", kRecordLabel},
    {"Label5_2", Label, Frame1, 3120, 1200, 585, 255, 26, "Sirina =", kRecordLabel},
    {"txtSirina", TextBox, Frame1, 3720, 1200, 465, 285, 8, "", kPlain},
    {"Label5_3", Label, Frame1, 4200, 1200, 105, 255, 62, ",", kRecordLabel},
    {"Label5_4", Label, Frame1, 4560, 1200, 765, 255, 25, "Debljina =", kRecordLabel},
    {"txtDebljina", TextBox, Frame1, 5280, 1200, 495, 285, 9, "", kPlain},
    {"Label5_5", Label, Frame1, 5760, 1200, 105, 255, 63, ",", kRecordLabel},
    {"Label6", Label, Frame1, 1680, 1440, 3765, 255, 24,
     "NadmjeraKantiranja = NadmjeraKantiranjaPoStranici,", kRecordLabel},
    {"Label7", Label, Frame1, 1680, 1720, 615, 255, 23, "cijena =", kRecordLabel},
    {"txtCijena", TextBox, Frame1, 2320, 1680, 780, 285, 10, "", kPlain},
    {"Label7_1", Label, Frame1, 3120, 1680, 105, 255, 64, ",", kRecordLabel},
    {"Label8", Label, Frame1, 1680, 1960, 1695, 255, 22, "tSifraDekora = #NULL,", kRecordLabel},
    {"Label9", Label, Frame1, 1680, 2200, 1530, 255, 21, "tVrstaTrake = #ABS,", kRecordLabel},
    {"Label10", Label, Frame1, 1680, 2440, 3525, 255, 20,
     "draw = ( tSifraDekora = #NULL ) ? #false : #true,", kRecordLabel},
    {"Label11", Label, Frame1, 1680, 2680, 3675, 255, 19,
     "count = ( tSifraDekora = #NULL ) ? #none : #units,", kRecordLabel},
    {"Label12", Label, Frame1, 1680, 2920, 4065, 255, 18,
     "colr = 0, colg = 0, colb = 0, alpha = 1, Tekstura = #none,", kRecordLabel},
    {"Label13", Label, Frame1, 1680, 3160, 825, 255, 17, "flags = #K,", kRecordLabel},
    {"Label14", Label, Frame1, 1680, 3420, 9780, 255, 16,
     "dKolicina = ( Duljina + NadmjeraKantiranja ) / 1000, units = dKolicina * ( 1 + "
     "( GbPovecanjeKolicine ? ( GdPovecanjeKolicine / 100 ) : 0 ) ),", kRecordLabel},
    {"Label15", Label, Frame1, 1680, 3680, 4980, 255, 15,
     "tRazmaci = #__ + ( GbPovecanjeKolicine ? #POV : #_______ ) + #_,", kRecordLabel},
    {"Label16", Label, Frame1, 1680, 3960, 2295, 255, 14, "tUserSifra = #0000000, tOpis = ",
     kRecordLabel},
    {"txttOpis", TextBox, Frame1, 4080, 3920, 855, 285, 11, "", kPlain},
    {"Label16_1", Label, Frame1, 5040, 3960, 2505, 255, 38, "$ObjectName = #0000000_NULL,",
     kRecordLabel},
    {"Label17", Label, Frame1, 1680, 4200, 3405, 255, 13,
     "$dCijenaKantiranja = Params.dCijenaKantiranja,", kRecordLabel},
    {"Label18", Label, Frame1, 1680, 4440, 1230, 255, 32, "hotstring = #null;", kRecordLabel},
    {"Label19", Label, Frame1, 960, 4680, 495, 255, 33, "shape", kRecordLabel},
    {"Label20", Label, Frame1, 1680, 4920, 4965, 255, 34,
     "colr = colr, colg = colg, colb = colb, alpha = alpha, texture = Tekstura,", kRecordLabel},
    {"Label21", Label, Frame1, 1680, 5160, 3555, 255, 35,
     "type = #panel, x = Sirina, y = Duljina, z = Debljina;", kRecordLabel},
    {"Label22", Label, Frame1, 960, 5400, 1410, 255, 36, "pricedef tUserSifra;", kRecordLabel},
    {"Label23", Label, Frame1, 1680, 5640, 2355, 255, 37, "CijenaTrake = dKolicina * cijena,",
     kRecordLabel},
    {"Label24", Label, Frame1, 1680, 5880, 3900, 255, 39,
     "CijenaKantiranja = Duljina / 1000 * $dCijenaKantiranja,", kRecordLabel},
    {"Label25", Label, Frame1, 1680, 6120, 2895, 255, 40,
     "Cijena = CijenaTrake + CijenaKantiranja;", kRecordLabel},
    {"Label26", Label, Frame1, 960, 6360, 720, 255, 41, "priceend;", kRecordLabel},
    {"Label27", Label, Frame1, 960, 6600, 900, 255, 42, "pricemod #;", kRecordLabel},
    {"Label28", Label, Frame1, 1680, 6840, 1035, 255, 43, "Condition = 1;", kRecordLabel},
    {"Label29", Label, Frame1, 960, 7080, 720, 255, 44, "priceend;", kRecordLabel},
    {"Label30", Label, Frame1, 960, 7320, 900, 255, 45, "pricemod #;", kRecordLabel},
    {"Label31", Label, Frame1, 1680, 7560, 1035, 255, 46, "Condition = 1;", kRecordLabel},
    {"Label32", Label, Frame1, 1680, 7800, 3885, 255, 48,
     "Cijena = Cijena * ( 1 + GdMarzaZaPlocasteMaterijale );", kRecordLabel},
    {"Label33", Label, Frame1, 960, 8040, 720, 255, 47, "priceend;", kRecordLabel},
    {"Label34", Label, Frame1, 960, 8280, 900, 255, 49, "pricemod #;", kRecordLabel},
    {"Label35", Label, Frame1, 1680, 8520, 2100, 255, 50, "Condition = GbTrakeGrupa2,",
     kRecordLabel},
    {"Label36", Label, Frame1, 1680, 8760, 3885, 255, 52,
     "Cijena = Cijena * ( 1 + GdMarzaZaPlocasteMaterijale );", kRecordLabel},
    {"Label37", Label, Frame1, 960, 9000, 720, 255, 51, "priceend;", kRecordLabel},
    {"Label38", Label, Frame1, 960, 9240, 1455, 255, 53, "pricemod tRazmaci;", kRecordLabel},
    {"Label39", Label, Frame1, 1680, 9480, 2025, 255, 54, "Condition = GbOpisDioSifre;",
     kRecordLabel},
    {"Label40", Label, Frame1, 960, 9720, 720, 255, 55, "priceend;", kRecordLabel},
    {"Label41", Label, Frame1, 960, 9960, 1155, 255, 56, "pricemod tOpis;", kRecordLabel},
    {"Label42", Label, Frame1, 1680, 10200, 2025, 255, 57, "Condition = GbOpisDioSifre;",
     kRecordLabel},
    {"Label43", Label, Frame1, 960, 10440, 720, 255, 58, "priceend;", kRecordLabel},
    {"Label44", Label, Frame1, 120, 10680, 600, 255, 59, "enddef;", kRecordLabel},
}};
// clang-format on
static_assert(kControls.back().name != nullptr, "a control is missing from the table");

using enum MemberId;

// clang-format off
constexpr MemberControl kMemberControls[] = {
    {base_PocDeoRedaiTekst, "label1"},
    {base_Naziv, "txtBase_Naziv", QT_TRANSLATE_NOOP("frmVelmora", "Name")},
    {base_TackaZarezNaKraju, "label1_1"},
    {lokal_local_CeoRed, "Label2"},
    {lokal_Params_CeoRed, "Label3"},
    {lokal_JedinicaMjere_PocDeoRedaiTekst, "Label4"},
    {lokal_JedinicaMjere, "txtJedinicaMjere", QT_TRANSLATE_NOOP("frmVelmora", "Unit of measure")},
    {lokal_JedinicaMjere_ZarezNaKraju, "Label4_1"},
    {lokal_Duljina_PocDeoRedaiTekst, "Label5"},
    {lokal_Duljina, "txtDuljina", QT_TRANSLATE_NOOP("frmVelmora", "Length")},
    {lokal_Duljina_ZarezNaKraju, "Label5_1"},
    {lokal_Sirina_Tekst, "Label5_2"},
    {lokal_Sirina, "txtSirina", QT_TRANSLATE_NOOP("frmVelmora", "Width")},
    {lokal_Sirina_ZarezNaKraju, "Label5_3"},
    {lokal_Debljina_Tekst, "Label5_4"},
    {lokal_Debljina, "txtDebljina", QT_TRANSLATE_NOOP("frmVelmora", "Thickness")},
    {lokal_Debljina_ZarezNaKraju, "Label5_5"},
    {lokal_NadmjeraKantiranja_CeoRed, "Label6"},
    {lokal_cijena_PocDeoRedaiTekst, "Label7"},
    {lokal_Cijena, "txtCijena", QT_TRANSLATE_NOOP("frmVelmora", "Price")},
    {lokal_cijena_ZarezNaKraju, "Label7_1"},
    {lokal_tSifraDekora_CeoRed, "Label8"},
    {lokal_tVrstaTrake_CeoRed, "Label9"},
    {lokal_draw_CeoRed, "Label10"},
    {lokal_count_CeoRed, "Label11"},
    {lokal_colr_CeoRed, "Label12"},
    {lokal_flags_CeoRed, "Label13"},
    {lokal_dKolicina_CeoRed, "Label14"},
    {lokal_tRazmaci_CeoRed, "Label15"},
    {lokal_tOpis_PocDeoRedaiTekst, "Label16"},
    {lokal_tOpis, "txttOpis", QT_TRANSLATE_NOOP("frmVelmora", "Description")},
    {lokal_tOpis_ZarezNaKrajuiDoKrajaReda, "Label16_1"},
    {lokal_dCijenaKantiranja_CeoRed, "Label17"},
    {lokal_hotstring_CeoRed, "Label18"},
    {shape_shape_CeoRed, "Label19"},
    {shape_colr_CeoRed, "Label20"},
    {shape_type_CeoRed, "Label21"},
    {pricedef_tUserSifra_CeoRed, "Label22"},
    {pricedef_CijenaTrake_CeoRed, "Label23"},
    {pricedef_CijenaKantiranja_CeoRed, "Label24"},
    {pricedef_Cijena_CeoRed, "Label25"},
    {pricedef_priceend_CeoRed, "Label26"},
    {pricemod_pricemod_CeoRed, "Label27"},
    {pricemod_Condition_CeoRed, "Label28"},
    {pricemod_priceend_CeoRed, "Label29"},
    {pricemod2_pricemod_CeoRed, "Label30"},
    {pricemod2_Condition_CeoRed, "Label31"},
    {pricemod2_Cijena_CeoRed, "Label32"},
    {pricemod2_priceend_CeoRed, "Label33"},
    {pricemod3_pricemod_CeoRed, "Label34"},
    {pricemod3_Condition_CeoRed, "Label35"},
    {pricemod3_CijenaGrupa2_CeoRed, "Label36"},
    {pricemod3_priceend_CeoRed, "Label37"},
    {pricemod4_pricemod_CeoRed, "Label38"},
    {pricemod4_Condition_CeoRed, "Label39"},
    {pricemod4_priceend_CeoRed, "Label40"},
    {pricemod5_pricemod_CeoRed, "Label41"},
    {pricemod5_Condition_CeoRed, "Label42"},
    {pricemod5_priceend_CeoRed, "Label43"},
    {base_enddef_CeoRed, "Label44"},
};
// clang-format on

// Each row names a control of the frame, a box with its accessible name; the members follow the
// record's shape, each shown once.
constexpr bool membersWellShown()
{
    for (std::size_t i = 0; i < std::size(kMemberControls); ++i) {
        const MemberControl &row = kMemberControls[i];
        if (i > 0 && row.member <= kMemberControls[i - 1].member)
            return false;
        const auto design = std::find_if(kControls.begin(), kControls.end(), [&](auto &each) {
            return std::string_view(each.name) == row.control;
        });
        if (design == kControls.end() || design->container != Frame1)
            return false;
        if ((design->kind == TextBox) != (row.accessibleName != nullptr))
            return false;
    }
    return true;
}
static_assert(membersWellShown(),
              "a member's control is missing, repeated or out of order, or a box has no name");

}  // namespace

const WindowDesign &frmVelmoraWindowDesign()
{
    return kWindow;
}

std::span<const ControlDesign> frmVelmoraDesign()
{
    return kControls;
}

std::span<const MemberControl> frmVelmoraMemberControls()
{
    return kMemberControls;
}
