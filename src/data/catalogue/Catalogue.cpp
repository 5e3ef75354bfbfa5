#include "data/catalogue/Catalogue.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "data/catalogue/TableGroups.h"
#include "platform/AsciiCase.h"

namespace brimo::data::catalogue {

const std::vector<TableDef>& tables() {
    static const std::vector<TableDef> all = [] {
        std::vector<TableDef> out;
        for (auto group : {stockTables, partyTables, accountTables, utilityTables}) {
            auto defs = group();
            std::move(defs.begin(), defs.end(), std::back_inserter(out));
        }
        return out;
    }();
    return all;
}

const TableDef* findTable(std::string_view name) {
    const auto& all = tables();
    auto it = std::find_if(all.begin(), all.end(), [&](const TableDef& t) {
        return platform::equalsIgnoringAsciiCase(t.fileName, name) ||
               platform::equalsIgnoringAsciiCase(t.baseName(), name);
    });
    return it == all.end() ? nullptr : &*it;
}

const TableDef& table(std::string_view name) {
    if (const TableDef* def = findTable(name))
        return *def;
    throw std::out_of_range("No table " + std::string(name) + " in the catalogue");
}

}  // namespace brimo::data::catalogue
