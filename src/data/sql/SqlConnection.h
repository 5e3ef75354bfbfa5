#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/sql/SqlValue.h"
#include "data/sql/TableSource.h"

struct sqlite3_stmt;

namespace brimo::data::sql {

namespace detail {
struct ConnectionState;
}

// The rows of a query, read as they are needed: a grid shows the first screen
// without the whole result being read. Read-only. It keeps the connection's
// SQLite handle alive, so it may outlive its SqlConnection; it is used by one
// thread, the connection's.
class SqlQuery {
  public:
    ~SqlQuery();
    SqlQuery(const SqlQuery&) = delete;
    SqlQuery& operator=(const SqlQuery&) = delete;

    // Column names as SQLite names them ("max(CustNum)", "lastname").
    const std::vector<std::string>& columnNames() const { return columnNames_; }
    // Up to `count` further rows; fewer, or none, once the end is reached.
    // Throws DatabaseError when reading fails (the query then stays at its end).
    std::vector<SqlRow> fetch(size_t count);
    // Every remaining row.
    std::vector<SqlRow> fetchAll();
    bool atEnd() const { return done_ && !pending_ && !error_; }

  private:
    friend class SqlConnection;
    SqlQuery(std::shared_ptr<detail::ConnectionState> state, sqlite3_stmt* statement);
    bool step();  // reads the next row into pending_; false at the end

    std::shared_ptr<detail::ConnectionState> state_;
    sqlite3_stmt* statement_;
    std::vector<std::string> columnNames_;
    std::optional<SqlRow> pending_;
    std::optional<std::string> error_;  // a failure after rows already fetched, reported next
    bool done_ = false;
};

// What running a statement gave: the rows of a query, or the number of rows
// another statement changed.
struct SqlResult {
    std::unique_ptr<SqlQuery> rows;  // set for a query
    int64_t changedRows = 0;
    bool isQuery() const { return rows != nullptr; }
};

// SQL over the tables of one data directory: every .DBF file is a table under
// its base name (without regard to letter case). Statements may be written in
// the old desktop dialect (see rewriteDialect()); named parameters are written
// :Name.
//
// One statement per call; a second one in the same text is refused. Only the
// directory's tables can be used: creating, dropping or altering tables,
// attaching files and transactions are refused (changes are written to the
// tables record by record as the statement runs, so there is nothing to roll
// back). Errors are DatabaseError carrying SQLite's or the engine's message.
class SqlConnection {
  public:
    // Throws DatabaseError when the directory cannot be used.
    explicit SqlConnection(const std::filesystem::path& dataDirectory);
    explicit SqlConnection(std::shared_ptr<TableProvider> tables);
    ~SqlConnection();
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    // Runs one statement. Every parameter of the statement must be given in
    // `parameters` (by its name without the colon, letter case included), and
    // every parameter given must occur in the statement.
    SqlResult run(std::string_view statement, const SqlParameters& parameters = {});

  private:
    std::shared_ptr<detail::ConnectionState> state_;
};

}  // namespace brimo::data::sql
