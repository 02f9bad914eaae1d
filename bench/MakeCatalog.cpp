// Writes a catalog of typical records, for the whole-program benchmark:
//   velmora_make_catalog RECORDS FILE

#include "TypicalRecord.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s RECORDS FILE\n", argv[0]);
        return 2;
    }
    return writeTypicalCatalog(argv[2], std::atoll(argv[1])) ? 0 : 1;
}
