#include <gtest/gtest.h>

#include "data/DatabaseError.h"
#include "data/index/Expression.h"
#include "data/index/MemoryTable.h"

namespace brimo::data::index {
namespace {

using test::MemoryTable;

MemoryTable customerTable() {
    return MemoryTable({{"LASTNAME", 'C', 10, 0, 0},
                        {"FIRSTNAME", 'C', 8, 0, 0},
                        {"CUSTNUM", 'N', 6, 0, 0},
                        {"BALANCE", 'N', 9, 2, 0},
                        {"ADDED", 'D', 8, 0, 0},
                        {"ACTIVE", 'L', 1, 0, 0},
                        {"NOTES", 'M', 10, 0, 0}});
}

std::string text(const Key& key) {
    return std::string(reinterpret_cast<const char*>(key.data()), key.size());
}

TEST(ExpressionTest, CharacterKeysHaveFixedWidthAndValues) {
    MemoryTable t = customerTable();
    auto rec = t.make({"smith", "Ann", "42", "-12.5", "20240307", "T"});
    struct Case {
        const char* expression;
        const char* key;  // the whole key, blanks included
    };
    const Case cases[] = {
        {"LASTNAME", "smith     "},
        {"upper(lastname)", "SMITH     "},
        {"UPPER(LASTNAME+FIRSTNAME)", "SMITH     ANN     "},
        {"TRIM(LASTNAME)+FIRSTNAME", "smithAnn          "},
        {"LASTNAME-FIRSTNAME", "smithAnn          "},
        {"STR(CUSTNUM,6)+DTOS(ADDED)", "    4220240307"},
        {"STR(BALANCE,8,2)", "  -12.50"},
        {"STR(BALANCE)", "       -13"},
        {"STR(CUSTNUM,1)", "*"},
        {"SUBSTR(LASTNAME,2,3)", "mit"},
        {"SUBSTR(LASTNAME,3)", "ith     "},
        {"LEFT(LASTNAME,2)+RIGHT(FIRSTNAME,3)", "sm   "},
        {"LTRIM(STR(CUSTNUM,6))", "42    "},
        {"ALLTRIM(\"  x \")", "x   "},
        {"DTOC(ADDED)", "03/07/24"},
        {"IIF(ACTIVE, 'A', 'I')+c->FIRSTNAME", "AAnn     "},
        {"REPLICATE('-',3)+SPACE(2)", "---  "},
        {"LOWER([ABC])", "abc"},
        {"''", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        Expression e = Expression::compile(c.expression, t.fields());
        ASSERT_EQ(e.keyType(), KeyType::Character);
        EXPECT_EQ(e.width(), std::string(c.key).size());
        EXPECT_EQ(text(e.evaluateKey(rec, 1)), c.key);
    }
}

TEST(ExpressionTest, NumericAndDateKeysEncodeTheirValues) {
    MemoryTable t = customerTable();
    auto rec = t.make({"smith", "Ann", "42", "-12.5", "20240307", "T"});
    auto blank = t.make({});
    struct Case {
        const char* expression;
        double number;
    };
    const Case numbers[] = {{"CUSTNUM", 42},
                            {"BALANCE", -12.5},
                            {"CUSTNUM*2+1", 85},
                            {"VAL('12.25')", 12.25},
                            {"YEAR(ADDED)-MONTH(ADDED)", 2021},
                            {"ADDED-CTOD('03/01/2024')", 6},
                            {"RECNO()", 7},
                            {"LEN(FIRSTNAME)", 8},
                            {"AT('it',LASTNAME)", 3},
                            {"-(CUSTNUM/4)", -10.5},
                            {"ROUND(BALANCE,0)+INT(2.7)+ABS(-1)", -10}};
    for (const Case& c : numbers) {
        SCOPED_TRACE(c.expression);
        Expression e = Expression::compile(c.expression, t.fields());
        EXPECT_EQ(e.evaluateKey(rec, 7), numericKey(c.number));
    }
    EXPECT_EQ(Expression::compile("CUSTNUM", t.fields()).evaluateKey(blank, 1), numericKey(0));

    Expression date = Expression::compile("ADDED+1", t.fields());
    EXPECT_EQ(date.keyType(), KeyType::Date);
    EXPECT_EQ(date.evaluateKey(rec, 1), dateKey(julianDay(2024, 3, 8)));
    EXPECT_EQ(date.evaluateKey(blank, 1), dateKey(0));
    EXPECT_EQ(Expression::compile("ADDED-2.9", t.fields()).evaluateKey(rec, 1), dateKey(julianDay(2024, 3, 5)));
    for (const char* beyondTheCalendar : {"ADDED+3000000", "ADDED-1000000000000"}) {
        SCOPED_TRACE(beyondTheCalendar);
        EXPECT_EQ(Expression::compile(beyondTheCalendar, t.fields()).evaluateKey(rec, 1), dateKey(0));
    }
}

TEST(ExpressionTest, ConditionsFollowDbaseRules) {
    MemoryTable t = customerTable();
    auto live = t.make({"smith", "Ann", "42", "0", "20240307", "F"});
    auto deleted = t.make({"smith", "Ann", "42", "0", "20240307", "F"}, true);
    struct Case {
        const char* condition;
        bool onLive;
        bool onDeleted;
    };
    const Case cases[] = {
        {".NOT. DELETED()", true, false},
        {"!DELETED() .AND. CUSTNUM > 40", true, false},
        {"DELETED() .OR. ACTIVE", false, true},
        {"LASTNAME = 'smi'", true, true},  // inexact comparison: a prefix matches
        {"'smi' = LASTNAME", false, false},
        {"LASTNAME <> 'jones' .and. 'mit' $ LASTNAME", true, true},
        {"ADDED >= CTOD('03/07/24') .AND. BALANCE = 0", true, true},
        {"CUSTNUM # 42", false, false},
        {".T. .AND. .NOT. .F.", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.condition);
        Expression e = Expression::compile(c.condition, t.fields());
        EXPECT_EQ(e.evaluateCondition(live, 1), c.onLive);
        EXPECT_EQ(e.evaluateCondition(deleted, 1), c.onDeleted);
        EXPECT_EQ(e.mentionsDeleted(), std::string(c.condition).find("DELETED") != std::string::npos);
    }
}

TEST(ExpressionTest, ErrorsNameTheProblem) {
    MemoryTable t = customerTable();
    const std::string nestedTooDeeply = std::string(128, '(') + "1" + std::string(128, ')');
    struct Case {
        const char* expression;
        const char* message;
    };
    const Case cases[] = {
        {"NOSUCH", "unknown field NOSUCH"},
        {"UPPER(CUSTNUM)", "argument 1 of UPPER() must be character"},
        {"LASTNAME+CUSTNUM", "cannot combine character and numeric"},
        {"DESCEND(LASTNAME)", "unknown function DESCEND()"},
        {"SUBSTR(LASTNAME)", "SUBSTR() takes 2 to 3 arguments"},
        {"STR(CUSTNUM,CUSTNUM)", "needs a constant number"},
        {"UPPER(LASTNAME", "')' expected"},
        {"LASTNAME)", "unexpected ')'"},
        {"'open", "unterminated text constant"},
        {"", "ends too early"},
        {"NOTES", "type M cannot be used"},
        {"LASTNAME = ", "ends too early"},
        {"1..2", "malformed number"},
        {"LASTNAME .XOR. 1", "unexpected '.'"},
        {nestedTooDeeply.c_str(), "longer than 255 characters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        try {
            Expression::compile(c.expression, t.fields());
            ADD_FAILURE() << "compiled";
        } catch (const DatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.expression), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(Expression::compile("ACTIVE", t.fields()).keyType(), DatabaseError);
    EXPECT_THROW(Expression::compile("LASTNAME", t.fields()).evaluateCondition(t.make({}), 1), DatabaseError);
}

TEST(ExpressionTest, ShortOrMalformedRecordsGiveBlankValues) {
    MemoryTable t = customerTable();
    auto rec = t.make({"x", "y", "abc", "1e", "20241399", "?"});
    EXPECT_EQ(Expression::compile("CUSTNUM", t.fields()).evaluateKey(rec, 1), numericKey(0));
    EXPECT_EQ(Expression::compile("ADDED", t.fields()).evaluateKey(rec, 1), dateKey(0));
    EXPECT_EQ(text(Expression::compile("DTOS(ADDED)", t.fields()).evaluateKey(rec, 1)), "        ");
    std::vector<std::byte> truncated(3, std::byte{' '});
    EXPECT_EQ(text(Expression::compile("FIRSTNAME", t.fields()).evaluateKey(truncated, 1)), "        ");
}

}  // namespace
}  // namespace brimo::data::index
