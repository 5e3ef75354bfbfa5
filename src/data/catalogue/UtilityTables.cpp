#include "data/catalogue/FieldBuilders.h"
#include "data/catalogue/TableGroups.h"

namespace brimo::data::catalogue {

using namespace fields;

namespace {

// Whole numbers that the undelete dialogs read as 32-bit integers.
FieldSpec wholeNumber(std::string name) {
    return number(std::move(name), 10);
}

TableDef transferLog() {
    return TableDef{"TRANSFER.DBF",
                    TableHome::Data,
                    {tableVersion(), documentNumber("NUMBER"), text("ID", 15), text("LOCATION", 15), date("TRANSDATE"),
                     stockCode("STOCKCODE"), text("SERIALNUM", 15), quantity("QUANTITY")},
                    {tag("NUMBER", "NUMBER")}};
}

TableDef locations() {
    return TableDef{
        "LOCATION.DBF",
        TableHome::Locations,
        {text("LOCNAME", 15), number("LOCTYPE", 3), text("PARENT", 15), text("DATAPATH", 120), text("PHONE", 20)},
        {tag("LOCNAME", "LOCNAME")}};
}

TableDef deletedStockCodes() {
    return TableDef{
        "DELCODE.DBF", TableHome::Scratch, {stockCode("STOCKCODE"), text("DESC", 60), wholeNumber("RECNO")}, {}};
}

TableDef deletedCustomers() {
    return TableDef{"UDCUST.DBF",
                    TableHome::Scratch,
                    {text("LASTNAME", 30), text("FIRSTNAME", 30), text("ADD1", 30), text("PHONE", 15),
                     wholeNumber("CUSTNUM"), wholeNumber("RECNO")},
                    {}};
}

}  // namespace

std::vector<TableDef> utilityTables() {
    return {transferLog(), locations(), deletedStockCodes(), deletedCustomers()};
}

}  // namespace brimo::data::catalogue
