#pragma once

// The pieces of the sample data set (internal).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/Database.h"

namespace brimo::sample {

// What the later tables need to know of the stock and customers written.
struct StockCode {
    std::string code;
    std::string description;
    double price = 0;
    bool serialized = false;
};

struct Customer {
    int number = 0;
    std::string lastName;
    std::string taxCategory;
    std::string terms;
    bool deleted = false;
};

// CODE, CODECAT, CODESUB, CONDEF, SERIAL, PRICECAT, TAXCAT, VENDOR: the
// hand-picked items, then generated ones up to `count` (at least the
// hand-picked ones when count is 0).
std::vector<StockCode> writeStockTables(const data::Database& database, uint32_t count);

// CUST and CUSTCAT, in the same manner.
std::vector<Customer> writeCustomerTables(const data::Database& database, uint32_t count);

// AR, ARDETAIL, INVOICE, ORDER, QUOTE, SO, RINV for the hand-picked customers.
void writeAccountTables(const data::Database& database, const std::vector<Customer>& customers);

// COINFO, ID, LOCATION and TRANSFER; the main location's data path is
// `dataPath`.
void writeCompanyTables(const data::Database& database, const std::vector<StockCode>& stock,
                        const std::filesystem::path& dataPath);

// A deterministic pseudo-random sequence (splitmix64), the same on every
// platform, unlike the standard distributions.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next();
    // A whole number in [low, high].
    int between(int low, int high);
    // An amount in [low, high] with two decimals.
    double amount(double low, double high);
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[static_cast<size_t>(between(0, static_cast<int>(items.size()) - 1))];
    }

  private:
    uint64_t state_;
};

// Rounds to cents, halves away from zero.
double cents(double value);

}  // namespace brimo::sample
