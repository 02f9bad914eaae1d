#pragma once

#include <string>

// The third pricemod block, the one of the second price group: record lines 34 to 37.
class clsPricemod3
{
public:
    std::string pricemod_CeoRed;
    std::string Condition_CeoRed;
    std::string CijenaGrupa2_CeoRed;
    std::string priceend_CeoRed;
};
