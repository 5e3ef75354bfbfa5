// SQL over the dBASE tables against native SQLite tables holding the same
// data with the same indexes: the highest customer number, the open service
// orders with their customers (by name and by number), and a full-scan
// aggregate over the customers.
//
// Data: the sample data set with 1,000,000 customers (`brimo-db sample DIR
// --records 1000000`) and 100,000 service orders written here, one in five
// open (COMPLETE 0, or blank for one in twenty). The native copy is an
// SQLite file beside them, loaded from the tables, with indexes for the tags
// of CUST and SO. Both are made once in $BRIMO_SQL_BENCH_DIR (default
// /tmp/brimo-sql-bench) and reused; both are read from the page cache, and
// the native connection keeps the whole file in its own cache.
//
// The machine's speed drifts; compare medians of interleaved repetitions:
//   bench_sql --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/Database.h"
#include "data/Table.h"
#include "data/catalogue/Catalogue.h"
#include "data/catalogue/IndexBuild.h"
#include "data/catalogue/SqlStatements.h"
#include "data/sql/QueryByExample.h"
#include "data/sql/SqlConnection.h"
#include "data/sql/ValueCoercion.h"
#include "sample/SampleDataSet.h"

namespace {

using namespace brimo;
using data::sql::SqlConnection;

constexpr uint32_t kCustomers = 1'000'000;
constexpr uint32_t kServiceOrders = 100'000;

const std::string kHighestCustomer(data::catalogue::sql::kHighestCustomerNumber);
const std::string kOpenOrdersByName(data::catalogue::sql::kOpenServiceOrdersByName);
// The same statement in plain SQLite (the qualifier so. becomes the alias).
const std::string kOpenOrdersByNameNative =
    "select s.number, s.datein, s.custnum,  c.custnum, c.lastname, c.firstname, s.ready from so s, cust c "
    "where s.complete = 0 and c.custnum = s.custnum order by lastname";
const std::string kCustomerAggregate = "select count(*), sum(discpct), max(lastname), min(dateadded) from cust";

data::sql::TranslatedQuery openOrdersByNumber() {
    const auto& lines = data::catalogue::sql::kOpenServiceOrdersByNumber;
    return data::sql::translateQueryByExample(std::vector<std::string_view>(lines.begin(), lines.end()));
}

uint32_t recordsOf(const std::filesystem::path& dir, const char* table) {
    if (!std::filesystem::exists(dir))
        return 0;
    data::Database db(dir);
    return db.tableExists(table) ? db.openTable(table, data::OpenMode::ReadOnly)->recordCount() : 0;
}

void writeServiceOrders(const std::filesystem::path& dir) {
    data::Database db(dir);
    const auto& def = data::catalogue::table("SO");
    auto so = db.createTable(def.fileName, def.fields);
    for (uint32_t i = 1; i <= kServiceOrders; ++i) {
        so->append();
        so->setNumber("NUMBER", 100'000 + i);
        so->setDate("DATEIN",
                    std::chrono::year_month_day{std::chrono::year(2020 + static_cast<int>(i % 6)),
                                                std::chrono::month(1 + i % 12), std::chrono::day(1 + i % 28)});
        so->setNumber("CUSTNUM", (i * 7919u) % kCustomers + 1);
        so->setBool("READY", i % 3 == 0);
        if (i % 20 != 0)
            so->setNumber("COMPLETE", i % 5 == 0 ? 0 : 1);
        so->setString("TAXCAT", i % 2 ? "STATE" : "EXEMPT");
        so->post();
    }
    data::catalogue::buildIndex(*so, def);
}

void check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// Copies a table into the native database, every column with the type and
// the values the table module gives it.
void copyTable(sqlite3* native, SqlConnection& sql, const std::string& table) {
    std::string create = "create table " + table + "(", insert = "insert into " + table + " values(";
    const auto columns = sql.run("select name, type from pragma_table_info('" + table + "')").rows->fetchAll();
    for (size_t i = 0; i < columns.size(); ++i) {
        create += (i ? ", " : "") + std::get<std::string>(columns[i][0]) + " " + std::get<std::string>(columns[i][1]);
        insert += i ? ", ?" : "?";
    }
    auto rows = sql.run("select * from " + table).rows;
    check(native, sqlite3_exec(native, (create + ")").c_str(), nullptr, nullptr, nullptr));
    sqlite3_stmt* statement = nullptr;
    check(native, sqlite3_prepare_v2(native, (insert + ")").c_str(), -1, &statement, nullptr));
    for (auto batch = rows->fetch(10'000); !batch.empty(); batch = rows->fetch(10'000)) {
        for (const auto& row : batch) {
            for (size_t i = 0; i < row.size(); ++i) {
                const int column = static_cast<int>(i + 1);
                if (auto* n = std::get_if<int64_t>(&row[i]))
                    sqlite3_bind_int64(statement, column, *n);
                else if (auto* d = std::get_if<double>(&row[i]))
                    sqlite3_bind_double(statement, column, *d);
                else if (auto* t = std::get_if<std::string>(&row[i]))
                    sqlite3_bind_text(statement, column, t->c_str(), -1, SQLITE_TRANSIENT);
                else if (auto* b = std::get_if<std::vector<std::byte>>(&row[i]))
                    sqlite3_bind_blob(statement, column, b->data(), static_cast<int>(b->size()), SQLITE_TRANSIENT);
                else
                    sqlite3_bind_null(statement, column);
            }
            check(native, sqlite3_step(statement));
            sqlite3_reset(statement);
        }
    }
    sqlite3_finalize(statement);
}

void writeNativeCopy(const std::filesystem::path& dir, const std::filesystem::path& file) {
    std::filesystem::remove(file);
    sqlite3* native = nullptr;
    check(native, sqlite3_open(file.c_str(), &native));
    SqlConnection sql(dir);
    check(native, sqlite3_exec(native, "begin", nullptr, nullptr, nullptr));
    copyTable(native, sql, "cust");
    copyTable(native, sql, "so");
    // The tags of the tables: CUST FULLNAME, CUSTNUM, EXTACCT; SO NUMBER.
    check(native, sqlite3_exec(native,
                               "create index cust_fullname on cust(upper(lastname || firstname));"
                               "create index cust_custnum on cust(custnum);"
                               "create index cust_extacct on cust(extacct);"
                               "create index so_number on so(number);"
                               "commit; analyze;",
                               nullptr, nullptr, nullptr));
    sqlite3_close(native);
}

const std::filesystem::path& dataDirectory() {
    static const std::filesystem::path dir = [] {
        const char* env = std::getenv("BRIMO_SQL_BENCH_DIR");
        std::filesystem::path path = env ? env : "/tmp/brimo-sql-bench";
        bool fresh = false;
        if (recordsOf(path, "CUST") != kCustomers) {
            sample::writeSampleDataSet(path, {kCustomers});
            fresh = true;
        }
        if (fresh || recordsOf(path, "SO") != kServiceOrders) {
            writeServiceOrders(path);
            fresh = true;
        }
        if (fresh || !std::filesystem::exists(path / "native.sqlite"))
            writeNativeCopy(path, path / "native.sqlite");
        return path;
    }();
    return dir;
}

// The statement through the table module, every row fetched.
void runModule(benchmark::State& state, const std::string& statement, const data::sql::SqlParameters& parameters = {}) {
    SqlConnection sql(dataDirectory());
    size_t rows = sql.run(statement, parameters).rows->fetchAll().size();  // warms the page cache
    for (auto _ : state) {
        rows = sql.run(statement, parameters).rows->fetchAll().size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

// The statement on the native copy, every row read into the same row values
// as the module's queries give (SqlQuery::fetch), so both sides do the same
// work besides reading the tables. With
// argument 0 SQLite keeps its default page cache (2 MB) and reads the rest
// through the page cache of the system, as the dBASE tables are read; with 1
// its own cache holds the whole file.
void runNative(benchmark::State& state, const std::string& statement, const data::sql::SqlParameters& parameters = {}) {
    sqlite3* native = nullptr;
    check(native, sqlite3_open_v2((dataDirectory() / "native.sqlite").c_str(), &native, SQLITE_OPEN_READONLY, nullptr));
    if (state.range(0) == 1)
        check(native, sqlite3_exec(native, "pragma cache_size = -1000000", nullptr, nullptr, nullptr));
    size_t rows = 0;
    auto run = [&] {
        sqlite3_stmt* statementHandle = nullptr;
        check(native, sqlite3_prepare_v2(native, statement.c_str(), -1, &statementHandle, nullptr));
        for (const auto& [name, value] : parameters) {
            const int index = sqlite3_bind_parameter_index(statementHandle, (":" + name).c_str());
            const auto& text = std::get<std::string>(value);
            sqlite3_bind_text(statementHandle, index, text.c_str(), -1, SQLITE_TRANSIENT);
        }
        std::vector<data::sql::SqlRow> fetched;
        while (sqlite3_step(statementHandle) == SQLITE_ROW) {
            data::sql::SqlRow row;
            row.reserve(static_cast<size_t>(sqlite3_column_count(statementHandle)));
            for (int c = 0; c < sqlite3_column_count(statementHandle); ++c)
                row.push_back(data::sql::plainValue(sqlite3_column_value(statementHandle, c)));
            fetched.push_back(std::move(row));
        }
        sqlite3_finalize(statementHandle);
        rows = fetched.size();
    };
    run();  // fills SQLite's own cache (argument 1) and the page cache
    for (auto _ : state) run();
    sqlite3_close(native);
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_HighestCustomer_Module(benchmark::State& state) {
    runModule(state, kHighestCustomer);
}
void BM_HighestCustomer_Native(benchmark::State& state) {
    runNative(state, kHighestCustomer);
}
void BM_OpenOrdersByName_Module(benchmark::State& state) {
    runModule(state, kOpenOrdersByName);
}
void BM_OpenOrdersByName_Native(benchmark::State& state) {
    runNative(state, kOpenOrdersByNameNative);
}
void BM_OpenOrdersByNumber_Module(benchmark::State& state) {
    const auto query = openOrdersByNumber();
    runModule(state, query.sql, query.parameters);
}
void BM_OpenOrdersByNumber_Native(benchmark::State& state) {
    const auto query = openOrdersByNumber();
    runNative(state, query.sql, query.parameters);
}
void BM_CustomerAggregate_Module(benchmark::State& state) {
    runModule(state, kCustomerAggregate);
}
void BM_CustomerAggregate_Native(benchmark::State& state) {
    runNative(state, kCustomerAggregate);
}

}  // namespace

#define BRIMO_SQL_BENCHMARK(name, unit) BENCHMARK(name)->Unit(benchmark::unit)->ReportAggregatesOnly(true)
#define BRIMO_SQL_NATIVE_BENCHMARK(name, unit) BRIMO_SQL_BENCHMARK(name, unit)->Arg(0)->Arg(1)

BRIMO_SQL_BENCHMARK(BM_HighestCustomer_Module, kMicrosecond);
BRIMO_SQL_NATIVE_BENCHMARK(BM_HighestCustomer_Native, kMicrosecond);
BRIMO_SQL_BENCHMARK(BM_OpenOrdersByName_Module, kMillisecond);
BRIMO_SQL_NATIVE_BENCHMARK(BM_OpenOrdersByName_Native, kMillisecond);
BRIMO_SQL_BENCHMARK(BM_OpenOrdersByNumber_Module, kMillisecond);
BRIMO_SQL_NATIVE_BENCHMARK(BM_OpenOrdersByNumber_Native, kMillisecond);
BRIMO_SQL_BENCHMARK(BM_CustomerAggregate_Module, kMillisecond);
BRIMO_SQL_NATIVE_BENCHMARK(BM_CustomerAggregate_Native, kMillisecond);

BENCHMARK_MAIN();
