#include "data/sql/EngineTableSource.h"

#include "data/DatabaseError.h"
#include "data/FieldKind.h"
#include "data/SequentialReader.h"
#include "data/index/MdxIndex.h"
#include "data/sql/EngineRowCursor.h"
#include "data/sql/EngineValues.h"
#include "data/sql/SqlTokenizer.h"

namespace brimo::data::sql {
namespace {

// The key type a tag on a column of this type must have to serve it.
index::KeyType keyTypeFor(ColumnType type) {
    switch (type) {
        case ColumnType::Text:
            return index::KeyType::Character;
        case ColumnType::Date:
            return index::KeyType::Date;
        default:
            return index::KeyType::Numeric;
    }
}

// The tags of the table that SQL can use, each on one column, and what a
// cursor needs to seek in them.
std::vector<SourceIndex> usableIndexes(const Database& database, const Table& table,
                                       const std::vector<SourceColumn>& columns, TagAccess& access) {
    std::vector<SourceIndex> indexes;
    const auto tagNames = table.tagNames();
    if (tagNames.empty())
        return indexes;
    const std::filesystem::path base = std::filesystem::path(table.name()).stem();
    const auto mdxPath = database.findFile(base.string() + ".MDX");
    if (mdxPath.empty())
        return indexes;
    access.index = std::make_shared<index::MdxIndex>(index::MdxIndex::open(mdxPath, table.fields(), false));
    for (const std::string& name : tagNames) {
        const auto tag = access.index->findTag(name);
        if (!tag || tag->unique || tag->descending || !tag->forCondition.empty())
            continue;
        std::string expression = tag->expression;
        while (!expression.empty() && expression.back() == ' ') expression.pop_back();
        while (!expression.empty() && expression.front() == ' ') expression.erase(0, 1);
        const int column = table.fieldIndex(expression);
        if (column < 0 || !equalsIgnoringCase(table.fields()[static_cast<size_t>(column)].name, expression))
            continue;
        const SourceColumn& c = columns[static_cast<size_t>(column)];
        if (c.memo || c.type == ColumnType::Logical || c.type == ColumnType::Blob || tag->keyType != keyTypeFor(c.type))
            continue;
        const bool numeric = c.type == ColumnType::Integer || c.type == ColumnType::Real;
        indexes.push_back({tag->name, column, false, true, numeric});
        access.tags[tag->name] = {tag->keyType, tag->keyLength};
    }
    return indexes;
}

// Leaves the edit or insert that failed, so that the writer is usable again.
void abandon(Table& table) {
    try {
        table.cancel();
    } catch (const DatabaseError&) {
        // The original failure is the one to report.
    }
}

}  // namespace

EngineTableSource::EngineTableSource(const Database& database, const std::string& tableName)
    : database_(database), tableName_(tableName), structure_(database.openTable(tableName, OpenMode::ReadOnly)) {
    for (const FieldDef& field : structure_->fields()) {
        const FieldKind kind = fieldKind(field);
        columns_.push_back({field.name, columnType(field), kind == FieldKind::Memo || kind == FieldKind::Binary});
    }
    indexes_ = usableIndexes(database_, *structure_, columns_, tags_);
    tags_.codePage = SequentialReader(*structure_).codePage();
}

EngineTableSource::~EngineTableSource() = default;

uint32_t EngineTableSource::recordCount() {
    return structure_->recordCount();
}

// A cursor serves one statement: the tag table is read again for it, so that
// a tag rebuilt since the last statement is walked in its new pages.
std::unique_ptr<RowCursor> EngineTableSource::openCursor() {
    if (tags_.index)
        tags_.index->refresh();
    return std::make_unique<EngineRowCursor>(database_.openTable(tableName_, OpenMode::ReadOnly), columns_, tags_);
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
