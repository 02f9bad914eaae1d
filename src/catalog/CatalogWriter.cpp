#include "catalog/CatalogWriter.h"

#include "catalog/CatalogFiles.h"
#include "catalog/CatalogProgress.h"
#include "catalog/RecordTemplate.h"
#include "catalog/SafeFileWriter.h"

#include <cstring>
#include <future>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
// A stretch of held bytes at least this long goes to the sink as it is; shorter ones are
// gathered into the block, so that an edited catalog does not become many tiny writes.
constexpr std::size_t kDirectRun = 64 * 1024;
// A stretch of held bytes goes out in slices of this size, so that the sink starts writing
// (and the disk starts storing) while the rest of the catalog is still being walked. Slices
// of 1 MiB, each stored at once, were the quickest and the steadiest (docs/performance.md).
constexpr std::size_t kRunSlice = 1 << 20;
// The bytes one thread hands to the sink while the next stretch is gathered.
constexpr std::size_t kHandOff = 8 << 20;
constexpr std::string_view kLineEnd = "\r\n";

using Sink = std::function<void(std::string_view)>;

// Hands the bytes to the sink a stretch of about kHandOff at a time, each on a thread of its
// own while the next is gathered, so that walking the records and copying the bytes into the
// file overlap. A stretch lists views into the records' bytes, which stay as they are for the
// whole save, and into its own block, where short pieces are gathered; of the two stretches,
// one is written while the other fills.
class Output
{
public:
    explicit Output(const Sink &sink) : m_sink(sink) {}

    void put(std::string_view bytes)
    {
        Stretch *filling = &m_stretches[m_filling];
        if (bytes.size() >= kDirectRun) {
            listGathered(*filling);
            filling->views.push_back(bytes);
        } else {
            if (filling->used + bytes.size() > kBlockSize) {
                handOff();
                filling = &m_stretches[m_filling];
            }
            if (!filling->block)
                filling->block = std::make_unique_for_overwrite<char[]>(kBlockSize);
            std::memcpy(filling->block.get() + filling->used, bytes.data(), bytes.size());
            filling->used += bytes.size();
        }
        filling->bytes += bytes.size();
        if (filling->bytes >= kHandOff)
            handOff();
    }

    // Hands off what is left and waits until the sink has had every byte.
    void finish()
    {
        handOff();
        if (m_writing.valid())
            m_writing.get();
    }

private:
    struct Stretch
    {
        std::unique_ptr<char[]> block;
        std::size_t used = 0;      // bytes gathered in the block
        std::size_t listed = 0;    // of which this many are in `views` already
        std::size_t bytes = 0;     // in the whole stretch
        std::vector<std::string_view> views;
    };

    static void listGathered(Stretch &stretch)
    {
        if (stretch.used == stretch.listed)
            return;
        stretch.views.emplace_back(stretch.block.get() + stretch.listed,
                                   stretch.used - stretch.listed);
        stretch.listed = stretch.used;
    }

    // Waits for the stretch before to be written (throwing what its writing threw), starts
    // writing this one, and fills the other from empty.
    void handOff()
    {
        Stretch &full = m_stretches[m_filling];
        listGathered(full);
        if (full.views.empty())
            return;
        if (m_writing.valid())
            m_writing.get();
        auto write = [this, &full] {
            for (const std::string_view bytes : full.views)
                m_sink(bytes);
        };
        try {
            m_writing = std::async(std::launch::async, write);
        } catch (const std::system_error &) {
            write();  // no thread to be had: written on this one
        }
        m_filling ^= 1;
        Stretch &next = m_stretches[m_filling];
        next.views.clear();
        next.used = next.listed = next.bytes = 0;
    }

    const Sink &m_sink;
    Stretch m_stretches[2];
    int m_filling = 0;
    // Last, so that it is let go first: its destructor waits for a write under way.
    std::future<void> m_writing;
};

// Turns the record's pieces into as few sink calls as it can. Records that were not edited
// still lie in the held file bytes piece after piece, with the file's own CR LF between their
// lines: those pieces join into one stretch of held bytes, written without a copy.
class Stream
{
public:
    Stream(const RecordArrays &arrays, const Sink &sink) : m_arrays(arrays), m_out(sink) {}

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
        m_out.finish();
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

    void put(std::string_view bytes) { m_out.put(bytes); }

    const RecordArrays &m_arrays;
    Output m_out;
    std::string_view m_held;  // the held bytes the run lies in
    const char *m_runStart = nullptr;
    const char *m_runEnd = nullptr;
    std::size_t m_lineEnds = 0;  // line ends after the run, not yet written
};

}  // namespace

void createMissingSections(RecordArrays &arrays, std::int32_t count)
{
    arrays.forEach([count](auto &array) {
        for (std::int32_t n = 1; n <= count; ++n) {
            if (!array.holdsObject(n))
                array.at(n);
        }
    });
}

void writeCatalog(RecordArrays &arrays, std::int32_t count,
                  const std::function<void(std::string_view)> &sink,
                  const ProgressReport &progress)
{
    // The sink may read the records too (a failed write's message gives the catalog's size):
    // the walk must change nothing while its thread runs.
    createMissingSections(arrays, count);
    Stream out(arrays, sink);
    // Without a report the record number never reaches it.
    std::int64_t nextReport = progress ? kRecordsPerReport + 1 : std::int64_t{count} + 1;
    for (std::int32_t n = 1; n <= count; ++n) {
        if (n == nextReport) [[unlikely]] {
            progress({n - 1, count, static_cast<double>(n - 1) / count});
            nextReport += kRecordsPerReport;
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
    createMissingSections(arrays, count);
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
