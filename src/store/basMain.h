#pragma once

#include "model/RecordArrays.h"
#include "store/SlogReference.h"

#include <cstdint>

// Program-wide state, touched from the window's thread, and read by the worker of a load or
// save while it runs; the window's thread then leaves the records alone (its controls are
// disabled), and every section object the worker reads exists before it starts.

extern SlogReference gSlog;

// The nine section arrays; gBase to gPricemod5 name the arrays inside gRecords.
extern RecordArrays gRecords;
extern SectionArray<clsBase> &gBase;
extern SectionArray<clsLokal> &gLokal;
extern SectionArray<clsShape> &gShape;
extern SectionArray<clsPricedef> &gPricedef;
extern SectionArray<clsPricemod> &gPricemod;
extern SectionArray<clsPricemod2> &gPricemod2;
extern SectionArray<clsPricemod3> &gPricemod3;
extern SectionArray<clsPricemod4> &gPricemod4;
extern SectionArray<clsPricemod5> &gPricemod5;

// The number of the record on screen, which field edits write into.
extern std::int32_t gBrojSloga;
