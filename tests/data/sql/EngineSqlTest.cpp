#include <gtest/gtest.h>

#include <algorithm>

#include "../TestDir.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Table.h"
#include "data/catalogue/Catalogue.h"
#include "data/catalogue/IndexBuild.h"
#include "data/catalogue/SqlStatements.h"
#include "data/catalogue/TableCreation.h"
#include "data/index/MdxIndex.h"
#include "data/sql/QueryByExample.h"
#include "data/sql/SqlConnection.h"

namespace brimo::data::sql {
namespace {

namespace statements = catalogue::sql;
using std::chrono::year;
using std::chrono::year_month_day;

SqlValue i(int64_t v) {
    return v;
}
SqlValue t(std::string v) {
    return v;
}

struct Customer {
    int custnum;
    const char* lastname;
    const char* taxcat;
};
struct ServiceOrder {
    int number;
    int custnum;
    int complete;  // -1: blank
    bool ready;
    int day;
};

const std::vector<Customer> kCustomers = {
    {12, "Smith", "STATE"}, {4, "Adams", "EXEMPT"}, {30, "Young", "STATE"}, {7, "Mills", "STATE"}};
const std::vector<ServiceOrder> kOrders = {{501, 30, 0, true, 3},
                                           {502, 12, 1, false, 4},
                                           {503, 4, -1, false, 5},
                                           {504, 12, 0, true, 6},
                                           {505, 99, 0, false, 7}};

// The catalogue's tables, filled through the engine, queried through SQL.
class EngineSqlTest : public testing::Test {
  protected:
    EngineSqlTest() {
        Database db(dir.path());
        auto cust = catalogue::createTable(db, "CUST");
        for (const Customer& c : kCustomers) {
            cust->append();
            cust->setNumber("CUSTNUM", c.custnum);
            cust->setString("LASTNAME", c.lastname);
            cust->setString("TAXCAT", c.taxcat);
            cust->post();
        }
        auto so = catalogue::createTable(db, "SO");
        for (const ServiceOrder& o : kOrders) {
            so->append();
            so->setNumber("NUMBER", o.number);
            so->setNumber("CUSTNUM", o.custnum);
            if (o.complete >= 0)
                so->setNumber("COMPLETE", o.complete);
            so->setBool("READY", o.ready);
            so->setDate("DATEIN", year_month_day{year(2024), std::chrono::March, std::chrono::day(o.day)});
            so->setString("TAXCAT", "STATE");
            so->post();
        }
        catalogue::createTable(db, "INVOICE");
        auto order = catalogue::createTable(db, "ORDER");
        order->append();
        order->setNumber("NUMBER", 9001);
        order->setNumber("CUSTNUM", 7);
        order->setString("REMOTECODE", "NORTH");
        order->setNumber("REMOTENUM", 42);
        order->setDate("TRANSDATE", year_month_day{year(2024), std::chrono::May, std::chrono::day(1)});
        order->post();
        auto location = catalogue::createTable(db, "LOCATION");
        for (const char* name : {"MAIN", "PHONE", "NORTH"}) {
            location->append();
            location->setString("LOCNAME", name);
            location->setString("PARENT", "MAIN");
            location->post();
        }
    }

    std::vector<SqlRow> rows(std::string_view sql, const SqlParameters& parameters = {}) {
        return connection().run(sql, parameters).rows->fetchAll();
    }
    SqlConnection& connection() {
        if (!sql)
            sql = std::make_unique<SqlConnection>(dir.path());
        return *sql;
    }
    std::vector<std::string> indexProblems(const std::string& table) {
        Database db(dir.path());
        auto open = db.openTable(table, OpenMode::ReadOnly);
        catalogue::TableRecords records(*open);
        auto mdx = index::MdxIndex::open(db.findFile(table + ".MDX"), open->fields(), false);
        return mdx.check(&records);
    }

    test::TestDir dir;
    std::unique_ptr<SqlConnection> sql;
};

TEST_F(EngineSqlTest, OpenServiceOrdersByName) {
    // Open orders (COMPLETE 0 or blank) with a customer, by last name.
    std::vector<SqlRow> expected;
    for (const ServiceOrder& o : kOrders) {
        auto c = std::find_if(kCustomers.begin(), kCustomers.end(), [&](auto& c) { return c.custnum == o.custnum; });
        if (o.complete > 0 || c == kCustomers.end())
            continue;
        expected.push_back({i(o.number), t("2024-03-0" + std::to_string(o.day)), i(o.custnum), i(c->custnum),
                            t(c->lastname), t(""), i(o.ready)});
    }
    std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a[4] < b[4]; });
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(rows(statements::kOpenServiceOrdersByName), expected);
}

TEST_F(EngineSqlTest, OpenServiceOrdersByNumber) {
    // Open orders (COMPLETE 0 or blank) with a customer, by number: number, date in, ready, last name.
    const auto& request = statements::kOpenServiceOrdersByNumber;
    auto query = runQueryByExample(connection(), std::vector<std::string_view>(request.begin(), request.end()));
    EXPECT_EQ(query->columnNames(), (std::vector<std::string>{"NUMBER", "DATEIN", "READY", "LASTNAME"}));
    EXPECT_EQ(query->fetchAll(), (std::vector<SqlRow>{{i(501), t("2024-03-03"), i(1), t("Young")},
                                                      {i(503), t("2024-03-05"), i(0), t("Adams")},
                                                      {i(504), t("2024-03-06"), i(1), t("Smith")}}));
    // Values meet numeric fields as numbers: 60 < 501 although "60" > "501".
    const std::vector<std::string_view> range = {"so.dbf | number | custnum |", " | check > 60, < 504 | check |"};
    EXPECT_EQ(runQueryByExample(connection(), range)->fetchAll(),
              (std::vector<SqlRow>{{i(501), i(30)}, {i(502), i(12)}, {i(503), i(4)}}));
}

