// Writes a catalog of typical records, for the whole-program benchmark:
//   velmora_make_catalog RECORDS FILE [plain|letters]
// "plain" has ASCII letters only; "letters" puts the Windows-1250 letters c, c, d, s, z with
// their marks (bytes from 0x80) into every record's name. Without either, the typical records
// as they are.

#include "TypicalRecord.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

enum class Letters { Typical, Plain, CodePage };

// The typical records carry "š" (0x9A) and "č" (0xE8); plain text spells them without marks.
void toPlain(std::string &line)
{
    for (char &c : line) {
        if (c == '\x9a')
            c = 's';
        else if (c == '\xe8')
            c = 'c';
    }
}

bool write(const char *file, long long records, Letters letters)
{
    return writeTypicalCatalog(
        file, records, [letters](std::array<std::string, kLinesPerRecord> &lines) {
            if (letters == Letters::CodePage)
                lines[0].insert(lines[0].find(';'), " \xe8\xe6\xf0\x9a\x9e");
            if (letters == Letters::Plain) {
                for (std::string &line : lines)
                    toPlain(line);
            }
        });
}

}  // namespace

int main(int argc, char **argv)
{
    const std::string_view kind = argc == 4 ? argv[3] : "";
    if ((argc != 3 && argc != 4) || (argc == 4 && kind != "plain" && kind != "letters")) {
        std::fprintf(stderr, "usage: %s RECORDS FILE [plain|letters]\n", argv[0]);
        return 2;
    }
    const Letters letters = kind == "plain"     ? Letters::Plain
                            : kind == "letters" ? Letters::CodePage
                                                : Letters::Typical;
    return write(argv[2], std::atoll(argv[1]), letters) ? 0 : 1;
}
