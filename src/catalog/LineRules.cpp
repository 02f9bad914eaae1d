#include "catalog/LineRules.h"

#include "catalog/Message.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

// Rules B, J and C find their pieces left to right, each search starting where the previous
// piece ended, which is what their steps say. Rules D and O search parts of the whole line
// for some of theirs: the line loads only if it meets every step, and their pieces are taken
// when they join back to the line. On odd lines (a description holding "=", a stray "=" before
// the length) they would drop or repeat text; those are cut left to right, each value after
// the piece before it, so whatever loads is written back as it was read.

namespace {

constexpr auto npos = std::string_view::npos;

// The end of "up to and including the first '=' and the one character after it", counted from
// `from`; without an "=" that is the first character alone. Never past the end of the line.
std::size_t afterEqualsAndOne(std::string_view line, std::size_t from)
{
    const std::size_t e = line.find('=', from);
    const std::size_t end = e == npos ? from + 1 : e + 2;
    return std::min(end, line.size());
}

CutFailure failed(const char *why)
{
    return CutFailure{why};
}

// Cuts at ascending positions: pieces [0, b0), [b0, b1), ..., [bk, end). A cutter names its
// rule, and the number of positions must give that rule's pieces, or it does not compile.
template <LineRule Rule, class... Bounds>
RuleCut<Rule> cutAt(std::string_view line, Bounds... bounds)
{
    static_assert(sizeof...(Bounds) + 1 == pieceCount(Rule), "as many pieces as the rule's");
    static_assert(pieceCount(Rule) <= std::tuple_size_v<decltype(LineCut::pieces)>);
    RuleCut<Rule> cut;
    std::size_t start = 0;
    for (const std::size_t b : {std::size_t(bounds)...}) {
        cut.pieces[cut.count++] = line.substr(start, b - start);
        start = b;
    }
    cut.pieces[cut.count++] = line.substr(start);
    return cut;
}

// The cut into the pieces a rule's steps found, when they join back to the line: then they
// are also its contiguous views of the same lengths. Nothing when they would not.
template <LineRule Rule>
std::optional<RuleCut<Rule>> joinedBack(std::string_view line,
                                        const std::array<std::string_view, pieceCount(Rule)> &found)
{
    RuleCut<Rule> cut;
    std::size_t at = 0;
    for (const std::string_view piece : found) {
        if (line.substr(at, piece.size()) != piece)
            return std::nullopt;
        cut.pieces[cut.count++] = line.substr(at, piece.size());
        at += piece.size();
    }
    if (at != line.size())
        return std::nullopt;
    return cut;
}

template <LineRule Rule>
RuleCut<Rule> notLiteral(RuleCut<Rule> cut)
{
    cut.literal = false;
    return cut;
}

// Just past the first "," from `from`; `from` itself when there is none.
std::size_t afterComma(std::string_view line, std::size_t from)
{
    const std::size_t comma = line.find(',', from);
    return comma == npos ? from : comma + 1;
}

// A width or thickness: from `from` up to the first "=" and one character more, then the value
// up to the first "," from `from`. False when that "," stands before the value's start.
bool valueAfter(std::string_view line, std::size_t from, std::size_t &valueStart,
                std::size_t &comma)
{
    const std::size_t e = line.find('=', from);
    valueStart = e == npos ? from + 1 : e + 2;
    comma = line.find(',', from);
    return comma != npos && comma >= valueStart;
}

// base #AB;   ->  prefix up to the first "#" | AB | ; and the rest
template <LineRule Rule>
RuleCut<Rule> cutAfterHashUpTo(std::string_view line, char separator, const char *failure)
{
    const std::size_t hash = line.find('#');
    const std::size_t valueStart = hash == npos ? 0 : hash + 1;
    const std::size_t sep = line.find(separator, valueStart);
    if (sep == npos)
        return failed(failure);
    return cutAt<Rule>(line, valueStart, sep);
}

}  // namespace

// base #Hrast 22x2;   ->  base # | Hrast 22x2 | ;
RuleCut<LineRule::B> cutBaseLine(std::string_view line)
{
    const char *why = line.find('#') == npos
                          ? QT_TRANSLATE_NOOP("CatalogError", "no \";\" in the line")
                          : QT_TRANSLATE_NOOP("CatalogError", "no \";\" after the first \"#\"");
    return cutAfterHashUpTo<LineRule::B>(line, ';', why);
}

// JedinicaMjere = #m,   ->  JedinicaMjere = # | m | ,
RuleCut<LineRule::J> cutUnitLine(std::string_view line)
{
    const char *why = line.find('#') == npos
                          ? QT_TRANSLATE_NOOP("CatalogError", "no \",\" in the line")
                          : QT_TRANSLATE_NOOP("CatalogError", "no \",\" after the first \"#\"");
    return cutAfterHashUpTo<LineRule::J>(line, ',', why);
}

// cijena = 1.25,   ->  cijena = (with the blank) | 1.25 | , and the rest
RuleCut<LineRule::C> cutPriceLine(std::string_view line)
{
    const std::size_t valueStart = afterEqualsAndOne(line, 0);
    const std::size_t comma = line.find(',', valueStart);
    if (comma == npos)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "no \",\" after the price"));
    return cutAt<LineRule::C>(line, valueStart, comma);
}

