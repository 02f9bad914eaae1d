#include "catalog/LineRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

Pieces piecesOf(const LineCut &cut)
{
    return Pieces(cut.pieces.begin(), cut.pieces.begin() + static_cast<std::ptrdiff_t>(cut.count));
}

std::string joined(const Pieces &pieces)
{
    std::string line;
    for (const std::string &piece : pieces)
        line += piece;
    return line;
}

// A generated line as C source, so that a failure can be pasted into a table row.
std::string escaped(std::string_view text)
{
    std::string out = "\"";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (ch == '\t') {
            out += "\\t";
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X\"\"", byte);
            out += hex;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

// ----------------------------------------------------------------------------------------------
// Reference cutters: rules B, J, C, D and O, each separator searched for in the whole line, one
// step at a time. Positions count from 1, 0 means "not found", S[a..b] is clamped to S. Slow
// and naive on purpose; the cutters must give the same pieces on every well-formed line, and
// keep the same failures.
namespace reference {

using Text = std::string;
using Pos = std::int64_t;

struct Cut
{
    Pieces pieces;
    int failedStep = 0;  // the step of the rule at which the line fails; 0 when it was cut

    bool ok() const { return failedStep == 0; }
};

Cut failAt(int step)
{
    Cut cut;
    cut.failedStep = step;
    return cut;
}

// First X in S.
Pos first(const Text &s, const Text &x)
{
    for (Pos p = 1; p + Pos(x.size()) - 1 <= Pos(s.size()); ++p) {
        if (s.compare(std::size_t(p - 1), x.size(), x) == 0)
            return p;
    }
    return 0;
}

// Last X in S.
Pos last(const Text &s, const Text &x)
{
    for (Pos p = Pos(s.size()) - Pos(x.size()) + 1; p >= 1; --p) {
        if (s.compare(std::size_t(p - 1), x.size(), x) == 0)
            return p;
    }
    return 0;
}

// S[a..b].
Text range(const Text &s, Pos a, Pos b)
{
    Text out;
    for (Pos p = a; p <= b; ++p) {
        if (p >= 1 && p <= Pos(s.size()))
            out += s[std::size_t(p - 1)];
    }
    return out;
}

// S[a..].
Text from(const Text &s, Pos a)
{
    return range(s, a, Pos(s.size()));
}

// Rule B (separator ";") and rule J (separator ",").
Cut ruleBJ(const Text &L, const Text &separator)
{
    const Pos h = first(L, "#");
    const Text PocDeoRedaiTekst = range(L, 1, h);
    const Text R = from(L, h + 1);
    const Pos s = first(R, separator);
    if (s == 0)
        return failAt(3);
    return {{PocDeoRedaiTekst, range(R, 1, s - 1), from(R, s)}};
}

Cut ruleB(const Text &L) { return ruleBJ(L, ";"); }
Cut ruleJ(const Text &L) { return ruleBJ(L, ","); }

Cut ruleC(const Text &L)
{
    const Pos e = first(L, "=");
    const Text cijena_PocDeoRedaiTekst = range(L, 1, e + 1);
    const Text R = from(L, e + 2);
    const Pos c = first(R, ",");
    if (c == 0)
        return failAt(3);
    return {{cijena_PocDeoRedaiTekst, range(R, 1, c - 1), from(R, c)}};
}

// The text after the first "," in S, or S itself when it has none.
Text afterFirstComma(const Text &s)
{
    const Pos c = first(s, ",");
    return c == 0 ? s : from(s, c + 1);
}

Cut ruleD(const Text &L)
{
    const Pos e1 = first(L, "=");
    const Text Duljina_PocDeoRedaiTekst = range(L, 1, e1 + 1);
    const Text R1 = from(L, e1 + 2);
    const Pos c1 = first(R1, ",");
    if (c1 == 0)
        return failAt(2);
    const Text Duljina = range(R1, 1, c1 - 1);
    const Text Duljina_ZarezNaKraju = ",";

    const Pos d1 = first(L, "Duljina =");
    if (d1 == 0)
        return failAt(4);
    const Text Z = afterFirstComma(from(L, d1));
    const Pos e2 = first(Z, "=");
    const Pos c2 = first(Z, ",");
    const Text Sirina_Tekst = range(Z, 1, e2 + 1);
    const Pos widthLength = c2 - e2 - 2;
    if (widthLength < 0)
        return failAt(6);
    const Text Sirina = range(Z, e2 + 2, e2 + 2 + widthLength - 1);
    const Text Sirina_ZarezNaKraju = range(from(Z, c2), 1, 1);

    const Pos d2 = first(L, "Sirina =");
    if (d2 == 0)
        return failAt(8);
    const Text V = afterFirstComma(from(L, d2));
    const Pos e3 = first(V, "=");
    const Pos c3 = first(V, ",");
    const Text Debljina_Tekst = range(V, 1, e3 + 1);
    const Pos thicknessLength = c3 - e3 - 2;
    if (thicknessLength < 0)
        return failAt(10);
    const Text Debljina = range(V, e3 + 2, e3 + 2 + thicknessLength - 1);
    const Text Debljina_ZarezNaKraju = from(V, c3);

    return {{Duljina_PocDeoRedaiTekst, Duljina, Duljina_ZarezNaKraju, Sirina_Tekst, Sirina,
             Sirina_ZarezNaKraju, Debljina_Tekst, Debljina, Debljina_ZarezNaKraju}};
}

Cut ruleO(const Text &L)
{
    const Pos o = first(L, "$ObjectName");
    if (o == 0)
        return failAt(1);
    const Text A = range(L, 1, o - 1);
    const Pos r = last(A, "=");
    const Text tOpis_PocDeoRedaiTekst = range(A, 1, r + 1);
    const Pos t = first(A, "tOpis");
    if (t == 0)
        return failAt(3);
    const Text B = from(A, t);
    const Pos e = first(B, "=");
    const Text C = from(B, e + 2);
    const Pos c = first(C, ",");
    if (c == 0)
        return failAt(4);
    const Text tOpis = range(C, 1, c - 1);
    if (t == 1)
        return failAt(5);
    const Text D = from(L, t - 1);
    const Text tOpis_ZarezNaKrajuiDoKrajaReda = from(D, first(D, ","));
    return {{tOpis_PocDeoRedaiTekst, tOpis, tOpis_ZarezNaKrajuiDoKrajaReda}};
}

}  // namespace reference

// ----------------------------------------------------------------------------------------------
// Exact cuts and failures of hand-picked lines.

struct CutRow
{
    const char *name;
    std::string line;
    Pieces pieces;               // expected when `failure` is null
    const char *failure = nullptr;
};

void checkRows(CutFunction cut, const std::vector<CutRow> &rows)
{
    for (const CutRow &row : rows) {
        const LineCut result = cut(row.line);
        if (row.failure != nullptr) {
            ASSERT_FALSE(result.ok()) << row.name << ": cut into " << testing::PrintToString(
                piecesOf(result));
            EXPECT_STREQ(result.failure, row.failure) << row.name;
            continue;
        }
        ASSERT_TRUE(result.ok()) << row.name << ": " << result.failure;
        EXPECT_EQ(piecesOf(result), row.pieces) << row.name;
        EXPECT_EQ(joined(piecesOf(result)), row.line) << row.name;
    }
}

constexpr const char *kNoSemicolon = "no \";\" in the line";
constexpr const char *kNoSemicolonAfterHash = "no \";\" after the first \"#\"";
constexpr const char *kNoComma = "no \",\" in the line";
constexpr const char *kNoCommaAfterHash = "no \",\" after the first \"#\"";
constexpr const char *kNoCommaAfterPrice = "no \",\" after the price";
constexpr const char *kNoCommaAfterLength = "no \",\" after the length";
constexpr const char *kNoDuljina = "no \"Duljina =\" in the line";
constexpr const char *kNoWidth = "no width between the \"=\" after the length and the next \",\"";
constexpr const char *kNoSirina = "no \"Sirina =\" in the line";
constexpr const char *kNoThickness =
    "no thickness between the \"=\" after the width and the next \",\"";
constexpr const char *kNoObjectName = "no \"$ObjectName\" in the line";
constexpr const char *kNoTOpis = "no \"tOpis\" before \"$ObjectName\"";
constexpr const char *kNoCommaAfterDescription = "no \",\" after the description";
constexpr const char *kBeginsWithTOpis = "the line begins with \"tOpis\"";

TEST(LineRules, BaseLine)
{
    checkRows(cutterOf(LineRule::B), {
        {"base #AB;", "base #AB;", {"base #", "AB", ";"}},
        {"indented", "    base #AB;", {"    base #", "AB", ";"}},
        {"no # keeps the prefix empty", "base AB; x", {"", "base AB", "; x"}},
        {"text after the ;", "base #AB; // x;", {"base #", "AB", "; // x;"}},
        {"a second # belongs to the name", "base #A#B;", {"base #", "A#B", ";"}},
        {"empty name", "base #;", {"base #", "", ";"}},
        {"tab and high bytes", "\tbase #\xC8" "a\x9A;\xFF", {"\tbase #", "\xC8" "a\x9A", ";\xFF"}},
        {"; only before the #", "base;#AB", {}, kNoSemicolonAfterHash},
        {"no ; after the #", "base #AB", {}, kNoSemicolonAfterHash},
        {"# last", "base #", {}, kNoSemicolonAfterHash},
        {"no # and no ;", "base AB", {}, kNoSemicolon},
        {"empty line", "", {}, kNoSemicolon},
    });
}

TEST(LineRules, UnitLine)
{
    checkRows(cutterOf(LineRule::J), {
        {"JedinicaMjere = #m,", "JedinicaMjere = #m,", {"JedinicaMjere = #", "m", ","}},
        {"indented, text after the ,", "    JedinicaMjere = #kom, x,",
         {"    JedinicaMjere = #", "kom", ", x,"}},
        {"no # keeps the prefix empty", "m, x", {"", "m", ", x"}},
        {", only before the #", "a,#m", {}, kNoCommaAfterHash},
        {"; is not the separator here", "JedinicaMjere = #m;", {}, kNoCommaAfterHash},
        {"no # and no ,", "JedinicaMjere = m", {}, kNoComma},
    });
}

TEST(LineRules, PriceLine)
{
    checkRows(cutterOf(LineRule::C), {
        {"cijena = 1.25,", "cijena = 1.25,", {"cijena = ", "1.25", ","}},
        {"cijena =5, takes the digit into the prefix", "cijena =5,", {"cijena =5", "", ","}},
        {"indented, text after the ,", "    cijena = 0.95, x,", {"    cijena = ", "0.95", ", x,"}},
        {"the character after = is taken even when it is ,", "cijena =,5,",
         {"cijena =,", "5", ","}},
        {"an = inside the price", "cijena = a=b,", {"cijena = ", "a=b", ","}},
        {"no = takes the first character alone", "cijena 5,", {"c", "ijena 5", ","}},
        {"no , after the price", "cijena = 5", {}, kNoCommaAfterPrice},
        {"the only , is right after =", "cijena =,", {}, kNoCommaAfterPrice},
        {"= last", "cijena =", {}, kNoCommaAfterPrice},
        {"empty line", "", {}, kNoCommaAfterPrice},
    });
}

TEST(LineRules, SizeLine)
{
    checkRows(cutterOf(LineRule::D), {
        {"full line", "Duljina = 2800, Sirina = 22, Debljina = 2, x,",
         {"Duljina = ", "2800", ",", " Sirina = ", "22", ",", " Debljina = ", "2", ", x,"}},
        {"indented", "    Duljina = 2800, Sirina = 22, Debljina = 2,",
         {"    Duljina = ", "2800", ",", " Sirina = ", "22", ",", " Debljina = ", "2", ","}},
        {"Sirina =22 with no blank", "Duljina = 2800, Sirina =22, Debljina = 2,",
         {"Duljina = ", "2800", ",", " Sirina =2", "2", ",", " Debljina = ", "2", ","}},
        {"empty width", "Duljina = 2800, Sirina = , Debljina = 2,",
         {"Duljina = ", "2800", ",", " Sirina = ", "", ",", " Debljina = ", "2", ","}},
        {"Debljina is never looked for", "Duljina = 2800, Sirina = 22, Thickness = 2,",
         {"Duljina = ", "2800", ",", " Sirina = ", "22", ",", " Thickness = ", "2", ","}},
        {"no Duljina =", "Length = 2800, Sirina = 22, Debljina = 2,", {}, kNoDuljina},
        {"Duljina= without the blank", "Duljina= 2800, Sirina = 22, Debljina = 2,", {},
         kNoDuljina},
        {"no Sirina =", "Duljina = 2800, Width = 22, Debljina = 2,", {}, kNoSirina},
        {"no , after the length", "Duljina = 2800", {}, kNoCommaAfterLength},
        {"no , after the width", "Duljina = 2800, Sirina = 22", {}, kNoWidth},
        {", right after the width's =", "Duljina = 2800, Sirina =, Debljina = 2,", {}, kNoWidth},
        {"no , after the thickness", "Duljina = 2800, Sirina = 22, Debljina = 2", {},
         kNoThickness},
        {"a second Duljina = before the real ones: the thickness follows the first Sirina =",
         "\t\tDuljina = 2800,Duljina = 5, Sirina = ,a=, Debljina = 2,", {}, kNoThickness},
        {"empty line", "", {}, kNoCommaAfterLength},
    });
}

TEST(LineRules, DescriptionLine)
{
    checkRows(cutterOf(LineRule::O), {
        {"full line", "tUserSifra = #0000000, tOpis = Hrast 22, $ObjectName = #0000000_NULL,",
         {"tUserSifra = #0000000, tOpis = ", "Hrast 22", ", $ObjectName = #0000000_NULL,"}},
        {"indented, high bytes", "    tUserSifra = #1, tOpis = plo\xE8" "e, $ObjectName = #1,",
         {"    tUserSifra = #1, tOpis = ", "plo\xE8" "e", ", $ObjectName = #1,"}},
        {"empty description", "x tOpis = , $ObjectName", {"x tOpis = ", "", ", $ObjectName"}},
        {"no blank after =", "x tOpis =Hrast, $ObjectName",
         {"x tOpis =H", "rast", ", $ObjectName"}},
        {"text between the , and $ObjectName", "x tOpis = a, b c $ObjectName = 1",
         {"x tOpis = ", "a", ", b c $ObjectName = 1"}},
        {"no $ObjectName", "tUserSifra = #1, tOpis = Hrast,", {}, kNoObjectName},
        {"$objectname in the wrong case", "x tOpis = a, $objectname", {}, kNoObjectName},
        {"tOpis only after $ObjectName", "$ObjectName = #1, tOpis = a,", {}, kNoTOpis},
        {"topis in the wrong case", "x, topis = a, $ObjectName", {}, kNoTOpis},
        {"no , after the description", "x, tOpis = Hrast $ObjectName = #1,", {},
         kNoCommaAfterDescription},
        {"tOpis at the very start", "tOpis = Hrast, $ObjectName = #1,", {}, kBeginsWithTOpis},
    });
}

// Lines whose pieces by whole-line search do not join back to the line (text would be dropped
// or written twice on saving): the cutters still cut them into contiguous pieces.
TEST(LineRules, OddLinesStillJoinBack)
{
    struct Row
    {
        const char *name;
        CutFunction cut;
        reference::Cut (*reference)(const std::string &);
        std::string line;
        Pieces pieces;
    };
    const Row rows[] = {
        {"tOpis = a=b", cutterOf(LineRule::O), reference::ruleO,
         "tUserSifra = #1, tOpis = a=b, $ObjectName = #1_NULL,",
         {"tUserSifra = #1, tOpis = ", "a=b", ", $ObjectName = #1_NULL,"}},
        {", b=c before $ObjectName", cutterOf(LineRule::O), reference::ruleO,
         "x tOpis = a, b=c $ObjectName", {"x tOpis = ", "a", ", b=c $ObjectName"}},
        {",tOpis", cutterOf(LineRule::O), reference::ruleO, "x,tOpis = a, $ObjectName",
         {"x,tOpis = ", "a", ", $ObjectName"}},
        {"x=1 before Duljina =", cutterOf(LineRule::D), reference::ruleD,
         "x=1, Duljina = 2800, Sirina = 22, Debljina = 2,",
         {"x=1", "", ",", " Duljina = ", "2800", ",", " Sirina = ", "22", ", Debljina = 2,"}},
        {"Duljina =,a=b", cutterOf(LineRule::D), reference::ruleD,
         "Duljina =,a=b, Sirina = 22, Debljina = 2,",
         {"Duljina =,", "a=b", ",", " Sirina = ", "22", ",", " Debljina = ", "2", ","}},
    };
    for (const Row &row : rows) {
        const reference::Cut expected = row.reference(row.line);
        ASSERT_TRUE(expected.ok()) << row.name;
        EXPECT_NE(joined(expected.pieces), row.line)
            << row.name << ": the reference joined it back";

        const LineCut cut = row.cut(row.line);
        ASSERT_TRUE(cut.ok()) << row.name << ": " << cut.failure;
        EXPECT_EQ(piecesOf(cut), row.pieces) << row.name;
        EXPECT_EQ(joined(piecesOf(cut)), row.line) << row.name;
        EXPECT_FALSE(cut.literal) << row.name;
    }
}

// ----------------------------------------------------------------------------------------------
// Generated lines.

constexpr int kLinesPerProperty = 40000;

// Bits of text that lines of the catalog, and damaged copies of them, are made of.
class LineMaker
{
public:
    explicit LineMaker(std::uint32_t seed) : m_engine(seed) {}

    std::size_t below(std::size_t n)
    {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_engine);
    }

    // One character other than those in `banned`: any byte at all a third of the time.
    char character(std::string_view banned = {})
    {
        for (;;) {
            const std::string piece = below(3) == 0 ? std::string(1, char(below(256))) : atom();
            if (piece.size() == 1 && banned.find(piece[0]) == std::string_view::npos)
                return piece[0];
        }
    }

    // Up to `maxAtoms` atoms, none holding a character of `banned`.
    std::string text(std::size_t maxAtoms, std::string_view banned = {})
    {
        std::string out;
        for (std::size_t n = below(maxAtoms + 1); n > 0;) {
            const std::string piece = atom();
            if (piece.find_first_of(banned) != std::string::npos)
                continue;
            out += piece;
            --n;
        }
        return out;
    }

    // A few random edits: a well-formed line damaged the way hand edits damage them.
    std::string damaged(std::string line)
    {
        for (std::size_t edits = 1 + below(3); edits > 0; --edits) {
            const std::size_t at = below(line.size() + 1);
            switch (below(3)) {
            case 0: line.erase(at, below(4)); break;
            case 1: line.insert(at, atom()); break;
            default:
                if (at < line.size())
                    line[at] = character();
                break;
            }
        }
        return line;
    }

private:
    std::string atom()
    {
        static const std::string_view atoms[] = {
            "a", "b", "x", "Q", "0", "7", " ", " ", " ", "\t", "#", ";", ";", ",", ",", ",",
            "=", "=", "=", "$", ".", "_", "\n", std::string_view("\0", 1), "Duljina =",
            "Sirina =", "Debljina =", "tOpis", "$ObjectName", "base #", "cijena =",
            "tUserSifra = #0000000, ", "\xC8", "\x9A", "\xA0",
        };
        if (below(8) == 0)
            return std::string(1, char(0x80 + below(128)));
        return std::string(atoms[below(std::size(atoms))]);
    }

    std::mt19937 m_engine;
};

