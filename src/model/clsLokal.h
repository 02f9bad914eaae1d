#pragma once

#include "model/Text.h"

// The local block: record lines 2 to 18. The six members marked "never used" name parts of
// lines 12 and 16 that are kept inside other members; they stay empty for the whole run.
class clsLokal
{
public:
    Text local_CeoRed;
    Text Params_CeoRed;
    Text JedinicaMjere_PocDeoRedaiTekst;
    Text JedinicaMjere;
    Text JedinicaMjere_ZarezNaKraju;
    Text Duljina_PocDeoRedaiTekst;
    Text Duljina;
    Text Duljina_ZarezNaKraju;
    Text Sirina_Tekst;
    Text Sirina;
    Text Sirina_ZarezNaKraju;
    Text Debljina_Tekst;
    Text Debljina;
    Text Debljina_ZarezNaKraju;
    Text NadmjeraKantiranja_CeoRed;
    Text cijena_PocDeoRedaiTekst;
    Text Cijena;
    Text cijena_ZarezNaKraju;
    Text tSifraDekora_CeoRed;
    Text tVrstaTrake_CeoRed;
    Text draw_CeoRed;
    Text count_CeoRed;
    Text colr_CeoRed;
    Text colg_CeoRed;      // never used
    Text colb_CeoRed;      // never used
    Text alpha_CeoRed;     // never used
    Text Tekstura_CeoRed;  // never used
    Text flags_CeoRed;
    Text dKolicina_CeoRed;
    Text tRazmaci_CeoRed;
    Text tUserSifra_CeoRed;  // never used
    Text tOpis_PocDeoRedaiTekst;
    Text tOpis;
    Text tOpis_ZarezNaKrajuiDoKrajaReda;
    Text ObjectName_CeoRed;  // never used
    Text dCijenaKantiranja_CeoRed;
    Text hotstring_CeoRed;
};
