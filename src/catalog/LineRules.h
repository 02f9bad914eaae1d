#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// How one of the five split lines of a record falls into pieces. The pieces are views into
// the line, contiguous and in order, so joining them gives the line back exactly.
struct LineCut
{
    std::array<std::string_view, 9> pieces{};
    std::size_t count = 0;
    const char *failure = nullptr;  // why the line cannot be cut; null when it was cut

    bool ok() const { return failure == nullptr; }
};

using CutFunction = LineCut (*)(std::string_view line);

LineCut cutBaseLine(std::string_view line);
LineCut cutUnitLine(std::string_view line);
LineCut cutSizeLine(std::string_view line);
LineCut cutPriceLine(std::string_view line);
LineCut cutDescriptionLine(std::string_view line);
