#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace brimo::data::fuzz {

// A directory of this process for the files a fuzz input becomes.
const std::filesystem::path& scratchDirectory();

// Replaces `name` in the scratch directory with `bytes` and returns its path.
std::filesystem::path writeScratchFile(const char* name, std::span<const uint8_t> bytes);

}  // namespace brimo::data::fuzz
