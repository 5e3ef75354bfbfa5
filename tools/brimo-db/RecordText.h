#pragma once

// The values of a table's current record as the tool prints them (internal).

#include <string>
#include <vector>

#include "data/Table.h"

namespace brimo::dbtool {

// The field names in the file's spelling.
std::vector<std::string> fieldNames(const data::Table& table);

// Every stored field of the current record as text: character fields without
// trailing blanks, memos as text and binary memos in hexadecimal, the rest as
// fieldText() prints them. A memo that cannot be read (a missing or damaged
// memo file) gives an empty value and its error in `problems`.
std::vector<std::string> recordText(const data::Table& table, std::vector<std::string>& problems);

}  // namespace brimo::dbtool
