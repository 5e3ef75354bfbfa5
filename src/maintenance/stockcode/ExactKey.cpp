#include "maintenance/stockcode/ExactKey.h"

namespace brimo::maintenance {

// The engine cuts a key to the tag's key length after converting it to the
// table's code page, so padding by the whole width is enough whatever the
// characters of `value` turn into.
std::string exactTextKey(const data::Table& table, std::string_view field, std::string_view value) {
    const int index = table.fieldIndex(field);
    const std::size_t width = index < 0 ? 0 : table.fields()[static_cast<std::size_t>(index)].length;
    std::string key(value);
    key.append(width, ' ');
    return key;
}

}  // namespace brimo::maintenance
