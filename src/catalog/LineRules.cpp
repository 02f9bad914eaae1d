#include "catalog/LineRules.h"

#include "catalog/Message.h"

#include <algorithm>
#include <initializer_list>

// Every rule finds its pieces left to right, each search starting where the previous piece
// ended. On well-formed lines this finds the same positions as searching the whole line; on
// odd ones (a description holding "=", a stray "=" before the length) it still never drops or
// repeats text, so whatever loads is written back as it was read.

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
RuleCut<LineRule::D> cutSizeLine(std::string_view line)
{
    const std::size_t lengthStart = afterEqualsAndOne(line, 0);
    const std::size_t lengthComma = line.find(',', lengthStart);
    if (lengthComma == npos)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "no \",\" after the length"));
    if (line.find("Duljina =") == npos)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "no \"Duljina =\" in the line"));

    // The width and the thickness: the text after the previous comma up to its first "=" and
    // one character more, then the value up to the next ",". A "," before that point fails.
    auto value = [line](std::size_t from, std::size_t &valueStart, std::size_t &comma) {
        const std::size_t e = line.find('=', from);
        valueStart = e == npos ? from + 1 : e + 2;
        comma = line.find(',', from);
        return comma != npos && comma >= valueStart;
    };
    std::size_t widthStart = 0;
    std::size_t widthComma = 0;
    if (!value(lengthComma + 1, widthStart, widthComma))
        return failed(QT_TRANSLATE_NOOP("CatalogError",
                                        "no width between the \"=\" after the length"
                                        " and the next \",\""));
    if (line.find("Sirina =") == npos)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "no \"Sirina =\" in the line"));
    std::size_t thicknessStart = 0;
    std::size_t thicknessComma = 0;
    if (!value(widthComma + 1, thicknessStart, thicknessComma))
        return failed(QT_TRANSLATE_NOOP("CatalogError",
                                        "no thickness between the \"=\" after the width"
                                        " and the next \",\""));

    return cutAt<LineRule::D>(line, lengthStart, lengthComma, lengthComma + 1, widthStart,
                              widthComma, widthComma + 1, thicknessStart, thicknessComma);
}

// tUserSifra = #0000000, tOpis = Hrast, $ObjectName = #0000000_NULL,
//   ->  "tUserSifra = #0000000, tOpis = " | Hrast | ", $ObjectName = #0000000_NULL,"
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
    // The value's place is found after "tOpis"; one that opens the line has no text before it.
    if (opis == 0)
        return failed(QT_TRANSLATE_NOOP("CatalogError", "the line begins with \"tOpis\""));
    return cutAt<LineRule::O>(line, valueStart, comma);
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
