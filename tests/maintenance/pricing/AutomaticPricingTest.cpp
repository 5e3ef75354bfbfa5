#include "maintenance/pricing/AutomaticPricing.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "FakePricingRecord.h"
#include "maintenance/pricing/PricingError.h"

namespace brimo::maintenance {

void PrintTo(const Prices& p, std::ostream* os) {
    *os << "cost " << p.cost << " list " << p.list << " sale " << p.sale << " discounts " << p.discounts[0] << ", "
        << p.discounts[1] << ", " << p.discounts[2];
}

namespace {

using M = PriceMethod;

PricingSettings settings(M list, double listPct, M sale, double salePct, M discount,
                         std::array<double, 3> discountPcts = {}, bool rounding = false) {
    PricingSettings s;
    s.rounding = rounding;
    s.listMethod = list;
    s.listPercent = listPct;
    s.saleMethod = sale;
    s.salePercent = salePct;
    s.discountMethod = discount;
    s.discountPercents = discountPcts;
    return s;
}

PricingSettings rounded(PricingSettings s) {
    s.rounding = true;
    return s;
}

M method(int value) {
    return static_cast<M>(value);
}

// Prices before every computation: cost 10, the selling prices all distinct
// so that a price that should stay is told apart from one computed.
const Prices before{10, 9.87, 8.76, {7.65, 6.54, 5.43}};

void expectPricesEqual(const Prices& actual, const Prices& expected, const std::string& name) {
    EXPECT_DOUBLE_EQ(actual.cost, expected.cost) << name;
    EXPECT_DOUBLE_EQ(actual.list, expected.list) << name;
    EXPECT_DOUBLE_EQ(actual.sale, expected.sale) << name;
    for (size_t level = 0; level < 3; ++level)
        EXPECT_DOUBLE_EQ(actual.discounts[level], expected.discounts[level]) << name << ", discount " << level + 1;
}

TEST(AutomaticPricing, DerivesEachPriceByItsMethodInOrder) {
    struct Case {
        std::string name;
        PricingSettings settings;
        int amount;
        Prices expected;
    };
    const std::vector<Case> cases = {
        {"all manual, rounding on", rounded(settings(M::manual, 25, M::manual, 25, M::manual, {25, 25, 25})), 0,
         before},
        {"list markup 25 %",
         settings(M::markupFromCost, 25, M::manual, 0, M::manual),
         0,
         {10, 12.5, 8.76, {7.65, 6.54, 5.43}}},
        {"list margin 20 %",
         settings(M::marginFromCost, 20, M::manual, 0, M::manual),
         0,
         {10, 12.5, 8.76, {7.65, 6.54, 5.43}}},
        {"list margin 100 % keeps the list price", settings(M::marginFromCost, 100, M::manual, 0, M::manual), 0,
         before},
        {"list margin 150 % keeps the list price", settings(M::marginFromCost, 150, M::manual, 0, M::manual), 0,
         before},
        {"sale markup 10 %",
         settings(M::manual, 0, M::markupFromCost, 10, M::manual),
         0,
         {10, 9.87, 11, {7.65, 6.54, 5.43}}},
        {"sale margin 50 %",
         settings(M::manual, 0, M::marginFromCost, 50, M::manual),
         0,
         {10, 9.87, 20, {7.65, 6.54, 5.43}}},
        {"sale margin 100 % keeps the sale price", settings(M::manual, 0, M::marginFromCost, 100, M::manual), 0,
         before},
        {"sale 10 % off the list price computed in the same pass",
         settings(M::markupFromCost, 25, M::discountFromList, 10, M::manual),
         0,
         {10, 12.5, 11.25, {7.65, 6.54, 5.43}}},
        {"sale 10 % off a manual list price",
         settings(M::manual, 0, M::discountFromList, 10, M::manual),
         0,
         {10, 9.87, 8.883, {7.65, 6.54, 5.43}}},
        {"discounts: markup per level",
         settings(M::manual, 0, M::manual, 0, M::markupFromCost, {10, 20, 30}),
         0,
         {10, 9.87, 8.76, {11, 12, 13}}},
        {"discounts: margin, a 100 % level keeps its price",
         settings(M::manual, 0, M::manual, 0, M::marginFromCost, {20, 100, 50}),
         0,
         {10, 9.87, 8.76, {12.5, 6.54, 20}}},
        {"discounts off the new list price",
         settings(M::markupFromCost, 100, M::manual, 0, M::discountFromList, {10, 25, 50}),
         0,
         {10, 20, 8.76, {18, 15, 10}}},
        {"discounts off the new sale price",
         settings(M::manual, 0, M::markupFromCost, 100, M::discountFromSale, {10, 20, 30}),
         0,
         {10, 9.87, 20, {18, 16, 14}}},
        {"rounding 95 on a 25 % markup",
         rounded(settings(M::markupFromCost, 25, M::manual, 0, M::manual)),
         95,
         {10, 12.95, 8.76, {7.65, 6.54, 5.43}}},
        {"rounding 0 cuts every computed price to whole units",
         rounded(settings(M::markupFromCost, 25, M::marginFromCost, 20, M::markupFromCost, {5, 15, 33})),
         0,
         {10, 12, 12, {10, 11, 13}}},
        {"a manual price is never rounded",
         rounded(settings(M::manual, 0, M::markupFromCost, 10, M::manual)),
         50,
         {10, 9.87, 11.5, {7.65, 6.54, 5.43}}},
        {"the sale price comes from the list price before rounding",
         rounded(settings(M::markupFromCost, 25, M::discountFromList, 10, M::manual)),
         0,
         {10, 12, 11, {7.65, 6.54, 5.43}}},
        {"the discounts come from the sale price before rounding",
         rounded(settings(M::manual, 0, M::markupFromCost, 25, M::discountFromSale, {10, 10, 10})),
         0,
         {10, 9.87, 12, {11, 11, 11}}},
        {"methods a price does not know keep it", settings(method(3), 10, method(4), 10, method(5), {10, 10, 10}), 0,
         before},
        {"negative methods keep and never round",
         rounded(settings(method(-1), 10, method(-1), 10, method(-1), {10, 10, 10})), 0, before},
    };
    for (const Case& c : cases) {
        expectPricesEqual(computePrices(before, c.settings, c.amount), c.expected, c.name);
    }
}

TEST(AutomaticPricing, RoundingFollowsTheStoredMethodEvenWhereItKeptThePrice) {
    // A list price method above 0 that the list price does not know (3)
    // leaves the price, but counts as not manual for the rounding.
    const Prices result = computePrices(before, rounded(settings(method(3), 10, M::manual, 0, M::manual)), 0);
    EXPECT_DOUBLE_EQ(result.list, 9);
}

TEST(AutomaticPricing, AWholeMarginResultIsRoundedFromTheWholeNumber) {
    // Exactly 1.00; a working value narrowed to a 40-bit mantissa would fall
    // just below and round to 0.99.
    const Prices cheap{0.65, 0, 0, {}};
    const Prices result = computePrices(cheap, rounded(settings(M::marginFromCost, 35, M::manual, 0, M::manual)), 99);
    EXPECT_DOUBLE_EQ(result.list, 1.99);
}

TEST(AutomaticPricing, RoundingKeepsTheExactWholePartOfMarkupsAndMargins) {
    // Every cost from 0.01 to 20.00 with every whole percentage from 1 to 99:
    // the whole units that the rounding keeps are those of the exact result,
    // worked out here in integers (cents).
    for (int cents = 1; cents <= 2000; ++cents) {
        const Prices cost{cents / 100.0, 0, 0, {}};
        for (int pct = 1; pct <= 99; ++pct) {
            const Prices result =
                computePrices(cost, rounded(settings(M::markupFromCost, pct, M::marginFromCost, pct, M::manual)), 0);
            ASSERT_EQ(result.list, cents * (100 + pct) / 10000) << cents << " cents, markup " << pct;
            ASSERT_EQ(result.sale, cents / (100 - pct)) << cents << " cents, margin " << pct;
        }
    }
}

TEST(AutomaticPricing, AResultOutOfRangeIsAnError) {
    const Prices huge{1e308, 0, 0, {}};
    EXPECT_THROW(computePrices(huge, settings(M::markupFromCost, 100, M::manual, 0, M::manual), 0), PricingError);
    EXPECT_THROW(computePrices(huge, settings(M::manual, 0, M::manual, 0, M::marginFromCost, {0, 0, 99.9999}), 0),
                 PricingError);
}

FakePricingRecord stockCode(double cost) {
    return FakePricingRecord{
        {"COST", cost},        {"LIST", 9.87},          {"PRICE", 8.76},         {"DISCOUNT1", 7.65},
        {"DISCOUNT2", 6.54},   {"DISCOUNT3", 5.43},     {"AUTOPRICE", 2.0},      {"AUTOROUND", true},
        {"LISTMTHD", 1.0},     {"LISTPCT", 25.0},       {"SALEMTHD", 3.0},       {"SALEPCT", 10.0},
        {"DISCMTHD", 4.0},     {"DISC1PCT", 10.0},      {"DISC2PCT", 20.0},      {"DISC3PCT", 30.0},
        {"DISC1DESC", "Gold"}, {"DISC2DESC", "Silver"}, {"DISC3DESC", "Bronze"}, {"PRICECAT", "RETAIL"},
    };
}

TEST(RecalculatePrices, WritesTheSixPricesOnlyAfterComputingThem) {
    FakePricingRecord record = stockCode(10);
    recalculatePrices(record, 95);

    const std::vector<std::string> order{"COST", "LIST", "PRICE", "DISCOUNT1", "DISCOUNT2", "DISCOUNT3"};
    EXPECT_EQ(record.writes(), order);
    // List 12.50, sale 11.25, discounts 10.125, 9.00, 7.875 off that sale
    // price, each then rounded to end in .95.
    const Prices expected{10, 12.95, 11.95, {10.95, 9.95, 7.95}};
    expectPricesEqual(readPrices(record), expected, "recalculated");
}

TEST(RecalculatePrices, LeavesTheRecordAsItWasWhenItFails) {
    FakePricingRecord overflowing = stockCode(1.5e308);  // list price 125 % of that
    EXPECT_THROW(recalculatePrices(overflowing, 0), PricingError);
    EXPECT_TRUE(overflowing.writes().empty());
    EXPECT_EQ(std::get<double>(overflowing.at("LIST")), 9.87);

    FakePricingRecord unreadable{{"COST", 10.0}, {"LIST", 9.87}};
    EXPECT_THROW(recalculatePrices(unreadable, 0), std::out_of_range);
    EXPECT_TRUE(unreadable.writes().empty());
}

}  // namespace
}  // namespace brimo::maintenance
