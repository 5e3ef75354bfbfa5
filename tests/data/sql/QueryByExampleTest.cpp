#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/DatabaseError.h"
#include "data/catalogue/SqlStatements.h"
#include "data/sql/QueryByExample.h"

namespace brimo::data::sql {
namespace {

using ::testing::HasSubstr;

struct Translation {
    const char* name;
    std::vector<std::string_view> lines;
    std::string sql;
    SqlParameters parameters;
};

TEST(QueryByExampleTest, TranslatesToOneBoundQuery) {
    const Translation cases[] = {
        {"open service orders by number",
         {catalogue::sql::kOpenServiceOrdersByNumber.begin(), catalogue::sql::kOpenServiceOrdersByNumber.end()},
         "select distinct q1.\"number\", q1.\"datein\", q1.\"ready\", q2.\"lastname\" from \"so\" q1, \"cust\" q2 "
         "where q1.\"complete\" = :qbe1 and q1.\"custnum\" = q2.\"custnum\" order by 1, 2, 3, 4",
         {{"qbe1", "0"}}},
        {"comparisons joined by commas, quoted values, letter case of keywords and elements",
         {"CODE.DBF | StockCode | Price | Desc | Mfr |",
          "| Check >= \"A,B\" | > 5, <= 10 | CHECK _x | \"Say \"\"hi\"\"\" |", "", "code.dbf | ALTCODE |",
          "| check _X |"},
         "select distinct q1.\"StockCode\", q1.\"Desc\", q2.\"ALTCODE\" from \"CODE\" q1, \"code\" q2 "
         "where q1.\"StockCode\" >= :qbe1 and q1.\"Price\" > :qbe2 and q1.\"Price\" <= :qbe3 and q1.\"Mfr\" = :qbe4 "
         "and q1.\"Desc\" = q2.\"ALTCODE\" order by 1, 2, 3",
         {{"qbe1", "A,B"}, {"qbe2", "5"}, {"qbe3", "10"}, {"qbe4", "Say \"hi\""}}},
        {"a value that looks like SQL stays a value; missing cells are empty; no line of examples",
         {"  cust.dbf | lastname | taxcat | custnum  ", " | check | x' or 1=1 --", "", "so.dbf | number |"},
         "select distinct q1.\"lastname\" from \"cust\" q1, \"so\" q2 where q1.\"taxcat\" = :qbe1 order by 1",
         {{"qbe1", "x' or 1=1 --"}}},
        {"an alias never equals a table's name",
         {"q1.dbf | a |", " | check _k |", "", "q2 | b |", " | _k |"},
         "select distinct qq1.\"a\" from \"q1\" qq1, \"q2\" qq2 where qq1.\"a\" = qq2.\"b\" order by 1",
         {}},
    };
    for (const Translation& c : cases) {
        const TranslatedQuery query = translateQueryByExample(c.lines);
        EXPECT_EQ(query.sql, c.sql) << c.name;
        EXPECT_EQ(query.parameters, c.parameters) << c.name;
    }
}

TEST(QueryByExampleTest, RefusesWhatItCannotRead) {
    const struct {
        std::vector<std::string_view> lines;
        const char* message;
    } cases[] = {
        {{}, "names no table"},
        {{"", "  "}, "names no table"},
        {{"so.dbf | number |", " | _join1 |"}, "checks no field"},
        {{"so.dbf |"}, "Line 1 of the query-by-example request: the table so names no field"},
        {{"../so.dbf | number |", " | check |"}, "not a table of the data directory"},
        {{"so.dbf | num ber |", " | check |"}, "\"num ber\" is not a field name"},
        {{"so.dbf | number |", " | check |", " | = 1 |"},
         "Line 3 of the query-by-example request: the table so "
         "has a second line of examples"},
        {{"so.dbf | number |", "x | check |"}, "must stay empty"},
        {{"so.dbf | number |", " | check | = 1 |"}, "more cells than the table so names fields"},
        {{"so.dbf | number |", " | check >= |"}, "a comparison needs a value"},
        {{"so.dbf | number |", " | check, _a b |"}, "an example element is one word"},
        {{"so.dbf | number |", " | = \"open |"}, "needs its closing quote"},
        {{"so.dbf | number |", " | = \"a\"b\"c\" |"}, "written twice"},
    };
    for (const auto& c : cases) {
        const std::string label = c.lines.empty() ? "(none)" : std::string(c.lines[0]);
        try {
            translateQueryByExample(c.lines);
            ADD_FAILURE() << "no error for " << label;
        } catch (const DatabaseError& e) {
            EXPECT_THAT(std::string(e.what()), HasSubstr(c.message)) << label;
        }
    }
}

}  // namespace
}  // namespace brimo::data::sql
