#pragma once

#include <string>

// The pricedef block: record lines 22 to 26.
class clsPricedef
{
public:
    std::string tUserSifra_CeoRed;
    std::string CijenaTrake_CeoRed;
    std::string CijenaKantiranja_CeoRed;
    std::string Cijena_CeoRed;
    std::string priceend_CeoRed;
};
