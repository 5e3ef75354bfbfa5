#include "reports/FormulaBuilder.h"

#include <gtest/gtest.h>

#include "platform/Dates.h"
#include "platform/Locale.h"

namespace brimo::reports {
namespace {

TEST(FormulaBuilderTest, TextRangesInBothDialects) {
    struct Case {
        const char* begin;
        const char* end;
        const char* formula;
        const char* description;
    };
    const Case cases[] = {
        {"A", "B", R"({Code.StockCode} >= "A" And {Code.StockCode} <= "B")", "Stock Code >= 'A' And Stock Code <= 'B'"},
        {"A", "A", R"({Code.StockCode} = "A")", "Stock Code = 'A'"},
        {"AB?", "", R"({Code.StockCode} startswith "AB")", "Stock Code startswith 'AB'"},
        {"?", "", R"({Code.StockCode} startswith "")", "Stock Code startswith ''"},
        {"AB?", "C", R"({Code.StockCode} >= "AB?" And {Code.StockCode} <= "C")",
         "Stock Code >= 'AB?' And Stock Code <= 'C'"},
        {"", "B", R"({Code.StockCode} <= "B")", "Stock Code <= 'B'"},
        {"A", "", R"({Code.StockCode} >= "A")", "Stock Code >= 'A'"},
        {"", "", "", ""},
        {"B", "A", R"({Code.StockCode} >= "B" And {Code.StockCode} <= "A")", "Stock Code >= 'B' And Stock Code <= 'A'"},
        {"", "AB?", R"({Code.StockCode} <= "AB?")", "Stock Code <= 'AB?'"},
        // Only the formula trims: blanks-only bounds are empty there but kept
        // between quotes in the description.
        {"  ", "B", R"({Code.StockCode} <= "B")", "Stock Code >= '  ' And Stock Code <= 'B'"},
        {" A ", "A", R"({Code.StockCode} = "A")", "Stock Code >= ' A ' And Stock Code <= 'A'"},
        {"\t", " ", "", "Stock Code >= '\t' And Stock Code <= ' '"},
        // Quotes are inserted as they stand.
        {"O\"Brien", "", R"({Code.StockCode} >= "O"Brien")", "Stock Code >= 'O\"Brien'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatRangeCriterion("Code", "StockCode", c.begin, c.end), c.formula)
            << "'" << c.begin << "'-'" << c.end << "'";
        EXPECT_EQ(describeRangeCriterion("Stock Code", c.begin, c.end), c.description)
            << "'" << c.begin << "'-'" << c.end << "'";
    }
}

TEST(FormulaBuilderTest, CaseFoldingOfTextRanges) {
    struct Case {
        CaseFolding folding;
        const char* begin;
        const char* end;
        const char* formula;
    };
    const Case cases[] = {
        {CaseFolding::upper, "smith", "", R"(UpperCase({Cust.LastName}) >= "SMITH")"},
        {CaseFolding::upper, "smith", "SMITH", R"(UpperCase({Cust.LastName}) = "SMITH")"},
        {CaseFolding::upper, "m\xFCller?", "", "UpperCase({Cust.LastName}) startswith \"M\xFCLLER\""},
        {CaseFolding::lower, "Smith", "JONES",
         R"(LowerCase({Cust.LastName}) >= "smith" And LowerCase({Cust.LastName}) <= "jones")"},
        {CaseFolding::lower, "\xC4Z", "", "LowerCase({Cust.LastName}) >= \"\xC4z\""},
        {CaseFolding::asTyped, "smith", "SMITH", R"({Cust.LastName} >= "smith" And {Cust.LastName} <= "SMITH")"},
        {CaseFolding::upper, "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatRangeCriterion("Cust", "LastName", c.begin, c.end, c.folding), c.formula) << c.begin;
    }
    EXPECT_EQ(caseFoldingFromMode(1), CaseFolding::upper);
    EXPECT_EQ(caseFoldingFromMode(2), CaseFolding::lower);
    EXPECT_EQ(caseFoldingFromMode(0), CaseFolding::asTyped);
    EXPECT_EQ(caseFoldingFromMode(3), CaseFolding::asTyped);
}

TEST(FormulaBuilderTest, LogicalFields) {
    EXPECT_EQ(formatFlagCriterion("Code", "NonStock", true, true), "{Code.NonStock} <> True");
    EXPECT_EQ(formatFlagCriterion("Code", "NonStock", false, false), "{Code.NonStock} = False");
    EXPECT_EQ(describeFlagCriterion("Non-Stock", true, true), "Non-Stock <> True");
    EXPECT_EQ(describeFlagCriterion("Taxable", true, false), "Taxable = True");
    EXPECT_EQ(describeFlagCriterion("Taxable", false, true), "Taxable <> False");
}

class DateCriterionTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::overrideLocaleForTesting(platform::LocaleSettings{"M/d/yyyy", '/', 1}); }
    void TearDown() override { platform::overrideLocaleForTesting(std::nullopt); }
};

