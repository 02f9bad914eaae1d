#include "CatalogWriter.h"

#include "CatalogFiles.h"
#include "RecordTemplate.h"
#include "SafeFileWriter.h"
#include "basMain.h"

namespace {
constexpr std::size_t kBlockSize = 1 << 20;
}  // namespace

void writeCatalog(RecordArrays &arrays, std::int32_t count,
                  const std::function<void(std::string_view)> &sink)
{
    std::string block;
    block.reserve(kBlockSize + 4096);
    for (std::int32_t n = 1; n <= count; ++n) {
        for (const TemplateLine &line : recordTemplate()) {
            for (const MemberAccess piece : line.pieces)
                block += piece(arrays, n);
            block += "\r\n";
        }
        if (block.size() >= kBlockSize) {
            sink(block);
            block.clear();
        }
    }
    if (!block.empty())
        sink(block);
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

void clsSlog::SnimanjeuFajl()
{
    saveCatalog(kOutputFile, gRecords, UkBrSlogova);
}
