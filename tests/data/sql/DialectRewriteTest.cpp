#include "data/sql/DialectRewrite.h"

#include <gtest/gtest.h>

#include "data/sql/SqlTokenizer.h"

namespace brimo::data::sql {
namespace {

struct RewriteCase {
    const char* what;
    const char* in;
    const char* out;
};

class DialectRewriteTest : public testing::TestWithParam<RewriteCase> {};

TEST_P(DialectRewriteTest, Rewrites) {
    const RewriteCase& c = GetParam();
    EXPECT_EQ(rewriteDialect(c.in), c.out) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DialectRewriteTest,
    testing::Values(
        RewriteCase{"open service orders by name",
                    "select s.number, s.datein, s.custnum,  c.custnum, c.lastname, c.firstname, s.ready from so s, "
                    "cust c where so.complete = 0 and c.custnum = s.custnum order by lastname",
                    "select s.number, s.datein, s.custnum,  c.custnum, c.lastname, c.firstname, s.ready from so s, "
                    "cust c where s.complete = 0 and c.custnum = s.custnum order by lastname"},
        RewriteCase{"qualifier in another letter case, alias after AS, star",
                    "select SO.*, So.number from SO as x where so.complete = 0",
                    "select x.*, x.number from SO as x where x.complete = 0"},
        RewriteCase{"join syntax", "select so.number from so s join cust c on c.custnum = so.custnum",
                    "select s.number from so s join cust c on c.custnum = s.custnum"},
        RewriteCase{"UPDATE target with an alias", "update so as s set ready = 1 where so.number = 5",
                    "update so as s set ready = 1 where s.number = 5"},
        RewriteCase{"table named twice: left alone", "select so.number from so a, so b",
                    "select so.number from so a, so b"},
        RewriteCase{"table also used without alias in a subquery: left alone",
                    "select 1 from so s where exists (select 1 from so where so.x = s.x)",
                    "select 1 from so s where exists (select 1 from so where so.x = s.x)"},
        RewriteCase{"name that is also an alias: left alone", "select c.x from cust c, c d",
                    "select c.x from cust c, c d"},
        RewriteCase{"table without alias keeps its qualifier", "select cust.lastname from cust where cust.custnum = 1",
                    "select cust.lastname from cust where cust.custnum = 1"},
        RewriteCase{"schema-qualified table: schema and column untouched",
                    "select main.so.number, so.ready from main.so s", "select main.so.number, s.ready from main.so s"},
        RewriteCase{"literal, comment and parameter hold the pattern",
                    "select 'so.complete', so.x /* so.y */ from so s -- so.z\n"
                    "where :so = 1",
                    "select 'so.complete', s.x /* so.y */ from so s -- so.z\nwhere :so = 1"},
        RewriteCase{"double-quoted text after =", "select  count(LocName) from location where locname = \"PHONE\"",
                    "select  count(LocName) from location where locname = 'PHONE'"},
        RewriteCase{"quotes inside the double-quoted text", "select 1 from t where a = \"O'Brien \"\"Jr\"\"\"",
                    "select 1 from t where a = 'O''Brien \"Jr\"'"},
        RewriteCase{"double-quoted table names stay identifiers",
                    "update \"order\" set taxcat = :newcat where taxcat = :oldcat",
                    "update \"order\" set taxcat = :newcat where taxcat = :oldcat"},
        RewriteCase{"double-quoted qualifier and column stay identifiers",
                    "select \"t\".\"number\" from \"order\" t where t.\"remotenum\" = \"42\"",
                    "select \"t\".\"number\" from \"order\" t where t.\"remotenum\" = '42'"},
        RewriteCase{"LIKE, BETWEEN ... AND, IN and VALUES lists",
                    "select 1 from t where a like \"Sm%\" and b between \"a\" and \"m\" and \"c\" in (\"x\", \"y\") "
                    "and d = (\"z\")",
                    "select 1 from t where a like 'Sm%' and b between 'a' and 'm' and \"c\" in ('x', 'y') "
                    "and d = ('z')"},
        RewriteCase{"AND after a finished BETWEEN is not a value position",
                    "select 1 from t where b between 1 and 2 and \"c\" = 3",
                    "select 1 from t where b between 1 and 2 and \"c\" = 3"},
        RewriteCase{"VALUES rows", "insert into t (\"a\", \"b\") values (\"x\", 1), (\"y\", 2)",
                    "insert into t (\"a\", \"b\") values ('x', 1), ('y', 2)"},
        RewriteCase{"IS NOT, CASE, concatenation",
                    "select case when a is not \"x\" then \"y\" else \"z\" end || \"!\" from t",
                    "select case when a is not 'x' then 'y' else 'z' end || '!' from t"},
        RewriteCase{"single-quoted literal holding double quotes and keywords",
                    "select 1 from so s where a = 'from so s, \"x\" where so.b' and so.c = 1",
                    "select 1 from so s where a = 'from so s, \"x\" where so.b' and s.c = 1"},
        RewriteCase{"unterminated literal is passed on untouched", "select so.x from so s where a = 'abc",
                    "select s.x from so s where a = 'abc"}));

TEST(SqlTokenizerTest, TokensGiveBackTheTextAndTheirKinds) {
    const std::string_view sql = "select x'0a', 1.5e3, ?2, $a::b, @p, [a b], `c`, -- n\n/* c */ a->>'k' <> 0x1F;";
    std::string joined;
    std::vector<TokenKind> kinds;
    for (const Token& t : tokenize(sql)) {
        joined += t.text;
        if (t.significant() && !t.isOperator(","))
            kinds.push_back(t.kind);
    }
    EXPECT_EQ(joined, sql);
    using K = TokenKind;
    EXPECT_EQ(kinds,
              (std::vector<K>{K::Word, K::Blob, K::Number, K::Parameter, K::Parameter, K::Parameter, K::BracketName,
                              K::BracketName, K::Word, K::Operator, K::String, K::Operator, K::Number, K::Operator}));
}

TEST(SqlTokenizerTest, UnquotedNameRemovesQuotesAndEscapes) {
    EXPECT_EQ(unquotedName(tokenize("\"a\"\"b\"")[0]), "a\"b");
    EXPECT_EQ(unquotedName(tokenize("[or der]")[0]), "or der");
    EXPECT_EQ(unquotedName(tokenize("`x``y`")[0]), "x`y");
    EXPECT_EQ(unquotedName(tokenize("Plain")[0]), "Plain");
}

}  // namespace
}  // namespace brimo::data::sql
