#pragma once

// Opening the table a command names, and the pieces of its files that the
// Table cursor does not show (internal).

#include <filesystem>
#include <memory>
#include <string>

#include "data/Database.h"
#include "data/Table.h"
#include "data/dbf/DbfHeader.h"

namespace brimo::dbtool {

// A table given on the command line as the path of its .DBF file.
struct TableFile {
    TableFile(const std::string& file, data::OpenMode mode);

    data::Database database;
    std::unique_ptr<data::Table> table;

    // The header as stored in the file.
    data::dbf::DbfHeader header() const;
    // The production index and memo file beside the table, matched without
    // regard to letter case; empty when absent.
    std::filesystem::path indexPath() const;
    std::filesystem::path memoPath() const;
    std::string baseName() const;
};

}  // namespace brimo::dbtool
