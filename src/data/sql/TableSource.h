#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/sql/SqlValue.h"

namespace brimo::data::sql {

// How a column is presented to SQL (see docs/sql.md for the mapping of dBASE
// field types).
enum class ColumnType {
    Integer,  // whole numbers
    Real,     // numbers with decimals
    Text,     // text and memo text
    Date,     // 'YYYY-MM-DD' text, NULL when blank
    Logical,  // 0 or 1
    Blob,     // binary memo
};

struct SourceColumn {
    std::string name;
    ColumnType type = ColumnType::Text;
    bool memo = false;  // stored outside the record: worth not reading when unchanged
};

// An index tag whose key is one column alone. Equality is always served;
// `ranges` when the tag's order agrees with SQL's comparison for range bounds
// that the source accepts (see RowCursor::seek), `sqlOrder` when a walk of the
// whole tag gives the rows in SQL's ORDER BY order for this column.
struct SourceIndex {
    std::string tag;
    int column = 0;
    bool unique = false;
    bool ranges = false;
    bool sqlOrder = false;
};

struct KeyBound {
    SqlValue value;  // already of the column's type
    bool inclusive = true;
};

// A selection on one indexed column: equality, or a range with one or two
// bounds, in ascending or descending order.
struct KeySelection {
    std::optional<SqlValue> equal;
    std::optional<KeyBound> lower;
    std::optional<KeyBound> upper;
    bool descending = false;
};

// A read position over the live (not deleted) records of a table. The rows a
// positioning call yields may include extra rows (SQL checks every constraint
// again) but never miss one.
class RowCursor {
  public:
    virtual ~RowCursor() = default;
    // Every live record in physical order.
    virtual void scanAll() = 0;
    // The records selected through a tag, in the tag's order.
    virtual void seek(const SourceIndex& index, const KeySelection& selection) = 0;
    // The given physical records, in that order; deleted ones are skipped.
    virtual void visit(std::vector<uint32_t> recordNumbers) = 0;
    virtual bool atEnd() const = 0;
    virtual void next() = 0;
    virtual uint32_t recordNumber() const = 0;
    // Valid until the cursor is used again.
    virtual SqlValueView value(int column) = 0;
};

// A table as the SQL module uses it. Errors are DatabaseError.
class TableSource {
  public:
    virtual ~TableSource() = default;
    virtual const std::vector<SourceColumn>& columns() const = 0;
    virtual const std::vector<SourceIndex>& indexes() const = 0;
    // Physical records, deleted ones included: an upper bound for planning.
    virtual uint32_t recordCount() = 0;
    virtual std::unique_ptr<RowCursor> openCursor() = 0;

    // Changes go through the engine, keeping index tags, memos and locks right.
    // `values` hold one entry per column; an empty entry leaves the field as it is.
    virtual void update(uint32_t recordNumber, const std::vector<std::optional<SqlValue>>& values) = 0;
    virtual uint32_t append(const std::vector<std::optional<SqlValue>>& values) = 0;
    virtual void remove(uint32_t recordNumber) = 0;
};

// The tables SQL can name: a data directory, or a set of tables in a test.
class TableProvider {
  public:
    virtual ~TableProvider() = default;
    // The names to register, found again on every call (the directory may have
    // changed). Two files whose names differ only in letter case are reported
    // once, by the name of the first; open() then refuses the name.
    virtual std::vector<std::string> tableNames() = 0;
    // Throws DatabaseError when the table cannot be opened.
    virtual std::shared_ptr<TableSource> open(const std::string& name) = 0;
};

}  // namespace brimo::data::sql
