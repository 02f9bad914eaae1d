#pragma once

#include "model/Text.h"

// The first pricemod block: record lines 27 to 29.
class clsPricemod
{
public:
    Text pricemod_CeoRed;
    Text Condition_CeoRed;
    Text priceend_CeoRed;
};
