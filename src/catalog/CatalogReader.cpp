#include "CatalogReader.h"

#include "CatalogError.h"
#include "CatalogFiles.h"
#include "RecordTemplate.h"

#include <cassert>
#include <cstring>
#include <limits>
#include <utility>

namespace {
constexpr std::int32_t kMaxCount = std::numeric_limits<std::int32_t>::max();
// The arrays grow by this many records at a time, then are trimmed once at the end.
constexpr std::int32_t kGrowth = 100;
}  // namespace

CatalogReader::CatalogReader(std::string fileName) : m_fileName(std::move(fileName)) {}

void CatalogReader::feed(std::string_view bytes)
{
    std::size_t start = 0;
    if (m_skipLf && !bytes.empty()) {
        m_skipLf = false;
        if (bytes.front() == '\n')
            start = 1;
    }
    while (start < bytes.size()) {
        const void *cr = std::memchr(bytes.data() + start, '\r', bytes.size() - start);
        if (cr == nullptr) {
            m_partial.append(bytes.substr(start));
            return;
        }
        const std::size_t end = static_cast<const char *>(cr) - bytes.data();
        if (m_partial.empty()) {
            takeLine(bytes.substr(start, end - start));
        } else {
            m_partial.append(bytes.substr(start, end - start));
            takeLine(m_partial);
            m_partial.clear();
        }
        start = end + 1;
        if (start == bytes.size())
            m_skipLf = true;
        else if (bytes[start] == '\n')
            ++start;
    }
}

LoadedCatalog CatalogReader::finish()
{
    // A line end at the very end starts no further line, so only text left over is a line.
    if (!m_partial.empty()) {
        takeLine(m_partial);
        m_partial.clear();
    }
    m_catalog.arrays.redimAll(m_catalog.count);
    return std::move(m_catalog);
}

void CatalogReader::takeLine(std::string_view line)
{
    ++m_lineNumber;
    std::int32_t &count = m_catalog.count;
    if (m_position == 1) {
        if (count == kMaxCount)
            fail("more records than the editor can hold");
        ++count;
        if (count % kGrowth == 0) {
            if (count > kMaxCount - kGrowth)
                fail("more records than the editor can hold");
            m_catalog.arrays.redimAll(count + kGrowth);
        }
    }

    // Every member is still empty here. Building the string at its exact size and moving it in
    // takes fewer steps than assign(), and libstdc++'s assign() gives a line of 16 to 29
    // characters room for 30.
    const TemplateLine &slot = recordTemplate()[m_position - 1];
    if (slot.cut == nullptr) {
        slot.pieces[0].access(m_catalog.arrays, count) = std::string(line);
    } else {
        const LineCut cut = slot.cut(line);
        if (!cut.ok())
            fail(cut.failure);
        assert(cut.count == slot.pieces.size());
        for (std::size_t i = 0; i < cut.count; ++i)
            slot.pieces[i].access(m_catalog.arrays, count) = std::string(cut.pieces[i]);
    }
    m_position = m_position == kLinesPerRecord ? 1 : m_position + 1;
}

void CatalogReader::fail(const std::string &what) const
{
    const int lineInRecord = m_position;
    throw CatalogError(m_fileName + ", line " + std::to_string(m_lineNumber) + " (record "
                       + std::to_string(m_catalog.count) + ", line "
                       + std::to_string(lineInRecord) + "): " + what);
}

LoadedCatalog readCatalog(std::string_view bytes, std::string fileName)
{
    CatalogReader reader(std::move(fileName));
    reader.feed(bytes);
    return reader.finish();
}
