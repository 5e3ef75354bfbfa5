#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brimo::data::sql {

// A value as SQL sees it: NULL, a whole number, a real number, UTF-8 text or bytes.
using SqlValue = std::variant<std::monostate, int64_t, double, std::string, std::vector<std::byte>>;

// A value read without copying: text and bytes point into storage of the
// cursor that gave them, valid until that cursor is used again.
using SqlValueView = std::variant<std::monostate, int64_t, double, std::string_view, std::span<const std::byte>>;

inline SqlValueView viewOf(const SqlValue& value) {
    struct Visitor {
        SqlValueView operator()(std::monostate) const { return {}; }
        SqlValueView operator()(int64_t v) const { return v; }
        SqlValueView operator()(double v) const { return v; }
        SqlValueView operator()(const std::string& v) const { return std::string_view(v); }
        SqlValueView operator()(const std::vector<std::byte>& v) const { return std::span<const std::byte>(v); }
    };
    return std::visit(Visitor{}, value);
}

// A row of a query, one value per column.
using SqlRow = std::vector<SqlValue>;

// Named parameters, keyed by their name without the leading colon ("RemoteNum"
// for :RemoteNum); matched exactly, letter case included.
using SqlParameters = std::map<std::string, SqlValue, std::less<>>;

}  // namespace brimo::data::sql
