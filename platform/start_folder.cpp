#include "start_folder.h"

#include <filesystem>
#include <system_error>

namespace velmora {

std::string startFolder(const std::vector<std::string>& candidates)
{
    for (const std::string& folder : candidates) {
        std::error_code error;
        if (!folder.empty() && std::filesystem::is_directory(std::filesystem::u8path(folder), error))
            return folder;
    }
    return {};
}

} // namespace velmora
