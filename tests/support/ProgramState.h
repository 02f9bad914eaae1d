#pragma once

#include "store/basMain.h"

// Puts the program-wide state back to what a fresh start has, so tests do not leak records
// into one another.
inline void resetProgramState()
{
    gSlog.reset();
    gRecords = RecordArrays(0);
    gBrojSloga = 0;
}
