#include "StockCodeData.h"

#include <gtest/gtest.h>

#include <random>

#include "data/catalogue/TableCreation.h"
#include "maintenance/stockcode/ExactKey.h"

namespace brimo::maintenance::test {

void setField(data::Table& table, const std::string& field, const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        table.setString(field, *text);
    } else if (const auto* number = std::get_if<double>(&value)) {
        table.setNumber(field, *number);
    } else {
        table.setBool(field, std::get<bool>(value));
    }
}

StockCodeData::StockCodeData() {
    std::random_device random;
    directory_ = std::filesystem::temp_directory_path() /
                 ("brimo-stockcode-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(directory_);
    database_ = std::make_unique<data::Database>(directory_);
    for (const char* table : {"CODE", "CODECAT", "CODESUB", "CONDEF", "PRICECAT", "VENDOR", "COINFO"}) {
        data::catalogue::createTable(*database_, table);
    }
}

StockCodeData::~StockCodeData() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

void StockCodeData::add(const std::string& table, const Fields& fields) {
    auto cursor = database_->openTable(table);
    cursor->append();
    data::zeroNumericFields(*cursor);
    for (const auto& [field, value] : fields) {
        setField(*cursor, field, value);
    }
    cursor->post();
}

void StockCodeData::addStockCode(const std::string& code, const Fields& fields) {
    Fields all{{"STOCKCODE", code}, {"UNITSTOORD", 1.0}};
    for (const auto& [field, value] : fields) {
        all[field] = value;
    }
    add("CODE", all);
}

void StockCodeData::addComponent(const std::string& component, const std::string& container, double quantity) {
    add("CONDEF", {{"STOCKCODE", component}, {"CONTAINER", container}, {"QUANTITY", quantity}});
}

void StockCodeData::setCompany(int precision, int roundingAmount) {
    auto company = database_->openTable("COINFO");
    company->first();
    if (company->isEmpty()) {
        company->append();
        data::zeroNumericFields(*company);
    } else {
        company->edit();
    }
    company->setNumber("PRECISION", precision);
    company->setNumber("RNDAMT", roundingAmount);
    company->post();
}

std::unique_ptr<data::Table> StockCodeData::stockCode(const std::string& code) const {
    auto cursor = database_->openTable("CODE", data::OpenMode::ReadOnly);
    cursor->setActiveTag("CODE");
    const bool found = cursor->findKey(exactTextKey(*cursor, "STOCKCODE", code));
    EXPECT_TRUE(found) << "no stock code " << code;
    return cursor;
}

std::vector<std::string> StockCodeData::entries(const std::string& table) const {
    std::vector<std::string> result;
    auto cursor = database_->openTable(table, data::OpenMode::ReadOnly);
    for (cursor->first(); !cursor->isEmpty() && !cursor->eof(); cursor->next()) {
        result.push_back(cursor->asString("ENTRY"));
    }
    return result;
}

}  // namespace brimo::maintenance::test
