#pragma once

#include "data/Table.h"
#include "maintenance/pricing/PricingRecord.h"

namespace brimo::maintenance {

// The current record of a table cursor as a record addressed by field name,
// for the pricing code and the posting rules. Writing needs the cursor in
// edit or insert state.
class TableRecord : public PricingRecord {
  public:
    explicit TableRecord(data::Table& table) : table_(table) {}

    double asNumber(std::string_view field) const override { return table_.asNumber(field); }
    int32_t asInteger(std::string_view field) const override { return table_.asInteger(field); }
    bool asBool(std::string_view field) const override { return table_.asBool(field); }
    std::string asString(std::string_view field) const override { return table_.asString(field); }

    void setNumber(std::string_view field, double value) override { table_.setNumber(field, value); }
    void setInteger(std::string_view field, int32_t value) override { table_.setInteger(field, value); }
    void setBool(std::string_view field, bool value) override { table_.setBool(field, value); }
    void setString(std::string_view field, std::string_view value) override { table_.setString(field, value); }

  private:
    data::Table& table_;
};

}  // namespace brimo::maintenance
