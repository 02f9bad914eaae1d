#include "catalog/CatalogReader.h"

#include "catalog/CatalogError.h"
#include "catalog/CatalogFiles.h"
#include "catalog/CatalogProgress.h"
#include "catalog/RecordTemplate.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace {
constexpr std::int32_t kMaxCount = std::numeric_limits<std::int32_t>::max();
// The arrays grow by this many records at a time, then are trimmed once at the end.
constexpr std::int32_t kGrowth = 100;
// The fewest bytes a record is taken to have when the arrays are sized ahead: a short first
// record must not make them reserve more than about half the file's size.
constexpr std::size_t kLeastRecordBytes = 1024;

// How many records a file of `size` bytes that starts with `bytes` holds if each is as long as
// the first: its 45 line ends and what they close. Nothing when the first record does not end
// within `bytes`.
std::size_t expectedRecords(std::string_view bytes, std::size_t size)
{
    std::size_t end = 0;
    for (int line = 0; line < kLinesPerRecord; ++line) {
        const void *cr = std::memchr(bytes.data() + end, '\r', bytes.size() - end);
        if (cr == nullptr)
            return 0;
        end = static_cast<std::size_t>(static_cast<const char *>(cr) - bytes.data()) + 1;
        if (end < bytes.size() && bytes[end] == '\n')
            ++end;
    }
    return size / std::max(end, kLeastRecordBytes);
}
}  // namespace

CatalogReader::CatalogReader(std::string fileName, Keep keep)
    : m_fileName(std::move(fileName)), m_keep(keep == Keep::Records),
      m_lines(recordTemplate().data())
{
}

void CatalogReader::feed(std::string_view bytes)
{
    if (bytes.empty())
        return;
    if (!m_keep) {
        split(bytes);
        return;
    }
    HeldBlock block(bytes.size());
    std::memcpy(block.data(), bytes.data(), bytes.size());
    feed(std::move(block), bytes.size());
}

void CatalogReader::feed(HeldBlock block, std::size_t size)
{
    if (size == 0)
        return;
    hold(std::move(block), size);
    feedHeld(size);
}

char *CatalogReader::hold(HeldBlock block, std::size_t size)
{
    char *const data = block.data();
    m_held = m_catalog.arrays.hold(std::move(block), size);
    m_heldFed = 0;
    return data;
}

void CatalogReader::feedHeld(std::size_t size)
{
    if (size == 0)
        return;
    const std::string_view bytes = m_held.substr(m_heldFed, size);
    // A whole file usually comes as one block: the arrays are sized once for it.
    if (!m_reserved && m_lineNumber == 0 && m_partial.empty() && m_heldTail.empty()) {
        m_catalog.arrays.reserve(expectedRecords(bytes, m_held.size() - m_heldFed));
        m_reserved = true;
    }
    // A line left open by the last stretch lies in this block, just before these bytes.
    const bool continues = m_heldFed > 0;
    m_heldFed += bytes.size();
    split(bytes, continues);
}

void CatalogReader::reserveFor(std::size_t size, std::vector<std::span<char>> &unpopulated)
{
    m_catalog.arrays.reserve(expectedRecords(m_held.substr(0, size), m_held.size()),
                             &unpopulated);
    m_reserved = true;
}

void CatalogReader::split(std::string_view bytes, bool continuesHeldTail)
{
    if (!m_sawLf && std::memchr(bytes.data(), '\n', bytes.size()) != nullptr)
        m_sawLf = true;
    const std::size_t pieceSize = bytes.size();
    // Where the line ends are looked for from: a line begun in the stretch of the same held
    // block just before goes on in these bytes, uncopied; one begun anywhere else is put
    // together.
    std::size_t scan = 0;
    if (!m_heldTail.empty()) {
        if (continuesHeldTail) {
            scan = m_heldTail.size();
            bytes = {m_heldTail.data(), scan + bytes.size()};
            m_heldTail = {};
        } else {
            m_partial.assign(std::exchange(m_heldTail, {}));
        }
    }
    const std::size_t before = scan;  // bytes of `bytes` fed before this piece
    std::size_t start = 0;
    if (m_skipLf && !bytes.empty()) {
        m_skipLf = false;
        if (bytes.front() == '\n')
            start = 1;
        else
            m_sawLoneCr = true;
    }
    while (start < bytes.size()) {
        scan = std::max(scan, start);
        const void *cr = std::memchr(bytes.data() + scan, '\r', bytes.size() - scan);
        if (cr == nullptr) {
            // Copied only if more bytes come: a file's last line stays where it was read.
            if (m_partial.empty() && m_keep)
                m_heldTail = bytes.substr(start);
            else
                m_partial.append(bytes.substr(start));
            break;
        }
        m_sawCr = true;
        const std::size_t end = static_cast<const char *>(cr) - bytes.data();
        if (m_partial.empty()) {
            takeLine(bytes.substr(start, end - start), true);
        } else {
            m_partial.append(bytes.substr(start, end - start));
            takeLine(m_partial, false);
            m_partial.clear();
        }
        start = end + 1;
        if (start == bytes.size())
            m_skipLf = true;
        else if (bytes[start] == '\n')
            ++start;
        else
            m_sawLoneCr = true;
        if (m_catalog.count >= m_nextReport) [[unlikely]]
            report(start - before);
    }
    m_fed += pieceSize;
}

