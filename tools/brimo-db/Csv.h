#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brimo::dbtool {

// One CSV field as RFC 4180 writes it: quoted when it holds a comma, a double
// quote, a carriage return or a line feed, with inner quotes doubled.
std::string csvField(std::string_view value);

// A whole CSV line, fields joined by commas and ended by CR LF.
std::string csvLine(const std::vector<std::string>& values);

}  // namespace brimo::dbtool
