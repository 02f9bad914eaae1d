#pragma once

#include <string>

// The shape block: record lines 19 to 21.
class clsShape
{
public:
    std::string shape_CeoRed;
    std::string colr_CeoRed;
    std::string type_CeoRed;
};
