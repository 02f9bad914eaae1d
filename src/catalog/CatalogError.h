#pragma once

#include <stdexcept>

// A catalog that cannot be read or written. The message names the file and, for a line that
// cannot be cut, where it stands and what it lacks, ready to be shown as it is.
class CatalogError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
