#include "maintenance/stockcode/CompanyPricing.h"

#include <exception>

#include "data/Table.h"

namespace brimo::maintenance {

CompanyPricing readCompanyPricing(const data::Database& database, int previousRoundingAmount) {
    try {
        const auto company = database.openTable("COINFO", data::OpenMode::ReadOnly);
        company->first();
        const int precision = company->asInteger("PRECISION");
        const int roundingAmount = company->asInteger("RNDAMT");
        return CompanyPricing{precision >= 2 && precision <= 4 ? precision : 2, roundingAmount};
    } catch (const std::exception&) {
        return CompanyPricing{2, previousRoundingAmount};
    }
}

}  // namespace brimo::maintenance
