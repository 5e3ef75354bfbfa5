#include "maintenance/pricing/PricingSettings.h"

#include "maintenance/pricing/PricingFields.h"

namespace brimo::maintenance {

namespace fields = pricing_fields;

PricingSettings readPricingSettings(const PricingRecord& record) {
    PricingSettings s;
    s.updateOption = static_cast<UpdateOption>(record.asInteger(fields::updateOption));
    s.rounding = record.asBool(fields::rounding);
    s.listMethod = static_cast<PriceMethod>(record.asInteger(fields::listMethod));
    s.listPercent = record.asNumber(fields::listPercent);
    s.saleMethod = static_cast<PriceMethod>(record.asInteger(fields::saleMethod));
    s.salePercent = record.asNumber(fields::salePercent);
    s.discountMethod = static_cast<PriceMethod>(record.asInteger(fields::discountMethod));
    for (size_t level = 0; level < 3; ++level) {
        s.discountPercents[level] = record.asNumber(fields::discountPercents[level]);
        s.discountNames[level] = record.asString(fields::discountNames[level]);
    }
    return s;
}

void writePricingSettings(PricingRecord& record, const PricingSettings& s) {
    record.setInteger(fields::updateOption, static_cast<int32_t>(s.updateOption));
    record.setBool(fields::rounding, s.rounding);
    record.setInteger(fields::listMethod, static_cast<int32_t>(s.listMethod));
    record.setNumber(fields::listPercent, s.listPercent);
    record.setInteger(fields::saleMethod, static_cast<int32_t>(s.saleMethod));
    record.setNumber(fields::salePercent, s.salePercent);
    record.setInteger(fields::discountMethod, static_cast<int32_t>(s.discountMethod));
    for (size_t level = 0; level < 3; ++level)
        record.setNumber(fields::discountPercents[level], s.discountPercents[level]);
    for (size_t level = 0; level < 3; ++level) record.setString(fields::discountNames[level], s.discountNames[level]);
}

void copyPricingSettings(const PricingRecord& priceCategory, PricingRecord& stockCode) {
    writePricingSettings(stockCode, readPricingSettings(priceCategory));
}

}  // namespace brimo::maintenance