void CatalogReader::reportProgress(ProgressReport report, std::size_t expectedBytes, double from)
{
    m_report = std::move(report);
    m_expectedBytes = expectedBytes;
    m_reportFrom = from;
    m_nextReport = m_report ? m_catalog.count + kRecordsPerReport : INT64_MAX;
}

void CatalogReader::report(std::size_t splitInThisPiece)
{
    m_nextReport += kRecordsPerReport;
    const double split = m_expectedBytes == 0
        ? 1.0
        : std::min(1.0, static_cast<double>(m_fed + splitInThisPiece)
                            / static_cast<double>(m_expectedBytes));
    m_report({m_catalog.count, 0, m_reportFrom + (1.0 - m_reportFrom) * split});
}

LoadedCatalog CatalogReader::finish()
{
    // A line end at the very end starts no further line, so only text left over is a line.
    if (!m_heldTail.empty()) {
        takeLine(std::exchange(m_heldTail, {}), true);
    } else if (!m_partial.empty()) {
        takeLine(m_partial, false);
        m_partial.clear();
    }
    if (m_keep)
        m_catalog.arrays.redimAll(m_catalog.count);
    m_catalog.lfLineEndsOnly = m_sawLf && !m_sawCr;
    // A CR that ends the file has no LF after it either.
    m_catalog.loneCrLineEnds = m_sawLoneCr || m_skipLf;
    if (m_position != 1)
        m_catalog.missingLines = {m_catalog.count, m_position};
    return std::move(m_catalog);
}

void CatalogReader::takeLine(std::string_view line, bool held)
{
    ++m_lineNumber;
    std::int32_t &count = m_catalog.count;
    if (m_position == 1) {
        if (count == kMaxCount)
            fail(QT_TRANSLATE_NOOP("CatalogError", "more records than the editor can hold"));
        ++count;
        if (count % kGrowth == 0 && m_keep) {
            if (count > kMaxCount - kGrowth)
                fail(QT_TRANSLATE_NOOP("CatalogError",
                                       "more records than the editor can hold"));
            m_catalog.arrays.redimAll(count + kGrowth);
        }
    }

    // A line that came whole in one held block costs no copy; one that was put together
    // from two blocks is copied, piece by piece.
    auto text = [held](std::string_view piece) { return held ? Text::refer(piece) : Text(piece); };
    const TemplateLine &slot = m_lines[m_position - 1];
    if (slot.cut == nullptr) {
        if (m_keep)
            slot.pieces[0].access(m_catalog.arrays, count) = text(line);
    } else {
        const LineCut cut = slot.cut(line);
        if (!cut.ok())
            fail(cut.failure);
        // As many pieces as members: both are the rule's piece count.
        for (std::size_t i = 0; i < cut.count && m_keep; ++i)
            slot.pieces[i].access(m_catalog.arrays, count) = text(cut.pieces[i]);
    }
    m_position = m_position == kLinesPerRecord ? 1 : m_position + 1;
}

void CatalogReader::fail(const std::string &what) const
{
    const int lineInRecord = m_position;
    throw CatalogError(
        Message{QT_TRANSLATE_NOOP("CatalogError", "%1, line %2 (record %3, line %4): %5"),
                {m_fileName, std::to_string(m_lineNumber), std::to_string(m_catalog.count),
                 std::to_string(lineInRecord), Message{what, {}}}},
        CatalogError::Kind::LineCannotBeCut);
}

LoadedCatalog readCatalog(std::string_view bytes, std::string fileName)
{
    CatalogReader reader(std::move(fileName));
    reader.feed(bytes);
    return reader.finish();
}