TEST_F(EngineSqlTest, HighestCustomerNumber) {
    EXPECT_EQ(rows(statements::kHighestCustomerNumber), (std::vector<SqlRow>{{i(30)}}));
    EXPECT_EQ(connection().run("delete from cust where custnum = 30").changedRows, 1);
    EXPECT_EQ(rows(statements::kHighestCustomerNumber), (std::vector<SqlRow>{{i(12)}}));
}

TEST_F(EngineSqlTest, RemoteTransactionLookup) {
    const std::string byNumber = std::string(statements::kRemoteTransactionHead) + "\"order\"" +
                                 std::string(statements::kRemoteTransactionJoin) +
                                 std::string(statements::kRemoteTransactionByNumber);
    const std::vector<SqlRow> found = {{i(9001), t("2024-05-01"), t("Mills")}};
    EXPECT_EQ(rows(byNumber, {{"RemoteNum", i(42)}}), found);
    const std::string byLocation = std::string(statements::kRemoteTransactionHead) + "\"order\"" +
                                   std::string(statements::kRemoteTransactionJoinByLocation) +
                                   std::string(statements::kRemoteTransactionByLocationNumber);
    EXPECT_EQ(rows(byLocation, {{"RemoteCode", t("NORTH")}, {"RemoteNum", i(42)}}), found);
    EXPECT_TRUE(rows(byLocation, {{"RemoteCode", t("SOUTH")}, {"RemoteNum", i(42)}}).empty());
    EXPECT_EQ(rows(statements::kRemoteTransactionInitial), std::vector<SqlRow>{});
}

TEST_F(EngineSqlTest, RenamingKeepsTheIndexesConsistent) {
    EXPECT_EQ(connection()
                  .run(statements::kRenameTaxCategoryInCustomers, {{"newcat", t("PROVINCE")}, {"oldcat", t("STATE")}})
                  .changedRows,
              3);
    EXPECT_EQ(connection()
                  .run(statements::kRenameTaxCategoryInSalesHistory[3], {{"newcat", t("P")}, {"oldcat", t("STATE")}})
                  .changedRows,
              5);
    EXPECT_EQ(connection()
                  .run(statements::kRenameTaxCategoryInSalesHistory[1], {{"newcat", t("P")}, {"oldcat", t("STATE")}})
                  .changedRows,
              0);
    EXPECT_EQ(
        connection().run(statements::kRenameParentLocation, {{"NewName", t("HQ")}, {"OldName", t("MAIN")}}).changedRows,
        3);
    // A key field changed, records appended and deleted: every tag still agrees.
    connection().run("update cust set custnum = custnum + 100, lastname = upper(lastname) where custnum > 5");
    connection().run("insert into cust (custnum, lastname, dateadded) values (55, 'New', '2024-06-30')");
    connection().run("delete from cust where custnum = 4");
    EXPECT_EQ(rows("select custnum, lastname, taxcat, dateadded from cust order by custnum"),
              (std::vector<SqlRow>{{i(55), t("New"), t(""), t("2024-06-30")},
                                   {i(107), t("MILLS"), t("PROVINCE"), SqlValue{}},
                                   {i(112), t("SMITH"), t("PROVINCE"), SqlValue{}},
                                   {i(130), t("YOUNG"), t("PROVINCE"), SqlValue{}}}));
    for (const char* table : {"CUST", "SO", "LOCATION"}) EXPECT_EQ(indexProblems(table), std::vector<std::string>{});
    Database db(dir.path());
    auto cust = db.openTable("CUST", OpenMode::ReadOnly);
    cust->setActiveTag("CUSTNUM");
    EXPECT_TRUE(cust->findKey(112.0));
    EXPECT_EQ(cust->asString("LASTNAME"), "SMITH");
}

TEST_F(EngineSqlTest, DuplicateLocationNameCheck) {
    for (auto [name, count] : {std::pair{"PHONE", 1}, std::pair{"LOCNAME", 0}, std::pair{"NORTH", 1}}) {
        const std::string statement = std::string(statements::kCountLocationNamePrefix) + "\"" + name + "\"";
        EXPECT_EQ(rows(statement), (std::vector<SqlRow>{{i(count)}})) << name;
    }
}

TEST_F(EngineSqlTest, TablesAreFoundWithoutRegardToCaseAndCollisionsAreRefused) {
    EXPECT_EQ(rows("select count(*) from Cust"), (std::vector<SqlRow>{{i(4)}}));
    std::filesystem::copy_file(dir / "LOCATION.DBF", dir / "cust.dbf");
    SqlConnection fresh(dir.path());
    try {
        fresh.run("select count(*) from cust");
        ADD_FAILURE() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("ambiguous"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace brimo::data::sql
