#include "data/sql/SqlConnection.h"

#include <gtest/gtest.h>

#include "MemoryTables.h"
#include "data/DatabaseError.h"

namespace brimo::data::sql {
namespace {

using test::MemoryTable;
using test::MemoryTables;

SqlValue i(int64_t v) {
    return v;
}
SqlValue t(std::string v) {
    return v;
}

// cust(custnum tagged, lastname, city) and so(number tagged, custnum untagged, complete).
class SqlConnectionTest : public testing::Test {
  protected:
    SqlConnectionTest() {
        cust = std::make_shared<MemoryTable>(
            std::vector<SourceColumn>{
                {"CUSTNUM", ColumnType::Integer}, {"LASTNAME", ColumnType::Text}, {"CITY", ColumnType::Text}},
            std::vector<SourceIndex>{{"CUSTNUM", 0, false, true, true}, {"LASTNAME", 1, false, true, false}});
        cust->add({i(3), t("Smith"), t("Leeds")});
        cust->add({i(1), t("Jones"), t("York")});
        cust->add({i(7), t("Smythe"), t("Leeds")});
        cust->add({i(5), t("Brown"), t("Hull")});
        so = std::make_shared<MemoryTable>(
            std::vector<SourceColumn>{
                {"NUMBER", ColumnType::Integer}, {"CUSTNUM", ColumnType::Integer}, {"COMPLETE", ColumnType::Integer}},
            std::vector<SourceIndex>{{"NUMBER", 0, false, true, true}});
        for (int64_t n = 1; n <= 6; ++n) so->add({i(100 + n), i(n % 2 ? 3 : 7), i(n == 4)});
        tables->tables = {{"CUST", cust}, {"SO", so}};
    }

    std::vector<SqlRow> rows(std::string_view sql, const SqlParameters& parameters = {}) {
        return connection.run(sql, parameters).rows->fetchAll();
    }

