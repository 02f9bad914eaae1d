#include "PeakMemory.h"

#include "ChildProcess.h"
#include "catalog/CatalogLoader.h"

#include <cstdio>
#include <cstdlib>

LoadMemory measureLoadMemory(const std::filesystem::path &file)
{
    // The child answers in one line: "before after records", or "before after !message".
    const std::string answer = runInChild([&file] {
        const long before = peakResidentKiB();
        std::string outcome;
        try {
            outcome = std::to_string(loadCatalog(file).count);
        } catch (const std::exception &error) {
            outcome = std::string("!") + error.what();
        }
        return std::to_string(before) + ' ' + std::to_string(peakResidentKiB()) + ' ' + outcome;
    });

    LoadMemory result;
    long records = 0;
    int read = 0;
    if (std::sscanf(answer.c_str(), "%ld %ld %n", &result.peakBeforeKiB, &result.peakAfterKiB,
                    &read)
            != 2
        || read == 0) {
        result.error = "unreadable answer from the measuring child: " + answer;
    } else if (answer[static_cast<std::size_t>(read)] == '!') {
        result.refusal = answer.substr(static_cast<std::size_t>(read) + 1);
    } else {
        records = std::atol(answer.c_str() + read);
    }
    result.records = static_cast<std::int32_t>(records);
    return result;
}
