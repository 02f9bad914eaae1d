#pragma once

#include "catalog/CatalogProgress.h"
#include "catalog/LoadedCatalog.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct TemplateLine;

// Turns a catalog's bytes, given in pieces of any size, into records. A line ends at CR, or at
// CR LF; a lone LF is text. Line k of the file is line (k-1) mod 45 + 1 of record (k-1) div 45
// + 1, and a trailing block of fewer than 45 lines is a record too.
class CatalogReader
{
public:
    // CountOnly cuts the lines and counts the records, and keeps none of them.
    enum class Keep { Records, CountOnly };

    // `fileName` is only for error messages.
    explicit CatalogReader(std::string fileName, Keep keep = Keep::Records);

    // Throws CatalogError at the first line that cannot be cut. The bytes are copied.
    void feed(std::string_view bytes);

    // The same for the first `size` bytes of `block`, which the records keep and refer to,
    // uncopied.
    void feed(HeldBlock block, std::size_t size);

    // Keeps `block`, whose first `size` bytes are then filled a stretch at a time, each fed
    // with feedHeld as soon as it is there: it is split while it is still in the cache from
    // its read. Returns where the bytes go.
    char *hold(HeldBlock block, std::size_t size);
    // Splits the next `size` bytes of the block last held, which follow those fed before.
    void feedHeld(std::size_t size);
    // Sizes the arrays for the block last held from its first `size` bytes, which are there,
    // before they are fed. The arrays' pages are left for the caller to populate: the memory
    // set aside is added to `unpopulated`.
    void reserveFor(std::size_t size, std::vector<std::span<char>> &unpopulated);

    // Reports every few thousand records while the bytes are split, as the stretch `from` to 1
    // of the whole work, by the bytes split of `expectedBytes`.
    void reportProgress(ProgressReport report, std::size_t expectedBytes, double from);

    // Takes a last line that had no line end and trims the arrays to the record count.
    LoadedCatalog finish();

    // How far the arrays reach while the load goes on: they grow 100 records at a time, so
    // that a large file resizes them about once per hundred records rather than every time.
    std::int32_t upperBound() const { return m_catalog.arrays.upperBound(); }

private:
    // `continuesHeldTail`: the bytes follow the open line's in the same held block.
    void split(std::string_view bytes, bool continuesHeldTail = false);
    // `held` tells whether `line` lies in bytes the records keep, so members can refer to it.
    void takeLine(std::string_view line, bool held);
    [[noreturn]] void fail(const std::string &what) const;
    void report(std::size_t splitInThisPiece);

    std::string m_fileName;
    bool m_keep;
    const TemplateLine *m_lines;    // the record's 45 lines, looked up once rather than per line
    LoadedCatalog m_catalog{RecordArrays(100), 0};
    int m_position = 1;             // line within the record that the next line will have
    std::int64_t m_lineNumber = 0;  // lines of the file taken so far
    std::string m_partial;          // a line whose end has not arrived yet
    std::string_view m_heldTail;    // or that line, while it lies whole in held bytes
    std::string_view m_held;        // the block last held
    std::size_t m_heldFed = 0;      // how much of it was fed
    bool m_reserved = false;        // the arrays were sized for the file
    bool m_skipLf = false;          // the last piece ended with CR: a leading LF is its line end
    bool m_sawCr = false;
    bool m_sawLf = false;
    bool m_sawLoneCr = false;
    ProgressReport m_report;
    std::int64_t m_nextReport = INT64_MAX;  // the record count of the next report
    std::size_t m_fed = 0;                  // bytes split before the piece being split
    std::size_t m_expectedBytes = 0;
    double m_reportFrom = 0;
};

// The whole of a catalog held in memory.
LoadedCatalog readCatalog(std::string_view bytes, std::string fileName);
