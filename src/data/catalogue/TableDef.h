#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/Database.h"

namespace brimo::data::catalogue {

// Where a table lives: in the data directory of the shop, in the locations
// directory shared by all stores, or as a scratch table that a dialog creates
// anew in the data directory each time it opens.
enum class TableHome { Data, Locations, Scratch };

// The layout of one table of the application: its file name (upper case, with
// the .DBF extension), its fields in record order and its index tags.
struct TableDef {
    std::string fileName;
    TableHome home = TableHome::Data;
    std::vector<FieldSpec> fields;
    std::vector<TagSpec> tags;

    // The file name without its extension ("CUST" for CUST.DBF).
    std::string baseName() const;
    // True when a field keeps its data in the memo file (M, B or G).
    bool hasMemo() const;
    // Field and tag by name, without regard to letter case; null when absent.
    const FieldSpec* findField(std::string_view name) const;
    const TagSpec* findTag(std::string_view name) const;
};

}  // namespace brimo::data::catalogue
