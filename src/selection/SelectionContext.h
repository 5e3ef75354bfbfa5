#pragma once

#include <filesystem>

namespace brimo::selection {

// Where a selection dialog finds its tables and its settings file.
struct SelectionContext {
    std::filesystem::path dataDirectory;
    std::filesystem::path iniFile;
};

}  // namespace brimo::selection
