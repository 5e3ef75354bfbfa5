#include <optional>
#include <ostream>

#include "Cli.h"
#include "Commands.h"
#include "TableFiles.h"
#include "data/DatabaseError.h"
#include "data/catalogue/Catalogue.h"
#include "data/catalogue/IndexBuild.h"
#include "data/index/MdxIndex.h"

namespace brimo::dbtool {

namespace {

// A table of the application whose index is missing or unreadable gets a new
// one with the catalogue's tags.
void createFromCatalogue(const data::Table& table, std::ostream& out) {
    const auto* def = data::catalogue::findTable(table.name());
    if (!def || def->tags.empty()) {
        throw data::DatabaseError("The production index of " + table.name() +
                                  " cannot be read and its tags are not known.");
    }
    auto path = data::catalogue::buildIndex(table, *def);
    out << "created " << path.filename().string() << " with the tags of " << def->fileName << "\n";
}

}  // namespace

// Rebuilds every tag of the table's production index from the records, under
// the table's write lock.
int reindexCommand(const Invocation& call, std::ostream& out, std::ostream&) {
    TableFile file(call.args[0], data::OpenMode::ReadWrite);
    data::Table& table = *file.table;
    table.lockTable();
    const auto indexPath = file.indexPath();
    std::optional<data::index::MdxIndex> index;
    if (!indexPath.empty()) {
        try {
            index = data::index::MdxIndex::open(indexPath, file.header().fields, true);
        } catch (const data::DatabaseError& e) {
            out << "the index cannot be read: " << e.what() << "\n";
        }
    }
    if (index) {
        index->reindex(data::catalogue::TableRecords(table));
        out << "rebuilt " << index->tags().size() << " tags of " << indexPath.filename().string() << "\n";
    } else {
        createFromCatalogue(table, out);
    }
    table.unlockTable();
    return kExitOk;
}

}  // namespace brimo::dbtool
