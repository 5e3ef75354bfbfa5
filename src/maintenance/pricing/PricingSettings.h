#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "maintenance/pricing/PricingRecord.h"

namespace brimo::maintenance {

// How a selling price is derived. The list price knows the first three, the
// sale price the first four, the discount prices all five; a value a price
// does not know leaves that price as it is. Stored values outside this list
// are kept as they are read.
enum class PriceMethod : int32_t {
    manual = 0,
    markupFromCost = 1,
    marginFromCost = 2,
    discountFromList = 3,
    discountFromSale = 4,
};

// When the stock code editor re-prices a record by itself.
enum class UpdateOption : int32_t {
    manual = 0,
    batchUpdated = 1,
    automatic = 2,  // on every save of the stock code
};

// The pricing settings that a stock code shares with its price category.
// Percentages are in per cent: 25 means 25 %.
struct PricingSettings {
    UpdateOption updateOption = UpdateOption::manual;
    bool rounding = false;
    PriceMethod listMethod = PriceMethod::manual;
    double listPercent = 0;
    PriceMethod saleMethod = PriceMethod::manual;
    double salePercent = 0;
    PriceMethod discountMethod = PriceMethod::manual;  // one method for all three levels
    std::array<double, 3> discountPercents{};
    std::array<std::string, 3> discountNames;  // labels of the three discount prices

    bool operator==(const PricingSettings&) const = default;
};

// Methods and the update option are read as whole numbers.
PricingSettings readPricingSettings(const PricingRecord& record);

// Writes every setting, in the order AUTOPRICE, AUTOROUND, LISTMTHD, LISTPCT,
// SALEMTHD, SALEPCT, DISCMTHD, DISC1PCT..DISC3PCT, DISC1DESC..DISC3DESC.
void writePricingSettings(PricingRecord& record, const PricingSettings& settings);

// Gives a stock code the settings of a price category. Everything is read
// before the first field is written. Neither the stock code's PRICECAT nor its
// prices change: the caller sets the one and decides whether to re-price.
void copyPricingSettings(const PricingRecord& priceCategory, PricingRecord& stockCode);

}  // namespace brimo::maintenance
