#pragma once

#include <filesystem>

#include "data/Table.h"
#include "data/catalogue/TableDef.h"
#include "data/index/RecordSource.h"

namespace brimo::data::catalogue {

// The records of an open table in physical order, deleted ones included, as
// the index library reads them to build or check tags.
class TableRecords : public index::RecordSource {
  public:
    explicit TableRecords(const Table& table) : table_(table) {}
    uint32_t recordCount() const override;
    void forEachRecord(const Visitor& visit) const override;

  private:
    const Table& table_;
};

// Builds the production index of `table` with the tags of `def` from its
// records in one pass, replacing an index file of that name, and marks the
// table's header as having a production index. Returns the index path.
//
// Filling a large table is much faster this way than through a table whose
// tags are maintained on every append: create it without tags, append, then
// build. The caller holds `table` locked or otherwise unused by others, and
// reopens it afterwards so that the cursor sees the new index. The table has
// no calculated fields.
std::filesystem::path buildIndex(const Table& table, const TableDef& def);

}  // namespace brimo::data::catalogue
