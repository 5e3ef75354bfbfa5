#include "SampleDataSet.h"

#include <cmath>

#include "SampleParts.h"

namespace brimo::sample {

uint64_t Random::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Random::between(int low, int high) {
    const auto span = static_cast<uint64_t>(high - low) + 1;
    return low + static_cast<int>(next() % span);
}

double Random::amount(double low, double high) {
    const auto lowCents = static_cast<int>(std::lround(low * 100));
    const auto highCents = static_cast<int>(std::lround(high * 100));
    return between(lowCents, highCents) / 100.0;
}

double cents(double value) {
    return std::round(value * 100) / 100;
}

void writeSampleDataSet(const std::filesystem::path& directory, const SampleOptions& options) {
    std::filesystem::create_directories(directory);
    const data::Database database(directory);
    const uint32_t count = options.records.value_or(0);
    const auto stock = writeStockTables(database, count);
    const auto customers = writeCustomerTables(database, count);
    writeAccountTables(database, customers);
    writeCompanyTables(database, stock, std::filesystem::absolute(directory));
}

}  // namespace brimo::sample
