#include "data/catalogue/TableCreation.h"

#include "data/catalogue/Catalogue.h"

namespace brimo::data::catalogue {

std::unique_ptr<Table> createTable(const Database& database, const TableDef& table) {
    return database.createTable(table.fileName, table.fields, table.tags);
}

std::unique_ptr<Table> createTable(const Database& database, std::string_view tableName) {
    return createTable(database, catalogue::table(tableName));
}

}  // namespace brimo::data::catalogue
