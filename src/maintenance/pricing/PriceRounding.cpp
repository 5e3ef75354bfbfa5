#include "maintenance/pricing/PriceRounding.h"

#include <charconv>
#include <cmath>

#include "maintenance/pricing/WorkingValue.h"

namespace brimo::maintenance {

namespace {

// The price as its shortest text of at most 15 significant digits shows it,
// so that 12.999999999999998, the result of a computation meant to give 13,
// counts as 13.
double asShown(double price) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, price, std::chars_format::general, 15);
    double shown = 0;
    std::from_chars(text, written.ptr, shown);
    return shown;
}

}  // namespace

double roundPrice(double price, int roundingAmount) {
    // Dropping the fraction numerically rather than cutting the text at its
    // point gives the same result for every text in plain notation, and stays
    // right where the text is in exponent form (below 0.0001 or from 10^15
    // up), where a cut at the point would keep only the first digit.
    const working::Extended whole = std::trunc(static_cast<working::Extended>(asShown(price)));
    return working::store(whole + roundingAmount * working::percent);
}

}  // namespace brimo::maintenance