    std::shared_ptr<MemoryTables> tables = std::make_shared<MemoryTables>();
    std::shared_ptr<MemoryTable> cust;
    std::shared_ptr<MemoryTable> so;
    SqlConnection connection{tables};
};

TEST_F(SqlConnectionTest, QueryIsReadIncrementallyWithItsColumnNames) {
    SqlResult result = connection.run("select custnum, LastName as name from cust");
    ASSERT_TRUE(result.isQuery());
    // SQLite names a plain column as the table declares it.
    EXPECT_EQ(result.rows->columnNames(), (std::vector<std::string>{"CUSTNUM", "name"}));
    EXPECT_EQ(result.rows->fetch(3).size(), 3u);
    EXPECT_FALSE(result.rows->atEnd());
    EXPECT_EQ(result.rows->fetch(3), (std::vector<SqlRow>{{i(5), t("Brown")}}));
    EXPECT_TRUE(result.rows->atEnd());
    EXPECT_TRUE(result.rows->fetch(3).empty());
}

TEST_F(SqlConnectionTest, QueryOutlivesItsConnection) {
    std::unique_ptr<SqlQuery> query;
    {
        SqlConnection other(tables);
        query = other.run("select custnum from cust order by custnum").rows;
    }
    EXPECT_EQ(query->fetchAll().size(), 4u);
}

TEST_F(SqlConnectionTest, ChangesReportTheRowsChanged) {
    EXPECT_EQ(connection.run("update cust set city = 'Ripon' where city = 'Leeds'").changedRows, 2);
    EXPECT_EQ(connection.run("update cust set city = 'Ripon' where city = 'Nowhere'").changedRows, 0);
    EXPECT_EQ(connection.run("insert into cust (custnum, lastname) values (9, 'New')").changedRows, 1);
    EXPECT_EQ(cust->row(5), (SqlRow{i(9), t("New"), SqlValue{}}));
    EXPECT_EQ(connection.run("delete from cust where custnum = 1").changedRows, 1);
    EXPECT_TRUE(cust->deleted(2));
    EXPECT_EQ(rows("select count(*) from cust"), (std::vector<SqlRow>{{i(4)}}));
}

TEST_F(SqlConnectionTest, UpdateLeavesColumnsItDoesNotSetUnread) {
    // NULL stored in CITY: an update of LASTNAME must not hand it back as a change.
    SqlResult result = connection.run("update cust set lastname = 'Smith-Jones' where custnum = 3");
    EXPECT_EQ(result.changedRows, 1);
    EXPECT_EQ(cust->row(1), (SqlRow{i(3), t("Smith-Jones"), t("Leeds")}));
}

TEST_F(SqlConnectionTest, ParametersAreBoundByExactName) {
    EXPECT_EQ(rows("select lastname from cust where custnum = :Num", {{"Num", i(7)}}),
              (std::vector<SqlRow>{{t("Smythe")}}));
    EXPECT_EQ(connection.run("update cust set city = :new where city = :old", {{"new", t("X")}, {"old", t("Leeds")}})
                  .changedRows,
              2);
}

TEST_F(SqlConnectionTest, ErrorsCarryAClearMessage) {
    struct Case {
        const char* sql;
        SqlParameters parameters;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"select from where", {}, "syntax error"},
        {"select * from nosuchtable", {}, "no such table: nosuchtable"},
        {"select nosuchcolumn from cust", {}, "no such column: nosuchcolumn"},
        {"select * from cust where custnum = :Num", {}, "Parameter :Num has no value."},
        {"select * from cust where custnum = :Num", {{"num", i(1)}}, "Parameter :Num has no value."},
        {"select * from cust where custnum = ?", {}, "Parameter ?1 has no value"},
        {"select * from cust", {{"Extra", i(1)}}, "The statement has no parameter :Extra."},
        {"select 1; select 2", {}, "Only one statement can be run at a time."},
        {"  -- nothing\n", {}, "The statement is empty."},
        {"create table cust (a)", {}, "creating, dropping or altering tables"},
        {"create temp view v as select 1", {}, "creating, dropping or altering tables"},
        {"begin", {}, "transactions are not allowed"},
        {"attach '/tmp/x.db' as x", {}, "too many attached databases"},
        {"insert into cust (rowid, custnum) values (99, 1)", {}, "leave rowid out"},
        {"update cust set rowid = 99 where custnum = 1", {}, "cannot be changed"},
        {"update cust set custnum = 'abc' where custnum = 1", {}, "Field CUSTNUM needs a number, not 'abc'."},
    };
    for (const Case& c : cases) {
        try {
            auto result = connection.run(c.sql, c.parameters);
            if (result.isQuery())
                result.rows->fetchAll();
            ADD_FAILURE() << c.sql << ": no error";
        } catch (const DatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.sql << ": " << e.what();
        }
    }
    // A trailing semicolon is not a second statement.
    EXPECT_EQ(rows("select 1;  ;"), (std::vector<SqlRow>{{i(1)}}));
}

TEST_F(SqlConnectionTest, TableAddedLaterIsFoundOnFirstUse) {
    auto later = std::make_shared<MemoryTable>(std::vector<SourceColumn>{{"A", ColumnType::Integer}},
                                               std::vector<SourceIndex>{});
    later->add({i(1)});
    tables->tables["LATER"] = later;
    EXPECT_EQ(rows("select a from later"), (std::vector<SqlRow>{{i(1)}}));
}

TEST_F(SqlConnectionTest, OldDialectRunsVerbatim) {
    EXPECT_EQ(rows("select s.number, c.lastname from so s, cust c where so.complete = 0 and c.custnum = s.custnum "
                   "order by s.number"),
              (std::vector<SqlRow>{{i(101), t("Smith")},
                                   {i(102), t("Smythe")},
                                   {i(103), t("Smith")},
                                   {i(105), t("Smith")},
                                   {i(106), t("Smythe")}}));
    // "CITY" names a column; in a value position it is the text CITY, which no row holds.
    EXPECT_EQ(rows("select count(*) from cust where lastname = \"CITY\""), (std::vector<SqlRow>{{i(0)}}));
    EXPECT_EQ(rows("select count(*) from cust where city = \"Leeds\""), (std::vector<SqlRow>{{i(2)}}));
}

TEST_F(SqlConnectionTest, MaximumOfATaggedColumnReadsOneRow) {
    EXPECT_EQ(rows("select max(CustNum) from cust"), (std::vector<SqlRow>{{i(7)}}));
    EXPECT_EQ(cust->counters.seeks, 1);
    EXPECT_EQ(cust->counters.scans, 0);
    EXPECT_EQ(cust->counters.rowsRead, 1);
}

TEST_F(SqlConnectionTest, JoinSeeksTheInnerTableInsteadOfScanningIt) {
    // CROSS JOIN keeps the order of the tables, so each side is once the inner one.
    EXPECT_EQ(rows("select count(*) from so s cross join cust c where c.custnum = s.custnum"),
              (std::vector<SqlRow>{{i(6)}}));
    EXPECT_EQ(cust->counters.scans, 0);
    EXPECT_EQ(cust->counters.seeks, 6);
    // The untagged so.custnum: the first lookup is a scan, the second builds
    // a key map (one scan more), which serves every further lookup.
    so->counters = {};
    EXPECT_EQ(rows("select count(*) from cust c cross join so s where s.custnum = c.custnum"),
              (std::vector<SqlRow>{{i(6)}}));
    EXPECT_EQ(so->counters.scans, 2);
    EXPECT_EQ(so->counters.visits, 3);
    // A single lookup builds no map.
    so->counters = {};
    EXPECT_EQ(rows("select count(*) from so where custnum = 7"), (std::vector<SqlRow>{{i(3)}}));
    EXPECT_EQ(so->counters.scans, 1);
    EXPECT_EQ(so->counters.visits, 0);
}

TEST_F(SqlConnectionTest, ConstraintValuesAreCoercedToTheColumnType) {
    struct Case {
        const char* sql;
        std::vector<SqlRow> expected;
    };
    const std::vector<Case> cases = {
        {"select lastname from cust where custnum = '3'", {{t("Smith")}}},
        {"select lastname from cust where custnum = 3.0", {{t("Smith")}}},
        {"select lastname from cust where custnum in ('1', 5) order by 1", {{t("Brown")}, {t("Jones")}}},
        {"select lastname from cust where custnum = 'x'", {}},
        {"select lastname from cust where custnum = null", {}},
        {"select number from so where custnum = '7' order by 1", {{i(102)}, {i(104)}, {i(106)}}},
        {"select custnum from cust where custnum between '3' and 5 order by 1", {{i(3)}, {i(5)}}},
        {"select custnum from cust where custnum > 3 and custnum < 7", {{i(5)}}},
        {"select custnum from cust where custnum >= 5 order by custnum desc", {{i(7)}, {i(5)}}},
        // The LIKE range must not stand in for the LIKE itself.
        {"select lastname from cust where lastname like 'Sm%th' order by 1", {{t("Smith")}}},
        {"select lastname from cust where lastname > 'Smith' order by 1", {{t("Smythe")}}},
    };
    for (const Case& c : cases) EXPECT_EQ(rows(c.sql), c.expected) << c.sql;
    so->add({i(200), i(5), i(0)});  // a value of another table as text
    cust->add({i(8), t("5"), t("")});
    EXPECT_EQ(rows("select custnum from cust where lastname = 5"), (std::vector<SqlRow>{{i(8)}}));
}

TEST_F(SqlConnectionTest, DeletedRecordsAreInvisible) {
    cust->markDeleted(3);
    EXPECT_EQ(rows("select max(custnum) from cust"), (std::vector<SqlRow>{{i(5)}}));
    EXPECT_EQ(rows("select count(*) from cust where custnum = 7"), (std::vector<SqlRow>{{i(0)}}));
    EXPECT_EQ(rows("select count(*) from so s join cust c on c.custnum = s.custnum"), (std::vector<SqlRow>{{i(3)}}));
}

}  // namespace
}  // namespace brimo::data::sql
