#pragma once

#include <string>

// The base section: record lines 1, 44 and 45.
class clsBase
{
public:
    std::string PocDeoRedaiTekst;
    std::string Naziv;
    std::string TackaZarezNaKraju;
    std::string enddef_CeoRed;
    std::string PrazanRedNaKraju_CeoRed;
};
