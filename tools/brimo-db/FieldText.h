#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "data/FieldDef.h"

namespace brimo::dbtool {

// The text the tool prints for a field that is stored in the record itself
// (not C, M, B or G: the table converts text and reads memos), from the
// field's bytes:
//   N, F  the number as stored, without its padding ("  12.50" gives "12.50");
//   L  "T" or "F", empty when blank or not initialised;
//   D  YYYY-MM-DD, empty when blank;
//   I, +  the whole number, O the double, empty when all zero;
//   any other type in hexadecimal.
std::string fieldText(const data::FieldDef& field, std::span<const std::byte> record);

// Bytes as upper-case hexadecimal, two digits a byte (binary memos).
std::string hexText(std::span<const std::byte> bytes);

}  // namespace brimo::dbtool
