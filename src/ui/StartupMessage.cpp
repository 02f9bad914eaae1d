#include "StartupMessage.h"

std::string startupFailureMessage(const std::filesystem::path &folder, std::string_view reason)
{
    return "Cannot open the catalog in " + folder.string() + ":\n" + std::string(reason);
}
