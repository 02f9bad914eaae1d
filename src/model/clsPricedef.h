#pragma once

#include "model/Text.h"

// The pricedef block: record lines 22 to 26.
class clsPricedef
{
public:
    Text tUserSifra_CeoRed;
    Text CijenaTrake_CeoRed;
    Text CijenaKantiranja_CeoRed;
    Text Cijena_CeoRed;
    Text priceend_CeoRed;
};
