#pragma once

#include "data/FieldDef.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brimo::data {

class Table;

enum class OpenMode { ReadOnly, ReadWrite };

// A field of a table to be created. Widths of the fixed-size types (D 8, L 1,
// M/B/G 10, I/+ 4, O/@ 8) are filled in when left 0.
struct FieldSpec {
    std::string name;
    char type = 'C';
    uint16_t length = 0;
    uint8_t decimals = 0;
};

// An index tag of a table to be created: name, key expression, flags and an
// optional FOR condition.
struct TagSpec {
    std::string name;
    std::string expression;
    bool unique = false;
    bool descending = false;
    std::string forExpression{};
};

// A data alias: one directory of dBASE tables. The directory is resolved once,
// when the Database is made; file names inside it are found without regard to
// letter case ("CODE.DBF" finds code.dbf). A Database holds no open files;
// each Table it opens has its own, so two tables on one file conflict over
// locks exactly as two workstations do.
class Database {
public:
    // Throws DatabaseError when the directory does not exist.
    explicit Database(const std::filesystem::path& directory);

    const std::filesystem::path& directory() const { return directory_; }

    // The path of the file `fileName` in the directory, matched without regard
    // to letter case; empty when there is none.
    std::filesystem::path findFile(std::string_view fileName) const;

    // A table name may be given with or without ".DBF".
    bool tableExists(std::string_view tableName) const;
    // Base names (upper case, without extension) of every .DBF file.
    std::vector<std::string> tableNames() const;

    std::unique_ptr<Table> openTable(std::string_view tableName, OpenMode mode = OpenMode::ReadWrite) const;

    // Creates a table (replacing the table of that name with its memo and
    // index files), with a memo file when a field needs one and a production
    // index holding `tags` when any are given, and opens it read-write.
    std::unique_ptr<Table> createTable(std::string_view tableName, const std::vector<FieldSpec>& fields,
                                       const std::vector<TagSpec>& tags = {}) const;

    // Where a table's file lives or would be created: the existing file of
    // that name in any letter case, else "<NAME>.DBF" in upper case.
    std::filesystem::path tablePath(std::string_view tableName) const;

private:
    std::filesystem::path directory_;
};

}  // namespace brimo::data
