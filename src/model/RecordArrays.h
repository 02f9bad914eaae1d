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
    explicit RecordArrays(std::int32_t upperBound = 0) { redimAll(upperBound); }

    // Calls f on each of the nine arrays, in the order of the record's lines.
    template <class F>
    void forEach(F &&f)
    {
        f(base);
        f(lokal);
        f(shape);
        f(pricedef);
        f(pricemod);
        f(pricemod2);
        f(pricemod3);
        f(pricemod4);
        f(pricemod5);
    }

    // Resizes all nine, keeping the objects that remain.
    void redimAll(std::int32_t upperBound)
    {
        forEach([upperBound](auto &array) { array.redim(upperBound); });
    }

    std::int32_t upperBound() const { return base.upperBound(); }

    SectionArray<clsBase> base{"gBase"};
    SectionArray<clsLokal> lokal{"gLokal"};
    SectionArray<clsShape> shape{"gShape"};
    SectionArray<clsPricedef> pricedef{"gPricedef"};
    SectionArray<clsPricemod> pricemod{"gPricemod"};
    SectionArray<clsPricemod2> pricemod2{"gPricemod2"};
    SectionArray<clsPricemod3> pricemod3{"gPricemod3"};
    SectionArray<clsPricemod4> pricemod4{"gPricemod4"};
    SectionArray<clsPricemod5> pricemod5{"gPricemod5"};
};