struct MadeLine
{
    std::string line;
    Pieces pieces;  // as the line was put together
};

// Any text without "="; "Duljina ="; a character other than ","; the length; ","; text without
// "," or "="; "Sirina ="; a character other than ","; the width; ","; text without "," or "=";
// "="; a character other than ","; the thickness; "," and any rest. No "Sirina =" before its
// place, and no "," inside the three values.
MadeLine wellFormedSizeLine(LineMaker &maker)
{
    for (;;) {
        const std::string head = maker.text(6, "=") + "Duljina =" + maker.character(",");
        const std::string length = maker.text(4, ",");
        const std::string widthText = maker.text(4, ",=") + "Sirina =" + maker.character(",");
        const std::string width = maker.text(4, ",");
        const std::string thicknessText = maker.text(4, ",=") + "=" + maker.character(",");
        const std::string thickness = maker.text(4, ",");
        const std::string tail = "," + maker.text(6);
        MadeLine made{"", {head, length, ",", widthText, width, ",", thicknessText, thickness,
                           tail}};
        made.line = joined(made.pieces);
        const std::size_t sirina = head.size() + length.size() + 1 + widthText.size() - 9;
        if (made.line.find("Sirina =") == sirina)
            return made;
    }
}

// Text that holds no "tOpis" and does not end in ","; "tOpis"; text without "," or "="; "=";
// a character that is neither "," nor "="; the description without "," or "="; ","; text
// without "="; "$ObjectName" and any rest. A "$ObjectName" before the description's ","
// would end the line's search for it early, so there is none.
MadeLine wellFormedDescriptionLine(LineMaker &maker)
{
    for (;;) {
        const std::string before = maker.text(6);
        if (before.empty() || before.back() == ',')
            continue;
        const std::string head =
            before + "tOpis" + maker.text(3, ",=") + "=" + maker.character(",=");
        const std::string description = maker.text(5, ",=");
        const std::string tail = "," + maker.text(4, "=") + "$ObjectName" + maker.text(6);
        MadeLine made{head + description + tail, {head, description, tail}};
        if (made.line.find("tOpis") != before.size())
            continue;
        if (made.line.find("$ObjectName") < head.size() + description.size())
            continue;
        return made;
    }
}

