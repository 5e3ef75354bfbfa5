#pragma once

#include "data/Database.h"

namespace brimo::maintenance {

// What the company record says about prices.
struct CompanyPricing {
    int precision = 2;       // decimals of prices: 2, 3 or 4
    int roundingAmount = 0;  // the cents a rounded price ends in (RNDAMT)

    bool operator==(const CompanyPricing&) const = default;
};

// Reads PRECISION and RNDAMT of the company record (the first record of
// COINFO). When the record cannot be read the precision is 2 and the rounding
// amount stays `previousRoundingAmount`. A precision other than 2, 3 or 4 (a
// field never filled in reads as 0) counts as 2, so that prices are never
// shown or rounded to whole units by mistake.
CompanyPricing readCompanyPricing(const data::Database& database, int previousRoundingAmount);

}  // namespace brimo::maintenance
