#include "PeakMemory.h"

#include "ChildProcess.h"
#include "catalog/CatalogLoader.h"

#include <cstdio>

#include <sys/resource.h>

namespace {

long peakResidentKiB()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // KiB on Linux
}

}  // namespace

LoadMemory measureLoadMemory(const std::filesystem::path &file)
{
    // The child answers in one line: "before after records", or "! message".
    const std::string answer = runInChild([&file] {
        try {
            const long before = peakResidentKiB();
            const LoadedCatalog loaded = loadCatalog(file);
            const long after = peakResidentKiB();
            return std::to_string(before) + ' ' + std::to_string(after) + ' '
                   + std::to_string(loaded.count);
        } catch (const std::exception &error) {
            return std::string("! ") + error.what();
        }
    });

    LoadMemory result;
    long records = 0;
    if (answer.starts_with("! ")) {
        result.error = answer.substr(2);
    } else if (std::sscanf(answer.c_str(), "%ld %ld %ld", &result.peakBeforeKiB,
                           &result.peakAfterKiB, &records)
               != 3) {
        result.error = "unreadable answer from the measuring child: " + answer;
    }
    result.records = static_cast<std::int32_t>(records);
    return result;
}
