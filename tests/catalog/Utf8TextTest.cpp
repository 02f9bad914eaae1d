#include "catalog/Utf8Text.h"

#include <gtest/gtest.h>

#include <string_view>

// Whole, and as a load looks at it: the bytes so far, cut at every point, give the same answer,
// also when the cut falls inside a sequence or the byte-order mark.
TEST(Utf8Text, TheLookIsTheSameWhereverTheBytesAreCut)
{
    using namespace std::string_view_literals;
    const struct
    {
        const char *name;
        std::string_view bytes;
        bool utf8;
    } rows[] = {
        {"byte-order mark", "\xEF\xBB\xBF" "base #A;"sv, true},
        {"c with caron in UTF-8", "base #\xC4\x8D" "a;\r\n"sv, true},
        {"four-byte sequence", "x \xF0\x9F\x99\x82 y"sv, true},
        {"c with caron in the code page", "base #\xE8" "a;\r\n"sv, false},
        {"plain ASCII", "base #Hrast;\r\nlocal\r\n"sv, false},
        {"a sequence cut off at the end", "base #\xC4\x8D\xC4"sv, false},
        {"an overlong form", "a\xC4\x8D \xC0\x80"sv, false},
        {"a surrogate", "a\xC4\x8D \xED\xA0\x80"sv, false},
        {"a letter of each", "\xC4\x8D \x9A"sv, false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(looksLikeUtf8(row.bytes), row.utf8) << row.name;
        for (std::size_t cut = 0; cut <= row.bytes.size(); ++cut) {
            Utf8Look look;
            look.look(row.bytes.substr(0, cut), false);
            look.look(row.bytes, true);
            EXPECT_EQ(look.utf8(), row.utf8) << row.name << ", cut at " << cut;
        }
    }
}
