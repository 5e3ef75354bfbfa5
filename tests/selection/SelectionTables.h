#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Small tables for the selection tests, made with the application's own
// table definitions in a temporary data directory.
namespace brimo::selection::test {

struct StockRow {
    std::string code;
    std::string desc;
    int container = 0;
    bool nonStock = false;
    double list = 0;
    double onHand = 0;
    double allocated = 0;
    double onRma = 0;
    std::string notes{};
};

struct CustomerRow {
    int number = 0;
    std::string lastName;
    std::string firstName;
    std::string phone;
    std::string account;
    std::string notes{};
};

struct VendorRow {
    std::string code;
    std::string name;
};

void makeStockCodes(const std::filesystem::path& directory, const std::vector<StockRow>& rows);
// PRECISION and HIDEPRICES of the one company record.
void makeCompany(const std::filesystem::path& directory, int precision, bool hidePrices);
void makeCustomers(const std::filesystem::path& directory, const std::vector<CustomerRow>& rows);
void makeVendors(const std::filesystem::path& directory, const std::vector<VendorRow>& rows);

// A fresh temporary directory, removed with its contents at the end of scope.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace brimo::selection::test
