#include "data/sql/EngineTableSource.h"

#include <cstdio>

#include "data/DatabaseError.h"
#include "data/FieldKind.h"
#include "data/SequentialReader.h"
#include "data/index/MdxIndex.h"
#include "data/sql/SqlTokenizer.h"

namespace brimo::data::sql {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

ColumnType columnType(const FieldDef& field) {
    switch (fieldKind(field)) {
        case FieldKind::SmallInt:
        case FieldKind::Integer:
        case FieldKind::AutoIncrement:
            return ColumnType::Integer;
        case FieldKind::Float:
            return (field.type == 'N' || field.type == 'F') && field.decimals == 0 ? ColumnType::Integer
                                                                                   : ColumnType::Real;
        case FieldKind::Logical:
            return ColumnType::Logical;
        case FieldKind::Date:
            return ColumnType::Date;
        case FieldKind::Binary:
            return ColumnType::Blob;
        case FieldKind::Text:
        case FieldKind::Timestamp:
        case FieldKind::Memo:
            return ColumnType::Text;
    }
    return ColumnType::Text;
}

std::string isoDate(year_month_day date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

year_month_day parseIsoDate(const std::string& text) {
    return year_month_day{year(std::stoi(text.substr(0, 4))),
                          month(static_cast<unsigned>(std::stoi(text.substr(5, 2)))),
                          day(static_cast<unsigned>(std::stoi(text.substr(8, 2))))};
}

// A number of an Integer column: whole numbers as integers, anything else
// (a fraction written into a field without decimals, a huge value) as it is.
SqlValue wholeNumber(double n) {
    if (n >= -9.2e18 && n <= 9.2e18 && n == static_cast<double>(static_cast<int64_t>(n)))
        return static_cast<int64_t>(n);
    return n;
}

SqlValue dateValue(year_month_day date) {
    if (!date.ok())
        return SqlValue{};
    return isoDate(date);
}

// A column's value from the raw record a sequential reader holds; nothing for
// the fields it does not decode (memos, timestamps), which the cursor reads.
std::optional<SqlValue> recordValue(const SequentialReader& reader, int field, ColumnType type) {
    const char stored = reader.fields()[static_cast<size_t>(field)].type;
    switch (type) {
        case ColumnType::Integer:
            return wholeNumber(reader.number(field).value_or(0));
        case ColumnType::Real:
            return reader.number(field).value_or(0);
        case ColumnType::Logical:
            return static_cast<int64_t>(reader.logical(field).value_or(false));
        case ColumnType::Date: {
            const auto date = reader.date(field);
            return date ? dateValue(*date) : SqlValue{};
        }
        case ColumnType::Text:
            if (stored == 'C')
                return reader.text(field);
            return std::nullopt;
        case ColumnType::Blob:
            return std::nullopt;
    }
    return std::nullopt;
}

double asDouble(const SqlValue& v) {
    return std::holds_alternative<int64_t>(v) ? static_cast<double>(std::get<int64_t>(v)) : std::get<double>(v);
}

KeyValue keyOf(const SqlValue& value, ColumnType type) {
    if (type == ColumnType::Date)
        return parseIsoDate(std::get<std::string>(value));
    if (type == ColumnType::Text)
        return std::get<std::string>(value);
    return asDouble(value);
}

bool printableAscii(const std::string& text) {
    for (char c : text) {
        if (c < 0x20 || c > 0x7e)
            return false;
    }
    return true;
}

// The tags of the table that SQL can use, each on one column.
std::vector<SourceIndex> usableIndexes(const Database& database, const Table& table,
                                       const std::vector<SourceColumn>& columns) {
    std::vector<SourceIndex> indexes;
    const auto tagNames = table.tagNames();
    if (tagNames.empty())
        return indexes;
    const std::filesystem::path base = std::filesystem::path(table.name()).stem();
    const auto mdxPath = database.findFile(base.string() + ".MDX");
    if (mdxPath.empty())
        return indexes;
    const auto mdx = index::MdxIndex::open(mdxPath, table.fields(), false);
    for (const std::string& name : tagNames) {
        const auto tag = mdx.findTag(name);
        if (!tag || tag->unique || tag->descending || !tag->forCondition.empty())
            continue;
        std::string expression = tag->expression;
        while (!expression.empty() && expression.back() == ' ') expression.pop_back();
        while (!expression.empty() && expression.front() == ' ') expression.erase(0, 1);
        const int column = table.fieldIndex(expression);
        if (column < 0 || !equalsIgnoringCase(table.fields()[static_cast<size_t>(column)].name, expression))
            continue;
        const SourceColumn& c = columns[static_cast<size_t>(column)];
        if (c.memo || c.type == ColumnType::Logical)
            continue;
        const bool numeric = c.type == ColumnType::Integer || c.type == ColumnType::Real;
        indexes.push_back({tag->name, column, false, true, numeric});
    }
    return indexes;
}

class EngineRowCursor : public RowCursor {
  public:
    EngineRowCursor(std::unique_ptr<Table> table, const std::vector<SourceColumn>& columns)
        : table_(std::move(table)), columns_(columns) {}

    // Reads in blocks rather than record by record.
    void scanAll() override {
        reset();
        if (!reader_)
            reader_ = std::make_unique<SequentialReader>(*table_);
        sequential_ = true;
        reader_->rewind();
        reader_->next();
    }

    void seek(const SourceIndex& index, const KeySelection& s) override {
        reset();
        const ColumnType type = columns_[static_cast<size_t>(index.column)].type;
        if (type == ColumnType::Text && !textRangeServed(s)) {
            scanAll();
            return;
        }
        column_ = index.column;
        useTag(index.tag);
        descending_ = s.descending;
        if (s.equal) {
            const KeyValue key = keyOf(*s.equal, type);
            table_->setRange(key, key);
        } else if (s.lower && s.upper) {
            table_->setRange(keyOf(s.lower->value, type), keyOf(s.upper->value, type));
        } else if (type == ColumnType::Text) {
            table_->cancelRange();
            if (s.lower) {
                table_->findNearest(keyOf(s.lower->value, type));
                return;
            }
            if (s.upper)
                textUpper_ = std::get<std::string>(s.upper->value);
        } else if (s.lower || s.upper) {
            table_->setRange(s.lower ? keyOf(s.lower->value, type) : lowest(type),
                             s.upper ? keyOf(s.upper->value, type) : highest(type));
        } else {
            table_->cancelRange();
        }
        descending_ ? table_->last() : table_->first();
        stopAtTextUpper();
    }

    void visit(std::vector<uint32_t> recordNumbers) override {
        reset();
        visiting_ = true;
        list_ = std::move(recordNumbers);
        settleOnLive();
    }

    bool atEnd() const override {
        if (sequential_)
            return reader_->recordNumber() == 0;
        if (visiting_)
            return position_ >= list_.size();
        return ended_ || (descending_ ? table_->bof() : table_->eof());
    }

    void next() override {
        if (sequential_) {
            reader_->next();
            return;
        }
        if (visiting_) {
            ++position_;
            settleOnLive();
            return;
        }
        descending_ ? table_->prior() : table_->next();
        stopAtTextUpper();
    }

    uint32_t recordNumber() const override { return sequential_ ? reader_->recordNumber() : table_->recordNumber(); }

    SqlValue value(int column) override {
        const ColumnType type = columns_[static_cast<size_t>(column)].type;
        if (sequential_) {
            if (auto value = recordValue(*reader_, column, type))
                return std::move(*value);
            if (table_->recordNumber() != reader_->recordNumber())
                table_->gotoRecord(reader_->recordNumber());
        }
        return columnValue(*table_, column, type);
    }

  private:
    void reset() {
        sequential_ = false;
        visiting_ = false;
        descending_ = false;
        ended_ = false;
        textUpper_.reset();
        list_.clear();
        position_ = 0;
    }

    void useTag(const std::string& tag) {
        if (table_->activeTag() != tag)
            table_->setActiveTag(tag);
        if (!tag.empty())
            table_->cancelRange();
    }

    // Character tags order bytes of the table's code page, padded with blanks:
    // the same order as SQL's for bounds of printable ASCII.
    static bool textRangeServed(const KeySelection& s) {
        if (s.equal)
            return true;
        return (!s.lower || printableAscii(std::get<std::string>(s.lower->value))) &&
               (!s.upper || printableAscii(std::get<std::string>(s.upper->value)));
    }

    void stopAtTextUpper() {
        if (!textUpper_ || table_->eof())
            return;
        const std::string text = table_->asString(column_);
        if (text.compare(0, textUpper_->size(), *textUpper_) > 0)
            ended_ = true;
    }

    void settleOnLive() {
        for (; position_ < list_.size(); ++position_) {
            table_->gotoRecord(list_[position_]);
            if (!table_->isDeleted())
                return;
        }
    }

    // Open ends of a range. A numeric field holds at most 20 digits, so 1e100
    // lies beyond every stored number and still has a numeric key.
    static KeyValue lowest(ColumnType type) {
        if (type == ColumnType::Date)
            return year_month_day{year(1), month(1), day(1)};
        return -1e100;
    }
    static KeyValue highest(ColumnType type) {
        if (type == ColumnType::Date)
            return year_month_day{year(9999), month(12), day(31)};
        return 1e100;
    }

    std::unique_ptr<Table> table_;
    std::unique_ptr<SequentialReader> reader_;  // for scans, made on the first
    const std::vector<SourceColumn>& columns_;
    std::vector<uint32_t> list_;  // the records to visit, and where the visit is
    size_t position_ = 0;
    int column_ = 0;           // the column of the tag sought
    bool sequential_ = false;  // scanning through reader_
    bool visiting_ = false;
    bool descending_ = false;
    bool ended_ = false;
    std::optional<std::string> textUpper_;
};

// Leaves the edit or insert that failed, so that the writer is usable again.
void abandon(Table& table) {
    try {
        table.cancel();
    } catch (const DatabaseError&) {
        // The original failure is the one to report.
    }
}

}  // namespace

SqlValue columnValue(const Table& table, int field, ColumnType type) {
    switch (type) {
        case ColumnType::Integer:
            return wholeNumber(table.asNumber(field));
        case ColumnType::Real:
            return table.asNumber(field);
        case ColumnType::Logical:
            return static_cast<int64_t>(table.asBool(field));
        case ColumnType::Date: {
            if (table.isEmpty(field))
                return SqlValue{};
            return dateValue(table.asDate(field));
        }
        case ColumnType::Blob:
            return table.asBytes(field);
        case ColumnType::Text:
            return table.asString(field);
    }
    return SqlValue{};
}

EngineTableSource::EngineTableSource(const Database& database, const std::string& tableName)
    : database_(database), tableName_(tableName), structure_(database.openTable(tableName, OpenMode::ReadOnly)) {
    for (const FieldDef& field : structure_->fields()) {
        const FieldKind kind = fieldKind(field);
        columns_.push_back({field.name, columnType(field), kind == FieldKind::Memo || kind == FieldKind::Binary});
    }
    indexes_ = usableIndexes(database_, *structure_, columns_);
}

EngineTableSource::~EngineTableSource() = default;

uint32_t EngineTableSource::recordCount() {
    return structure_->recordCount();
}

std::unique_ptr<RowCursor> EngineTableSource::openCursor() {
    return std::make_unique<EngineRowCursor>(database_.openTable(tableName_, OpenMode::ReadOnly), columns_);
}

Table& EngineTableSource::writer() {
    if (!writer_)
        writer_ = database_.openTable(tableName_, OpenMode::ReadWrite);
    return *writer_;
}

void EngineTableSource::write(Table& table, const std::vector<std::optional<SqlValue>>& values, bool onlyChanges) {
    for (size_t i = 0; i < values.size(); ++i) {
        if (!values[i])
            continue;
        const int field = static_cast<int>(i);
        const SqlValue& value = *values[i];
        const SourceColumn& column = columns_[i];
        // Fields whose SQL value stays the same are not written, so that a
        // blank number read as 0 stays blank and the rest of the record stays
        // byte for byte as it was.
        if (onlyChanges && columnValue(table, field, column.type) == value)
            continue;
        if (std::holds_alternative<std::monostate>(value)) {
            table.clear(field);
            continue;
        }
        switch (column.type) {
            case ColumnType::Integer:
            case ColumnType::Real:
                table.setNumber(field, asDouble(value));
                break;
            case ColumnType::Logical:
                table.setBool(field, std::get<int64_t>(value) != 0);
                break;
            case ColumnType::Date:
                table.setDate(field, parseIsoDate(std::get<std::string>(value)));
                break;
            case ColumnType::Text:
                table.setString(field, std::get<std::string>(value));
                break;
            case ColumnType::Blob:
                table.setBytes(field, std::get<std::vector<std::byte>>(value));
                break;
        }
    }
}

void EngineTableSource::update(uint32_t recordNumber, const std::vector<std::optional<SqlValue>>& values) {
    Table& table = writer();
    table.gotoRecord(recordNumber);
    if (table.isDeleted())
        throw DatabaseError("Record " + std::to_string(recordNumber) + " of " + table.name() + " is deleted.");
    table.edit();
    try {
        write(table, values, true);
        table.post();
    } catch (...) {
        abandon(table);
        throw;
    }
}

uint32_t EngineTableSource::append(const std::vector<std::optional<SqlValue>>& values) {
    Table& table = writer();
    table.append();
    try {
        write(table, values, false);
        table.post();
    } catch (...) {
        abandon(table);
        throw;
    }
    return table.recordNumber();
}

void EngineTableSource::remove(uint32_t recordNumber) {
    Table& table = writer();
    table.gotoRecord(recordNumber);
    if (!table.isDeleted())
        table.deleteRecord();
}

}  // namespace brimo::data::sql
