#pragma once

#include <string_view>

#include "data/Table.h"

namespace brimo::maintenance {

// Adds `value` to a pick list (a table with the text field ENTRY and the tag
// ENTRY) unless an entry equals it exactly; the empty value counts like any
// other. The pick list's cursor moves.
void addToPickList(data::Table& pickList, std::string_view value);

}  // namespace brimo::maintenance
