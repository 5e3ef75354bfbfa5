#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/Table.h"

namespace brimo::ui {

// The entries of a drop-down lookup, read from a table in the order of one of
// its tags: the key field (what is stored) and the fields shown beside it.
// Searches go through the tag, so a large table is never read whole except
// to fill the drop-down list. The lookup moves the table freely.
class TableLookup {
  public:
    // Throws DatabaseError when the tag or a field is missing.
    TableLookup(data::Table& table, std::string_view tag, std::string keyField,
                std::vector<std::string> shownFields = {});

    // Every entry in key order: the key, then the shown fields.
    std::vector<std::vector<std::string>> rows();
    // The first key that starts with `prefix` (letter case counts); none for
    // an empty prefix.
    std::optional<std::string> completion(std::string_view prefix);
    // True when a key equals `key` exactly.
    bool contains(std::string_view key);
    // Puts the table on the entry whose key equals `key`; false when none does.
    bool locate(std::string_view key);

  private:
    data::Table& table_;
    std::string keyField_;
    std::vector<std::string> shownFields_;
};

}  // namespace brimo::ui
