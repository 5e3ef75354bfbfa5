#include "data/sql/ValueCoercion.h"

#include <chrono>
#include <cstring>

#include "data/DatabaseError.h"
#include "data/sql/SqlTokenizer.h"

namespace brimo::data::sql {
namespace {

// The value after SQLite's numeric affinity: an int64 or a double, or nothing
// when it does not look like a number.
std::optional<SqlValue> numeric(sqlite3_value* value) {
    sqlite3_value* copy = sqlite3_value_dup(value);
    if (!copy)
        throw DatabaseError("Out of memory.");
    std::optional<SqlValue> result;
    switch (sqlite3_value_numeric_type(copy)) {
        case SQLITE_INTEGER:
            result = static_cast<int64_t>(sqlite3_value_int64(copy));
            break;
        case SQLITE_FLOAT:
            result = sqlite3_value_double(copy);
            break;
        default:
            break;
    }
    sqlite3_value_free(copy);
    return result;
}

std::string text(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return bytes ? std::string(bytes, static_cast<size_t>(sqlite3_value_bytes(value))) : std::string();
}

double asDouble(const SqlValue& v) {
    return std::holds_alternative<int64_t>(v) ? static_cast<double>(std::get<int64_t>(v)) : std::get<double>(v);
}

std::string describe(sqlite3_value* value) {
    if (sqlite3_value_type(value) == SQLITE_BLOB)
        return "a binary value";
    return "'" + text(value) + "'";
}

}  // namespace

bool isIsoDate(std::string_view t) {
    if (t.size() != 10 || t[4] != '-' || t[7] != '-')
        return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (t[i] < '0' || t[i] > '9')
            return false;
    }
    auto number = [&](size_t at, size_t len) {
        int n = 0;
        for (size_t i = at; i < at + len; ++i) n = n * 10 + (t[i] - '0');
        return n;
    };
    const std::chrono::year_month_day date{std::chrono::year(number(0, 4)),
                                           std::chrono::month(static_cast<unsigned>(number(5, 2))),
                                           std::chrono::day(static_cast<unsigned>(number(8, 2)))};
    return date.ok();
}

std::optional<SqlValue> keyValue(sqlite3_value* value, ColumnType type) {
    const int valueType = sqlite3_value_type(value);
    if (valueType == SQLITE_NULL)
        return SqlValue{};
    switch (type) {
        case ColumnType::Integer:
        case ColumnType::Real:
        case ColumnType::Logical:
            if (valueType == SQLITE_BLOB)
                return std::nullopt;
            if (auto n = numeric(value))
                return asDouble(*n);
            return std::nullopt;
        case ColumnType::Text:
            if (valueType == SQLITE_BLOB)
                return std::nullopt;
            return text(value);
        case ColumnType::Date:
            if (valueType == SQLITE_TEXT && isIsoDate(text(value)))
                return text(value);
            return std::nullopt;
        case ColumnType::Blob:
            return std::nullopt;
    }
    return std::nullopt;
}

SqlValue storedValue(sqlite3_value* value, const SourceColumn& column) {
    const int valueType = sqlite3_value_type(value);
    if (valueType == SQLITE_NULL)
        return SqlValue{};
    auto refuse = [&](const char* what) -> DatabaseError {
        return DatabaseError("Field " + column.name + " needs " + what + ", not " + describe(value) + ".");
    };
    switch (column.type) {
        case ColumnType::Integer:
        case ColumnType::Real:
            if (valueType == SQLITE_BLOB)
                throw refuse("a number");
            if (auto n = numeric(value))
                return *n;
            throw refuse("a number");
        case ColumnType::Logical: {
            if (valueType == SQLITE_INTEGER || valueType == SQLITE_FLOAT) {
                return static_cast<int64_t>(sqlite3_value_double(value) != 0);
            }
            const std::string t = text(value);
            for (const char* yes : {"T", "Y", "TRUE", "YES", "1"}) {
                if (equalsIgnoringCase(t, yes))
                    return int64_t{1};
            }
            for (const char* no : {"F", "N", "FALSE", "NO", "0"}) {
                if (equalsIgnoringCase(t, no))
                    return int64_t{0};
            }
            throw refuse("true or false");
        }
        case ColumnType::Date: {
            const std::string t = text(value);
            if (valueType == SQLITE_TEXT && t.empty())
                return SqlValue{};
            if (valueType == SQLITE_TEXT && isIsoDate(t))
                return t;
            throw refuse("a date written YYYY-MM-DD");
        }
        case ColumnType::Text:
            return text(value);
        case ColumnType::Blob: {
            if (valueType != SQLITE_BLOB) {
                const std::string t = text(value);
                const auto* bytes = reinterpret_cast<const std::byte*>(t.data());
                return std::vector<std::byte>(bytes, bytes + t.size());
            }
            return plainValue(value);
        }
    }
    return SqlValue{};
}

SqlValue plainValue(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            return static_cast<int64_t>(sqlite3_value_int64(value));
        case SQLITE_FLOAT:
            return sqlite3_value_double(value);
        case SQLITE_TEXT:
            return text(value);
        case SQLITE_BLOB: {
            const auto* data = static_cast<const std::byte*>(sqlite3_value_blob(value));
            return std::vector<std::byte>(data, data + sqlite3_value_bytes(value));
        }
        default:
            return SqlValue{};
    }
}

}  // namespace brimo::data::sql
