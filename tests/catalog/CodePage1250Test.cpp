#include "catalog/CodePage1250.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every byte a catalog may hold must reach a text box and come back as the same byte, or an
// untouched line would change on saving.
TEST(CodePage1250, EveryByteDecodesAndEncodesBackToItself)
{
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte)
        bytes += static_cast<char>(byte);
    const std::u16string text = CodePage1250::decode(bytes);
    ASSERT_EQ(text.size(), bytes.size());
    for (int byte = 0; byte < 0x80; ++byte)
        EXPECT_EQ(text[byte], char16_t(byte)) << "byte " << byte;
    EXPECT_EQ(CodePage1250::encode(text), bytes);
}

// Spot rows of the published Windows-1250 table, both ways.
TEST(CodePage1250, LettersAndSignsHaveTheirWindows1250Bytes)
{
    struct Row
    {
        const char *name;
        char16_t character;
        unsigned char byte;
    };
    const Row rows[] = {
        {"c caron", u'\u010D', 0xE8},      {"c acute", u'\u0107', 0xE6},
        {"s caron", u'\u0161', 0x9A},      {"z caron", u'\u017E', 0x9E},
        {"d stroke", u'\u0111', 0xF0},     {"C caron", u'\u010C', 0xC8},
        {"C acute", u'\u0106', 0xC6},      {"S caron", u'\u0160', 0x8A},
        {"Z caron", u'\u017D', 0x8E},      {"D stroke", u'\u0110', 0xD0},
        {"euro", u'\u20AC', 0x80},         {"low double quote", u'\u201E', 0x84},
        {"low single quote", u'\u201A', 0x82}, {"per mille", u'\u2030', 0x89},
        {"trade mark", u'\u2122', 0x99},   {"no-break space", u'\u00A0', 0xA0},
        {"L stroke", u'\u0141', 0xA3},     {"a ogonek", u'\u0105', 0xB9},
        {"section", u'\u00A7', 0xA7},      {"dot above, the last byte", u'\u02D9', 0xFF},
    };
    for (const Row &row : rows) {
        const std::string byte(1, static_cast<char>(row.byte));
        EXPECT_EQ(CodePage1250::decode(byte), std::u16string(1, row.character)) << row.name;
        EXPECT_EQ(CodePage1250::encode(std::u16string(1, row.character)), byte) << row.name;
    }
}

// The table leaves these bytes out; they travel as the C1 controls of the same number.
TEST(CodePage1250, UnassignedBytesTravelAsC1Controls)
{
    for (const unsigned char byte : {0x81, 0x83, 0x88, 0x90, 0x98}) {
        const std::string bytes(1, static_cast<char>(byte));
        EXPECT_EQ(CodePage1250::decode(bytes), std::u16string(1, char16_t(byte))) << int(byte);
        EXPECT_EQ(CodePage1250::encode(std::u16string(1, char16_t(byte))), bytes) << int(byte);
    }
}

// A character the code page lacks cannot be saved; it is refused, never swapped for another.
TEST(CodePage1250, CharactersTheCodePageLacksAreRefused)
{
    struct Row
    {
        const char *name;
        std::u16string text;
    };
    const Row rows[] = {
        {"a macron", u"\u0101"},
        {"CJK ideograph", u"\u4E2D"},
        {"A grave", u"\u00C0"},
        {"C1 control whose byte holds the euro", u"\u0080"},
        {"C1 control whose byte holds a quote", u"\u0082"},
        {"surrogate pair", u"\U0001F600"},
        {"lone high surrogate", u"\xD800"},
        {"among letters the code page has", u"Hrast \u010D \u0101 x"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(CodePage1250::encode(row.text), std::nullopt) << row.name;
}

TEST(CodePage1250, EmptyTextIsEmptyBytes)
{
    EXPECT_EQ(CodePage1250::decode(""), u"");
    EXPECT_EQ(CodePage1250::encode(u""), std::string());
}

}  // namespace
