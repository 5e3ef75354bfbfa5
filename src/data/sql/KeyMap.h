#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "data/sql/TableSource.h"

namespace brimo::data::sql {

// The record numbers of every value of one column, for equality lookups on a
// column without an index tag. Built by one scan; a join against such a column
// then costs one lookup per outer row instead of one scan.
class KeyMap {
  public:
    // Reads `column` of every live record through `cursor`; NULLs are left out.
    static KeyMap build(RowCursor& cursor, int column);
    // The records whose value equals `key` (a double or text, see keyValue()), in physical order.
    std::vector<uint32_t> find(const SqlValue& key) const;

  private:
    using Key = std::variant<double, std::string>;
    static bool toKey(const SqlValueView& value, Key& key);

    std::vector<std::pair<Key, uint32_t>> entries_;
};

}  // namespace brimo::data::sql
