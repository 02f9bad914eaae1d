#include "catalog/CatalogWriter.h"

#include "catalog/CatalogFiles.h"
#include "catalog/RecordTemplate.h"
#include "catalog/SafeFileWriter.h"

#include <cstring>
#include <memory>
#include <utility>

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
// A stretch of held bytes at least this long goes to the sink as it is; shorter ones are
// gathered into the block, so that an edited catalog does not become many tiny writes.
constexpr std::size_t kDirectRun = 64 * 1024;
// A stretch of held bytes goes out in slices of this size, so that the sink starts writing
// (and the disk starts storing) while the rest of the catalog is still being walked.
constexpr std::size_t kRunSlice = 8 << 20;
constexpr std::string_view kLineEnd = "\r\n";
// Records between two progress reports: a few milliseconds of work.
constexpr std::int32_t kReportEvery = 4096;

// Turns the record's pieces into as few sink calls as it can. Records that were not edited
// still lie in the held file bytes piece after piece, with the file's own CR LF between their
// lines: those pieces join into one stretch of held bytes, written without a copy.
class Stream
{
public:
    Stream(const RecordArrays &arrays, const std::function<void(std::string_view)> &sink)
        : m_arrays(arrays), m_sink(sink)
    {
    }

    void piece(std::string_view text)
    {
        if (text.empty())
            return;
        if (joinsRun(text)) {
            m_runEnd = text.data() + text.size();
            m_lineEnds = 0;
            if (static_cast<std::size_t>(m_runEnd - m_runStart) >= kRunSlice)
                putRunSoFar();
            return;
        }
        endRun();
        putLineEnds();
        m_held = m_arrays.heldAround(text);
        m_runStart = text.data();
        m_runEnd = text.data() + text.size();
        if (m_held.empty())
            endRun();
    }

    void lineEnd() { ++m_lineEnds; }

    void finish()
    {
        endRun();
        putLineEnds();
        flushBlock();
    }

private:
    // Whether `text` follows the run in the same held bytes with exactly the pending line
    // ends, each a CR LF, in between.
    bool joinsRun(std::string_view text) const
    {
        if (m_runStart == nullptr)
            return false;
        const auto offset = static_cast<std::size_t>(m_runEnd - m_held.data());
        const std::size_t gap = kLineEnd.size() * m_lineEnds;
        if (offset + gap + text.size() > m_held.size() || text.data() != m_runEnd + gap)
            return false;
        for (std::size_t i = 0; i < gap; i += kLineEnd.size()) {
            if (std::memcmp(m_runEnd + i, kLineEnd.data(), kLineEnd.size()) != 0)
                return false;
        }
        return true;
    }

    // The run continues from where it stands, now empty.
    void putRunSoFar()
    {
        put(std::string_view(m_runStart, static_cast<std::size_t>(m_runEnd - m_runStart)));
        m_runStart = m_runEnd;
    }

    void endRun()
    {
        if (m_runStart == nullptr)
            return;
        if (m_runEnd != m_runStart)
            put(std::string_view(m_runStart, static_cast<std::size_t>(m_runEnd - m_runStart)));
        m_runStart = m_runEnd = nullptr;
    }

    void putLineEnds()
    {
        for (; m_lineEnds > 0; --m_lineEnds)
            put(kLineEnd);
    }

    void put(std::string_view bytes)
    {
        if (bytes.size() >= kDirectRun) {
            flushBlock();
            m_sink(bytes);
            return;
        }
        if (m_used + bytes.size() > kBlockSize)
            flushBlock();
        if (!m_block)
            m_block = std::make_unique_for_overwrite<char[]>(kBlockSize);
        std::memcpy(m_block.get() + m_used, bytes.data(), bytes.size());
        m_used += bytes.size();
    }

    void flushBlock()
    {
        if (m_used != 0)
            m_sink(std::string_view(m_block.get(), m_used));
        m_used = 0;
    }

    const RecordArrays &m_arrays;
    const std::function<void(std::string_view)> &m_sink;
    std::unique_ptr<char[]> m_block;
    std::size_t m_used = 0;
    std::string_view m_held;  // the held bytes the run lies in
    const char *m_runStart = nullptr;
    const char *m_runEnd = nullptr;
    std::size_t m_lineEnds = 0;  // line ends after the run, not yet written
};

}  // namespace

void writeCatalog(RecordArrays &arrays, std::int32_t count,
                  const std::function<void(std::string_view)> &sink,
                  const ProgressReport &progress)
{
    Stream out(arrays, sink);
    // Without a report the record number never reaches it.
    std::int64_t nextReport = progress ? kReportEvery + 1 : std::int64_t{count} + 1;
    for (std::int32_t n = 1; n <= count; ++n) {
        if (n == nextReport) [[unlikely]] {
            progress({n - 1, count, static_cast<double>(n - 1) / count});
            nextReport += kReportEvery;
        }
        for (const TemplateLine &line : recordTemplate()) {
            for (const RecordMember &piece : line.pieces)
                out.piece(piece.access(arrays, n));
            out.lineEnd();
        }
    }
    out.finish();
}

std::string catalogBytes(RecordArrays &arrays, std::int32_t count)
{
    std::string bytes;
    writeCatalog(arrays, count, [&bytes](std::string_view block) { bytes += block; });
    return bytes;
}

std::uint64_t catalogSize(RecordArrays &arrays, std::int32_t count)
{
    std::uint64_t size = 0;
    for (std::int32_t n = 1; n <= count; ++n) {
        for (const RecordMember &piece : recordShape())
            size += piece.access(arrays, n).size();
    }
    return size + static_cast<std::uint64_t>(count) * kLinesPerRecord * kLineEnd.size();
}

CatalogSave::CatalogSave(const std::filesystem::path &file, RecordArrays &arrays,
                         std::int32_t count, WriteRules rules)
    : m_arrays(arrays), m_count(count), m_out(file, sized(std::move(rules), arrays, count))
{
}

FileStamp CatalogSave::write(const ProgressReport &progress)
{
    writeCatalog(
        m_arrays, m_count, [this](std::string_view block) { m_out.write(block); }, progress);
    // Every record is written; the disk's flush that follows can take as long again.
    if (progress)
        progress({m_count, m_count, 1.0});
    return m_out.commit();
}

WriteRules CatalogSave::sized(WriteRules rules, RecordArrays &arrays, std::int32_t count)
{
    rules.size = [&arrays, count] { return catalogSize(arrays, count); };
    return rules;
}

FileStamp saveCatalog(const std::filesystem::path &file, RecordArrays &arrays,
                      std::int32_t count, WriteRules rules, const ProgressReport &progress)
{
    return CatalogSave(file, arrays, count, std::move(rules)).write(progress);
}
