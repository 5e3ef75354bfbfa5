#include <ostream>

#include "Cli.h"
#include "Commands.h"
#include "TableFiles.h"
#include "data/DatabaseError.h"
#include "data/catalogue/IndexBuild.h"
#include "data/dbf/FieldCodec.h"
#include "data/dbt/MemoFile.h"
#include "data/index/MdxIndex.h"

namespace brimo::dbtool {

namespace {

bool isMemo(const data::FieldDef& field) {
    return field.type == 'M' || field.type == 'B' || field.type == 'G';
}

// Every memo reference must be a block number whose memo can be read.
void checkMemos(const TableFile& file, const data::dbf::DbfHeader& header, std::vector<std::string>& problems) {
    const auto memoPath = file.memoPath();
    if (header.memoStyle == data::dbf::MemoStyle::None || memoPath.empty())
        return;
    data::dbt::MemoFile memos(memoPath, header.memoStyle, false);
    data::catalogue::TableRecords(*file.table).forEachRecord([&](uint32_t recno, std::span<const std::byte> record) {
        for (const auto& field : header.fields) {
            if (!isMemo(field))
                continue;
            auto where = "record " + std::to_string(recno) + " field " + field.name + ": ";
            auto block = data::dbf::parseBlockNumber(data::dbf::fieldBytes(record, field));
            if (!block) {
                problems.push_back(where + "the memo reference is not a block number");
                continue;
            }
            if (*block == 0)
                continue;
            try {
                memos.read(*block);
            } catch (const data::DatabaseError& e) {
                problems.push_back(where + e.what());
            }
        }
    });
}

std::vector<std::string> problemsOf(const std::string& path) {
    std::vector<std::string> problems;
    try {
        TableFile file(path, data::OpenMode::ReadOnly);
        problems = file.table->openProblems();
        const auto header = file.header();
        const auto indexPath = file.indexPath();
        if (header.productionIndex && !indexPath.empty()) {
            data::catalogue::TableRecords records(*file.table);
            auto index = data::index::MdxIndex::open(indexPath, header.fields, false);
            for (auto& problem : index.check(&records)) problems.push_back(std::move(problem));
        }
        checkMemos(file, header, problems);
    } catch (const data::DatabaseError& e) {
        problems.emplace_back(e.what());
    }
    return problems;
}

}  // namespace

// One line "FILE: problem" per problem of every table; status 0 only when no
// table has any.
int checkCommand(const Invocation& call, std::ostream& out, std::ostream&) {
    bool sound = true;
    for (const std::string& path : call.args) {
        for (const std::string& problem : problemsOf(path)) {
            out << path << ": " << problem << "\n";
            sound = false;
        }
    }
    return sound ? kExitOk : kExitFailure;
}

}  // namespace brimo::dbtool
