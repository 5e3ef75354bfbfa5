#include "maintenance/stockcode/StockCodePosting.h"

#include "maintenance/pricing/AutomaticPricing.h"
#include "maintenance/pricing/PricingFields.h"
#include "maintenance/pricing/PricingSettings.h"
#include "reports/TextFunctions.h"

namespace brimo::maintenance {

void applyPostingRules(PricingRecord& stockCode, int roundingAmount) {
    for (const char* field : {"CATEGORY", "SUBCAT", "PREFVENDOR"}) {
        stockCode.setString(field, reports::trimBlanks(stockCode.asString(field)));
    }
    if (stockCode.asNumber("UNITSTOORD") == 0) {
        stockCode.setNumber("UNITSTOORD", 1);
    }
    const double minimum = stockCode.asNumber("MINIMUM");
    if (minimum > stockCode.asNumber("MAXIMUM")) {
        stockCode.setNumber("MAXIMUM", minimum);
    }
    if (minimum > stockCode.asNumber("TARGETQTY")) {
        stockCode.setNumber("TARGETQTY", minimum);
    }
    const double maximum = stockCode.asNumber("MAXIMUM");
    if (maximum < stockCode.asNumber("TARGETQTY")) {
        stockCode.setNumber("TARGETQTY", maximum);
    }
    if (stockCode.asInteger(pricing_fields::updateOption) == static_cast<int32_t>(UpdateOption::automatic)) {
        recalculatePrices(stockCode, roundingAmount);
    }
    const int32_t container = stockCode.asInteger("CONTAINER");
    if (container > static_cast<int32_t>(ContainerType::none)) {
        stockCode.setBool("SERIALIZED", false);
    }
    if (container == static_cast<int32_t>(ContainerType::container)) {
        stockCode.setBool("NODEPLETE", true);
    }
    if (stockCode.asBool("SERIALIZED")) {
        stockCode.setBool("NODEPLETE", false);
    }
}

void StockCodePosting::beforePost(PricingRecord& stockCode, bool costTyped) {
    if (collectCostChanges_ && costTyped &&
        stockCode.asInteger("CONTAINER") != static_cast<int32_t>(ContainerType::container)) {
        changedCosts_.insert(stockCode.asString("STOCKCODE"));
    }
    applyPostingRules(stockCode, roundingAmount_);
}

}  // namespace brimo::maintenance
