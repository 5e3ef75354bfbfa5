#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace brimo::data::sql {

// A value as SQL sees it: NULL, a whole number, a real number, UTF-8 text or bytes.
using SqlValue = std::variant<std::monostate, int64_t, double, std::string, std::vector<std::byte>>;

// A row of a query, one value per column.
using SqlRow = std::vector<SqlValue>;

// Named parameters, keyed by their name without the leading colon ("RemoteNum"
// for :RemoteNum); matched exactly, letter case included.
using SqlParameters = std::map<std::string, SqlValue, std::less<>>;

}  // namespace brimo::data::sql
