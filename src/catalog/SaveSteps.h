#pragma once

#include "catalog/Message.h"

#include <cstddef>
#include <filesystem>

// What SafeFileWriter's two implementations share: the steps a failure names and the folder a
// new file is made in.

// The random part of a temporary file's name, ".Trake-novi.odl.velmora-XXXXXX".
inline constexpr std::size_t kRandomLength = 6;

// What a failed step was doing, as the writer's message says it.
inline constexpr const char *kCannotWrite = QT_TRANSLATE_NOOP("CatalogError", "cannot write");
inline constexpr const char *kCannotCreate =
    QT_TRANSLATE_NOOP("CatalogError", "cannot create a file in its folder");
inline constexpr const char *kCannotReplace =
    QT_TRANSLATE_NOOP("CatalogError", "cannot replace the file");
inline constexpr const char *kCannotName =
    QT_TRANSLATE_NOOP("CatalogError", "cannot name the new file");

// The folder `file` is in: "." for a bare name.
inline std::filesystem::path folderOf(const std::filesystem::path &file)
{
    const auto parent = file.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}
