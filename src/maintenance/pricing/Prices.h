#pragma once

#include <array>

#include "maintenance/pricing/PricingRecord.h"

namespace brimo::maintenance {

// The cost and the five selling prices of a stock code.
struct Prices {
    double cost = 0;
    double list = 0;
    double sale = 0;
    std::array<double, 3> discounts{};

    bool operator==(const Prices&) const = default;
};

// COST, LIST, PRICE, DISCOUNT1..DISCOUNT3 of a CODE record.
Prices readPrices(const PricingRecord& stockCode);

// Writes all six fields, in the order COST, LIST, PRICE, DISCOUNT1..3.
void writePrices(PricingRecord& stockCode, const Prices& prices);

}  // namespace brimo::maintenance
