#include "selection/PricePrecision.h"

namespace brimo::selection {

namespace {
int precision = 2;
}

int pricePrecision() {
    return precision;
}

void setPricePrecision(int decimals) {
    precision = decimals;
}

}  // namespace brimo::selection
