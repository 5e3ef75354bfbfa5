#pragma once

#include <string>
#include <string_view>

namespace brimo::platform {

// The text after the last '\', ':' or '/' of a path; the whole text when it
// holds none of them, an empty text when it ends with one.
std::string fileNamePart(std::string_view path);

// A path from the host with '\' taken as a directory separator.
std::string hostPathToLocal(std::string_view path);

// True when the path names an existing directory (symbolic links followed,
// '\' taken as '/'); false for an empty path and for anything that cannot
// be examined.
bool directoryExists(std::string_view path);

}  // namespace brimo::platform
