#pragma once

#include <string>

// The fifth pricemod block (tOpis): record lines 41 to 43.
class clsPricemod5
{
public:
    std::string pricemod_CeoRed;
    std::string Condition_CeoRed;
    std::string priceend_CeoRed;
};
