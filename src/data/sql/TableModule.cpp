#include "data/sql/TableModule.h"

#include <map>
#include <optional>
#include <set>
#include <string>

#include "data/DatabaseError.h"
#include "data/sql/IndexPlan.h"
#include "data/sql/KeyMap.h"
#include "data/sql/ValueCoercion.h"

// A virtual-table module that shows one dBASE table to SQLite.
//
//   select max(CustNum) from cust
//
// Every table of the data directory is registered as an eponymous module under
// its base name, so it needs no CREATE VIRTUAL TABLE. Rows are read through a
// RowCursor of the table source and changes go back through the source, so the
// engine keeps index tags, memos and locks right. Deleted records are never
// shown. The rowid is the physical record number.

namespace brimo::data::sql {
namespace {

struct Registration {
    std::shared_ptr<ModuleContext> context;
    std::string name;
};

struct Vtab : sqlite3_vtab {
    std::shared_ptr<TableSource> source;
};

struct Cursor : sqlite3_vtab_cursor {
    std::unique_ptr<RowCursor> rows;
    bool empty = true;
    // Key maps by column, and the columns looked up once so far (a scan
    // answered). A cursor lives for one statement, so a map never outlasts a
    // change made by another process between two statements.
    std::map<int, KeyMap> keyMaps;
    std::set<int> lookedUpOnce;
};

Vtab& vtabOf(sqlite3_vtab* v) {
    return *static_cast<Vtab*>(v);
}
Cursor& cursorOf(sqlite3_vtab_cursor* c) {
    return *static_cast<Cursor*>(c);
}

// Runs `body`, turning an exception into SQLite's error code and message.
template <typename Body>
int guarded(sqlite3_vtab* vtab, Body&& body) {
    try {
        body();
        return SQLITE_OK;
    } catch (const std::bad_alloc&) {
        return SQLITE_NOMEM;
    } catch (const std::exception& e) {
        sqlite3_free(vtab->zErrMsg);
        vtab->zErrMsg = sqlite3_mprintf("%s", e.what());
        return SQLITE_ERROR;
    }
}

const char* declaredType(ColumnType type) {
    switch (type) {
        case ColumnType::Integer:
        case ColumnType::Logical:
            return "INTEGER";
        case ColumnType::Real:
            return "REAL";
        case ColumnType::Blob:
            return "BLOB";
        case ColumnType::Text:
        case ColumnType::Date:
            return "TEXT";
    }
    return "";
}

std::string quotedName(const std::string& name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

std::string declaration(const std::vector<SourceColumn>& columns) {
    std::string sql = "CREATE TABLE x(";
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i)
            sql += ", ";
        sql += quotedName(columns[i].name) + " " + declaredType(columns[i].type);
    }
    return sql + ")";
}

int xConnect(sqlite3* db, void* aux, int, const char* const*, sqlite3_vtab** out, char** error) {
    auto& registration = *static_cast<Registration*>(aux);
    try {
        auto vtab = std::make_unique<Vtab>();
        *static_cast<sqlite3_vtab*>(vtab.get()) = {};
        vtab->source = registration.context->provider->open(registration.name);
        registration.context->declaring = true;
        const int rc = sqlite3_declare_vtab(db, declaration(vtab->source->columns()).c_str());
        registration.context->declaring = false;
        if (rc != SQLITE_OK) {
            *error =
                sqlite3_mprintf("Table %s cannot be used in SQL: %s", registration.name.c_str(), sqlite3_errmsg(db));
            return rc;
        }
        *out = vtab.release();
        return SQLITE_OK;
    } catch (const std::exception& e) {
        registration.context->declaring = false;
        *error = sqlite3_mprintf("%s", e.what());
        return SQLITE_ERROR;
    }
}

int xDisconnect(sqlite3_vtab* v) {
    delete &vtabOf(v);
    return SQLITE_OK;
}

std::optional<PlanOp> planOp(unsigned char op) {
    switch (op) {
        case SQLITE_INDEX_CONSTRAINT_EQ:
            return PlanOp::Equal;
        case SQLITE_INDEX_CONSTRAINT_GT:
            return PlanOp::Greater;
        case SQLITE_INDEX_CONSTRAINT_GE:
            return PlanOp::GreaterEqual;
        case SQLITE_INDEX_CONSTRAINT_LT:
            return PlanOp::Less;
        case SQLITE_INDEX_CONSTRAINT_LE:
            return PlanOp::LessEqual;
        default:
            return std::nullopt;
    }
}

int xBestIndex(sqlite3_vtab* v, sqlite3_index_info* info) {
    Vtab& vtab = vtabOf(v);
    return guarded(v, [&] {
        std::vector<PlanConstraint> constraints;
        std::vector<int> origin;  // index into info->aConstraint
        for (int i = 0; i < info->nConstraint; ++i) {
            const auto& c = info->aConstraint[i];
            auto op = planOp(c.op);
            if (!op)
                continue;
            // Blob columns have no keys; a constraint on them is checked by SQLite alone.
            if (c.iColumn >= 0 && vtab.source->columns()[static_cast<size_t>(c.iColumn)].type == ColumnType::Blob) {
                continue;
            }
            constraints.push_back({c.iColumn, *op, c.usable != 0});
            origin.push_back(i);
        }
        std::optional<std::pair<int, bool>> orderBy;
        if (info->nOrderBy == 1 && info->aOrderBy[0].iColumn >= 0) {
            orderBy = std::pair{info->aOrderBy[0].iColumn, info->aOrderBy[0].desc != 0};
        }
        const Plan plan = choosePlan(vtab.source->indexes(), vtab.source->recordCount(), constraints, orderBy);
        int argv = 0;
        // Never omit: SQLite checks every constraint again, so a seek that yields
        // extra rows (a LIKE's range, a text key's padding) stays correct.
        for (int used : {plan.equalArg, plan.lowerArg, plan.upperArg}) {
            if (used >= 0)
                info->aConstraintUsage[origin[static_cast<size_t>(used)]].argvIndex = ++argv;
        }
        info->idxNum = encodePlanNumber(plan);
        if (!plan.tag.empty()) {
            info->idxStr = sqlite3_mprintf("%s", plan.tag.c_str());
            info->needToFreeIdxStr = 1;
        }
        info->orderByConsumed = plan.orderConsumed ? 1 : 0;
        info->estimatedCost = plan.cost;
        info->estimatedRows = static_cast<sqlite3_int64>(plan.rows);
    });
}

int xOpen(sqlite3_vtab* v, sqlite3_vtab_cursor** out) {
    Vtab& vtab = vtabOf(v);
    return guarded(v, [&] {
        auto cursor = std::make_unique<Cursor>();
        *static_cast<sqlite3_vtab_cursor*>(cursor.get()) = {};
        cursor->rows = vtab.source->openCursor();
        *out = cursor.release();
    });
}

int xClose(sqlite3_vtab_cursor* c) {
    delete &cursorOf(c);
    return SQLITE_OK;
}

// idxNum and idxStr of xFilter are made by encodePlanNumber() in xBestIndex:
// the access (scan, tag, key map, rowid), the column served, which of
// equality, lower and upper bound are present (and inclusive), and the order.
// idxStr is the tag's name. The constraint values arrive in argv in the order
// equality, lower bound, upper bound.
const SourceIndex& indexOn(const TableSource& source, int column) {
    for (const SourceIndex& index : source.indexes()) {
        if (index.column == column)
            return index;
    }
    throw DatabaseError("Column " + std::to_string(column) + " has no index tag.");
}

void filter(Vtab& vtab, Cursor& cursor, const Plan& plan, sqlite3_value** argv) {
    cursor.empty = false;
    RowCursor& rows = *cursor.rows;
    if (plan.access == Access::Scan) {
        if (plan.tag.empty()) {
            rows.scanAll();
        } else {
            KeySelection whole;
            whole.descending = plan.descending;
            rows.seek(indexOn(*vtab.source, plan.column), whole);
        }
        return;
    }
    if (plan.access == Access::Rowid) {
        auto n = keyValue(argv[plan.equalArg], ColumnType::Integer);
        const double recno = n && std::holds_alternative<double>(*n) ? std::get<double>(*n) : 0;
        if (recno >= 1 && recno <= UINT32_MAX && recno == static_cast<uint32_t>(recno)) {
            rows.visit({static_cast<uint32_t>(recno)});
        } else {
            cursor.empty = true;
        }
        return;
    }
    const ColumnType type = vtab.source->columns()[static_cast<size_t>(plan.column)].type;
    KeySelection selection;
    selection.descending = plan.descending;
    if (plan.equalArg >= 0) {
        auto key = keyValue(argv[plan.equalArg], type);
        if (!key) {
            rows.scanAll();
            return;
        }
        if (std::holds_alternative<std::monostate>(*key)) {
            cursor.empty = true;  // nothing equals NULL
            return;
        }
        selection.equal = std::move(*key);
    }
    for (auto [arg, inclusive, bound] : {std::tuple{plan.lowerArg, plan.lowerInclusive, &selection.lower},
                                         std::tuple{plan.upperArg, plan.upperInclusive, &selection.upper}}) {
        if (arg < 0)
            continue;
        auto key = keyValue(argv[arg], type);
        if (!key)
            continue;  // not comparable by key: leave the bound to SQLite
        if (std::holds_alternative<std::monostate>(*key)) {
            cursor.empty = true;  // no value is greater or less than NULL
            return;
        }
        *bound = KeyBound{std::move(*key), inclusive};
    }
    if (plan.access == Access::KeyMap) {
        // Building a map costs a scan, so the first lookup is a scan (SQLite
        // checks the equality); a second one, in a join, builds the map.
        if (cursor.lookedUpOnce.insert(plan.column).second) {
            rows.scanAll();
            return;
        }
        auto it = cursor.keyMaps.find(plan.column);
        if (it == cursor.keyMaps.end()) {
            auto builder = vtab.source->openCursor();
            it = cursor.keyMaps.emplace(plan.column, KeyMap::build(*builder, plan.column)).first;
        }
        rows.visit(it->second.find(*selection.equal));
        return;
    }
    if (!selection.equal && !selection.lower && !selection.upper && !plan.descending) {
        rows.scanAll();
        return;
    }
    rows.seek(indexOn(*vtab.source, plan.column), selection);
}

int xFilter(sqlite3_vtab_cursor* c, int idxNum, const char* idxStr, int, sqlite3_value** argv) {
    Cursor& cursor = cursorOf(c);
    Vtab& vtab = vtabOf(c->pVtab);
    return guarded(c->pVtab, [&] { filter(vtab, cursor, decodePlan(idxNum, idxStr), argv); });
}

int xNext(sqlite3_vtab_cursor* c) {
    return guarded(c->pVtab, [&] { cursorOf(c).rows->next(); });
}

int xEof(sqlite3_vtab_cursor* c) {
    const Cursor& cursor = cursorOf(c);
    return cursor.empty || cursor.rows->atEnd();
}

// Text and bytes are copied by SQLite (SQLITE_TRANSIENT): the view is gone
// once the cursor moves, and max() or a sorter may keep the value longer.
void setResult(sqlite3_context* ctx, const SqlValueView& value) {
    struct Visitor {
        sqlite3_context* ctx;
        void operator()(std::monostate) const { sqlite3_result_null(ctx); }
        void operator()(int64_t v) const { sqlite3_result_int64(ctx, v); }
        void operator()(double v) const { sqlite3_result_double(ctx, v); }
        void operator()(std::string_view v) const {
            sqlite3_result_text64(ctx, v.data(), v.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        void operator()(std::span<const std::byte> v) const {
            sqlite3_result_blob64(ctx, v.data(), v.size(), SQLITE_TRANSIENT);
        }
    };
    std::visit(Visitor{ctx}, value);
}

int xColumn(sqlite3_vtab_cursor* c, sqlite3_context* ctx, int column) {
    // An UPDATE that does not change this column need not read it (memos).
    if (sqlite3_vtab_nochange(ctx))
        return SQLITE_OK;
    return guarded(c->pVtab, [&] { setResult(ctx, cursorOf(c).rows->value(column)); });
}

int xRowid(sqlite3_vtab_cursor* c, sqlite3_int64* rowid) {
    *rowid = cursorOf(c).rows->recordNumber();
    return SQLITE_OK;
}

// argc 1: delete argv[0]; argv[0] NULL: insert; otherwise update argv[0].
// Columns follow from argv[2]; a column an UPDATE does not set arrives as
// "no change" and is left as it is in the record.
int xUpdate(sqlite3_vtab* v, int argc, sqlite3_value** argv, sqlite3_int64* rowid) {
    Vtab& vtab = vtabOf(v);
    return guarded(v, [&] {
        if (argc == 1) {
            vtab.source->remove(static_cast<uint32_t>(sqlite3_value_int64(argv[0])));
            return;
        }
        const auto& columns = vtab.source->columns();
        std::vector<std::optional<SqlValue>> values(columns.size());
        for (size_t i = 0; i < columns.size(); ++i) {
            sqlite3_value* value = argv[2 + i];
            if (!sqlite3_value_nochange(value))
                values[i] = storedValue(value, columns[i]);
        }
        if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
            if (sqlite3_value_type(argv[1]) != SQLITE_NULL) {
                throw DatabaseError("A new record's number is given by the table: leave rowid out of the INSERT.");
            }
            *rowid = vtab.source->append(values);
            return;
        }
        if (sqlite3_value_int64(argv[0]) != sqlite3_value_int64(argv[1])) {
            throw DatabaseError("A record's number (rowid) cannot be changed.");
        }
        vtab.source->update(static_cast<uint32_t>(sqlite3_value_int64(argv[0])), values);
    });
}

sqlite3_module makeModule() {
    sqlite3_module m{};
    m.iVersion = 1;
    m.xCreate = nullptr;  // eponymous only: the table exists without CREATE VIRTUAL TABLE
    m.xConnect = xConnect;
    m.xBestIndex = xBestIndex;
    m.xDisconnect = xDisconnect;
    m.xDestroy = xDisconnect;
    m.xOpen = xOpen;
    m.xClose = xClose;
    m.xFilter = xFilter;
    m.xNext = xNext;
    m.xEof = xEof;
    m.xColumn = xColumn;
    m.xRowid = xRowid;
    m.xUpdate = xUpdate;
    return m;
}

const sqlite3_module kModule = makeModule();

}  // namespace

void registerTableModule(sqlite3* db, const std::string& name, std::shared_ptr<ModuleContext> context) {
    auto* registration = new Registration{std::move(context), name};
    const int rc = sqlite3_create_module_v2(db, name.c_str(), &kModule, registration,
                                            [](void* p) { delete static_cast<Registration*>(p); });
    if (rc != SQLITE_OK)
        throw DatabaseError("Table " + name + " cannot be used in SQL: " + sqlite3_errmsg(db));
}

}  // namespace brimo::data::sql
