#include "data/sql/QueryByExample.h"

#include <map>
#include <optional>
#include <vector>

#include "data/DatabaseError.h"
#include "data/sql/SqlTokenizer.h"

namespace brimo::data::sql {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::string folded(std::string_view text) {
    std::string f(text);
    for (char& c : f) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return f;
}

bool isWordCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isWord(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (!isWordCharacter(c))
            return false;
    }
    return true;
}

std::string quotedName(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

// Splits at `separator` outside double quotes; each piece trimmed.
std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == separator && !quoted) {
            pieces.push_back(trimmed(text.substr(start, i - start)));
            start = i + 1;
        }
    }
    pieces.push_back(trimmed(text.substr(start)));
    return pieces;
}

// The cells of a line; the empty cell after a closing '|' is no cell.
std::vector<std::string_view> cellsOf(std::string_view line) {
    auto cells = split(line, '|');
    if (cells.size() > 1 && cells.back().empty())
        cells.pop_back();
    return cells;
}

[[noreturn]] void fail(size_t line, const std::string& what) {
    throw DatabaseError("Line " + std::to_string(line + 1) + " of the query-by-example request: " + what);
}

// One table of the request: its name, its fields and the example cell under each.
struct Skeleton {
    std::string table;
    std::vector<std::string> fields;
    std::vector<std::string_view> examples;  // empty until the line of examples is read
    size_t exampleLine = 0;
    bool hasExamples = false;
};

Skeleton header(std::string_view text, size_t line) {
    const auto cells = cellsOf(text);
    Skeleton skeleton;
    std::string_view file = cells[0];
    if (file.size() > 4 && equalsIgnoringCase(file.substr(file.size() - 4), ".dbf"))
        file.remove_suffix(4);
    if (file.empty() || file.find_first_of("/\\\"") != std::string_view::npos)
        fail(line, "\"" + std::string(cells[0]) + "\" is not a table of the data directory.");
    skeleton.table = file;
    for (size_t i = 1; i < cells.size(); ++i) {
        if (!isWord(cells[i]))
            fail(line, "cell " + std::to_string(i + 1) + " \"" + std::string(cells[i]) + "\" is not a field name.");
        skeleton.fields.emplace_back(cells[i]);
    }
    if (skeleton.fields.empty())
        fail(line, "the table " + skeleton.table + " names no field.");
    return skeleton;
}

void examples(Skeleton& skeleton, std::string_view text, size_t line) {
    if (skeleton.hasExamples)
        fail(line, "the table " + skeleton.table + " has a second line of examples; one is allowed.");
    const auto cells = cellsOf(text);
    if (!cells[0].empty())
        fail(line, "the cell under the table name must stay empty, not \"" + std::string(cells[0]) + "\".");
    if (cells.size() - 1 > skeleton.fields.size())
        fail(line, "more cells than the table " + skeleton.table + " names fields.");
    skeleton.examples.assign(cells.begin() + 1, cells.end());
    skeleton.examples.resize(skeleton.fields.size());
    skeleton.exampleLine = line;
    skeleton.hasExamples = true;
}

std::vector<Skeleton> parse(std::span<const std::string_view> lines) {
    std::vector<Skeleton> skeletons;
    bool inTable = false;
    for (size_t line = 0; line < lines.size(); ++line) {
        const std::string_view text = trimmed(lines[line]);
        if (text.empty()) {
            inTable = false;
        } else if (!inTable) {
            skeletons.push_back(header(text, line));
            inTable = true;
        } else {
            examples(skeletons.back(), text, line);
        }
    }
    if (skeletons.empty())
        throw DatabaseError("The query-by-example request names no table.");
    return skeletons;
}

// Builds the statement while the cells are read.
class Translation {
  public:
    explicit Translation(const std::vector<Skeleton>& skeletons) : skeletons_(skeletons) {
        for (size_t t = 0; t < skeletons.size(); ++t) aliases_.push_back(aliasFor(t));
    }