// Rules B, J and C hold for every line: the same pieces and the same failures as the reference.
TEST(LineRulesProperty, SeparatorRulesCutEveryLineLikeTheReference)
{
    struct Rule
    {
        const char *name;
        CutFunction cut;
        reference::Cut (*reference)(const std::string &);
        const char *hashOrEquals;
        const char *separator;
        const char *failure;  // when the line has no "#" (or for rule C always)
        const char *failureAfterHash;
    };
    const Rule rules[] = {
        {"B", cutterOf(LineRule::B), reference::ruleB, "#", ";", kNoSemicolon,
         kNoSemicolonAfterHash},
        {"J", cutterOf(LineRule::J), reference::ruleJ, "#", ",", kNoComma, kNoCommaAfterHash},
        {"C", cutterOf(LineRule::C), reference::ruleC, "=", ",", kNoCommaAfterPrice,
         kNoCommaAfterPrice},
    };
    LineMaker maker(1250);
    for (const Rule &rule : rules) {
        int cuts = 0;
        for (int i = 0; i < kLinesPerProperty; ++i) {
            // Half shaped like the line, half anything.
            const std::string line =
                i % 2 == 0 ? maker.text(4) + rule.hashOrEquals + maker.text(4) + rule.separator
                                 + maker.text(4)
                           : maker.text(12);
            const reference::Cut expected = rule.reference(line);
            const LineCut cut = rule.cut(line);
            ASSERT_EQ(cut.ok(), expected.ok())
                << "rule " << rule.name << ", line " << escaped(line);
            if (!cut.ok()) {
                const bool hash = line.find('#') != std::string::npos;
                ASSERT_STREQ(cut.failure, hash ? rule.failureAfterHash : rule.failure)
                    << "rule " << rule.name << ", line " << escaped(line);
                continue;
            }
            ++cuts;
            ASSERT_EQ(piecesOf(cut), expected.pieces) << "rule " << rule.name << ", line "
                                                 << escaped(line);
            ASSERT_EQ(joined(piecesOf(cut)), line) << "rule " << rule.name << ", line "
                                                   << escaped(line);
            ASSERT_TRUE(cut.literal) << "rule " << rule.name << ", line " << escaped(line);
        }
        EXPECT_GT(cuts, kLinesPerProperty / 3) << "rule " << rule.name << " rarely cut";
        EXPECT_LT(cuts, kLinesPerProperty) << "rule " << rule.name << " never failed";
    }
}

