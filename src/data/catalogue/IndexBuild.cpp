#include "data/catalogue/IndexBuild.h"

#include <vector>

#include "data/dbf/DbfHeader.h"
#include "data/index/MdxIndex.h"
#include "data/io/File.h"

namespace brimo::data::catalogue {

namespace {

std::vector<index::TagDefinition> tagDefinitions(const TableDef& def) {
    std::vector<index::TagDefinition> tags;
    for (const auto& tag : def.tags) {
        tags.push_back({tag.name, tag.expression, tag.forExpression, tag.unique, tag.descending});
    }
    return tags;
}

}  // namespace

uint32_t TableRecords::recordCount() const {
    return table_.recordCount();
}

void TableRecords::forEachRecord(const Visitor& visit) const {
    uint32_t recno = 0;
    table_.scan([&](std::span<const std::byte> record) { visit(++recno, record); });
}

std::filesystem::path buildIndex(const Table& table, const TableDef& def) {
    const auto& dbfPath = table.path();
    const bool lowerCase = dbfPath.extension() == ".dbf";
    auto indexPath = dbfPath.parent_path() / (dbfPath.stem().string() + (lowerCase ? ".mdx" : ".MDX"));
    index::MdxIndex::create(indexPath, dbfPath.stem().string(), table.fields(), tagDefinitions(def),
                            TableRecords(table));

    io::File dbf(dbfPath, io::File::Mode::ReadWrite);
    std::byte flag{};
    dbf.readExact(dbf::kIndexFlagOffset, std::span(&flag, 1));
    if (flag != std::byte{1}) {
        flag = std::byte{1};
        dbf.writeAt(dbf::kIndexFlagOffset, std::span(&flag, 1));
    }
    return indexPath;
}

}  // namespace brimo::data::catalogue
