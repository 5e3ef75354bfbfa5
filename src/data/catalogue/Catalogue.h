#pragma once

#include <string_view>
#include <vector>

#include "data/catalogue/TableDef.h"

namespace brimo::data::catalogue {

// Every table the library opens or creates, with the fields it reads or
// writes and the index tags it selects. Widths and decimals the library does
// not depend on are the ones our own test and sample data use (docs/tables.md).
const std::vector<TableDef>& tables();

// A table by name, without regard to letter case, with or without the .DBF
// extension ("cust", "CUST.DBF", "Cust.dbf"); null when it is not catalogued.
const TableDef* findTable(std::string_view name);

// As findTable, but an unknown name throws std::out_of_range.
const TableDef& table(std::string_view name);

}  // namespace brimo::data::catalogue
