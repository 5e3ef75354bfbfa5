#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>

#include "data/sql/TableSource.h"

namespace brimo::data::sql {

// What every table module of one connection shares.
struct ModuleContext {
    std::shared_ptr<TableProvider> provider;
    // True while a module declares its table, so that the connection's
    // authorizer lets that schema change through.
    bool declaring = false;
};

// Registers `name` as an eponymous virtual table of `db` whose rows come from
// context->provider->open(name). Throws DatabaseError when SQLite refuses.
void registerTableModule(sqlite3* db, const std::string& name, std::shared_ptr<ModuleContext> context);

}  // namespace brimo::data::sql
