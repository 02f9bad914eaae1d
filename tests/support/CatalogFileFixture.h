#pragma once

#include "ProgramState.h"
#include "TempFolder.h"
#include "TypicalRecord.h"
#include "catalog/CatalogError.h"
#include "catalog/CatalogFiles.h"
#include "catalog/CatalogReader.h"
#include "store/basMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What the catalog file tests share: a fixture that owns a temporary folder and a fresh
// program state, and small helpers to build catalogs and look at files.

inline std::vector<std::string> typicalLines(std::int64_t records)
{
    std::vector<std::string> lines;
    for (std::int64_t n = 1; n <= records; ++n) {
        const auto record = typicalRecordLines(n);
        lines.insert(lines.end(), record.begin(), record.end());
    }
    return lines;
}

inline std::string withCrLf(const std::vector<std::string> &lines)
{
    std::string bytes;
    for (const std::string &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Empty when equal; otherwise where two files part, short enough to print.
inline std::string difference(const std::string &actual, const std::string &expected)
{
    if (actual == expected)
        return "";
    const auto parted = std::mismatch(actual.begin(), actual.end(), expected.begin(),
                                      expected.end());
    const auto at = static_cast<std::size_t>(parted.first - actual.begin());
    return std::to_string(actual.size()) + " bytes instead of " + std::to_string(expected.size())
           + ", first difference at byte " + std::to_string(at) + ": \""
           + actual.substr(at, 20) + "\" instead of \"" + expected.substr(at, 20) + "\"";
}

inline std::string emptyLines(int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += "\r\n";
    return bytes;
}

inline std::string replaceFirst(std::string text, const std::string &from,
                                const std::string &to)
{
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        throw std::logic_error("the test's input lacks \"" + from + "\"");
    text.replace(at, from.size(), to);
    return text;
}

// The names in a folder, sorted and joined by blanks: a leftover temporary file shows up here.
inline std::string listFolder(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string &name : names)
        joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

inline std::string readWhole(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What `work` threw as a CatalogError, or "" when it went through.
inline std::string errorOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const CatalogError &error) {
        return error.what();
    }
    return "";
}

// Puts `records` typical records in memory without a file, as a load would.
inline void holdTypicalCatalog(std::int64_t records)
{
    LoadedCatalog loaded = readCatalog(typicalCatalog(records), kInputFile);
    gRecords = std::move(loaded.arrays);
    gSlog->UkBrSlogova = loaded.count;
}

class CatalogFile : public ::testing::Test
{
protected:
    void SetUp() override { resetProgramState(); }
    void TearDown() override { resetProgramState(); }

    void load(std::string_view bytes, EmptyCatalog ifEmpty = EmptyCatalog::Accept)
    {
        folder.write(kInputFile, bytes);
        gSlog->UcitavanjeIzFajla(ifEmpty);
    }

    TempFolder folder;
};
