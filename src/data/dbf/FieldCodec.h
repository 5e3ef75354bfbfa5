#pragma once

#include "data/FieldDef.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace brimo::data::dbf {

// Encodings of field values inside a raw record. Every function works on the
// field's bytes `record.subspan(field.offset, field.length)`; none allocates.

std::span<const std::byte> fieldBytes(std::span<const std::byte> record, const FieldDef& field);
std::span<std::byte> fieldBytes(std::span<std::byte> record, const FieldDef& field);

// Text without trailing blanks (and without trailing NULs), still in the
// table's code page.
std::string_view trimmedText(std::span<const std::byte> bytes);
bool isBlank(std::span<const std::byte> bytes);

// ASCII numbers of N and F fields: leading blanks, optional sign, digits with
// an optional '.', trailing blanks. Nothing when blank or not a number.
std::optional<double> parseNumber(std::span<const std::byte> bytes);
// Writes `value` right-aligned with `decimals` decimals; false when it does
// not fit the width.
bool formatNumber(std::span<std::byte> bytes, double value, int decimals);

// Logical: T, t, Y, y are true; F, f, N, n false; anything else is empty.
std::optional<bool> parseLogical(std::span<const std::byte> bytes);

// Dates as YYYYMMDD; nothing when blank or not a calendar date.
std::optional<std::chrono::year_month_day> parseDate(std::span<const std::byte> bytes);
void formatDate(std::span<std::byte> bytes, std::chrono::year_month_day date);

// Level-7 long integers: big-endian with the sign bit inverted.
int32_t decodeLong(std::span<const std::byte> bytes);
void encodeLong(std::span<std::byte> bytes, int32_t value);
// Level-7 doubles: big-endian, made byte-sortable.
double decodeDouble(std::span<const std::byte> bytes);
void encodeDouble(std::span<std::byte> bytes, double value);
bool isAllZero(std::span<const std::byte> bytes);

// Memo block reference: decimal digits after blanks or zeros; 0 when none.
// Nothing when the text is not a block number.
std::optional<uint32_t> parseBlockNumber(std::span<const std::byte> bytes);
void formatBlockNumber(std::span<std::byte> bytes, uint32_t block);  // 0 writes blanks

}  // namespace brimo::data::dbf
