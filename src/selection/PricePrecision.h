#pragma once

namespace brimo::selection {

// The number of decimals of prices (2, 3 or 4), library-wide: the stock code
// selection sets it from the company record each time it is created, 2 when
// that record cannot be read.
int pricePrecision();
void setPricePrecision(int decimals);

}  // namespace brimo::selection
