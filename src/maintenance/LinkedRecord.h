#pragma once

#include <string>

#include "maintenance/pricing/PricingRecord.h"
#include "ui/RecordLink.h"

namespace brimo::maintenance {

// The record an editor shows, as a record addressed by field name: reads see
// the changes pending in the editor, writes go through the link like a
// user's (the record goes into edit state and the controls follow).
class LinkedRecord : public PricingRecord {
  public:
    explicit LinkedRecord(ui::RecordLink& link) : link_(link) {}

    double asNumber(std::string_view field) const override { return link_.number(field); }
    int32_t asInteger(std::string_view field) const override { return link_.integer(field); }
    bool asBool(std::string_view field) const override { return link_.logical(field); }
    std::string asString(std::string_view field) const override { return link_.text(field); }

    void setNumber(std::string_view field, double value) override { link_.setValue(field, value); }
    void setInteger(std::string_view field, int32_t value) override {
        link_.setValue(field, static_cast<double>(value));
    }
    void setBool(std::string_view field, bool value) override { link_.setValue(field, value); }
    void setString(std::string_view field, std::string_view value) override {
        link_.setValue(field, std::string(value));
    }

  private:
    ui::RecordLink& link_;
};

}  // namespace brimo::maintenance
