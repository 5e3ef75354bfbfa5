#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "data/index/KeyEncoding.h"

namespace brimo::data::index::detail {

// On-disk layout of a production index. All integers are little-endian and
// every pointer is a 512-byte page number.
inline constexpr uint32_t kPageSize = 512;
inline constexpr uint32_t kHeaderPages = 4;  // page 0 header, pages 1-3 tag table
inline constexpr uint32_t kMaxTags = 47;
inline constexpr uint32_t kTagTableOffset = 512;
inline constexpr uint32_t kTagSlotSize = 32;
inline constexpr uint16_t kDefaultPagesPerBlock = 2;
inline constexpr uint16_t kMaxPagesPerBlock = 32;
inline constexpr uint64_t kUpdateLockOffset = 0xEFFFFFFEull;

namespace header {
inline constexpr size_t kVersion = 0, kCreated = 1, kTableName = 4, kPagesPerBlock = 20, kBlockSize = 22,
                        kProduction = 24, kSlots = 25, kSlotSize = 26, kTagCount = 28, kNextTag = 30, kMarker = 31,
                        kTotalPages = 32, kFreeList = 36, kUpdated = 44;
}
namespace slot {
inline constexpr size_t kHeaderPage = 0, kName = 4, kFlags = 15, kLeft = 16, kRight = 17, kParent = 18, kConstant = 19,
                        kKeyType = 20;
}
namespace tagheader {
inline constexpr size_t kRoot = 0, kPagesUsed = 4, kFormat = 8, kKeyType = 9, kMarker = 11, kKeyLength = 12,
                        kMaxKeys = 14, kDateFlag = 16, kItemLength = 18, kSerial = 20, kUniqueByte = 23,
                        kExpression = 24, kHasFilter = 245, kHasKeys = 246, kFirstPointer = 248, kSecondPointer = 252,
                        kDate = 257, kSimpleField = 480, kFilter = 762;
inline constexpr size_t kExpressionSize = 221, kFilterSize = 220;
inline constexpr uint8_t kFormatBase = 0x10, kFormatDescending = 0x08, kFormatUnique = 0x40;
}  // namespace tagheader
namespace node {
inline constexpr size_t kCount = 0, kLink = 4, kItems = 8;
}

inline uint16_t get16(std::span<const std::byte> b, size_t off) {
    return static_cast<uint16_t>(std::to_integer<unsigned>(b[off]) | std::to_integer<unsigned>(b[off + 1]) << 8);
}
inline uint32_t get32(std::span<const std::byte> b, size_t off) {
    return std::to_integer<uint32_t>(b[off]) | std::to_integer<uint32_t>(b[off + 1]) << 8 |
           std::to_integer<uint32_t>(b[off + 2]) << 16 | std::to_integer<uint32_t>(b[off + 3]) << 24;
}
inline void put16(std::span<std::byte> b, size_t off, uint16_t v) {
    b[off] = static_cast<std::byte>(v);
    b[off + 1] = static_cast<std::byte>(v >> 8);
}
inline void put32(std::span<std::byte> b, size_t off, uint32_t v) {
    for (size_t i = 0; i < 4; ++i) b[off + i] = static_cast<std::byte>(v >> (8 * i));
}
inline uint8_t get8(std::span<const std::byte> b, size_t off) {
    return std::to_integer<uint8_t>(b[off]);
}
inline void put8(std::span<std::byte> b, size_t off, uint8_t v) {
    b[off] = static_cast<std::byte>(v);
}

// A NUL-terminated text of at most `size` bytes at `off`.
std::string getText(std::span<const std::byte> b, size_t off, size_t size);
void putText(std::span<std::byte> b, size_t off, size_t size, std::string_view text);

// Item length of a node entry: pointer plus key, rounded up to 4 bytes.
inline uint16_t itemLengthFor(uint16_t keyLength) {
    return static_cast<uint16_t>((keyLength + 4 + 3) / 4 * 4);
}

// Today as the three date bytes of the header and tag headers (year mod 100,
// month, day), as dBASE writes them.
void putToday(std::span<std::byte> b, size_t off);

// What the tree code needs to know about one tag, read from its slot in the
// tag table and its header block.
struct TagLayout {
    std::string name;
    uint32_t slot = 0;
    uint32_t headerPage = 0;
    KeyType keyType = KeyType::Character;
    uint16_t keyLength = 0;
    uint16_t itemLength = 0;
    uint16_t maxKeys = 0;
    bool unique = false;
    bool descending = false;
    std::string expression;
    std::string forCondition;
};

}  // namespace brimo::data::index::detail
