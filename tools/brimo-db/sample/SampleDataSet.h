#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace brimo::sample {

// A consistent data set of the application's tables, for demonstrations and
// tests: every table with its index tags and memos, a small shop's records
// (a few dozen per table), or with `records` that many stock codes and that
// many customers (the hand-picked ones first, then generated ones). The same
// arguments always give the same records.
struct SampleOptions {
    std::optional<uint32_t> records;
};

// Writes the data set into `directory` (created when missing), replacing
// tables of the same names. The location table goes there too. Throws
// DatabaseError when a file cannot be written.
void writeSampleDataSet(const std::filesystem::path& directory, const SampleOptions& options = {});

}  // namespace brimo::sample
