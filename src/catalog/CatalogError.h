#pragma once

#include "catalog/Message.h"

#include <stdexcept>
#include <utility>

// A catalog that cannot be read or written. The message names the file and, for a line that
// cannot be cut, where it stands and what it lacks, ready to be shown as it is; message()
// holds the same in parts for translation, and kind() says what went wrong for callers that
// word their own headline.
class CatalogError : public std::runtime_error, public CarriesMessage
{
public:
    enum class Kind { Other, CannotOpen, CannotRead, NoRecord, LineCannotBeCut };

    explicit CatalogError(Message message, Kind kind = Kind::Other)
        : std::runtime_error(message.english()), CarriesMessage(std::move(message)), m_kind(kind)
    {
    }

    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};
