#include <charconv>
#include <chrono>
#include <ostream>

#include "Cli.h"
#include "Commands.h"
#include "Csv.h"
#include "RecordText.h"
#include "TableFiles.h"
#include "data/DatabaseError.h"
#include "data/index/MdxIndex.h"

namespace brimo::dbtool {

namespace {

double parseNumberKey(const std::string& text) {
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw UsageError("not a number: " + text);
    return value;
}

// YYYY-MM-DD or YYYYMMDD.
std::chrono::year_month_day parseDateKey(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != '-')
            digits += c;
    int y = 0;
    unsigned m = 0, d = 0;
    bool ok = digits.size() == 8 && digits.find_first_not_of("0123456789") == std::string::npos;
    if (ok) {
        y = std::stoi(digits.substr(0, 4));
        m = static_cast<unsigned>(std::stoi(digits.substr(4, 2)));
        d = static_cast<unsigned>(std::stoi(digits.substr(6, 2)));
    }
    std::chrono::year_month_day date{std::chrono::year(y), std::chrono::month(m), std::chrono::day(d)};
    if (!ok || !date.ok())
        throw UsageError("not a date (YYYY-MM-DD): " + text);
    return date;
}

data::KeyValue keyFor(data::index::KeyType type, const std::string& text) {
    switch (type) {
        case data::index::KeyType::Numeric:
            return parseNumberKey(text);
        case data::index::KeyType::Date:
            return parseDateKey(text);
        default:
            return text;
    }
}

}  // namespace

// Positions on the first record at or after KEY in TAG (deleted records are
// skipped) and prints its physical record number and the record as CSV.
int seekCommand(const Invocation& call, std::ostream& out, std::ostream& err) {
    TableFile file(call.args[0], data::OpenMode::ReadOnly);
    const std::string& tagName = call.args[1];
    const std::string& keyText = call.args[2];
    data::Table& table = *file.table;

    const auto indexPath = file.indexPath();
    if (indexPath.empty())
        throw data::DatabaseError("Table " + table.name() + " has no production index.");
    auto tag = data::index::MdxIndex::open(indexPath, file.header().fields, false).findTag(tagName);
    if (!tag)
        throw data::DatabaseError("Table " + table.name() + " has no index tag " + tagName + ".");

    table.setActiveTag(tag->name);
    table.findNearest(keyFor(tag->keyType, keyText));
    if (table.eof()) {
        err << "brimo-db: no record at or after " << keyText << " in " << tag->name << "\n";
        return kExitFailure;
    }
    std::vector<std::string> problems;
    auto values = recordText(table, problems);
    out << table.recordNumber() << "\n" << csvLine(values);
    for (const auto& problem : problems) err << "brimo-db: " << problem << "\n";
    return problems.empty() ? kExitOk : kExitFailure;
}

}  // namespace brimo::dbtool
