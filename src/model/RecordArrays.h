#pragma once

#include "SectionArray.h"
#include "clsBase.h"
#include "clsLokal.h"
#include "clsPricedef.h"
#include "clsPricemod.h"
#include "clsPricemod2.h"
#include "clsPricemod3.h"
#include "clsPricemod4.h"
#include "clsPricemod5.h"
#include "clsShape.h"

#include <cstdint>

// The nine section arrays of one catalog, always of one upper bound. Kept together so that a
// load can fill a fresh set and the program swap it in whole, or keep what it had on failure.
class RecordArrays
{
public:
    explicit RecordArrays(std::int32_t upperBound = 0)
        : base("gBase", upperBound), lokal("gLokal", upperBound), shape("gShape", upperBound),
          pricedef("gPricedef", upperBound), pricemod("gPricemod", upperBound),
          pricemod2("gPricemod2", upperBound), pricemod3("gPricemod3", upperBound),
          pricemod4("gPricemod4", upperBound), pricemod5("gPricemod5", upperBound)
    {
    }

    // Resizes all nine, in the order of the record's lines, keeping the objects that remain.
    void redimAll(std::int32_t upperBound)
    {
        base.redim(upperBound);
        lokal.redim(upperBound);
        shape.redim(upperBound);
        pricedef.redim(upperBound);
        pricemod.redim(upperBound);
        pricemod2.redim(upperBound);
        pricemod3.redim(upperBound);
        pricemod4.redim(upperBound);
        pricemod5.redim(upperBound);
    }

    std::int32_t upperBound() const { return base.upperBound(); }

    SectionArray<clsBase> base;
    SectionArray<clsLokal> lokal;
    SectionArray<clsShape> shape;
    SectionArray<clsPricedef> pricedef;
    SectionArray<clsPricemod> pricemod;
    SectionArray<clsPricemod2> pricemod2;
    SectionArray<clsPricemod3> pricemod3;
    SectionArray<clsPricemod4> pricemod4;
    SectionArray<clsPricemod5> pricemod5;
};
