#pragma once

#include "model/Text.h"

// The second pricemod block: record lines 30 to 33.
class clsPricemod2
{
public:
    Text pricemod_CeoRed;
    Text Condition_CeoRed;
    Text Cijena_CeoRed;
    Text priceend_CeoRed;
};
