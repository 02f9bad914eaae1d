#include "ChildProcess.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <string_view>

#include <sys/wait.h>
#include <unistd.h>

std::string runInChild(const std::function<std::string()> &work)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return std::string("cannot make a pipe: ") + std::strerror(errno);
    const pid_t pid = ::fork();
    if (pid < 0)
        return std::string("cannot fork: ") + std::strerror(errno);
    if (pid == 0) {
        ::close(pipeEnds[0]);
        std::string report;
        try {
            report = work();
        } catch (const std::exception &error) {
            report = std::string("unexpected exception: ") + error.what();
        } catch (...) {
            report = "unexpected exception";
        }
        std::string_view rest = report;
        while (!rest.empty()) {
            const ssize_t written = ::write(pipeEnds[1], rest.data(), rest.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                break;
            rest.remove_prefix(static_cast<std::size_t>(written));
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        report.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child did not end normally (wait status " + std::to_string(status) + ")";
    return report;
}
