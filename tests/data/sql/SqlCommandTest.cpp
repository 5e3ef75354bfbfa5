#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "../TestDir.h"
#include "Cli.h"
#include "data/Database.h"
#include "data/Table.h"
#include "data/catalogue/TableCreation.h"

// brimo-db sql: the command line over SqlConnection.

namespace brimo::dbtool {
namespace {

using ::testing::HasSubstr;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class SqlCommandTest : public testing::Test {
  protected:
    SqlCommandTest() {
        data::Database db(dir.path());
        auto cust = data::catalogue::createTable(db, "CUST");
        const struct {
            int number;
            const char* lastname;
            const char* taxcat;
        } customers[] = {{12, "Smith, Jr.", "STATE"}, {4, "Ädams", "EXEMPT"}, {130, "Say \"Hi\"", "STATE"}};
        for (const auto& c : customers) {
            cust->append();
            cust->setNumber("CUSTNUM", c.number);
            cust->setString("LASTNAME", c.lastname);
            cust->setString("TAXCAT", c.taxcat);
            cust->post();
        }
    }

    Outcome sql(std::vector<std::string> extra) {
        std::vector<std::string> args = {"sql", dir.path().string()};
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream out, err;
        Outcome outcome;
        outcome.status = run(args, out, err);
        outcome.out = out.str();
        outcome.err = err.str();
        return outcome;
    }

    data::test::TestDir dir;
};

TEST_F(SqlCommandTest, QueryPrintsAnAlignedTable) {
    // Numbers to the right, text to the left, widths counted in characters (Ä is two bytes).
    const Outcome result = sql({"select custnum, lastname, discpct from cust order by lastname"});
    EXPECT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(result.out,
              "CUSTNUM  LASTNAME    DISCPCT\n"
              "-------  ----------  -------\n"
              "    130  Say \"Hi\"          0\n"
              "     12  Smith, Jr.        0\n"
              "      4  Ädams             0\n"
              "(3 rows)\n");
    EXPECT_EQ(sql({"select lastname from cust where custnum = 99"}).out, "LASTNAME\n--------\n(0 rows)\n");
}

TEST_F(SqlCommandTest, CsvHasTheColumnNamesAndQuotesLikeDump) {
    const Outcome result =
        sql({"select custnum, lastname, max(custnum) > 100 as big from cust where taxcat = :cat "
             "group by custnum order by custnum",
             "--csv", "--param", "cat=STATE"});
    EXPECT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(result.out,
              "CUSTNUM,LASTNAME,big\r\n"
              "12,\"Smith, Jr.\",0\r\n"
              "130,\"Say \"\"Hi\"\"\",1\r\n");
    // After "--" a statement may start with a comment.
    EXPECT_EQ(sql({"--csv", "--", "-- how many\nselect count(*) as n from cust"}).out, "n\r\n3\r\n");
}

TEST_F(SqlCommandTest, OtherStatementsPrintTheRowsChanged) {
    // Repeated --param, a name written with its colon, a value that is a number as text.
    const Outcome update = sql({"update cust set taxcat = :newcat where taxcat = :oldcat and custnum > :low", "--param",
                                "newcat=PROVINCE", "--param", ":oldcat=STATE", "--param", "low=10"});
    EXPECT_EQ(update.status, kExitOk) << update.err;
    EXPECT_EQ(update.out, "2 rows changed\n");
    EXPECT_EQ(sql({"delete from cust where custnum = 4"}).out, "1 row changed\n");
    EXPECT_EQ(sql({"select taxcat, count(*) from cust group by taxcat", "--csv"}).out,
              "TAXCAT,count(*)\r\nPROVINCE,2\r\n");
}

TEST_F(SqlCommandTest, FailuresReportTheMessageOnStandardError) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"select nosuch from cust"}, kExitFailure, "no such column: nosuch"},
        {{"select * from nosuchtable"}, kExitFailure, "no such table"},
        {{"select * from cust where custnum = :n"}, kExitFailure, "Parameter :n has no value"},
        {{"select 1", "--param", "n=1"}, kExitFailure, "no parameter :n"},
        {{"drop table cust"}, kExitFailure, "not allowed"},
        {{"select 1", "--param", "n"}, kExitUsage, "--param needs NAME=VALUE"},
        {{"select 1", "--param", "n=1", "--param", "n=2"}, kExitUsage, "parameter n is given twice"},
        {{}, kExitUsage, "wrong number of arguments"},
    };
    for (const auto& c : cases) {
        const Outcome result = sql(c.args);
        const std::string label = c.args.empty() ? "" : c.args[0];
        EXPECT_EQ(result.status, c.status) << label;
        EXPECT_THAT(result.err, HasSubstr(c.message)) << label;
        EXPECT_EQ(result.out, "") << label;
    }
    std::ostringstream out, err;
    EXPECT_EQ(run({"sql", (dir.path() / "missing").string(), "select 1"}, out, err), kExitFailure);
    EXPECT_THAT(err.str(), HasSubstr("brimo-db: "));
}

}  // namespace
}  // namespace brimo::dbtool
