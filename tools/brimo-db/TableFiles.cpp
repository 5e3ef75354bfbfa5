#include "TableFiles.h"

#include <vector>

#include "data/io/File.h"

namespace brimo::dbtool {

namespace {

std::filesystem::path directoryOf(const std::string& file) {
    std::filesystem::path parent = std::filesystem::path(file).parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

}  // namespace

TableFile::TableFile(const std::string& file, data::OpenMode mode)
    : database(directoryOf(file)), table(database.openTable(std::filesystem::path(file).filename().string(), mode)) {}

data::dbf::DbfHeader TableFile::header() const {
    data::io::File file(table->path(), data::io::File::Mode::ReadOnly);
    std::vector<std::byte> bytes(data::dbf::kFixedHeaderSize);
    file.readExact(0, bytes);
    bytes.resize(data::dbf::storedHeaderLength(bytes));
    file.readExact(0, bytes);
    return data::dbf::parseHeader(bytes, table->name());
}

std::string TableFile::baseName() const {
    return table->path().stem().string();
}

std::filesystem::path TableFile::indexPath() const {
    return database.findFile(baseName() + ".MDX");
}

std::filesystem::path TableFile::memoPath() const {
    return database.findFile(baseName() + ".DBT");
}

}  // namespace brimo::dbtool
