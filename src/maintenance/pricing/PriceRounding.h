#pragma once

namespace brimo::maintenance {

// Rounds a computed price to a whole number of units that ends in
// `roundingAmount` cents (RNDAMT of the company record, 0 to 99): the price is
// taken as it shows with 15 significant digits, its fraction is dropped
// (toward zero), and roundingAmount * 0.01 is added. With 99, 12.30 and 12.99
// both become 12.99; with 50, -3.20 becomes -2.50.
double roundPrice(double price, int roundingAmount);

}  // namespace brimo::maintenance
