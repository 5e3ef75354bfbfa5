#include "SelectionTables.h"

#include <random>

#include "data/Database.h"
#include "data/Table.h"
#include "data/catalogue/TableCreation.h"

namespace brimo::selection::test {

namespace {

std::unique_ptr<data::Table> create(const std::filesystem::path& directory, const char* name) {
    const data::Database database(directory);
    return data::catalogue::createTable(database, name);
}

void appendBlank(data::Table& table) {
    table.append();
    data::zeroNumericFields(table);
}

}  // namespace

void makeStockCodes(const std::filesystem::path& directory, const std::vector<StockRow>& rows) {
    auto table = create(directory, "CODE");
    for (const StockRow& row : rows) {
        appendBlank(*table);
        table->setString("STOCKCODE", row.code);
        table->setString("DESC", row.desc);
        table->setNumber("CONTAINER", row.container);
        table->setBool("NONSTOCK", row.nonStock);
        table->setNumber("LIST", row.list);
        table->setNumber("ONHAND", row.onHand);
        table->setNumber("ALLOCATED", row.allocated);
        table->setNumber("ONRMA", row.onRma);
        table->setString("NOTES", row.notes);
        table->post();
    }
}

void makeCompany(const std::filesystem::path& directory, int precision, bool hidePrices) {
    auto table = create(directory, "COINFO");
    appendBlank(*table);
    table->setNumber("PRECISION", precision);
    table->setBool("HIDEPRICES", hidePrices);
    table->post();
}

void makeCustomers(const std::filesystem::path& directory, const std::vector<CustomerRow>& rows) {
    auto table = create(directory, "CUST");
    for (const CustomerRow& row : rows) {
        appendBlank(*table);
        table->setInteger("CUSTNUM", row.number);
        table->setString("LASTNAME", row.lastName);
        table->setString("FIRSTNAME", row.firstName);
        table->setString("PHONE", row.phone);
        table->setString("EXTACCT", row.account);
        table->setString("NOTES", row.notes);
        table->post();
    }
}

void makeVendors(const std::filesystem::path& directory, const std::vector<VendorRow>& rows) {
    auto table = create(directory, "VENDOR");
    for (const VendorRow& row : rows) {
        appendBlank(*table);
        table->setString("CODE", row.code);
        table->setString("NAME", row.name);
        table->post();
    }
}

TempDir::TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("brimo-selection-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace brimo::selection::test
