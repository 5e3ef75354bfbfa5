#pragma once

#include <memory>
#include <string_view>

#include "data/Database.h"
#include "data/Table.h"
#include "data/catalogue/TableDef.h"

namespace brimo::data::catalogue {

// Creates a catalogued table in the database's directory, replacing a table
// of that name: the .DBF with the catalogue's fields, its .MDX with every tag
// and, when a field needs one, its .DBT. Returns it open for writing.
// Throws std::out_of_range for a name the catalogue does not hold and
// DatabaseError when the engine cannot create the files.
std::unique_ptr<Table> createTable(const Database& database, const TableDef& table);
std::unique_ptr<Table> createTable(const Database& database, std::string_view tableName);

}  // namespace brimo::data::catalogue
