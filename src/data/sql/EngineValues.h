#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "data/FieldDef.h"
#include "data/SequentialReader.h"
#include "data/Table.h"
#include "data/sql/SqlValue.h"
#include "data/sql/TableSource.h"

namespace brimo::data::sql {

// How the engine's fields look in SQL (see docs/sql.md).

ColumnType columnType(const FieldDef& field);

// A field's value as SQL sees it, from the cursor's current record.
SqlValue columnValue(const Table& table, int field, ColumnType type);

// The same from the raw record a sequential reader holds, without copying:
// text points into the record, or into `text` when it had to be converted or
// formatted (dates). Nothing for the fields the reader does not decode
// (memos, timestamps), which the cursor reads.
std::optional<SqlValueView> recordValue(const SequentialReader& reader, int field, ColumnType type, std::string& text);

// Dates in SQL: 'YYYY-MM-DD', written into `text`.
void putIsoDate(std::chrono::year_month_day date, std::string& text);
std::chrono::year_month_day parseIsoDate(const std::string& text);

// An Integer or Real value (int64 or double) as a double.
double asDouble(const SqlValue& value);

}  // namespace brimo::data::sql
