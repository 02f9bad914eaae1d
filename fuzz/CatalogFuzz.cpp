// Throws arbitrary bytes at the catalog reader. Whatever loads must write back as the input
// with its line ends made CR LF and its last record padded to 45 lines: the line cutting never
// drops or repeats text. Loading that output again must give it back unchanged (unless the
// padding put an empty line where a line is cut), and feeding the reader the same bytes in
// small pieces must give the same result as feeding them whole.

#include "catalog/CatalogError.h"
#include "catalog/CatalogFiles.h"
#include "catalog/CatalogReader.h"
#include "catalog/CatalogWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char *kName = "fuzz.odl";

// Written apart from the reader on purpose, character by character: a line ends at CR or at
// CR LF, a lone LF is text, and a line end at the very end starts no further line.
std::vector<std::string_view> splitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            continue;
        lines.push_back(bytes.substr(start, i - start));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

std::string normalised(std::string_view bytes)
{
    std::vector<std::string_view> lines = splitLines(bytes);
    while (lines.size() % kLinesPerRecord != 0)
        lines.emplace_back();
    std::string out;
    for (const std::string_view line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string escaped(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (u >= 0x20 && u < 0x7f) {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        }
    }
    return out;
}

[[noreturn]] void violated(const char *what, std::string_view expected, std::string_view actual)
{
    std::fprintf(stderr, "catalog fuzz: %s\n", what);
    std::fprintf(stderr, "  expected (%zu bytes): %s\n", expected.size(),
                 escaped(expected).c_str());
    std::fprintf(stderr, "  actual   (%zu bytes): %s\n", actual.size(), escaped(actual).c_str());
    std::abort();
}

// The result of one read: the bytes written back, or the message it failed with.
struct Outcome
{
    std::optional<std::string> written;
    std::int32_t count = 0;
    std::string error;
};

Outcome readAndWrite(std::string_view bytes, std::size_t pieceSize)
{
    Outcome outcome;
    try {
        CatalogReader reader(kName);
        if (pieceSize == 0) {
            reader.feed(bytes);
        } else {
            for (std::size_t at = 0; at < bytes.size(); at += pieceSize)
                reader.feed(bytes.substr(at, pieceSize));
        }
        LoadedCatalog loaded = reader.finish();
        outcome.count = loaded.count;
        outcome.written = catalogBytes(loaded.arrays, loaded.count);
    } catch (const CatalogError &error) {
        outcome.error = error.what();
    }
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const Outcome whole = readAndWrite(input, 0);

    // Pieces of 1 to 7 bytes put a CR and its LF into different pieces often enough.
    const Outcome pieces = readAndWrite(input, size % 7 + 1);
    if (whole.written != pieces.written || whole.error != pieces.error)
        violated("fed in pieces, the reader gives another result",
                 whole.written ? *whole.written : whole.error,
                 pieces.written ? *pieces.written : pieces.error);
    if (!whole.written)
        return 0;

    const std::string expected = normalised(input);
    if (*whole.written != expected)
        violated("written back, the catalog differs from its input", expected, *whole.written);
    const auto records =
        static_cast<std::int32_t>(splitLines(expected).size() / kLinesPerRecord);
    if (whole.count != records)
        violated("the record count is not the line count over 45", std::to_string(records),
                 std::to_string(whole.count));

    // A short last record is written padded with empty lines, and an empty line cannot be cut:
    // that output loads again only when the padding reaches none of the split lines.
    const std::size_t linesInLastRecord = splitLines(input).size() % kLinesPerRecord;
    bool paddedSplitLine = false;
    for (const std::size_t split : {4, 5, 7, 16})
        paddedSplitLine = paddedSplitLine || (linesInLastRecord != 0 && linesInLastRecord < split);

    const Outcome again = readAndWrite(*whole.written, 0);
    if (paddedSplitLine) {
        if (again.written)
            violated("an empty split line loaded", "an error", *again.written);
    } else if (again.written != whole.written) {
        violated("the written catalog does not load back to itself", *whole.written,
                 again.written ? *again.written : again.error);
    }
    return 0;
}
