#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "data/Database.h"
#include "data/Table.h"

namespace brimo::maintenance::test {

// A value of a test record: text, number or logical.
using Value = std::variant<std::string, double, bool>;
using Fields = std::map<std::string, Value>;

// A data directory of its own with the tables of the stock code editor
// (CODE, CODECAT, CODESUB, CONDEF, PRICECAT, VENDOR, COINFO), created empty by
// the table catalogue and removed at the end.
class StockCodeData {
  public:
    StockCodeData();
    ~StockCodeData();
    StockCodeData(const StockCodeData&) = delete;
    StockCodeData& operator=(const StockCodeData&) = delete;

    const std::filesystem::path& directory() const { return directory_; }
    const data::Database& database() const { return *database_; }

    // Appends a record to a table.
    void add(const std::string& table, const Fields& fields);
    void addStockCode(const std::string& code, const Fields& fields = {});
    void addComponent(const std::string& component, const std::string& container, double quantity);
    void setCompany(int precision, int roundingAmount);

    // A fresh read-only cursor on CODE, on the stock code `code` (fails the
    // test when there is none).
    std::unique_ptr<data::Table> stockCode(const std::string& code) const;
    // The ENTRY values of CODECAT or CODESUB in file order.
    std::vector<std::string> entries(const std::string& table) const;

  private:
    std::filesystem::path directory_;
    std::unique_ptr<data::Database> database_;
};

// Writes one field of the current record by the type of the value.
void setField(data::Table& table, const std::string& field, const Value& value);

}  // namespace brimo::maintenance::test
