#pragma once

// Writing the records of one sample table (internal).

#include <chrono>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "data/Database.h"
#include "data/Table.h"
#include "data/catalogue/TableDef.h"

namespace brimo::sample {

using Date = std::chrono::year_month_day;

constexpr Date date(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year(y), std::chrono::month(m), std::chrono::day(d)};
}

// A catalogued table being filled: created without its index, filled record
// by record, then indexed in one pass by finish(), which is far faster than
// maintaining every tag on every append.
class SampleTable {
  public:
    SampleTable(const data::Database& database, std::string_view tableName);
    ~SampleTable();

    // Starts a new record: every number 0, every logical false, the data
    // version in TABLEVER.
    SampleTable& add();
    SampleTable& set(std::string_view field, std::string_view text);
    SampleTable& set(std::string_view field, const char* text) { return set(field, std::string_view(text)); }
    SampleTable& set(std::string_view field, double value);
    SampleTable& set(std::string_view field, int value) { return set(field, static_cast<double>(value)); }
    SampleTable& set(std::string_view field, bool value);
    SampleTable& set(std::string_view field, Date value);
    SampleTable& set(std::string_view field, std::span<const std::byte> bytes);
    // Writes the record; with `deleted` it is then marked deleted.
    void post(bool deleted = false);

    // Builds the production index from the records and closes the table.
    void finish();

  private:
    int index(std::string_view field);

    const data::catalogue::TableDef& def_;
    std::unique_ptr<data::Table> table_;
    std::unordered_map<std::string, int> fieldIndex_;
    std::vector<int> numberFields_;
    std::vector<int> logicalFields_;
    int versionField_ = -1;
};

}  // namespace brimo::sample
