#pragma once

#include "model/RecordArrays.h"

#include <cstdint>

// Copies the 61 line members of record `from` onto record `to`, member by member in the order
// of the record's lines. The target's object is reached before the source's at every step, so
// an out-of-range target throws SubscriptOutOfRange before anything changes.
void copyRecord(RecordArrays &arrays, std::int32_t to, std::int32_t from);
