#pragma once

#include "model/Text.h"

// The base section: record lines 1, 44 and 45.
class clsBase
{
public:
    Text PocDeoRedaiTekst;
    Text Naziv;
    Text TackaZarezNaKraju;
    Text enddef_CeoRed;
    Text PrazanRedNaKraju_CeoRed;
};
