#include "CatalogWriter.h"

#include "RecordTemplate.h"
#include "SafeFileWriter.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {
constexpr std::size_t kBlockSize = 1 << 20;
}  // namespace

// A record is measured first, then copied into the block with memcpy: appending its hundred
// or so short pieces one by one to a std::string took about a sixth longer.
void writeCatalog(RecordArrays &arrays, std::int32_t count,
                  const std::function<void(std::string_view)> &sink)
{
    const auto &lines = recordTemplate();
    std::size_t pieceCount = 0;
    for (const TemplateLine &line : lines)
        pieceCount += line.pieces.size();
    std::vector<const std::string *> pieces(pieceCount);

    std::size_t capacity = kBlockSize;
    auto block = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t used = 0;
    for (std::int32_t n = 1; n <= count; ++n) {
        std::size_t size = 2 * lines.size();  // the line ends
        std::size_t k = 0;
        for (const TemplateLine &line : lines) {
            for (const RecordMember &piece : line.pieces) {
                pieces[k] = &piece.access(arrays, n);
                size += pieces[k++]->size();
            }
        }
        if (used + size > capacity) {
            if (used != 0)
                sink(std::string_view(block.get(), used));
            used = 0;
            // A record larger than a block (a few very long lines) gets a block of its own.
            if (size > capacity) {
                capacity = size;
                block = std::make_unique_for_overwrite<char[]>(capacity);
            }
        }
        char *out = block.get();
        k = 0;
        for (const TemplateLine &line : lines) {
            for (std::size_t i = 0; i < line.pieces.size(); ++i, ++k) {
                std::memcpy(out + used, pieces[k]->data(), pieces[k]->size());
                used += pieces[k]->size();
            }
            out[used++] = '\r';
            out[used++] = '\n';
        }
    }
    if (used != 0)
        sink(std::string_view(block.get(), used));
}

std::string catalogBytes(RecordArrays &arrays, std::int32_t count)
{
    std::string bytes;
    writeCatalog(arrays, count, [&bytes](std::string_view block) { bytes += block; });
    return bytes;
}

void saveCatalog(const std::filesystem::path &file, RecordArrays &arrays, std::int32_t count)
{
    SafeFileWriter out(file);
    writeCatalog(arrays, count, [&out](std::string_view block) { out.write(block); });
    out.commit();
}
