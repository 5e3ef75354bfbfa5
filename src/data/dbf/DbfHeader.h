#pragma once

#include "data/FieldDef.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace brimo::data::dbf {

enum class MemoStyle { None, Level3, Level4 };

// The structure of a DBF file as read from its header. Level 3 covers dBASE
// III, IV and 5 (32-byte descriptors); level 7 has 48-byte descriptors, a
// language driver name and field properties after the descriptors.
struct DbfHeader {
    uint8_t version = 0x03;
    int level = 3;
    MemoStyle memoStyle = MemoStyle::None;
    uint32_t recordCount = 0;
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    bool productionIndex = false;
    uint8_t languageDriverId = 0;
    std::string languageDriverName;  // level 7 only
    std::vector<FieldDef> fields;
    // Level 7: for each field, the header offset of its next-autoincrement
    // value (0 for fields that are not autoincrement).
    std::vector<uint32_t> autoIncrementOffsets;
};

// Header byte offsets that change in normal use.
inline constexpr uint64_t kDateOffset = 1;
inline constexpr uint64_t kCountOffset = 4;
inline constexpr uint64_t kIndexFlagOffset = 28;
inline constexpr size_t kFixedHeaderSize = 32;

// The header length stored at bytes 8-9 of the first 32 bytes.
uint16_t storedHeaderLength(std::span<const std::byte> first32);

// Parses and validates a complete header (headerLength bytes). Throws
// DatabaseError naming `tableName` on anything inconsistent.
DbfHeader parseHeader(std::span<const std::byte> bytes, const std::string& tableName);

// Verifies that the file holds recordCount records.
void checkFileHoldsRecords(const DbfHeader& header, uint64_t fileSize, const std::string& tableName);

// The bytes of a new header for `fields` (names, types, lengths, decimals),
// with offsets filled in; level 5 style (version 0x03, or 0x8B with a memo).
std::vector<std::byte> buildHeader(std::vector<FieldDef>& fields, bool withMemo, bool withIndex,
                                   uint8_t languageDriverId, std::chrono::year_month_day today);

// Bytes 1..7: the last-update date and the record count.
std::array<std::byte, 7> dateAndCount(std::chrono::year_month_day date, uint32_t count);

}  // namespace brimo::data::dbf
