#include "RawFileBaselines.h"

#include "catalog/posix/FileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBlockSize = 1 << 20;

[[noreturn]] void fail(const std::filesystem::path &file, const char *what)
{
    throw std::runtime_error(file.string() + ": " + what + ": " + std::strerror(errno));
}

void touch(SplitLines &result, std::string_view line, std::vector<std::string> *keep)
{
    if (keep != nullptr)
        keep->emplace_back(line);
    ++result.lines;
    result.touched += line.size() + (line.empty() ? 0u : static_cast<unsigned char>(line[0]));
}

}  // namespace

SplitLines readAndSplitLines(const std::filesystem::path &file, std::vector<std::string> *keep)
{
    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        fail(file, "cannot open");

    SplitLines result;
    const auto block = std::make_unique<char[]>(kBlockSize);
    std::string partial;  // a line whose end is in a later block
    bool skipLf = false;  // the previous block ended with CR
    for (;;) {
        const ssize_t got = ::read(fd.get(), block.get(), kBlockSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(file, "cannot read");
        }
        if (got == 0)
            break;
        const std::string_view bytes(block.get(), static_cast<std::size_t>(got));
        std::size_t start = 0;
        if (skipLf) {
            skipLf = false;
            if (bytes.front() == '\n')
                start = 1;
        }
        while (start < bytes.size()) {
            const void *cr = std::memchr(bytes.data() + start, '\r', bytes.size() - start);
            if (cr == nullptr) {
                partial.append(bytes.substr(start));
                break;
            }
            const std::size_t end = static_cast<const char *>(cr) - bytes.data();
            if (partial.empty()) {
                touch(result, bytes.substr(start, end - start), keep);
            } else {
                partial.append(bytes.substr(start, end - start));
                touch(result, partial, keep);
                partial.clear();
            }
            start = end + 1;
            if (start == bytes.size())
                skipLf = true;
            else if (bytes[start] == '\n')
                ++start;
        }
    }
    if (!partial.empty())
        touch(result, partial, keep);
    return result;
}

void writeRaw(const std::filesystem::path &file, std::string_view bytes, bool sync)
{
    FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        fail(file, "cannot create");
    while (!bytes.empty()) {
        const std::size_t chunk = bytes.size() < kBlockSize ? bytes.size() : kBlockSize;
        const ssize_t written = ::write(fd.get(), bytes.data(), chunk);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(file, "cannot write");
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (sync && ::fsync(fd.get()) != 0)
        fail(file, "cannot sync");
    if (::close(fd.release()) != 0)
        fail(file, "cannot close");
}

void replaceRaw(const std::filesystem::path &file, std::string_view bytes)
{
    std::filesystem::path temporary = file;
    temporary += ".new";
    writeRaw(temporary, bytes, true);
    if (::rename(temporary.c_str(), file.c_str()) != 0)
        fail(file, "cannot rename");
    auto folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0)
        fail(folder, "cannot sync");
}
