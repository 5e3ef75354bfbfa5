#pragma once

#include <string>
#include <string_view>

#include "data/Table.h"

namespace brimo::maintenance {

// A key that finds `value` of a text field exactly on a tag whose key is that
// field alone. The engine takes a shorter text key as a prefix ("AB" finds
// "ABC"); padded with blanks to the field's width it matches only "AB".
std::string exactTextKey(const data::Table& table, std::string_view field, std::string_view value);

}  // namespace brimo::maintenance
