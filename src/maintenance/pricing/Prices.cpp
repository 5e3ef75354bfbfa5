#include "maintenance/pricing/Prices.h"

#include "maintenance/pricing/PricingFields.h"

namespace brimo::maintenance {

namespace fields = pricing_fields;

Prices readPrices(const PricingRecord& stockCode) {
    Prices p;
    p.cost = stockCode.asNumber(fields::cost);
    p.list = stockCode.asNumber(fields::list);
    p.sale = stockCode.asNumber(fields::sale);
    for (size_t level = 0; level < 3; ++level) p.discounts[level] = stockCode.asNumber(fields::discounts[level]);
    return p;
}

void writePrices(PricingRecord& stockCode, const Prices& p) {
    stockCode.setNumber(fields::cost, p.cost);
    stockCode.setNumber(fields::list, p.list);
    stockCode.setNumber(fields::sale, p.sale);
    for (size_t level = 0; level < 3; ++level) stockCode.setNumber(fields::discounts[level], p.discounts[level]);
}

}  // namespace brimo::maintenance
