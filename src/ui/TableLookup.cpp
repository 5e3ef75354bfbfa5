#include "ui/TableLookup.h"

#include "data/DatabaseError.h"

namespace brimo::ui {

TableLookup::TableLookup(data::Table& table, std::string_view tag, std::string keyField,
                         std::vector<std::string> shownFields)
    : table_(table), keyField_(std::move(keyField)), shownFields_(std::move(shownFields)) {
    table_.setActiveTag(tag);
    for (const std::string& field : shownFields_) {
        if (!table_.hasField(field)) {
            throw data::DatabaseError("Table " + table_.name() + " has no field " + field + ".");
        }
    }
}

std::vector<std::vector<std::string>> TableLookup::rows() {
    std::vector<std::vector<std::string>> result;
    for (table_.first(); !table_.eof() && !table_.isEmpty(); table_.next()) {
        std::vector<std::string> row{table_.asString(keyField_)};
        for (const std::string& field : shownFields_) {
            row.push_back(table_.asString(field));
        }
        result.push_back(std::move(row));
    }
    return result;
}

std::optional<std::string> TableLookup::completion(std::string_view prefix) {
    if (prefix.empty()) {
        return std::nullopt;
    }
    table_.findNearest(std::string(prefix));
    if (table_.isEmpty()) {
        return std::nullopt;
    }
    std::string key = table_.asString(keyField_);
    if (!key.starts_with(prefix)) {
        return std::nullopt;
    }
    return key;
}

bool TableLookup::contains(std::string_view key) {
    return locate(key);
}

// A text key shorter than the tag's keys matches them as a prefix, so the
// search lands on the first key at or after `key` and the key is compared.
bool TableLookup::locate(std::string_view key) {
    table_.findNearest(std::string(key));
    return !table_.isEmpty() && !table_.eof() && table_.asString(keyField_) == key;
}

}  // namespace brimo::ui
