// Writes a catalog of typical records, for the whole-program benchmark:
//   velmora_make_catalog RECORDS FILE

#include "TypicalRecord.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s RECORDS FILE\n", argv[0]);
        return 2;
    }
    const long long records = std::atoll(argv[1]);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    std::string block;
    for (long long n = 1; n <= records; ++n) {
        for (const std::string &line : typicalRecordLines(n)) {
            block += line;
            block += "\r\n";
        }
        if (block.size() >= (1 << 20) || n == records) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            block.clear();
        }
    }
    return out.flush() ? 0 : 1;
}
