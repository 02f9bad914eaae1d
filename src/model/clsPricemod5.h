#pragma once

#include "model/Text.h"

// The fifth pricemod block (tOpis): record lines 41 to 43.
class clsPricemod5
{
public:
    Text pricemod_CeoRed;
    Text Condition_CeoRed;
    Text priceend_CeoRed;
};