TEST_F(DateCriterionTest, DateRangesInBothDialects) {
    struct Case {
        const char* begin;
        const char* end;
        const char* formula;
        const char* description;
    };
    const Case cases[] = {
        {"1/3/1999", "1/31/1999",
         "{Invoice.TransDate} >= Date(1999, 1, 3) And {Invoice.TransDate} <= Date(1999, 1, 31)",
         "Date >= 1/3/1999 And Date <= 1/31/1999"},
        {"1/3/1999", "01/03/1999", "{Invoice.TransDate} = Date(1999, 1, 3)", "Date = 1/3/1999"},
        {" 12/25/2023 ", "1/2/24",
         "{Invoice.TransDate} >= Date(2023, 12, 25) And {Invoice.TransDate} <= Date(2024, 1, 2)",
         "Date >= 12/25/2023 And Date <= 1/2/2024"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatDateCriterion("Invoice", "TransDate", c.begin, c.end), c.formula) << c.begin;
        EXPECT_EQ(describeDateCriterion("Date", c.begin, c.end), c.description) << c.begin;
    }

    platform::overrideLocaleForTesting(platform::LocaleSettings{"dd.MM.yyyy", '.', 49});
    EXPECT_EQ(formatDateCriterion("Invoice", "TransDate", "3.1.1999", "31.1.1999"),
              "{Invoice.TransDate} >= Date(1999, 1, 3) And {Invoice.TransDate} <= Date(1999, 1, 31)");
    EXPECT_EQ(describeDateCriterion("Date", "3.1.1999", "31.1.1999"), "Date >= 03.01.1999 And Date <= 31.01.1999");
}

TEST_F(DateCriterionTest, AnyTextThatIsNotADateFailsTheWholeCriterion) {
    const std::pair<const char*, const char*> cases[] = {
        {"2/31/1999", "3/1/1999"}, {"1/3/1999", "tomorrow"}, {"1/3/1999", ""}, {"", "1/3/1999"}, {" ", ""}};
    for (const auto& [begin, end] : cases) {
        EXPECT_THROW(formatDateCriterion("Invoice", "TransDate", begin, end), platform::DateConversionError)
            << begin << "-" << end;
        EXPECT_THROW(describeDateCriterion("Date", begin, end), platform::DateConversionError) << begin << "-" << end;
    }
    try {
        formatDateCriterion("Invoice", "TransDate", "1/3/1999", "2/30/1999");
    } catch (const platform::DateConversionError& error) {
        EXPECT_STREQ(error.what(), "'2/30/1999' is not a valid date");
    }
}

TEST(AppendCriterionTest, JoinsNonEmptyCriteriaWithAnd) {
    std::string formula;
    appendCriterion(formula, "");
    EXPECT_EQ(formula, "");
    appendCriterion(formula, R"({Code.StockCode} = "A")");
    appendCriterion(formula, "");
    appendCriterion(formula, "{Code.NonStock} <> True");
    appendCriterion(formula, R"({Code.Category} >= "X")");
    EXPECT_EQ(formula, R"({Code.StockCode} = "A" And {Code.NonStock} <> True And {Code.Category} >= "X")");
}

TEST(AppendCriterionTest, RefusesCriteriaLongerThanTheLimitAndKeepsTheDestination) {
    std::string formula = "x";
    const std::string longest(maxCriterionLength, 'c');
    appendCriterion(formula, longest);
    EXPECT_EQ(formula, "x And " + longest);

    const std::string before = formula;
    EXPECT_THROW(appendCriterion(formula, longest + "c"), CriterionTooLongError);
    EXPECT_EQ(formula, before);

    // Only a free-text bound without a length limit gets there.
    const std::string criterion = formatRangeCriterion("Cust", "Notes", std::string(300, 'n'), "");
    EXPECT_THROW(appendCriterion(formula, criterion), CriterionTooLongError);
}

}  // namespace
}  // namespace brimo::reports
