#pragma once

#include "maintenance/pricing/Prices.h"
#include "maintenance/pricing/PricingRecord.h"
#include "maintenance/pricing/PricingSettings.h"

namespace brimo::maintenance {

// Derives the selling prices from the cost and from each other, in this
// order: the list price from the cost; the sale price from the cost or the new
// list price; the three discount prices from the cost, the new list price or
// the new sale price, each level with its own percentage. A margin of 100 %
// or more leaves its price as it is. With rounding on, every price whose
// method is not manual is then rounded by roundPrice; a sale price derived
// from the list price uses the list price before rounding. The cost never
// changes. Throws PricingError when a result is out of range.
Prices computePrices(const Prices& current, const PricingSettings& settings, int roundingAmount);

// Re-prices a stock code record in edit state by its own settings: reads the
// six prices and the settings, computes, and only then writes all six prices
// (the cost too, unchanged). When reading or computing fails, nothing is
// written.
void recalculatePrices(PricingRecord& stockCode, int roundingAmount);

}  // namespace brimo::maintenance
