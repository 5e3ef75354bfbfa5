#include "data/sql/KeyMap.h"

#include <algorithm>

namespace brimo::data::sql {

bool KeyMap::toKey(const SqlValueView& value, Key& key) {
    if (const auto* i = std::get_if<int64_t>(&value)) {
        key = static_cast<double>(*i);
    } else if (const auto* d = std::get_if<double>(&value)) {
        key = *d;
    } else if (const auto* s = std::get_if<std::string_view>(&value)) {
        key = std::string(*s);
    } else {
        return false;
    }
    return true;
}

KeyMap KeyMap::build(RowCursor& cursor, int column) {
    KeyMap map;
    Key key;
    for (cursor.scanAll(); !cursor.atEnd(); cursor.next()) {
        if (toKey(cursor.value(column), key))
            map.entries_.emplace_back(std::move(key), cursor.recordNumber());
    }
    std::sort(map.entries_.begin(), map.entries_.end());
    return map;
}

std::vector<uint32_t> KeyMap::find(const SqlValue& value) const {
    Key key;
    std::vector<uint32_t> found;
    if (!toKey(viewOf(value), key))
        return found;
    auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                               [](const auto& entry, const Key& k) { return entry.first < k; });
    for (; it != entries_.end() && it->first == key; ++it) found.push_back(it->second);
    return found;
}

}  // namespace brimo::data::sql
