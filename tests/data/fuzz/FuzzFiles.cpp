#include "FuzzFiles.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace brimo::data::fuzz {

const std::filesystem::path& scratchDirectory() {
    static const std::filesystem::path dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "brimo-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        return std::filesystem::path(pattern);
    }();
    return dir;
}

std::filesystem::path writeScratchFile(const char* name, std::span<const uint8_t> bytes) {
    const auto path = scratchDirectory() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

}  // namespace brimo::data::fuzz
