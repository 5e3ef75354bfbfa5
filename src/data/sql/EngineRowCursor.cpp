#include "data/sql/EngineRowCursor.h"

#include "data/sql/EngineValues.h"

namespace brimo::data::sql {
namespace {

bool printableAscii(const std::string& text) {
    for (char c : text) {
        if (c < 0x20 || c > 0x7e)
            return false;
    }
    return true;
}

// Character tags order bytes of the table's code page, padded with blanks:
// the same order as SQL's for bounds of printable ASCII.
bool textRangeServed(const KeySelection& s) {
    if (s.equal)
        return true;
    return (!s.lower || printableAscii(std::get<std::string>(s.lower->value))) &&
           (!s.upper || printableAscii(std::get<std::string>(s.upper->value)));
}

}  // namespace

EngineRowCursor::EngineRowCursor(std::unique_ptr<Table> table, const std::vector<SourceColumn>& columns,
                                 const TagAccess& tags)
    : table_(std::move(table)), columns_(columns), tags_(tags) {}

EngineRowCursor::~EngineRowCursor() = default;

void EngineRowCursor::scanAll() {
    if (!reader_)
        reader_ = std::make_unique<SequentialReader>(*table_);
    mode_ = Mode::Scan;
    reader_->rewind();
    reader_->next();
}

// Bounds are inclusive: an exclusive one yields its key too, and SQLite, which
// checks every constraint again, drops it. A text key matches as a prefix, so
// an equality may yield longer texts as well.
void EngineRowCursor::seek(const SourceIndex& index, const KeySelection& s) {
    const ColumnType type = columns_[static_cast<size_t>(index.column)].type;
    if (type == ColumnType::Text && !textRangeServed(s)) {
        scanAll();
        return;
    }
    const TagAccess::Tag& tag = tags_.tags.at(index.tag);
    std::optional<index::Key> low, high;
    if (s.equal) {
        low = high = keyOf(*s.equal, type, tag);
    } else {
        if (s.lower)
            low = keyOf(s.lower->value, type, tag);
        if (s.upper)
            high = keyOf(s.upper->value, type, tag);
    }
    auto found = cursors_.find(index.tag);
    if (found == cursors_.end()) {
        found = cursors_.emplace(index.tag, tags_.index->cursor(index.tag)).first;
        // A statement seeks the same tag again and again (the inner side of a
        // join) and reads its rows once.
        found->second.readForQuery();
    }
    tag_ = &found->second;
    tag_->setRange(std::move(low), std::move(high));
    mode_ = Mode::Tag;
    descending_ = s.descending;
    settleOnTag(descending_ ? tag_->last() : tag_->first());
}

void EngineRowCursor::visit(std::vector<uint32_t> recordNumbers) {
    mode_ = Mode::Visit;
    list_ = std::move(recordNumbers);
    position_ = 0;
    settleOnList();
}

bool EngineRowCursor::atEnd() const {
    switch (mode_) {
        case Mode::Scan:
            return reader_->recordNumber() == 0;
        case Mode::Visit:
            return position_ >= list_.size();
        case Mode::Tag:
            return false;
        case Mode::Ended:
            return true;
    }
    return true;
}

void EngineRowCursor::next() {
    switch (mode_) {
        case Mode::Scan:
            reader_->next();
            break;
        case Mode::Tag:
            settleOnTag(descending_ ? tag_->prior() : tag_->next());
            break;
        case Mode::Visit:
            ++position_;
            settleOnList();
            break;
        case Mode::Ended:
            break;
    }
}

uint32_t EngineRowCursor::recordNumber() const {
    return mode_ == Mode::Scan ? reader_->recordNumber() : table_->recordNumber();
}

SqlValueView EngineRowCursor::value(int column) {
    const ColumnType type = columns_[static_cast<size_t>(column)].type;
    if (mode_ == Mode::Scan) {
        if (auto value = recordValue(*reader_, column, type, text_))
            return *value;
        if (table_->recordNumber() != reader_->recordNumber())
            table_->gotoRecord(reader_->recordNumber());
    }
    held_ = columnValue(*table_, column, type);
    return viewOf(held_);
}

index::Key EngineRowCursor::keyOf(const SqlValue& value, ColumnType type, const TagAccess::Tag& tag) const {
    if (type == ColumnType::Text) {
        std::string encoded = platform::encodeText(tags_.codePage, std::get<std::string>(value));
        if (encoded.size() > tag.length)
            encoded.resize(tag.length);
        const auto bytes = std::as_bytes(std::span(encoded.data(), encoded.size()));
        return index::Key(bytes.begin(), bytes.end());
    }
    if (type == ColumnType::Date) {
        const auto date = parseIsoDate(std::get<std::string>(value));
        return index::dateKey(index::julianDay(static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                                               static_cast<unsigned>(date.day())));
    }
    return index::numericKey(asDouble(value));
}

void EngineRowCursor::settleOnTag(bool found) {
    for (; found; found = descending_ ? tag_->prior() : tag_->next()) {
        if (readRecord(tag_->recno()))
            return;
    }
    mode_ = Mode::Ended;
}

void EngineRowCursor::settleOnList() {
    for (; position_ < list_.size(); ++position_) {
        if (readRecord(list_[position_]))
            return;
    }
}

bool EngineRowCursor::readRecord(uint32_t recordNumber) {
    if (recordNumber == 0 || (recordNumber > knownCount_ && recordNumber > (knownCount_ = table_->recordCount())))
        return false;
    table_->gotoRecord(recordNumber);
    return !table_->isDeleted();
}

}  // namespace brimo::data::sql