// The rules of the lines that hold values cut a well-formed line into the pieces it was made
// of, as the reference does.
TEST(LineRulesProperty, WellFormedLinesCutLikeTheReference)
{
    using Line = const std::string &;
    struct Rule
    {
        const char *name;
        unsigned seed;
        std::function<MadeLine(LineMaker &)> make;
        std::function<reference::Cut(Line)> reference;
        std::function<LineCut(Line)> cut;
    };
    const Rule rules[] = {
        {"size", 5, wellFormedSizeLine, [](Line line) { return reference::ruleD(line); },
         [](Line line) { return cutSizeLine(line); }},
        {"description", 16, wellFormedDescriptionLine,
         [](Line line) { return reference::ruleO(line); },
         [](Line line) { return cutDescriptionLine(line); }},
    };
    for (const Rule &rule : rules) {
        SCOPED_TRACE(rule.name);
        LineMaker maker(rule.seed);
        for (int i = 0; i < kLinesPerProperty; ++i) {
            const MadeLine made = rule.make(maker);
            const reference::Cut expected = rule.reference(made.line);
            ASSERT_TRUE(expected.ok())
                << "the reference failed at step " << expected.failedStep << ", line "
                << escaped(made.line);
            ASSERT_EQ(expected.pieces, made.pieces) << escaped(made.line);
            const LineCut cut = rule.cut(made.line);
            ASSERT_TRUE(cut.ok()) << cut.failure << ", line " << escaped(made.line);
            ASSERT_EQ(piecesOf(cut), expected.pieces) << escaped(made.line);
        }
    }
}

