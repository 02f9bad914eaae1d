#include "store/basMain.h"

SlogReference gSlog;

RecordArrays gRecords;
SectionArray<clsBase> &gBase = gRecords.base;
SectionArray<clsLokal> &gLokal = gRecords.lokal;
SectionArray<clsShape> &gShape = gRecords.shape;
SectionArray<clsPricedef> &gPricedef = gRecords.pricedef;
SectionArray<clsPricemod> &gPricemod = gRecords.pricemod;
SectionArray<clsPricemod2> &gPricemod2 = gRecords.pricemod2;
SectionArray<clsPricemod3> &gPricemod3 = gRecords.pricemod3;
SectionArray<clsPricemod4> &gPricemod4 = gRecords.pricemod4;
SectionArray<clsPricemod5> &gPricemod5 = gRecords.pricemod5;

std::int32_t gBrojSloga = 0;
