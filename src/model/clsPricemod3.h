#pragma once

#include "model/Text.h"

// The third pricemod block, the one of the second price group: record lines 34 to 37.
class clsPricemod3
{
public:
    Text pricemod_CeoRed;
    Text Condition_CeoRed;
    Text CijenaGrupa2_CeoRed;
    Text priceend_CeoRed;
};
