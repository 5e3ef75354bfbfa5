#pragma once

// Arithmetic of the price computation (internal to the pricing code).
//
// Each formula is evaluated in long double (the 80-bit extended type on x86)
// and its result is kept as a double, the type of the price fields.
//
// The working values are deliberately not narrowed to a 48-bit real with a
// 40-bit mantissa. That narrowing errs by up to 2^-41 of the value, about a
// hundred times more than the 15 significant digits that the price rounding
// looks at can hide. A price whose exact value is whole then lands just below
// it and the rounding drops a whole unit: cost 0.65 with a 35 % margin gives a
// list price of exactly 1, but with the cost and the result narrowed it comes
// to 0.99999999999909, which the rounding with an amount of 99 turns into 0.99
// instead of 1.99. Over costs 0.01 to
// 200.00 and whole percentages of markup and margin from 1 to 99 that happens
// in 6,470 of 3,960,000 cases; with doubles in none. Keeping doubles also
// writes the cost back exactly as it was read. Beyond that the two differ only
// past the twelfth significant digit, below what the price fields store.

#include <cmath>

#include "maintenance/pricing/PricingError.h"

namespace brimo::maintenance::working {

using Extended = long double;

inline constexpr Extended percent = 0.01L;

// The result of a formula as a price; a result that no price field can hold
// (an overflow) is an error.
inline double store(Extended value) {
    const double price = static_cast<double>(value);
    if (!std::isfinite(price))
        throw PricingError("A computed price is out of range.");
    return price;
}

}  // namespace brimo::maintenance::working
