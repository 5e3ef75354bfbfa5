#include "maintenance/stockcode/ContainerCostRollUp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "StockCodeData.h"
#include "maintenance/stockcode/StockCodePosting.h"
#include "maintenance/stockcode/TableRecord.h"

namespace brimo::maintenance {
namespace {

TEST(RoundHalfAwayFromZero, RoundsTheValueAsItReads) {
    struct Case {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {1.23456, 3, 1.235},   {1.2345, 3, 1.235}, {-1.2345, 3, -1.235}, {2.675, 2, 2.68},  {0.125, 2, 0.13},
        {1.2344999, 3, 1.234}, {0.0004, 3, 0},     {0.0005, 3, 0.001},   {9.9996, 3, 10.0}, {123456.789, 2, 123456.79},
        {1e20, 2, 1e20},       {0, 4, 0},          {12.5, 0, 13},        {-0.5, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(roundHalfAwayFromZero(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
    }
}

class RollUp : public ::testing::Test {
  protected:
    void SetUp() override {
        code = data.database().openTable("CODE");
        code->setActiveTag("CODE");
        code->setBeforePost([this](data::Table& table) {
            TableRecord record(table);
            posting.beforePost(record, false);
        });
    }

    int rollUp(const std::set<std::string>& changed, int precision) {
        return rollUpContainerCosts(data.database(), *code, changed, precision,
                                    [this](const std::exception& error) { failures.push_back(error.what()); });
    }

    double cost(const std::string& stockCode) { return data.stockCode(stockCode)->asNumber("COST"); }

    test::StockCodeData data;
    std::unique_ptr<data::Table> code;
    StockCodePosting posting{true, 0};
    std::vector<std::string> failures;
};

TEST_F(RollUp, RecomputesEveryContainerOfAChangedComponentOnce) {
    data.addStockCode("BOLT", {{"COST", 0.25}});
    data.addStockCode("NUT", {{"COST", 0.1}});
    data.addStockCode("KIT", {{"CONTAINER", 1.0}, {"COST", 99.0}});
    data.addStockCode("BOX",
                      {{"CONTAINER", 2.0}, {"COST", 99.0}, {"AUTOPRICE", 2.0}, {"LISTMTHD", 1.0}, {"LISTPCT", 100.0}});
    data.addStockCode("CRATE", {{"CONTAINER", 2.0}, {"COST", 99.0}});
    data.addComponent("BOLT", "KIT", 4);
    data.addComponent("NUT", "KIT", 4);
    data.addComponent("GHOST", "KIT", 10);  // not in CODE: adds nothing
    data.addComponent("BOLT", "BOX", 100);
    data.addComponent("NUT", "CRATE", 1);

    EXPECT_EQ(rollUp({"BOLT"}, 2), 2);
    EXPECT_DOUBLE_EQ(cost("KIT"), 1.4);
    EXPECT_DOUBLE_EQ(cost("BOX"), 25.0);
    EXPECT_DOUBLE_EQ(data.stockCode("BOX")->asNumber("LIST"), 50.0) << "the save passes the posting rules";
    EXPECT_DOUBLE_EQ(cost("CRATE"), 99.0) << "holds no changed component";
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(code->activeTag(), "CODE");
}

TEST_F(RollUp, RoundsTheTotalToThePricePrecision) {
    data.addStockCode("A", {{"COST", 1.2345}});
    data.addStockCode("B", {{"COST", 0.0002}});
    data.addStockCode("PACK", {{"CONTAINER", 2.0}});
    data.addComponent("A", "PACK", 1);
    data.addComponent("B", "PACK", 0.28);  // 1.234556 in all
    const struct {
        int precision;
        double cost;
    } cases[] = {{3, 1.235}, {2, 1.23}, {4, 1.2346}};
    for (const auto& c : cases) {
        rollUp({"A"}, c.precision);
        EXPECT_DOUBLE_EQ(cost("PACK"), c.cost) << "precision " << c.precision;
    }
}

TEST_F(RollUp, GoesOneLevelOnlyAndMatchesCodesExactly) {
    data.addStockCode("AB", {{"COST", 2.0}});
    data.addStockCode("ABC", {{"COST", 3.0}});
    data.addStockCode("INNER", {{"CONTAINER", 1.0}, {"COST", 50.0}});
    data.addStockCode("OUTER", {{"CONTAINER", 1.0}, {"COST", 7.0}});
    data.addComponent("AB", "INNER", 1);
    data.addComponent("ABC", "INNER", 1);
    data.addComponent("ABC", "OUTER", 1);
    data.addComponent("INNER", "OUTER", 1);
    EXPECT_EQ(rollUp({"AB"}, 2), 1);
    EXPECT_DOUBLE_EQ(cost("INNER"), 5.0);
    EXPECT_DOUBLE_EQ(cost("OUTER"), 7.0) << "the container of a rolled-up container stays as it was";
}

TEST_F(RollUp, DoesNothingWithoutDefinitions) {
    data.addStockCode("BOLT", {{"COST", 1.0}});
    data.addStockCode("KIT", {{"CONTAINER", 1.0}, {"COST", 9.0}});
    EXPECT_EQ(rollUp({"BOLT"}, 2), 0) << "empty CONDEF";
    EXPECT_EQ(rollUp({}, 2), 0) << "nothing changed";
    std::filesystem::remove(data.directory() / "CONDEF.DBF");
    EXPECT_EQ(rollUp({"BOLT"}, 2), 0) << "no CONDEF";
    EXPECT_DOUBLE_EQ(cost("KIT"), 9.0);
    EXPECT_TRUE(failures.empty());
}

TEST_F(RollUp, AContainerThatCannotBeSavedIsReportedAndTheOthersAreDone) {
    data.addStockCode("BOLT", {{"COST", 1.0}});
    data.addStockCode("KIT",
                      {{"CONTAINER", 1.0}, {"COST", 9.0}, {"AUTOPRICE", 2.0}, {"LISTMTHD", 1.0}, {"LISTPCT", 9999.0}});
    data.addStockCode("TIN", {{"CONTAINER", 1.0}, {"COST", 9.0}});
    data.addComponent("BOLT", "KIT", 9999999);
    data.addComponent("BOLT", "TIN", 2);
    EXPECT_EQ(rollUp({"BOLT"}, 2), 1);
    EXPECT_EQ(failures.size(), 1u);
    EXPECT_DOUBLE_EQ(cost("KIT"), 9.0);
    EXPECT_DOUBLE_EQ(cost("TIN"), 2.0);
    EXPECT_EQ(code->state(), data::TableState::Browse);
}

}  // namespace
}  // namespace brimo::maintenance
