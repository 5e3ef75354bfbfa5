#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "data/sql/SqlConnection.h"
#include "data/sql/SqlValue.h"

namespace brimo::data::sql {

// A query-by-example request: for each table a header line naming the table's
// file and some of its fields, then one line of example cells under them;
// tables are separated by an empty line. Cells are separated by '|'; the first
// cell of the example line (under the file name) stays empty.
//
//   so.dbf   | number | complete | datein | custnum | ready |
//            | check  | = 0      | check  | _join1  | check |
//
//   cust.dbf | custnum | lastname |
//            | _join1  | check    |
//
// A cell holds parts separated by commas, all of which must hold:
//   check           the field is in the answer;
//   _name           an example element: every field holding the same element
//                   (letter case aside) has the same value, which joins tables;
//   = < > <= >= <>  followed by a value, a comparison; a value alone means =.
// `check` may come before an element or a comparison in the same part
// (`check _join1`, `check > 5`). A value is text, in double quotes when it
// holds a comma or blanks at either end; it meets the field's column as text
// does in SQL, so it is compared as a number with a numeric field.
//
// The answer holds the checked fields, table by table from left to right,
// each distinct row once, sorted by those fields in that order.
struct TranslatedQuery {
    std::string sql;
    SqlParameters parameters;
};

// Throws DatabaseError naming the line and cell of anything it cannot read.
TranslatedQuery translateQueryByExample(std::span<const std::string_view> lines);

// Translates and runs the request; the rows are read as they are fetched.
std::unique_ptr<SqlQuery> runQueryByExample(SqlConnection& connection, std::span<const std::string_view> lines);

}  // namespace brimo::data::sql
