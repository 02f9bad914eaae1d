#include "TempFolder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

TempFolder::TempFolder() : m_previous(std::filesystem::current_path())
{
    std::random_device random;
    for (int tries = 0; m_path.empty(); ++tries) {
        if (tries == 100)
            throw std::runtime_error("cannot create a temporary folder");
        const std::filesystem::path candidate = std::filesystem::temp_directory_path()
                                                / ("velmora-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate))
            m_path = candidate;
    }
    std::filesystem::current_path(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

void TempFolder::write(const std::filesystem::path &name, std::string_view bytes) const
{
    std::ofstream out(m_path / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + (m_path / name).string());
}

std::string TempFolder::read(const std::filesystem::path &name) const
{
    std::ifstream in(m_path / name, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + (m_path / name).string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::exists(const std::filesystem::path &name) const
{
    return std::filesystem::exists(m_path / name);
}
