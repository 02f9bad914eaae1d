#pragma once

#include "catalog/Message.h"
#include "model/RecordArrays.h"

#include <cstdint>
#include <stdexcept>

// The store already holds the largest number of records a record number can reach.
class RecordCountFull : public std::overflow_error, public CarriesMessage
{
public:
    RecordCountFull();
};

// Grows `arrays`, a store of `count` records, by one record filled as a copy of the last, and
// returns the new record's number. All or nothing: on RecordCountFull, or anything thrown
// while the arrays grow or the copy is made (memory running out), `arrays` and `count` are
// exactly as they were, down to which slots hold objects.
std::int32_t appendCopyOfLastRecord(RecordArrays &arrays, std::int32_t &count);
