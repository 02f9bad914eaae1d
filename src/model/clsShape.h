#pragma once

#include "model/Text.h"

// The shape block: record lines 19 to 21.
class clsShape
{
public:
    Text shape_CeoRed;
    Text colr_CeoRed;
    Text type_CeoRed;
};