    TranslatedQuery build() {
        for (size_t t = 0; t < skeletons_.size(); ++t) {
            const Skeleton& s = skeletons_[t];
            for (size_t f = 0; f < s.fields.size(); ++f) {
                const std::string column = aliases_[t] + "." + quotedName(s.fields[f]);
                const auto parts = split(s.hasExamples ? s.examples[f] : std::string_view(), ',');
                for (std::string_view part : parts) readPart(part, column, s.exampleLine, f);
            }
        }
        if (answer_.empty())
            throw DatabaseError("The query-by-example request checks no field, so it has nothing to answer.");
        TranslatedQuery query;
        query.sql = "select distinct " + joined(answer_, ", ") + " from ";
        for (size_t t = 0; t < skeletons_.size(); ++t)
            query.sql += (t ? ", " : "") + quotedName(skeletons_[t].table) + " " + aliases_[t];
        if (!conditions_.empty())
            query.sql += " where " + joined(conditions_, " and ");
        std::vector<std::string> positions;
        for (size_t i = 1; i <= answer_.size(); ++i) positions.push_back(std::to_string(i));
        query.sql += " order by " + joined(positions, ", ");
        query.parameters = std::move(parameters_);
        return query;
    }

  private:
    // q1, q2, ...: lengthened while it equals a table's name, which the
    // dialect rewrite would otherwise take for a qualifier.
    std::string aliasFor(size_t table) const {
        std::string alias = "q" + std::to_string(table + 1);
        for (bool clash = true; clash;) {
            clash = false;
            for (const Skeleton& s : skeletons_) clash = clash || equalsIgnoringCase(s.table, alias);
            if (clash)
                alias.insert(0, "q");
        }
        return alias;
    }

    void readPart(std::string_view part, const std::string& column, size_t line, size_t field) {
        const std::string where = "cell " + std::to_string(field + 2) + " \"" + std::string(part) + "\": ";
        if (part.size() >= 5 && equalsIgnoringCase(part.substr(0, 5), "check") &&
            (part.size() == 5 || part[5] == ' ' || part[5] == '\t')) {
            answer_.push_back(column);
            part = trimmed(part.substr(5));
        }
        if (part.empty())
            return;
        if (part.front() == '_') {
            if (!isWord(part))
                fail(line, where + "an example element is one word after '_'.");
            auto [first, isNew] = elements_.emplace(folded(part), column);
            if (!isNew)
                conditions_.push_back(first->second + " = " + column);
            return;
        }
        std::string_view op = "=";
        for (std::string_view candidate : {"<=", ">=", "<>", "=", "<", ">"}) {
            if (part.starts_with(candidate)) {
                op = candidate;
                part = trimmed(part.substr(candidate.size()));
                break;
            }
        }
        conditions_.push_back(column + " " + std::string(op) + " :" + parameter(value(part, line, where)));
    }

    static std::string value(std::string_view text, size_t line, const std::string& where) {
        if (text.empty())
            fail(line, where + "a comparison needs a value.");
        if (text.front() != '"')
            return std::string(text);
        if (text.size() < 2 || text.back() != '"')
            fail(line, where + "a quoted value needs its closing quote.");
        std::string inner;
        for (size_t i = 1; i + 1 < text.size(); ++i) {
            if (text[i] == '"' && (i + 2 >= text.size() || text[++i] != '"'))
                fail(line, where + "a quote inside a quoted value is written twice.");
            inner += text[i];
        }
        return inner;
    }

    // Values are bound, never written into the statement.
    std::string parameter(std::string value) {
        const std::string name = "qbe" + std::to_string(parameters_.size() + 1);
        parameters_.emplace(name, std::move(value));
        return name;
    }

    static std::string joined(const std::vector<std::string>& items, const char* separator) {
        std::string text;
        for (size_t i = 0; i < items.size(); ++i) text += (i ? separator : "") + items[i];
        return text;
    }

    const std::vector<Skeleton>& skeletons_;
    std::vector<std::string> aliases_;
    std::vector<std::string> answer_;
    std::vector<std::string> conditions_;
    std::map<std::string, std::string> elements_;  // folded element name -> first column holding it
    SqlParameters parameters_;
};

}  // namespace

TranslatedQuery translateQueryByExample(std::span<const std::string_view> lines) {
    const std::vector<Skeleton> skeletons = parse(lines);
    return Translation(skeletons).build();
}

std::unique_ptr<SqlQuery> runQueryByExample(SqlConnection& connection, std::span<const std::string_view> lines) {
    TranslatedQuery query = translateQueryByExample(lines);
    return std::move(connection.run(query.sql, query.parameters).rows);
}

}  // namespace brimo::data::sql