// Duljina = 2800, Sirina = 22, Debljina = 2, x,
//   ->  Duljina = | 2800 | , | " Sirina = " | 22 | , | " Debljina = " | 2 | ", x,"
// The width is found after the first "," from the first "Duljina =", the thickness after the
// first "," from the first "Sirina =".
RuleCut<LineRule::D> cutSizeLine(std::string_view line)
{
    const std::size_t lengthStart = afterEqualsAndOne(line, 0);
    const std::size_t lengthComma = line.find(',', lengthStart);
    if (lengthComma == npos)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "no \",\" after the length"));
    const std::size_t duljina = line.find("Duljina =");
    if (duljina == npos)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "no \"Duljina =\" in the line"));
    const char *const noWidth = QT_TRANSLATE_NOOP(
        "CatalogError", "no width between the \"=\" after the length and the next \",\"");
    const char *const noThickness = QT_TRANSLATE_NOOP(
        "CatalogError", "no thickness between the \"=\" after the width and the next \",\"");
    const std::size_t widthFrom = afterComma(line, duljina);
    std::size_t widthStart = 0;
    std::size_t widthComma = 0;
    if (!valueAfter(line, widthFrom, widthStart, widthComma))
        return failed(noWidth);
    const std::size_t sirina = line.find("Sirina =");
    if (sirina == npos)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "no \"Sirina =\" in the line"));
    const std::size_t thicknessFrom = afterComma(line, sirina);
    std::size_t thicknessStart = 0;
    std::size_t thicknessComma = 0;
    if (!valueAfter(line, thicknessFrom, thicknessStart, thicknessComma))
        return failed(noThickness);

    if (widthFrom == lengthComma + 1 && thicknessFrom == widthComma + 1)
        return cutAt<LineRule::D>(line, lengthStart, lengthComma, lengthComma + 1, widthStart,
                                  widthComma, widthComma + 1, thicknessStart, thicknessComma);
    auto span = [line](std::size_t from, std::size_t to) { return line.substr(from, to - from); };
    const std::optional<RuleCut<LineRule::D>> found = joinedBack<LineRule::D>(
        line, {span(0, lengthStart), span(lengthStart, lengthComma), line.substr(lengthComma, 1),
               span(widthFrom, widthStart), span(widthStart, widthComma),
               line.substr(widthComma, 1), span(thicknessFrom, thicknessStart),
               span(thicknessStart, thicknessComma), line.substr(thicknessComma)});
    if (found)
        return *found;

    // Left to right: the width after the length's ",", the thickness after the width's.
    if (!valueAfter(line, lengthComma + 1, widthStart, widthComma))
        return failed(noWidth);
    if (!valueAfter(line, widthComma + 1, thicknessStart, thicknessComma))
        return failed(noThickness);
    return notLiteral(cutAt<LineRule::D>(line, lengthStart, lengthComma, lengthComma + 1,
                                         widthStart, widthComma, widthComma + 1, thicknessStart,
                                         thicknessComma));
}

// tUserSifra = #0000000, tOpis = Hrast, $ObjectName = #0000000_NULL,
//   ->  "tUserSifra = #0000000, tOpis = " | Hrast | ", $ObjectName = #0000000_NULL,"
// The description starts after the first "=" from "tOpis" and one character more; the prefix
// runs to the last "=" before "$ObjectName" and one character more, and the tail from the
// first "," from the character before "tOpis".
RuleCut<LineRule::O> cutDescriptionLine(std::string_view line)
{
    const std::size_t objectName = line.find("$ObjectName");
    if (objectName == npos)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "no \"$ObjectName\" in the line"));
    const std::string_view before = line.substr(0, objectName);
    const std::size_t opis = before.find("tOpis");
    if (opis == npos)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "no \"tOpis\" before \"$ObjectName\""));
    const std::size_t valueStart = afterEqualsAndOne(before, opis);
    const std::size_t comma = before.find(',', valueStart);
    if (comma == npos)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "no \",\" after the description"));
    // The tail is found from the character before "tOpis"; one that opens the line has none.
    if (opis == 0)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "the line begins with \"tOpis\""));

    const std::size_t lastEquals = before.rfind('=');
    const std::size_t prefixEnd =
        std::min(lastEquals == npos ? std::size_t{1} : lastEquals + 2, before.size());
    const std::size_t tailStart = line.find(',', opis - 1);  // the description's "," at the latest
    if (prefixEnd == valueStart && tailStart == comma)
        return cutAt<LineRule::O>(line, valueStart, comma);
    const std::optional<RuleCut<LineRule::O>> found = joinedBack<LineRule::O>(
        line, {line.substr(0, prefixEnd), line.substr(valueStart, comma - valueStart),
               line.substr(tailStart)});
    if (found)
        return *found;
    return notLiteral(cutAt<LineRule::O>(line, valueStart, comma));
}

namespace {

// A rule's cutter as a CutFunction; filing a cutter under another rule does not compile.
template <LineRule Rule, RuleCut<Rule> (*Cut)(std::string_view)>
LineCut erased(std::string_view line)
{
    return Cut(line);
}

}  // namespace

CutFunction cutterOf(LineRule rule)
{
    switch (rule) {
    case LineRule::B: return erased<LineRule::B, cutBaseLine>;
    case LineRule::J: return erased<LineRule::J, cutUnitLine>;
    case LineRule::D: return erased<LineRule::D, cutSizeLine>;
    case LineRule::C: return erased<LineRule::C, cutPriceLine>;
    case LineRule::O: return erased<LineRule::O, cutDescriptionLine>;
    case LineRule::Whole: break;
    }
    return nullptr;
}