// Outside the well-formed shape the pieces may differ from the reference's, but whatever cuts
// joins back, the values hold no ",", and every failure of the reference remains. The pieces
// are marked literal exactly where the reference's join back, and are then the reference's.
TEST(LineRulesProperty, AnySizeLineThatCutsJoinsBack)
{
    const char *const failures[] = {nullptr,    nullptr, kNoCommaAfterLength, nullptr,
                                    kNoDuljina, nullptr, kNoWidth,            nullptr,
                                    kNoSirina,  nullptr, kNoThickness};
    LineMaker maker(55);
    int cuts = 0;
    int mended = 0;
    for (int i = 0; i < kLinesPerProperty; ++i) {
        const std::string line =
            i % 2 == 0 ? maker.damaged(wellFormedSizeLine(maker).line) : maker.text(16);
        const reference::Cut expected = reference::ruleD(line);
        const LineCut cut = cutSizeLine(line);
        const bool keywords = line.find("Duljina =") != std::string::npos
                              && line.find("Sirina =") != std::string::npos;
        if (!keywords) {
            ASSERT_FALSE(cut.ok()) << escaped(line);
        }
        if (!expected.ok()) {
            ASSERT_STREQ(cut.failure, failures[expected.failedStep]) << escaped(line);
        }
        if (!cut.ok())
            continue;

        ++cuts;
        const Pieces pieces = piecesOf(cut);
        ASSERT_EQ(pieces.size(), 9u) << escaped(line);
        ASSERT_EQ(joined(pieces), line) << escaped(line);
        ASSERT_EQ(pieces[2], ",") << escaped(line);
        ASSERT_EQ(pieces[5], ",") << escaped(line);
        ASSERT_EQ(pieces[8].substr(0, 1), ",") << escaped(line);
        for (const std::size_t value : {1u, 4u, 7u}) {
            ASSERT_EQ(pieces[value].find(','), std::string::npos) << escaped(line);
        }
        ASSERT_EQ(cut.literal, joined(expected.pieces) == line) << escaped(line);
        if (cut.literal) {
            ASSERT_EQ(pieces, expected.pieces) << escaped(line);
        } else {
            ++mended;
        }
    }
    EXPECT_GT(cuts, kLinesPerProperty / 5);
    EXPECT_GT(mended, 100)
        << "the generator hardly reaches lines whole-line search cannot join back";
}

