#pragma once

#include <sqlite3.h>

#include <optional>

#include "data/sql/SqlValue.h"
#include "data/sql/TableSource.h"

namespace brimo::data::sql {

// SQLite hands constraint values to a virtual table as written in the
// statement: an integer column may be compared with '2' and a text column with
// 5. These functions bring a value to the column's type with SQLite's own
// conversion rules, so that a seek finds what a comparison on a native table
// finds.

// A constraint value in the column's type: a double for Integer, Real and
// Logical columns, text for Text and Date columns, NULL (monostate) for NULL.
// Nothing when the value cannot be compared by key (the cursor then scans).
std::optional<SqlValue> keyValue(sqlite3_value* value, ColumnType type);

// A value to be written into a column: int64 or double for numbers, text,
// 'YYYY-MM-DD' text for dates, 0/1 for logicals, bytes for blobs (text as its
// UTF-8 bytes), NULL for a
// blank field. Throws DatabaseError naming the column when it does not fit.
SqlValue storedValue(sqlite3_value* value, const SourceColumn& column);

// The value as SQLite holds it, without conversion.
SqlValue plainValue(sqlite3_value* value);

// Whether `text` is a calendar date written YYYY-MM-DD.
bool isIsoDate(std::string_view text);

}  // namespace brimo::data::sql
