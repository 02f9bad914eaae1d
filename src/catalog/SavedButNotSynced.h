#pragma once

#include <stdexcept>

// A save that replaced the file but could not make the replacement itself durable: after a
// crash the earlier file may come back. Not a CatalogError on purpose: the file was saved, and
// a caller must not report it as not saved.
class SavedButNotSynced : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
