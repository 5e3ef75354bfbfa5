#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brimo::data::index {

// The type of a tag's keys as stored in the index file.
enum class KeyType : char { Character = 'C', Numeric = 'N', Date = 'D' };

inline constexpr uint16_t kNumericKeyLength = 12;
inline constexpr uint16_t kDateKeyLength = 8;
// The longest character key a new tag may have.
inline constexpr uint16_t kMaxCharacterKeyLength = 100;

// A key as stored in a node: the raw bytes, without the record number.
using Key = std::vector<std::byte>;

// Character keys: the text padded with blanks (or cut) to `length` bytes.
Key characterKey(std::string_view text, uint16_t length);

// Numeric keys: a decimal exponent byte, a sign and digit-count byte and up to
// 20 packed decimal digits. Other writers put different digit counts into the
// second byte, so keys are compared by value, never byte by byte.
Key numericKey(double value);
void encodeNumericKey(double value, std::span<std::byte> out);
double decodeNumericKey(std::span<const std::byte> key);
std::strong_ordering compareNumericKeys(std::span<const std::byte> a, std::span<const std::byte> b);

// Date keys: the Julian day number as a little-endian IEEE double
// (2000-01-01 is 2451545). A blank date is stored as kBlankDateKey and so sorts
// after every real date. `julianDay` 0 means blank.
inline constexpr double kBlankDateKey = 1.0e300;
Key dateKey(int32_t julianDay);
void encodeDateKey(int32_t julianDay, std::span<std::byte> out);
double decodeDateKey(std::span<const std::byte> key);

// Julian day number of a calendar date; 0 when the date does not exist.
int32_t julianDay(int year, unsigned month, unsigned day);

// Compares two stored keys of the given type in ascending value order.
// Character keys compare as unsigned bytes over the shorter length, so a short
// key equals every key it is a prefix of; that is how partial keys are sought.
std::strong_ordering compareKeys(KeyType type, std::span<const std::byte> a, std::span<const std::byte> b);

// Readable form of a key for messages: the text, the number or the date.
std::string describeKey(KeyType type, std::span<const std::byte> key);

}  // namespace brimo::data::index
