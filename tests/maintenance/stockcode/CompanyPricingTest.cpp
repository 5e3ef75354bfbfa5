#include "maintenance/stockcode/CompanyPricing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "StockCodeData.h"

namespace brimo::maintenance {
namespace {

TEST(CompanyPricing, ReadsPrecisionAndRoundingAmount) {
    struct Case {
        int precision;
        CompanyPricing expected;
    } cases[] = {{2, {2, 95}}, {3, {3, 95}}, {4, {4, 95}}, {0, {2, 95}}, {7, {2, 95}}};
    for (const Case& c : cases) {
        test::StockCodeData data;
        data.setCompany(c.precision, 95);
        EXPECT_EQ(readCompanyPricing(data.database(), 40), c.expected) << "PRECISION " << c.precision;
    }
}

TEST(CompanyPricing, KeepsThePreviousRoundingAmountWhenTheRecordCannotBeRead) {
    test::StockCodeData data;
    EXPECT_EQ(readCompanyPricing(data.database(), 40), (CompanyPricing{2, 40})) << "no company record";
    std::filesystem::remove(data.directory() / "COINFO.DBF");
    EXPECT_EQ(readCompanyPricing(data.database(), 15), (CompanyPricing{2, 15})) << "no company table";
}

}  // namespace
}  // namespace brimo::maintenance
