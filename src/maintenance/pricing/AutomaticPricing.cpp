#include "maintenance/pricing/AutomaticPricing.h"

#include "maintenance/pricing/PriceRounding.h"
#include "maintenance/pricing/WorkingValue.h"

namespace brimo::maintenance {

namespace {

using working::Extended;
using working::percent;

// A price derived by `method` with percentage `pct`, or `current` when the
// method is manual or unknown or a margin is 100 % or more. `list` and `sale`
// are the prices computed earlier in the same pass.
double derive(PriceMethod method, double pct, double current, double cost, double list, double sale) {
    const Extended p = pct;
    switch (method) {
        case PriceMethod::markupFromCost:
            return working::store(Extended{cost} + p * percent * cost);
        case PriceMethod::marginFromCost:
            if (p >= 100)
                return current;
            return working::store(Extended{cost} / (1 - p * percent));
        case PriceMethod::discountFromList:
            return working::store(Extended{list} - p * percent * list);
        case PriceMethod::discountFromSale:
            return working::store(Extended{sale} - p * percent * sale);
        case PriceMethod::manual:
            break;
    }
    return current;
}

// The method as far as a price knows it: methods past `last` count as manual.
PriceMethod upTo(PriceMethod method, PriceMethod last) {
    return static_cast<int>(method) <= static_cast<int>(last) ? method : PriceMethod::manual;
}

bool roundsPrice(bool rounding, PriceMethod method) {
    return rounding && static_cast<int>(method) > 0;
}

}  // namespace

Prices computePrices(const Prices& current, const PricingSettings& s, int roundingAmount) {
    Prices next = current;
    const double c = current.cost;
    next.list = derive(upTo(s.listMethod, PriceMethod::marginFromCost), s.listPercent, current.list, c, 0, 0);
    next.sale = derive(upTo(s.saleMethod, PriceMethod::discountFromList), s.salePercent, current.sale, c, next.list, 0);
    for (size_t level = 0; level < 3; ++level) {
        next.discounts[level] =
            derive(s.discountMethod, s.discountPercents[level], current.discounts[level], c, next.list, next.sale);
    }

    if (roundsPrice(s.rounding, s.listMethod))
        next.list = roundPrice(next.list, roundingAmount);
    if (roundsPrice(s.rounding, s.saleMethod))
        next.sale = roundPrice(next.sale, roundingAmount);
    if (roundsPrice(s.rounding, s.discountMethod)) {
        for (double& discount : next.discounts) discount = roundPrice(discount, roundingAmount);
    }
    return next;
}

void recalculatePrices(PricingRecord& stockCode, int roundingAmount) {
    const Prices prices = computePrices(readPrices(stockCode), readPricingSettings(stockCode), roundingAmount);
    writePrices(stockCode, prices);
}

}  // namespace brimo::maintenance
