#pragma once

#include <string>

// The first pricemod block: record lines 27 to 29.
class clsPricemod
{
public:
    std::string pricemod_CeoRed;
    std::string Condition_CeoRed;
    std::string priceend_CeoRed;
};
