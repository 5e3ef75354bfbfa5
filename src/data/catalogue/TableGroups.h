#pragma once

// The table definitions of the catalogue, by subject (internal).

#include <vector>

#include "data/catalogue/TableDef.h"

namespace brimo::data::catalogue {

// A pick list of names: one field ENTRY and its tag (CODECAT, CODESUB, CUSTCAT).
TableDef entryList(const char* fileName);

// CODE, CODECAT, CODESUB, CONDEF, SERIAL, PRICECAT, TAXCAT.
std::vector<TableDef> stockTables();
// CUST, CUSTCAT, VENDOR, ID, COINFO.
std::vector<TableDef> partyTables();
// AR, ARDETAIL, RINV, SO, INVOICE, ORDER, QUOTE.
std::vector<TableDef> accountTables();
// TRANSFER, LOCATION, DELCODE, UDCUST.
std::vector<TableDef> utilityTables();

}  // namespace brimo::data::catalogue
