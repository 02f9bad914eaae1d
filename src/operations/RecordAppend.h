#pragma once

#include "Message.h"

#include <cstdint>
#include <stdexcept>

// The store already holds the largest number of records a record number can reach.
class RecordCountFull : public std::overflow_error, public CarriesMessage
{
public:
    RecordCountFull();
};

// Grows the store by one record and fills it as a copy of the record that was last, whichever
// record is on screen. Returns the new record's number. Throws RecordCountFull, before
// anything changes, when the count cannot grow.
std::int32_t appendCopyOfLastRecord();
