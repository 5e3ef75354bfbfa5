#include <charconv>
#include <ostream>

#include "Cli.h"
#include "Commands.h"
#include "Csv.h"
#include "FieldText.h"
#include "data/sql/SqlConnection.h"

namespace brimo::dbtool {

namespace {

using data::sql::SqlParameters;
using data::sql::SqlQuery;
using data::sql::SqlRow;
using data::sql::SqlValue;

// Rows read from the query at a time while writing CSV.
constexpr size_t kCsvBatch = 1000;

// --param NAME=VALUE, the name with or without its colon. Values are passed as
// text: SQLite converts them where they meet a numeric column.
SqlParameters parameters(const Invocation& call) {
    SqlParameters result;
    auto given = call.values.find("--param");
    if (given == call.values.end())
        return result;
    for (const std::string& text : given->second) {
        const size_t equals = text.find('=');
        std::string name = text.substr(0, equals);
        if (name.starts_with(':'))
            name.erase(0, 1);
        if (equals == std::string::npos || name.empty())
            throw UsageError("--param needs NAME=VALUE, not " + text);
        if (!result.emplace(name, text.substr(equals + 1)).second)
            throw UsageError("parameter " + name + " is given twice");
    }
    return result;
}

std::string valueText(const SqlValue& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return ""; }
        std::string operator()(int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const {
            char buffer[32];
            auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
            return std::string(buffer, result.ptr);
        }
        std::string operator()(const std::string& v) const { return v; }
        std::string operator()(const std::vector<std::byte>& v) const { return hexText(v); }
    };
    return std::visit(Visitor{}, value);
}

std::vector<std::string> rowText(const SqlRow& row) {
    std::vector<std::string> texts;
    texts.reserve(row.size());
    for (const SqlValue& value : row) texts.push_back(valueText(value));
    return texts;
}

void writeCsv(SqlQuery& query, std::ostream& out) {
    out << csvLine(query.columnNames());
    for (auto rows = query.fetch(kCsvBatch); !rows.empty(); rows = query.fetch(kCsvBatch)) {
        for (const SqlRow& row : rows) out << csvLine(rowText(row));
    }
}

// Characters on screen: UTF-8 lead bytes, not continuation bytes.
size_t displayWidth(const std::string& text) {
    size_t width = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++width;
    }
    return width;
}

// A cell on one line: line breaks and tabs (memo text) become blanks.
std::string cellText(const SqlValue& value) {
    std::string text = valueText(value);
    for (char& c : text) {
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    }
    return text;
}

bool isNumber(const SqlValue& value) {
    return std::holds_alternative<int64_t>(value) || std::holds_alternative<double>(value);
}

// Columns padded to their widest cell and separated by two blanks, under a
// header and a rule; a column holding only numbers (and NULLs) is aligned
// to the right. A last line counts the rows.
void writeTable(SqlQuery& query, std::ostream& out) {
    const std::vector<SqlRow> rows = query.fetchAll();
    const auto& names = query.columnNames();
    std::vector<std::vector<std::string>> cells;
    std::vector<size_t> widths;
    std::vector<bool> numeric(names.size(), true);
    for (const std::string& name : names) widths.push_back(displayWidth(name));
    for (const SqlRow& row : rows) {
        auto& line = cells.emplace_back();
        for (size_t c = 0; c < row.size(); ++c) {
            line.push_back(cellText(row[c]));
            widths[c] = std::max(widths[c], displayWidth(line.back()));
            if (!isNumber(row[c]) && !std::holds_alternative<std::monostate>(row[c]))
                numeric[c] = false;
        }
    }
    auto writeLine = [&](const std::vector<std::string>& line) {
        std::string text;
        for (size_t c = 0; c < line.size(); ++c) {
            const std::string padding(widths[c] - displayWidth(line[c]), ' ');
            if (c > 0)
                text += "  ";
            text += numeric[c] ? padding + line[c] : line[c] + padding;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out << text << "\n";
    };
    writeLine(names);
    std::vector<std::string> rule;
    for (size_t width : widths) rule.emplace_back(width, '-');
    writeLine(rule);
    for (const auto& line : cells) writeLine(line);
    out << "(" << rows.size() << (rows.size() == 1 ? " row)\n" : " rows)\n");
}

}  // namespace

// Runs one statement over the tables of DIR: a query's rows as an aligned
// table or, with --csv, as CSV like `dump` writes it (a header row of the
// column names as SQLite names them); any other statement prints the number
// of rows it changed. A failing statement is a DatabaseError (exit status 1).
int sqlCommand(const Invocation& call, std::ostream& out, std::ostream&) {
    const SqlParameters values = parameters(call);
    data::sql::SqlConnection connection(call.args[0]);
    data::sql::SqlResult result = connection.run(call.args[1], values);
    if (!result.isQuery()) {
        out << result.changedRows << (result.changedRows == 1 ? " row changed\n" : " rows changed\n");
        return kExitOk;
    }
    if (call.has("--csv")) {
        writeCsv(*result.rows, out);
    } else {
        writeTable(*result.rows, out);
    }
    return kExitOk;
}

}  // namespace brimo::dbtool
