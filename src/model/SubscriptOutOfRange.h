#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Raised when a record number falls outside a section array. It is a programming or data-shape
// fault rather than a catalog error, so it carries the array's name and its bounds for the report.
class SubscriptOutOfRange : public std::out_of_range
{
public:
    SubscriptOutOfRange(const char *arrayName, std::int64_t index, std::int32_t upperBound)
        : std::out_of_range("subscript out of range: record " + std::to_string(index)
                            + " is outside " + arrayName + "(0 to " + std::to_string(upperBound)
                            + ")")
    {
    }
};
