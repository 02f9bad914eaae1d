#include "PeakMemory.h"

#include "CatalogLoader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long peakResidentKiB()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // KiB on Linux
}

// The child's answer travels as one line: "before after records" or "! message".
void writeAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

[[noreturn]] void runChild(int out, const std::filesystem::path &file)
{
    std::string answer;
    try {
        const long before = peakResidentKiB();
        const LoadedCatalog loaded = loadCatalog(file);
        const long after = peakResidentKiB();
        answer = std::to_string(before) + ' ' + std::to_string(after) + ' '
                 + std::to_string(loaded.count);
    } catch (const std::exception &error) {
        answer = std::string("! ") + error.what();
    }
    writeAll(out, answer);
    ::close(out);
    // Skip the destructors and atexit handlers that belong to the parent.
    ::_exit(0);
}

}  // namespace

LoadMemory measureLoadMemory(const std::filesystem::path &file)
{
    LoadMemory result;
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        result.error = std::string("pipe: ") + std::strerror(errno);
        return result;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        result.error = std::string("fork: ") + std::strerror(errno);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return result;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        runChild(pipeEnds[1], file);
    }
    ::close(pipeEnds[1]);

    std::string answer;
    char buffer[512];
    for (;;) {
        const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        answer.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }

    if (answer.empty()) {
        result.error = "the measuring child ended without an answer";
    } else if (answer.front() == '!') {
        result.error = answer.substr(2);
    } else {
        long records = 0;
        if (std::sscanf(answer.c_str(), "%ld %ld %ld", &result.peakBeforeKiB,
                        &result.peakAfterKiB, &records) != 3)
            result.error = "unreadable answer from the measuring child: " + answer;
        result.records = static_cast<std::int32_t>(records);
    }
    return result;
}