TEST(LineRulesProperty, AnyDescriptionLineThatCutsJoinsBack)
{
    const char *const failures[] = {nullptr, kNoObjectName, nullptr, kNoTOpis,
                                    kNoCommaAfterDescription, kBeginsWithTOpis};
    LineMaker maker(1616);
    int cuts = 0;
    int mended = 0;
    for (int i = 0; i < kLinesPerProperty; ++i) {
        const std::string line =
            i % 2 == 0 ? maker.damaged(wellFormedDescriptionLine(maker).line) : maker.text(16);
        const reference::Cut expected = reference::ruleO(line);
        const LineCut cut = cutDescriptionLine(line);
        // The reference's failures all stand, with nothing added.
        ASSERT_EQ(cut.ok(), expected.ok()) << escaped(line);
        if (!cut.ok()) {
            ASSERT_STREQ(cut.failure, failures[expected.failedStep]) << escaped(line);
            continue;
        }

        ++cuts;
        const Pieces pieces = piecesOf(cut);
        ASSERT_EQ(pieces.size(), 3u) << escaped(line);
        ASSERT_EQ(joined(pieces), line) << escaped(line);
        ASSERT_EQ(pieces[1].find(','), std::string::npos) << escaped(line);
        ASSERT_EQ(pieces[2].substr(0, 1), ",") << escaped(line);
        ASSERT_EQ(cut.literal, joined(expected.pieces) == line) << escaped(line);
        if (cut.literal) {
            ASSERT_EQ(pieces, expected.pieces) << escaped(line);
        } else {
            ++mended;
        }
    }
    EXPECT_GT(cuts, kLinesPerProperty / 5);
    EXPECT_GT(mended, 100)
        << "the generator hardly reaches lines whole-line search cannot join back";
}

}  // namespace
