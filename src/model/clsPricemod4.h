#pragma once

#include "model/Text.h"

// The fourth pricemod block (tRazmaci): record lines 38 to 40.
class clsPricemod4
{
public:
    Text pricemod_CeoRed;
    Text Condition_CeoRed;
    Text priceend_CeoRed;
};
