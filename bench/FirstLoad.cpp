// One load of a catalog in a fresh process, for bench/first-load: the first load is the one a
// user waits for, and the one that takes fresh memory from the system.
//   velmora_first_load FILE   prints the load's milliseconds and the records loaded

#include "catalog/CatalogLoader.h"

#include <chrono>
#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        const LoadedCatalog loaded = loadCatalog(argv[1]);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        std::printf("%.1f %d\n", took.count(), loaded.count);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
