#pragma once

#include <filesystem>

#include "data/Database.h"
#include "data/sql/TableSource.h"

namespace brimo::data::sql {

// The .DBF files of one directory as SQL tables, named by their base names.
// Two files whose names differ only in letter case (CUST.DBF and cust.dbf)
// would be one SQL table: such a name is refused with an error naming both
// files, rather than one of them being picked silently.
class DirectoryTables : public TableProvider {
  public:
    // Throws DatabaseError when the directory does not exist.
    explicit DirectoryTables(const std::filesystem::path& directory);

    std::vector<std::string> tableNames() override;
    std::shared_ptr<TableSource> open(const std::string& name) override;

  private:
    // The .DBF files whose base name equals `name` without regard to case.
    std::vector<std::filesystem::path> filesNamed(const std::string& name) const;

    Database database_;
};

}  // namespace brimo::data::sql
