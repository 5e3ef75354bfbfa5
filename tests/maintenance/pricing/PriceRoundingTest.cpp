#include "maintenance/pricing/PriceRounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "maintenance/pricing/PricingError.h"

namespace brimo::maintenance {
namespace {

TEST(PriceRounding, DropsTheFractionAndAddsTheAmountInCents) {
    struct Case {
        double price;
        int amount;
        double rounded;
    };
    const Case cases[] = {
        {12.30, 99, 12.99},
        {12.99, 99, 12.99},
        {13, 99, 13.99},
        {12.75, 0, 12},
        {12.99, 50, 12.50},
        {-3.20, 50, -2.50},  // toward zero, then up by the amount
        {-0.5, 0, 0},
        {0, 95, 0.95},
        // Taken as shown with 15 significant digits: a computed 13 that fell
        // just short is still 13, a true fraction in the 13th digit is not.
        {std::nextafter(13.0, 0.0), 0, 13},
        {12.99999999999, 0, 12},
        {123456789012345.6, 0, 123456789012346},
        // Exponent form: dropped numerically, not cut after the first digit.
        {1.5e-7, 99, 0.99},
        {-1.5e-7, 0, 0},
        {1.5e20, 0, 1.5e20},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(roundPrice(c.price, c.amount), c.rounded) << c.price << " with " << c.amount;
    }
}

TEST(PriceRounding, RefusesAPriceThatIsNoNumber) {
    for (double price : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_THROW(roundPrice(price, 99), PricingError) << price;
    }
}

}  // namespace
}  // namespace brimo::maintenance
