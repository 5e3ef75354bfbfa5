#include "data/TableIndexing.h"

#include "data/DatabaseError.h"
#include "data/TableImpl.h"
#include "data/dbf/FieldCodec.h"
#include "data/index/Expression.h"
#include "data/index/MdxIndex.h"
#include "platform/AsciiCase.h"

#include <optional>

namespace brimo::data {

struct IndexState {
    index::MdxIndex mdx;
    std::optional<index::TagInfo> tag;
    std::optional<index::TagCursor> cursor;
    std::optional<index::Expression> expression;
};

void IndexStateDeleter::operator()(IndexState* state) const { delete state; }

namespace {

class NoRecords : public index::RecordSource {
public:
    uint32_t recordCount() const override { return 0; }
    void forEachRecord(const Visitor&) const override {}
};

// The records of the table as they are on disk now.
class StoredRecords : public index::RecordSource {
public:
    explicit StoredRecords(Table::Impl& table) : table_(table) {}
    uint32_t recordCount() const override { return table_.rereadCount(); }
    void forEachRecord(const Visitor& visit) const override {
        uint32_t recno = 0;
        table_.scanRecords([&](std::span<const std::byte> record) { visit(++recno, record); });
    }

private:
    Table::Impl& table_;
};

// The entry a record has in a tag: its key, or nothing when the record is
// absent or the FOR condition leaves it out.
std::optional<index::Key> entryOf(const index::TagInfo& tag, std::span<const FieldDef> fields,
                                  std::span<const std::byte> record, uint32_t recno) {
    if (record.empty()) return std::nullopt;
    if (!tag.forCondition.empty() &&
        !index::Expression::compile(tag.forCondition, fields).evaluateCondition(record, recno))
        return std::nullopt;
    return index::Expression::compile(tag.expression, fields).evaluateKey(record, recno);
}

}  // namespace

void createProductionIndex(const std::filesystem::path& path, const std::string& tableName,
                           const std::vector<FieldDef>& fields, const std::vector<TagSpec>& tags) {
    std::vector<index::TagDefinition> definitions;
    for (const TagSpec& t : tags)
        definitions.push_back({t.name, t.expression, t.forExpression, t.unique, t.descending});
    index::MdxIndex::create(path, tableName, fields, definitions, NoRecords{});
}

void Table::Impl::openIndex(const std::filesystem::path& mdxPath) {
    std::vector<FieldDef> stored(fields.begin(), fields.begin() + static_cast<ptrdiff_t>(storedFieldCount));
    index.reset(new IndexState{index::MdxIndex::open(mdxPath, stored, !readOnly), {}, {}, {}});
}

std::vector<std::string> Table::Impl::tagNames() const {
    std::vector<std::string> names;
    if (index)
        for (const auto& t : index->mdx.tags()) names.push_back(t.name);
    return names;
}

void Table::Impl::activateTag(std::string_view tagName) {
    if (tagName.empty()) {
        if (index) {
            index->tag.reset();
            index->cursor.reset();
            index->expression.reset();
        }
        return;
    }
    if (!index) throw DatabaseError("Table " + name + " has no index tag " + std::string(tagName) + ".");
    auto tag = index->mdx.findTag(tagName);
    if (!tag) throw DatabaseError("Table " + name + " has no index tag " + std::string(tagName) + ".");
    std::vector<FieldDef> stored(fields.begin(), fields.begin() + static_cast<ptrdiff_t>(storedFieldCount));
    auto expression = index::Expression::compile(tag->expression, stored);
    try {
        expression.requireKeyType(tag->keyType);
    } catch (const DatabaseError& e) {
        throw DatabaseError("Index tag " + tag->name + " of " + index->mdx.path().filename().string() +
                            " cannot be used: " + e.what());
    }
    index->cursor.emplace(index->mdx.cursor(tag->name));
    index->expression.emplace(std::move(expression));
    index->tag = std::move(tag);
}

std::string Table::Impl::activeTagName() const { return tagActive() ? index->tag->name : std::string(); }

bool Table::Impl::tagActive() const { return index && index->cursor.has_value(); }

std::string Table::Impl::tagForField(std::string_view fieldName) const {
    if (!index) return {};
    for (const auto& t : index->mdx.tags()) {
        std::string_view e = t.expression;
        while (!e.empty() && e.front() == ' ') e.remove_prefix(1);
        while (!e.empty() && e.back() == ' ') e.remove_suffix(1);
        if (platform::equalsIgnoringAsciiCase(e, fieldName)) return t.name;
    }
    return {};
}

namespace {

index::Key toKey(const Table::Impl& d, const index::TagInfo& tag, const KeyValue& value) {
    auto wrong = [&](const char* wanted) -> index::Key {
        throw DatabaseError("A key for index tag " + tag.name + " of table " + d.name + " must be " + wanted + ".");
    };
    switch (tag.keyType) {
        case index::KeyType::Character: {
            const auto* text = std::get_if<std::string>(&value);
            if (!text) return wrong("text");
            std::string encoded = platform::encodeText(d.codePage, *text);
            if (encoded.size() > tag.keyLength) encoded.resize(tag.keyLength);
            auto bytes = std::as_bytes(std::span(encoded.data(), encoded.size()));
            return index::Key(bytes.begin(), bytes.end());
        }
        case index::KeyType::Numeric: {
            if (const auto* number = std::get_if<double>(&value)) return index::numericKey(*number);
            if (const auto* text = std::get_if<std::string>(&value)) {
                auto number = dbf::parseNumber(std::as_bytes(std::span(text->data(), text->size())));
                if (number) return index::numericKey(*number);
            }
            return wrong("a number");
        }
        case index::KeyType::Date: {
            std::optional<std::chrono::year_month_day> date;
            if (const auto* ymd = std::get_if<std::chrono::year_month_day>(&value)) date = *ymd;
            if (const auto* text = std::get_if<std::string>(&value))
                date = dbf::parseDate(std::as_bytes(std::span(text->data(), text->size())));
            if (!date || !date->ok()) return wrong("a date");
            return index::dateKey(index::julianDay(static_cast<int>(date->year()),
                                                   static_cast<unsigned>(date->month()),
                                                   static_cast<unsigned>(date->day())));
        }
    }
    return wrong("a key");
}

void requireTag(const Table::Impl& d) {
    if (!d.tagActive()) throw DatabaseError("Table " + d.name + " has no active index tag.");
}

}  // namespace

bool Table::Impl::tagMove(bool fromEnd, bool forward, uint32_t& number) {
    index::TagCursor& c = *index->cursor;
    bool ok = fromEnd ? (forward ? c.first() : c.last()) : (forward ? c.next() : c.prior());
    if (ok) number = c.recno();
    return ok;
}

bool Table::Impl::tagSeek(const KeyValue& key, bool exact, uint32_t& number) {
    requireTag(*this);
    index::Key k = toKey(*this, *index->tag, key);
    index::TagCursor& c = *index->cursor;
    bool ok = exact ? c.seekExact(k) : c.seekNearest(k);
    if (ok) number = c.recno();
    return ok;
}

bool Table::Impl::tagKeyMatches(const KeyValue& key) const {
    index::Key k = toKey(*this, *index->tag, key);
    return index::compareKeys(index->tag->keyType, k, index->cursor->key()) == std::strong_ordering::equal;
}

void Table::Impl::tagSetRange(const KeyValue& start, const KeyValue& end) {
    requireTag(*this);
    index->cursor->setRange(toKey(*this, *index->tag, start), toKey(*this, *index->tag, end));
}

// Without an active tag there is no range to cancel.
void Table::Impl::tagClearRange() {
    if (tagActive()) index->cursor->clearRange();
}

void Table::Impl::tagSync(uint32_t number, std::span<const std::byte> record) {
    index::Key key = index->expression->evaluateKey(record.first(header.recordLength), number);
    if (!index->cursor->seekEntry(key, number)) index->cursor->seekNearest(key);
}

bool Table::Impl::tagEntryAgrees(std::span<const std::byte> record) const {
    const index::TagCursor& c = *index->cursor;
    index::Key key = index->expression->evaluateKey(record.first(header.recordLength), c.recno());
    return index::compareKeys(index->tag->keyType, key, c.key()) == std::strong_ordering::equal;
}

void Table::Impl::indexInsert(uint32_t number, std::span<const std::byte> record) {
    if (index) index->mdx.insertRecord(number, record.first(header.recordLength));
}

void Table::Impl::indexUpdate(uint32_t number, std::span<const std::byte> before, std::span<const std::byte> after) {
    if (index) index->mdx.updateRecord(number, before.first(header.recordLength), after.first(header.recordLength));
}

void Table::Impl::rebuildTagsChangedBy(uint32_t number, std::span<const std::byte> before,
                                       std::span<const std::byte> after) {
    if (!index) return;
    std::span<const FieldDef> stored(fields.data(), storedFieldCount);
    index->mdx.refresh();
    const std::vector<index::TagInfo> tags = index->mdx.tags();  // rebuilding a tag reloads the list
    for (const index::TagInfo& tag : tags) {
        if (entryOf(tag, stored, before, number) != entryOf(tag, stored, after, number))
            index->mdx.reindexTag(tag.name, StoredRecords(*this));
    }
}

void Table::Impl::indexForgetStale(uint32_t number, std::span<const std::byte> record) {
    if (!index) return;
    try {
        index->mdx.removeRecord(number, record.first(header.recordLength));
    } catch (const DatabaseError&) {
        // Best effort: keys that were never written are simply not there.
    }
}

}  // namespace brimo::data
