#include <cstdio>
#include <ostream>

#include "Cli.h"
#include "Commands.h"
#include "TableFiles.h"
#include "data/index/MdxIndex.h"

namespace brimo::dbtool {

namespace {

std::string hexByte(unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", value);
    return buffer;
}

const char* yesNo(bool value) {
    return value ? "yes" : "no";
}

}  // namespace

// Tab-separated lines: the header facts, then one line per field and per tag.
int infoCommand(const Invocation& call, std::ostream& out, std::ostream&) {
    TableFile file(call.args[0], data::OpenMode::ReadOnly);
    const auto header = file.header();
    out << "table\t" << file.table->name() << "\n"
        << "version\t" << hexByte(header.version) << "\n"
        << "level\t" << header.level << "\n"
        << "records\t" << header.recordCount << "\n"
        << "record_length\t" << header.recordLength << "\n"
        << "header_length\t" << header.headerLength << "\n"
        << "language_driver\t" << hexByte(header.languageDriverId) << "\t" << header.languageDriverName << "\n"
        << "memo_file\t" << yesNo(header.memoStyle != data::dbf::MemoStyle::None) << "\n"
        << "production_index\t" << yesNo(header.productionIndex) << "\n";
    for (const auto& field : header.fields) {
        out << "field\t" << field.name << "\t" << field.type << "\t" << field.length << "\t"
            << static_cast<unsigned>(field.decimals) << "\n";
    }
    const auto indexPath = file.indexPath();
    if (header.productionIndex && !indexPath.empty()) {
        auto index = data::index::MdxIndex::open(indexPath, header.fields, false);
        for (const auto& tag : index.tags()) {
            out << "tag\t" << tag.name << "\t" << tag.expression << "\t" << static_cast<char>(tag.keyType) << "\t"
                << yesNo(tag.unique) << "\t" << yesNo(tag.descending) << "\t" << tag.forCondition << "\n";
        }
    }
    return kExitOk;
}

}  // namespace brimo::dbtool
