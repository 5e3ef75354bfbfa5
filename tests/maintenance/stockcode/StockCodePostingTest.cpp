#include "maintenance/stockcode/StockCodePosting.h"

#include <gtest/gtest.h>

#include "StockCodeData.h"
#include "maintenance/stockcode/TableRecord.h"

namespace brimo::maintenance {
namespace {

using test::Fields;
using test::StockCodeData;

// Saves the stock code "ITEM" with `changes` through a CODE cursor whose
// before-post hook is the editor's, and returns it as read back from the file.
std::unique_ptr<data::Table> saveThroughRules(StockCodeData& data, StockCodePosting& posting, const Fields& changes,
                                              bool costTyped = false) {
    auto code = data.database().openTable("CODE");
    code->setBeforePost([&](data::Table& table) {
        TableRecord record(table);
        posting.beforePost(record, costTyped);
    });
    code->first();
    code->edit();
    for (const auto& [field, value] : changes) {
        test::setField(*code, field, value);
    }
    code->post();
    return data.stockCode("ITEM");
}

struct RuleCase {
    const char* name;
    Fields stored;
    Fields expected;
};

class PostingRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(PostingRules, MakeTheSavedRecordConsistent) {
    const RuleCase& c = GetParam();
    StockCodeData data;
    data.addStockCode("ITEM", c.stored);
    StockCodePosting posting(true, 0);
    const auto saved = saveThroughRules(data, posting, {});
    for (const auto& [field, value] : c.expected) {
        if (const auto* number = std::get_if<double>(&value)) {
            EXPECT_DOUBLE_EQ(saved->asNumber(field), *number) << field;
        } else if (const auto* flag = std::get_if<bool>(&value)) {
            EXPECT_EQ(saved->asBool(field), *flag) << field;
        } else {
            EXPECT_EQ(saved->asString(field), std::get<std::string>(value)) << field;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PostingRules,
    ::testing::Values(
        RuleCase{"minimumAboveMaximumRaisesBoth",
                 {{"MINIMUM", 5.0}, {"MAXIMUM", 3.0}, {"TARGETQTY", 1.0}},
                 {{"MINIMUM", 5.0}, {"MAXIMUM", 5.0}, {"TARGETQTY", 5.0}}},
        RuleCase{"targetAboveMaximumIsLowered",
                 {{"MINIMUM", 2.0}, {"MAXIMUM", 10.0}, {"TARGETQTY", 20.0}},
                 {{"MINIMUM", 2.0}, {"MAXIMUM", 10.0}, {"TARGETQTY", 10.0}}},
        RuleCase{"zeroUnitsToOrderBecomesOne", {{"UNITSTOORD", 0.0}}, {{"UNITSTOORD", 1.0}}},
        RuleCase{"unitsToOrderKept", {{"UNITSTOORD", 3.0}}, {{"UNITSTOORD", 3.0}}},
        RuleCase{"containerIsNotSerializedAndDoesNotDeplete",
                 {{"CONTAINER", 2.0}, {"SERIALIZED", true}, {"NODEPLETE", false}},
                 {{"SERIALIZED", false}, {"NODEPLETE", true}}},
        RuleCase{"assemblyIsNotSerializedAndKeepsItsDepletion",
                 {{"CONTAINER", 1.0}, {"SERIALIZED", true}, {"NODEPLETE", false}},
                 {{"SERIALIZED", false}, {"NODEPLETE", false}}},
        RuleCase{"serializedItemDepletes",
                 {{"CONTAINER", 0.0}, {"SERIALIZED", true}, {"NODEPLETE", true}},
                 {{"SERIALIZED", true}, {"NODEPLETE", false}}},
        RuleCase{
            "blanksAroundCategoriesAndVendorAreTrimmed",
            {{"CATEGORY", std::string(" \tHW")},
             {"SUBCAT", std::string("  TOOLS")},
             {"PREFVENDOR", std::string(" ACME")}},
            {{"CATEGORY", std::string("HW")}, {"SUBCAT", std::string("TOOLS")}, {"PREFVENDOR", std::string("ACME")}}},
        RuleCase{"automaticUpdateRepricesFromTheCost",
                 {{"AUTOPRICE", 2.0}, {"COST", 10.0}, {"LIST", 1.0}, {"LISTMTHD", 1.0}, {"LISTPCT", 25.0}},
                 {{"LIST", 12.5}, {"COST", 10.0}}},
        RuleCase{"batchUpdateLeavesThePrices",
                 {{"AUTOPRICE", 1.0}, {"COST", 10.0}, {"LIST", 1.0}, {"LISTMTHD", 1.0}, {"LISTPCT", 25.0}},
                 {{"LIST", 1.0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PostingRulesOrder, RepricingComesAfterTheQuantityRulesAndUsesTheRoundingAmount) {
    StockCodeData data;
    data.addStockCode("ITEM", {{"AUTOPRICE", 2.0},
                               {"AUTOROUND", true},
                               {"COST", 10.0},
                               {"LISTMTHD", 1.0},
                               {"LISTPCT", 25.0},
                               {"MINIMUM", 4.0}});
    StockCodePosting posting(false, 95);
    const auto saved = saveThroughRules(data, posting, {});
    EXPECT_DOUBLE_EQ(saved->asNumber("LIST"), 12.95);
    EXPECT_DOUBLE_EQ(saved->asNumber("MAXIMUM"), 4.0);
}

TEST(ChangedCosts, AreCollectedOnlyWhenBrowsingForTypedCostsOfNonContainers) {
    struct Case {
        const char* name;
        bool browsing;
        bool costTyped;
        double container;
        bool collected;
    } cases[] = {
        {"typedWhileBrowsing", true, true, 0, true}, {"assembly", true, true, 1, true},
        {"container", true, true, 2, false},         {"notTyped", true, false, 0, false},
        {"singleRecord", false, true, 0, false},
    };
    for (const Case& c : cases) {
        StockCodeData data;
        data.addStockCode("ITEM", {{"CONTAINER", c.container}});
        StockCodePosting posting(c.browsing, 0);
        saveThroughRules(data, posting, {{"COST", 3.0}}, c.costTyped);
        EXPECT_EQ(posting.changedCosts().count("ITEM"), c.collected ? 1u : 0u) << c.name;
    }
}

TEST(PostingRulesFailure, APriceThatDoesNotFitRefusesTheSave) {
    StockCodeData data;
    data.addStockCode("ITEM", {{"AUTOPRICE", 2.0}, {"COST", 9999999.0}, {"LISTMTHD", 1.0}, {"LISTPCT", 9999.0}});
    StockCodePosting posting(true, 0);
    EXPECT_ANY_THROW(saveThroughRules(data, posting, {{"MINIMUM", 1.0}}));
    EXPECT_DOUBLE_EQ(data.stockCode("ITEM")->asNumber("MINIMUM"), 0.0);
}

}  // namespace
}  // namespace brimo::maintenance
