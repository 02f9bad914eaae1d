#pragma once

#include <string>

// The local block: record lines 2 to 18. The six members marked "never used" name parts of
// lines 12 and 16 that are kept inside other members; they stay empty for the whole run.
class clsLokal
{
public:
    std::string local_CeoRed;
    std::string Params_CeoRed;
    std::string JedinicaMjere_PocDeoRedaiTekst;
    std::string JedinicaMjere;
    std::string JedinicaMjere_ZarezNaKraju;
    std::string Duljina_PocDeoRedaiTekst;
    std::string Duljina;
    std::string Duljina_ZarezNaKraju;
    std::string Sirina_Tekst;
    std::string Sirina;
    std::string Sirina_ZarezNaKraju;
    std::string Debljina_Tekst;
    std::string Debljina;
    std::string Debljina_ZarezNaKraju;
    std::string NadmjeraKantiranja_CeoRed;
    std::string cijena_PocDeoRedaiTekst;
    std::string Cijena;
    std::string cijena_ZarezNaKraju;
    std::string tSifraDekora_CeoRed;
    std::string tVrstaTrake_CeoRed;
    std::string draw_CeoRed;
    std::string count_CeoRed;
    std::string colr_CeoRed;
    std::string colg_CeoRed;      // never used
    std::string colb_CeoRed;      // never used
    std::string alpha_CeoRed;     // never used
    std::string Tekstura_CeoRed;  // never used
    std::string flags_CeoRed;
    std::string dKolicina_CeoRed;
    std::string tRazmaci_CeoRed;
    std::string tUserSifra_CeoRed;  // never used
    std::string tOpis_PocDeoRedaiTekst;
    std::string tOpis;
    std::string tOpis_ZarezNaKrajuiDoKrajaReda;
    std::string ObjectName_CeoRed;  // never used
    std::string dCijenaKantiranja_CeoRed;
    std::string hotstring_CeoRed;
};
