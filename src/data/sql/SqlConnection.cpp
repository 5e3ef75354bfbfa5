#include "data/sql/SqlConnection.h"

#include <sqlite3.h>

#include <set>

#include "data/DatabaseError.h"
#include "data/sql/DialectRewrite.h"
#include "data/sql/DirectoryTables.h"
#include "data/sql/SqlTokenizer.h"
#include "data/sql/TableModule.h"
#include "data/sql/ValueCoercion.h"

namespace brimo::data::sql {

namespace detail {

struct ConnectionState {
    sqlite3* db = nullptr;
    std::shared_ptr<ModuleContext> context;
    std::set<std::string> registered;  // folded names of the tables registered
    std::set<std::string> builtIn;     // folded names of SQLite's own modules

    ~ConnectionState() { sqlite3_close_v2(db); }
};

}  // namespace detail

namespace {

using detail::ConnectionState;

std::string folded(std::string_view name) {
    std::string f(name);
    for (char& c : f) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return f;
}

[[noreturn]] void fail(sqlite3* db) {
    throw DatabaseError(sqlite3_errmsg(db));
}

// Refuses every change to the schema except a module declaring its table,
// and transactions, which the tables cannot roll back.
int authorize(void* user, int action, const char*, const char*, const char*, const char*) {
    const auto& state = *static_cast<ConnectionState*>(user);
    switch (action) {
        case SQLITE_CREATE_INDEX:
        case SQLITE_CREATE_TABLE:
        case SQLITE_CREATE_TEMP_INDEX:
        case SQLITE_CREATE_TEMP_TABLE:
        case SQLITE_CREATE_TEMP_TRIGGER:
        case SQLITE_CREATE_TEMP_VIEW:
        case SQLITE_CREATE_TRIGGER:
        case SQLITE_CREATE_VIEW:
        case SQLITE_DROP_INDEX:
        case SQLITE_DROP_TABLE:
        case SQLITE_DROP_TEMP_INDEX:
        case SQLITE_DROP_TEMP_TABLE:
        case SQLITE_DROP_TEMP_TRIGGER:
        case SQLITE_DROP_TEMP_VIEW:
        case SQLITE_DROP_TRIGGER:
        case SQLITE_DROP_VIEW:
        case SQLITE_ALTER_TABLE:
        case SQLITE_CREATE_VTABLE:
        case SQLITE_DROP_VTABLE:
        case SQLITE_TRANSACTION:
        case SQLITE_SAVEPOINT:
            return state.context->declaring ? SQLITE_OK : SQLITE_DENY;
        default:
            return SQLITE_OK;
    }
}

// Registers the tables found now that are not registered yet. A table named
// like one of SQLite's own modules (json_each, ...) is left out, so that it
// cannot change the meaning of SQLite's functions.
void registerTables(ConnectionState& state) {
    for (const std::string& name : state.context->provider->tableNames()) {
        const std::string key = folded(name);
        if (state.registered.count(key) || state.builtIn.count(key) || key.starts_with("sqlite_"))
            continue;
        registerTableModule(state.db, name, state.context);
        state.registered.insert(key);
    }
}

std::shared_ptr<ConnectionState> openConnection(std::shared_ptr<TableProvider> tables) {
    auto state = std::make_shared<ConnectionState>();
    state->context = std::make_shared<ModuleContext>();
    state->context->provider = std::move(tables);
    if (sqlite3_open_v2(":memory:", &state->db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        throw DatabaseError(state->db ? sqlite3_errmsg(state->db) : "SQLite cannot open a connection.");
    }
    sqlite3_extended_result_codes(state->db, 1);
    // Double quotes name identifiers only; the dialect rewrite turns the old
    // dialect's double-quoted texts into string literals first.
    sqlite3_db_config(state->db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(state->db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    // No ATTACH and no VACUUM INTO: SQL reaches the directory's tables and no other file.
    sqlite3_limit(state->db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_stmt* modules = nullptr;
    if (sqlite3_prepare_v2(state->db, "select name from pragma_module_list", -1, &modules, nullptr) != SQLITE_OK) {
        fail(state->db);
    }
    while (sqlite3_step(modules) == SQLITE_ROW) {
        state->builtIn.insert(folded(reinterpret_cast<const char*>(sqlite3_column_text(modules, 0))));
    }
    sqlite3_finalize(modules);
    sqlite3_set_authorizer(state->db, authorize, state.get());
    registerTables(*state);
    return state;
}

bool onlySemicolons(std::string_view tail) {
    for (const Token& t : tokenize(tail)) {
        if (t.significant() && !t.isOperator(";"))
            return false;
    }
    return true;
}

sqlite3_stmt* prepare(ConnectionState& state, const std::string& sql) {
    for (int attempt = 0;; ++attempt) {
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v2(state.db, sql.c_str(), static_cast<int>(sql.size()), &statement, &tail);
        if (rc == SQLITE_OK) {
            if (!statement)
                throw DatabaseError("The statement is empty.");
            if (!onlySemicolons(std::string_view(tail, sql.data() + sql.size() - tail))) {
                sqlite3_finalize(statement);
                throw DatabaseError("Only one statement can be run at a time.");
            }
            return statement;
        }
        const std::string message = sqlite3_errmsg(state.db);
        if ((rc & 0xff) == SQLITE_AUTH) {
            throw DatabaseError(
                "Only the tables of the data directory can be used: creating, dropping or altering tables and "
                "transactions are not allowed.");
        }
        // A table added to the directory since the connection opened.
        if (attempt == 0 && message.starts_with("no such table")) {
            registerTables(state);
            continue;
        }
        throw DatabaseError(message);
    }
}

void bind(sqlite3* db, sqlite3_stmt* statement, int index, const SqlValue& value) {
    struct Binder {
        sqlite3_stmt* s;
        int i;
        int operator()(std::monostate) const { return sqlite3_bind_null(s, i); }
        int operator()(int64_t v) const { return sqlite3_bind_int64(s, i, v); }
        int operator()(double v) const { return sqlite3_bind_double(s, i, v); }
        int operator()(const std::string& v) const {
            return sqlite3_bind_text64(s, i, v.data(), v.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        int operator()(const std::vector<std::byte>& v) const {
            return sqlite3_bind_blob64(s, i, v.data(), v.size(), SQLITE_TRANSIENT);
        }
    };
    if (std::visit(Binder{statement, index}, value) != SQLITE_OK)
        fail(db);
}

void bindParameters(sqlite3* db, sqlite3_stmt* statement, const SqlParameters& parameters) {
    std::set<std::string_view> used;
    for (int i = 1; i <= sqlite3_bind_parameter_count(statement); ++i) {
        const char* name = sqlite3_bind_parameter_name(statement, i);
        if (!name)
            throw DatabaseError("Parameter ?" + std::to_string(i) + " has no value: name it, e.g. :Number.");
        auto it = parameters.find(std::string_view(name + 1));
        if (it == parameters.end())
            throw DatabaseError(std::string("Parameter ") + name + " has no value.");
        bind(db, statement, i, it->second);
        used.insert(it->first);
    }
    for (const auto& [name, value] : parameters) {
        if (!used.count(name))
            throw DatabaseError("The statement has no parameter :" + name + ".");
    }
}

}  // namespace

SqlConnection::SqlConnection(const std::filesystem::path& dataDirectory)
    : SqlConnection(std::make_shared<DirectoryTables>(dataDirectory)) {}

SqlConnection::SqlConnection(std::shared_ptr<TableProvider> tables) : state_(openConnection(std::move(tables))) {}

SqlConnection::~SqlConnection() = default;

SqlResult SqlConnection::run(std::string_view text, const SqlParameters& parameters) {
    sqlite3_stmt* statement = prepare(*state_, rewriteDialect(text));
    SqlResult result;
    try {
        bindParameters(state_->db, statement, parameters);
        if (sqlite3_column_count(statement) > 0) {
            result.rows.reset(new SqlQuery(state_, statement));
            return result;
        }
        const sqlite3_int64 before = sqlite3_total_changes64(state_->db);
        const int rc = sqlite3_step(statement);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            fail(state_->db);
        result.changedRows = sqlite3_total_changes64(state_->db) - before;
    } catch (...) {
        if (!result.rows)
            sqlite3_finalize(statement);
        throw;
    }
    sqlite3_finalize(statement);
    return result;
}

SqlQuery::SqlQuery(std::shared_ptr<detail::ConnectionState> state, sqlite3_stmt* statement)
    : state_(std::move(state)), statement_(statement) {
    for (int i = 0; i < sqlite3_column_count(statement_); ++i)
        columnNames_.emplace_back(sqlite3_column_name(statement_, i));
    // The first row is read now, so that a query that cannot run fails when it is opened.
    step();
}

SqlQuery::~SqlQuery() {
    sqlite3_finalize(statement_);
}

bool SqlQuery::step() {
    if (done_)
        return false;
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_DONE) {
        done_ = true;  // stepping again would run the statement again
        return false;
    }
    if (rc != SQLITE_ROW) {
        done_ = true;
        throw DatabaseError(sqlite3_errmsg(state_->db));
    }
    SqlRow row;
    row.reserve(columnNames_.size());
    for (int i = 0; i < static_cast<int>(columnNames_.size()); ++i) {
        row.push_back(plainValue(sqlite3_column_value(statement_, i)));
    }
    pending_ = std::move(row);
    return true;
}

std::vector<SqlRow> SqlQuery::fetch(size_t count) {
    if (error_) {
        const std::string message = *error_;
        error_.reset();
        throw DatabaseError(message);
    }
    std::vector<SqlRow> rows;
    while (rows.size() < count && pending_) {
        rows.push_back(std::move(*pending_));
        pending_.reset();
        try {
            step();
        } catch (const DatabaseError& e) {
            error_ = e.what();  // the rows read so far are returned first
        }
    }
    return rows;
}

std::vector<SqlRow> SqlQuery::fetchAll() {
    return fetch(SIZE_MAX);
}

}  // namespace brimo::data::sql
