#include "maintenance/pricing/PricingSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePricingRecord.h"

namespace brimo::maintenance {
namespace {

FakePricingRecord priceCategory() {
    return FakePricingRecord{
        {"PRICECAT", "WHOLESALE"}, {"AUTOPRICE", 1.0},
        {"AUTOROUND", true},       {"LISTMTHD", 2.0},
        {"LISTPCT", 33.5},         {"SALEMTHD", 2.6},
        {"SALEPCT", 12.125},       {"DISCMTHD", 4.0},
        {"DISC1PCT", 5.0},         {"DISC2PCT", 10.0},
        {"DISC3PCT", 15.0},        {"DISC1DESC", "Trade"},
        {"DISC2DESC", "Dealer"},   {"DISC3DESC", "Distributor"},
    };
}

FakePricingRecord stockCode() {
    return FakePricingRecord{
        {"PRICECAT", "RETAIL"},
        {"COST", 4.0},
        {"LIST", 6.0},
        {"PRICE", 5.5},
        {"AUTOPRICE", 0.0},
        {"AUTOROUND", false},
        {"LISTMTHD", 0.0},
        {"LISTPCT", 0.0},
        {"SALEMTHD", 0.0},
        {"SALEPCT", 0.0},
        {"DISCMTHD", 0.0},
        {"DISC1PCT", 0.0},
        {"DISC2PCT", 0.0},
        {"DISC3PCT", 0.0},
        {"DISC1DESC", "Discount 1"},
        {"DISC2DESC", "Discount 2"},
        {"DISC3DESC", "Discount 3"},
    };
}

TEST(PricingSettingsCopy, CopiesEverySettingInOrderAndNothingElse) {
    const FakePricingRecord category = priceCategory();
    FakePricingRecord record = stockCode();
    copyPricingSettings(category, record);

    const std::vector<std::string> order{"AUTOPRICE", "AUTOROUND", "LISTMTHD", "LISTPCT",  "SALEMTHD",
                                         "SALEPCT",   "DISCMTHD",  "DISC1PCT", "DISC2PCT", "DISC3PCT",
                                         "DISC1DESC", "DISC2DESC", "DISC3DESC"};
    EXPECT_EQ(record.writes(), order);

    PricingSettings expected;
    expected.updateOption = UpdateOption::batchUpdated;
    expected.rounding = true;
    expected.listMethod = PriceMethod::marginFromCost;
    expected.listPercent = 33.5;
    expected.saleMethod = PriceMethod::discountFromList;  // 2.6 read as a whole number
    expected.salePercent = 12.125;
    expected.discountMethod = PriceMethod::discountFromSale;
    expected.discountPercents = {5, 10, 15};
    expected.discountNames = {"Trade", "Dealer", "Distributor"};
    EXPECT_EQ(readPricingSettings(record), expected);
    EXPECT_EQ(std::get<double>(record.at("SALEMTHD")), 3.0);

    EXPECT_EQ(record.asString("PRICECAT"), "RETAIL");
    EXPECT_EQ(record.asNumber("LIST"), 6.0);
}

TEST(PricingSettingsCopy, WritesNothingWhenTheCategoryCannotBeRead) {
    FakePricingRecord incomplete{{"AUTOPRICE", 2.0}, {"AUTOROUND", true}, {"LISTMTHD", 1.0}};
    FakePricingRecord record = stockCode();
    EXPECT_THROW(copyPricingSettings(incomplete, record), std::out_of_range);
    EXPECT_TRUE(record.writes().empty());
}

}  // namespace
}  // namespace brimo::maintenance
