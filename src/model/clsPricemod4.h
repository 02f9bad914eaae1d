#pragma once

#include <string>

// The fourth pricemod block (tRazmaci): record lines 38 to 40.
class clsPricemod4
{
public:
    std::string pricemod_CeoRed;
    std::string Condition_CeoRed;
    std::string priceend_CeoRed;
};
