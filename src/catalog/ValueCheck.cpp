#include "catalog/ValueCheck.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// How far a line comes back from the file, worst first.
enum class Return { Not, ValueOnly, EveryPiece, ByTheRules };

// The pieces of one line, as the writer would join them and the loader cut them again.
class LinePieces
{
public:
    LinePieces(RecordArrays &arrays, std::int64_t n, const TemplateLine &line)
        : m_cut(line.cut)
    {
        for (const RecordMember &piece : line.pieces)
            m_pieces.push_back(piece.access(arrays, n).view());
    }

    // How the line comes back with piece `index` replaced by `value`: not at all, with that
    // piece alone as it was, with every piece, or with every piece as the rule's own steps
    // give them.
    Return comesBack(std::size_t index, std::string_view value) const
    {
        std::size_t size = value.size();
        for (std::size_t i = 0; i < m_pieces.size(); ++i)
            size += i == index ? 0 : m_pieces[i].size();
        // Sized ahead: a line with a huge value then costs one copy of it, not three.
        std::string joined;
        joined.reserve(size);
        for (std::size_t i = 0; i < m_pieces.size(); ++i)
            joined += i == index ? value : m_pieces[i];
        const LineCut again = m_cut(joined);
        if (!again.ok() || again.count != m_pieces.size() || again.pieces[index] != value)
            return Return::Not;
        for (std::size_t i = 0; i < m_pieces.size(); ++i) {
            if (i != index && again.pieces[i] != m_pieces[i])
                return Return::ValueOnly;
        }
        return again.literal ? Return::ByTheRules : Return::EveryPiece;
    }

    std::string_view piece(std::size_t index) const { return m_pieces[index]; }

private:
    CutFunction m_cut;
    std::vector<std::string_view> m_pieces;
};

}  // namespace

ValueCheck checkValue(RecordArrays &arrays, std::int64_t n, const RecordMember &member,
                      std::string_view value)
{
    const TemplateLine &line = recordTemplate()[static_cast<std::size_t>(member.line - 1)];
    // What the record holds already is kept as it is, whatever it holds.
    if (line.cut == nullptr || value == member.access(arrays, n).view())
        return {};
    // The line's pieces are a run of the record's shape, which `member` belongs to.
    const auto index = static_cast<std::size_t>(&member - line.pieces.data());
    const LinePieces pieces(arrays, n, line);
    // A new value may not make the line come back less well than it does now, and must come
    // back itself: a line that other programs cut by the rules' own steps stays so.
    const Return needed =
        std::max(pieces.comesBack(index, pieces.piece(index)), Return::ValueOnly);
    auto kept = [&](std::string_view candidate) {
        return pieces.comesBack(index, candidate) >= needed;
    };
    if (kept(value))
        return {};

    // The first character that breaks the line: the shortest start of the value that does not
    // come back ends in it. Halving keeps this to a few cuts for a value of any length.
    ValueCheck check{false, ValueCheck::kUnknown};
    if (!kept(value.substr(0, 0)))
        return check;
    std::size_t good = 0;
    std::size_t bad = value.size();
    while (bad - good > 1) {
        const std::size_t middle = good + (bad - good) / 2;
        (kept(value.substr(0, middle)) ? good : bad) = middle;
    }
    check.culprit = bad - 1;
    return check;
}
