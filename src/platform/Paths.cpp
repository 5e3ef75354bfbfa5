#include "platform/Paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace brimo::platform {

std::string fileNamePart(std::string_view path) {
    const std::size_t last = path.find_last_of("\\:/");
    return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string hostPathToLocal(std::string_view path) {
    std::string local(path);
    std::replace(local.begin(), local.end(), '\\', '/');
    return local;
}

bool directoryExists(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    std::error_code error;
    return std::filesystem::is_directory(hostPathToLocal(path), error);
}

}  // namespace brimo::platform
