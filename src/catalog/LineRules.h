#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The rule that cuts a line, by the letter the format gives it; Whole for a line held whole.
enum class LineRule : unsigned char { Whole, B, J, D, C, O };

// How many pieces a rule cuts its line into. The cutters build their pieces from this count
// and the record's shape checks each line's members against it, both when compiling, so the
// two cannot disagree.
constexpr std::size_t pieceCount(LineRule rule)
{
    switch (rule) {
    case LineRule::Whole: return 1;
    case LineRule::B: return 3;
    case LineRule::J: return 3;
    case LineRule::D: return 9;
    case LineRule::C: return 3;
    case LineRule::O: return 3;
    }
    return 0;
}

// How one of the five split lines of a record falls into pieces. The pieces are views into
// the line, contiguous and in order, so joining them gives the line back exactly.
struct LineCut
{
    std::array<std::string_view, pieceCount(LineRule::D)> pieces{};  // the most a rule cuts
    std::size_t count = 0;
    const char *failure = nullptr;  // why the line cannot be cut; null when it was cut
    // The pieces are the ones the rule's own steps give, as any program that follows them
    // reads the line. False for a line those steps would join back with text dropped or
    // repeated (a description holding "="), cut left to right instead so that it still loads.
    bool literal = true;

    bool ok() const { return failure == nullptr; }
};

// Why a line cannot be cut, for a cutter to return in place of its pieces.
struct CutFailure
{
    const char *why;
};

// The cut of one rule's line: the type names the rule, so a cutter can be filed only under
// its own rule and build only that rule's number of pieces.
template <LineRule Rule>
struct RuleCut : LineCut
{
    RuleCut() = default;
    RuleCut(CutFailure failed) { failure = failed.why; }  // NOLINT: a cutter returns either
};

using CutFunction = LineCut (*)(std::string_view line);

// The cutter of a rule; null for Whole.
CutFunction cutterOf(LineRule rule);

RuleCut<LineRule::B> cutBaseLine(std::string_view line);
RuleCut<LineRule::J> cutUnitLine(std::string_view line);
RuleCut<LineRule::D> cutSizeLine(std::string_view line);
RuleCut<LineRule::C> cutPriceLine(std::string_view line);
RuleCut<LineRule::O> cutDescriptionLine(std::string_view line);
