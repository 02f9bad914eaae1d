#pragma once

#include "catalog/FileStamp.h"
#include "catalog/Message.h"

#include <stdexcept>

// A save that replaced the file but could not make the replacement itself durable: after a
// crash the earlier file may come back. Not a CatalogError on purpose: the file was saved, and
// a caller must not report it as not saved.
class SavedButNotSynced : public std::runtime_error, public CarriesMessage
{
public:
    SavedButNotSynced(Message message, FileStamp written)
        : std::runtime_error(message.english()), CarriesMessage(std::move(message)),
          m_written(written)
    {
    }

    // The file as written, as SafeFileWriter::commit() would have returned it.
    const FileStamp &written() const { return m_written; }

private:
    FileStamp m_written;
};
