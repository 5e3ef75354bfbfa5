#pragma once

#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "maintenance/pricing/PricingRecord.h"

namespace brimo::maintenance {

// A record held in memory that logs the names of the fields written, in order.
// Reading a field it does not hold throws, like a table without that field.
class FakePricingRecord : public PricingRecord {
  public:
    using Value = std::variant<double, bool, std::string>;

    FakePricingRecord() = default;
    FakePricingRecord(std::initializer_list<std::pair<const std::string, Value>> fields) : fields_(fields) {}

    double asNumber(std::string_view field) const override { return std::get<double>(at(field)); }
    int32_t asInteger(std::string_view field) const override {
        return static_cast<int32_t>(std::llround(asNumber(field)));
    }
    bool asBool(std::string_view field) const override { return std::get<bool>(at(field)); }
    std::string asString(std::string_view field) const override { return std::get<std::string>(at(field)); }

    void setNumber(std::string_view field, double value) override { set(field, value); }
    void setInteger(std::string_view field, int32_t value) override { set(field, double(value)); }
    void setBool(std::string_view field, bool value) override { set(field, value); }
    void setString(std::string_view field, std::string_view value) override { set(field, std::string(value)); }

    const Value& at(std::string_view field) const {
        const auto found = fields_.find(std::string(field));
        if (found == fields_.end())
            throw std::out_of_range("no field " + std::string(field));
        return found->second;
    }
    const std::vector<std::string>& writes() const { return writes_; }

  private:
    void set(std::string_view field, Value value) {
        fields_[std::string(field)] = std::move(value);
        writes_.emplace_back(field);
    }

    std::map<std::string, Value, std::less<>> fields_;
    std::vector<std::string> writes_;
};

}  // namespace brimo::maintenance
