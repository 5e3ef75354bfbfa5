#pragma once

#include <stdexcept>

namespace brimo::maintenance {

// A price computation that cannot give a usable price. The record is left as
// it was when this is thrown.
class PricingError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace brimo::maintenance
