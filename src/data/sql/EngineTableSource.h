#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/Database.h"
#include "data/Table.h"
#include "data/sql/EngineRowCursor.h"
#include "data/sql/TableSource.h"

namespace brimo::data::sql {

// A table source over the engine. Each RowCursor has its own read-only Table
// for the records it reads, scans through a SequentialReader and seeks
// through the index library's tag cursors (see EngineRowCursor). Changes go
// through one read-write Table opened on first use, so the engine maintains
// the index tags and memos and takes the record and append locks.
//
// Tags used for SQL: those whose key expression is one field alone, with no
// FOR condition, neither unique (a unique tag leaves out records with a
// repeated key) nor descending. Character tags serve equality, and ranges
// whose bounds are printable ASCII (where the tag's byte order agrees with
// SQL's); numeric tags also give SQL's ORDER BY order.
class EngineTableSource : public TableSource {
  public:
    EngineTableSource(const Database& database, const std::string& tableName);
    ~EngineTableSource() override;

    const std::vector<SourceColumn>& columns() const override { return columns_; }
    const std::vector<SourceIndex>& indexes() const override { return indexes_; }
    uint32_t recordCount() override;
    std::unique_ptr<RowCursor> openCursor() override;
    void update(uint32_t recordNumber, const std::vector<std::optional<SqlValue>>& values) override;
    uint32_t append(const std::vector<std::optional<SqlValue>>& values) override;
    void remove(uint32_t recordNumber) override;

  private:
    Table& writer();
    void write(Table& table, const std::vector<std::optional<SqlValue>>& values, bool onlyChanges);

    Database database_;
    std::string tableName_;
    std::unique_ptr<Table> structure_;  // read-only, for the structure and the record count
    std::unique_ptr<Table> writer_;
    std::vector<SourceColumn> columns_;
    std::vector<SourceIndex> indexes_;
    TagAccess tags_;
};

}  // namespace brimo::data::sql
