#include <ostream>
#include <set>

#include "Cli.h"
#include "Commands.h"
#include "Csv.h"
#include "RecordText.h"
#include "TableFiles.h"

namespace brimo::dbtool {

// The records as CSV with a header row; with --tag in that tag's order, with
// --deleted a first column "_deleted" and the deleted records too. Memos that
// cannot be read are printed empty and reported once each on `err`; the exit
// status is then 1.
int dumpCommand(const Invocation& call, std::ostream& out, std::ostream& err) {
    TableFile file(call.args[0], data::OpenMode::ReadOnly);
    data::Table& table = *file.table;
    const bool withDeleted = call.has("--deleted");
    if (call.has("--tag"))
        table.setActiveTag(call.options.at("--tag"));
    table.setShowDeleted(withDeleted);

    auto header = fieldNames(table);
    if (withDeleted)
        header.insert(header.begin(), "_deleted");
    out << csvLine(header);

    std::vector<std::string> problems;
    for (table.first(); !table.eof(); table.next()) {
        auto values = recordText(table, problems);
        if (withDeleted)
            values.insert(values.begin(), table.isDeleted() ? "*" : "");
        out << csvLine(values);
    }
    std::set<std::string> reported;
    for (const auto& problem : problems) {
        if (reported.insert(problem).second)
            err << "brimo-db: " << problem << "\n";
    }
    return problems.empty() ? kExitOk : kExitFailure;
}

}  // namespace brimo::dbtool
