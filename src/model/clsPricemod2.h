#pragma once

#include <string>

// The second pricemod block: record lines 30 to 33.
class clsPricemod2
{
public:
    std::string pricemod_CeoRed;
    std::string Condition_CeoRed;
    std::string Cijena_CeoRed;
    std::string priceend_CeoRed;
};
