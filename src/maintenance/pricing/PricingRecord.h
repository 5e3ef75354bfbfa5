#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brimo::maintenance {

// One record that carries pricing fields: a stock code of CODE or a price
// category of PRICECAT, addressed by field name. The editors implement it over
// their table cursor; the pricing code reads and writes fields only and never
// posts the record. Errors of the underlying table propagate as its own
// exceptions.
class PricingRecord {
  public:
    virtual ~PricingRecord() = default;

    virtual double asNumber(std::string_view field) const = 0;
    virtual int32_t asInteger(std::string_view field) const = 0;
    virtual bool asBool(std::string_view field) const = 0;
    virtual std::string asString(std::string_view field) const = 0;

    virtual void setNumber(std::string_view field, double value) = 0;
    virtual void setInteger(std::string_view field, int32_t value) = 0;
    virtual void setBool(std::string_view field, bool value) = 0;
    virtual void setString(std::string_view field, std::string_view value) = 0;
};

}  // namespace brimo::maintenance
