#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A fresh folder that is the current folder for the object's lifetime, since the editor's two
// files are always read and written in the current folder. Removed, with its contents, after.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

    // Whole-file helpers, bytes exactly as given.
    void write(const std::filesystem::path &name, std::string_view bytes) const;
    std::string read(const std::filesystem::path &name) const;
    bool exists(const std::filesystem::path &name) const;

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};
