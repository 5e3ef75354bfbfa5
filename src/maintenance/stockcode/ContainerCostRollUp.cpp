#include "maintenance/stockcode/ContainerCostRollUp.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "maintenance/stockcode/ExactKey.h"

namespace brimo::maintenance {

double roundHalfAwayFromZero(double value, int decimals) {
    if (!std::isfinite(value) || value == 0) {
        return value;
    }
    // The 15 significant digits d1..d15 of |value| = 0.d1d2... x 10^(exponent+1).
    char text[32];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
    std::string digits;
    for (const char* p = text; *p != 'e'; ++p) {
        if (*p != '.') {
            digits.push_back(*p);
        }
    }
    const int exponent = std::atoi(std::strchr(text, 'e') + 1);
    const int kept = exponent + 1 + decimals;
    if (kept >= static_cast<int>(digits.size())) {
        return value;
    }
    int64_t units = kept > 0 ? std::stoll(digits.substr(0, static_cast<std::size_t>(kept))) : 0;
    const char next = kept >= 0 ? digits[static_cast<std::size_t>(kept)] : '0';
    if (next >= '5') {
        ++units;
    }
    // units / 10^decimals, read back from its decimal text for the nearest double.
    std::snprintf(text, sizeof text, "%lldE-%d", static_cast<long long>(units), decimals);
    const double rounded = std::strtod(text, nullptr);
    return value < 0 ? -rounded : rounded;
}

namespace {

class PausedRefresh {
  public:
    explicit PausedRefresh(data::Table& table) : table_(table) { table_.disableControls(); }
    ~PausedRefresh() { table_.enableControls(); }
    PausedRefresh(const PausedRefresh&) = delete;
    PausedRefresh& operator=(const PausedRefresh&) = delete;

  private:
    data::Table& table_;
};

// Every row of the active tag whose key field equals `code`.
template <class Visit>
void forEachRowOf(data::Table& definitions, std::string_view keyField, const std::string& code, Visit&& visit) {
    const std::string key = exactTextKey(definitions, keyField, code);
    definitions.setRange(key, key);
    for (definitions.first(); !definitions.isEmpty() && !definitions.eof(); definitions.next()) {
        visit();
    }
    definitions.cancelRange();
}

double containerTotal(data::Table& definitions, data::Table& stockCodes, const std::string& container) {
    double total = 0;
    forEachRowOf(definitions, "CONTAINER", container, [&] {
        const std::string component = definitions.asString("STOCKCODE");
        if (stockCodes.findKey(exactTextKey(stockCodes, "STOCKCODE", component))) {
            total += stockCodes.asNumber("COST") * definitions.asNumber("QUANTITY");
        }
    });
    return total;
}

}  // namespace

int rollUpContainerCosts(const data::Database& database, data::Table& stockCodes,
                         const std::set<std::string>& changedCodes, int pricePrecision,
                         const std::function<void(const std::exception&)>& saveFailed) {
    if (changedCodes.empty()) {
        return 0;
    }
    std::unique_ptr<data::Table> definitions;
    try {
        definitions = database.openTable("CONDEF", data::OpenMode::ReadOnly);
        definitions->first();
        if (definitions->isEmpty()) {
            return 0;
        }
    } catch (const std::exception&) {
        return 0;
    }
    PausedRefresh paused(stockCodes);
    definitions->setActiveTag("STOCKCODE");
    std::set<std::string> containers;
    for (const std::string& code : changedCodes) {
        forEachRowOf(*definitions, "STOCKCODE", code, [&] { containers.insert(definitions->asString("CONTAINER")); });
    }
    definitions->setActiveTag("CONTAINER");
    stockCodes.setActiveTag("CODE");
    int saved = 0;
    for (const std::string& container : containers) {
        const double cost = roundHalfAwayFromZero(containerTotal(*definitions, stockCodes, container), pricePrecision);
        if (!stockCodes.findKey(exactTextKey(stockCodes, "STOCKCODE", container))) {
            continue;
        }
        try {
            stockCodes.edit();
            stockCodes.setNumber("COST", cost);
            stockCodes.post();
            ++saved;
        } catch (const std::exception& error) {
            if (stockCodes.state() != data::TableState::Browse) {
                stockCodes.cancel();
            }
            saveFailed(error);
        }
    }
    return saved;
}

}  // namespace brimo::maintenance
