#include "data/DatabaseError.h"
#include "data/Table.h"
#include "data/TableImpl.h"
#include "data/dbf/Bytes.h"
#include "data/dbf/FieldCodec.h"

#include <algorithm>
#include <array>

namespace brimo::data {

// ---- records on disk ----

uint32_t Table::Impl::rereadCount() {
    std::array<std::byte, 4> count{};
    dbf.readExact(dbf::kCountOffset, count);
    uint32_t n = dbf::readLE32(count.data());
    // A count the file cannot hold (a writer died before writing the record,
    // or the file was cut) is limited to the whole records present.
    const uint64_t size = dbf.size();
    const uint64_t present = size <= header.headerLength ? 0 : (size - header.headerLength) / header.recordLength;
    knownCount = static_cast<uint32_t>(std::min<uint64_t>(n, present));
    return knownCount;
}

bool Table::Impl::readRecord(uint32_t number, std::vector<std::byte>& into) {
    if (number == 0) return false;
    if (number > knownCount && number > rereadCount()) return false;
    into.resize(buffer.size());
    std::span<std::byte> stored(into.data(), header.recordLength);
    if (dbf.readAt(recordOffset(number), stored) != stored.size()) {
        rereadCount();
        return false;
    }
    return true;
}

std::vector<std::byte> Table::Impl::blankRecord() const {
    std::vector<std::byte> record(buffer.size(), std::byte{' '});
    if (header.level == 7) {
        for (size_t i = 0; i < storedFieldCount; ++i) {
            const FieldDef& f = fields[i];
            if (f.type == 'I' || f.type == '+' || f.type == 'O' || f.type == '@')
                std::fill_n(record.begin() + f.offset, f.length, std::byte{0});
        }
    }
    return record;
}

// ---- what is visible ----

bool Table::Impl::linkHolds(std::span<const std::byte> record) const {
    if (!master) return true;
    if (master->recno == 0) return false;
    for (auto [detailField, masterField] : linkFields) {
        const FieldDef& d = fields[static_cast<size_t>(detailField)];
        const FieldDef& m = master->fields[static_cast<size_t>(masterField)];
        auto dv = dbf::fieldBytes(record, d);
        auto mv = dbf::fieldBytes(std::span<const std::byte>(master->buffer), m);
        if ((d.type == 'N' || d.type == 'F') && (m.type == 'N' || m.type == 'F')) {
            if (dbf::parseNumber(dv).value_or(0) != dbf::parseNumber(mv).value_or(0)) return false;
        } else if (dbf::trimmedText(dv) != dbf::trimmedText(mv)) {
            return false;
        }
    }
    return true;
}

namespace {

template <class T>
bool compareWith(const T& a, const T& b, CompareOp op) {
    switch (op) {
        case CompareOp::Equal: return a == b;
        case CompareOp::NotEqual: return a != b;
        case CompareOp::Greater: return a > b;
        case CompareOp::Less: return a < b;
    }
    return false;
}

}  // namespace

bool Table::Impl::visible(std::span<const std::byte> record) const {
    if (!showDeleted && record[0] == std::byte{'*'}) return false;
    for (const BoundCondition& c : filter) {
        const FieldDef& f = fields[static_cast<size_t>(c.field)];
        auto raw = dbf::fieldBytes(record, f);
        bool holds = std::visit(
            [&](const auto& constant) {
                using V = std::decay_t<decltype(constant)>;
                if constexpr (std::is_same_v<V, bool>) {
                    return compareWith(dbf::parseLogical(raw).value_or(false), constant, c.op);
                } else if constexpr (std::is_same_v<V, double>) {
                    double v = 0;
                    if (f.type == 'I' || f.type == '+') {
                        v = dbf::isAllZero(raw) ? 0 : dbf::decodeLong(raw);
                    } else if (f.type == 'O') {
                        v = dbf::isAllZero(raw) ? 0 : dbf::decodeDouble(raw);
                    } else if (f.type == 'L') {
                        v = dbf::parseLogical(raw).value_or(false) ? 1 : 0;
                    } else {
                        v = dbf::parseNumber(raw).value_or(0);
                    }
                    return compareWith(v, constant, c.op);
                } else {
                    return compareWith(dbf::trimmedText(raw), std::string_view(constant), c.op);
                }
            },
            c.value);
        if (!holds) return false;
    }
    return linkHolds(record);
}

void Table::Impl::calculate() {
    if (fields.size() == storedFieldCount || !onCalcFields || recno == 0) return;
    std::fill(buffer.begin() + header.recordLength, buffer.end(), std::byte{' '});
    onCalcFields(self);
}

void Table::Impl::makeCurrent(uint32_t number, std::vector<std::byte>& record) {
    std::swap(buffer, record);
    recno = number;
    calculate();
    for (Impl* detail : details) detail->masterMoved();
}

void Table::Impl::setEmpty() {
    recno = 0;
    atEof = atBof = true;
    buffer = blankRecord();
    for (Impl* detail : details) detail->masterMoved();
}

// Next visible record in physical order after (or before) `from`.
bool Table::Impl::stepPhysical(uint32_t from, bool forward, uint32_t& found) {
    if (forward) {
        for (uint32_t n = from + 1; readRecord(n, scratch); ++n) {
            if (visible(scratch)) {
                found = n;
                return true;
            }
        }
        return false;
    }
    if (from > knownCount + 1) from = knownCount + 1;
    for (uint32_t n = from; n-- > 1;) {
        if (readRecord(n, scratch) && visible(scratch)) {
            found = n;
            return true;
        }
    }
    return false;
}

// Next visible record in tag order. Entries of records past the record count
// (left by a writer that died while appending) and entries whose key no
// longer matches their record are passed over.
bool Table::Impl::stepTag(bool fromEnd, bool forward, uint32_t& found) {
    uint32_t n = 0;
    bool moved = tagMove(fromEnd, forward, n);
    while (moved) {
        if (readRecord(n, scratch) && visible(scratch) && tagEntryAgrees(scratch)) {
            found = n;
            return true;
        }
        moved = tagMove(false, forward, n);
    }
    return false;
}

void Table::Impl::moveFirst() {
    uint32_t n = 0;
    bool ok = tagActive() ? stepTag(true, true, n) : (rereadCount(), stepPhysical(0, true, n));
    if (!ok) return setEmpty();
    makeCurrent(n, scratch);
    atBof = true;
    atEof = false;
}

void Table::Impl::moveLast() {
    uint32_t n = 0;
    bool ok = tagActive() ? stepTag(true, false, n) : stepPhysical(rereadCount() + 1, false, n);
    if (!ok) return setEmpty();
    makeCurrent(n, scratch);
    atEof = true;
    atBof = false;
}

void Table::Impl::moveBy(bool forward) {
    if (recno == 0) return setEmpty();
    uint32_t n = 0;
    bool ok = tagActive() ? stepTag(false, forward, n) : stepPhysical(recno, forward, n);
    if (ok) {
        makeCurrent(n, scratch);
        atEof = atBof = false;
        return;
    }
    // Stay on the record at the edge; the cursor of a tag goes back to it.
    if (tagActive() && readRecord(recno, scratch)) tagSync(recno, scratch);
    (forward ? atEof : atBof) = true;
}

void Table::Impl::masterMoved() {
    if (state != TableState::Browse) return;
    moveFirst();
    notify(TableEvent::RecordChanged);
}

void Table::Impl::checkBrowse(const char* operation) {
    if (state != TableState::Browse)
        throw DatabaseError(std::string("Table ") + name + " cannot " + operation +
                            " while a record is being edited.");
}

// ---- public navigation ----

void Table::first() {
    impl_->checkBrowse("move");
    impl_->moveFirst();
    impl_->notify(TableEvent::RecordChanged);
}

void Table::last() {
    impl_->checkBrowse("move");
    impl_->moveLast();
    impl_->notify(TableEvent::RecordChanged);
}

void Table::next() {
    impl_->checkBrowse("move");
    impl_->moveBy(true);
    impl_->notify(TableEvent::RecordChanged);
}

void Table::prior() {
    impl_->checkBrowse("move");
    impl_->moveBy(false);
    impl_->notify(TableEvent::RecordChanged);
}

bool Table::eof() const { return impl_->atEof; }
bool Table::bof() const { return impl_->atBof; }
bool Table::isEmpty() const { return impl_->recno == 0 && impl_->state == TableState::Browse; }
uint32_t Table::recordCount() const { return impl_->rereadCount(); }
Bookmark Table::bookmark() const { return impl_->recno; }
uint32_t Table::recordNumber() const { return impl_->state == TableState::Insert ? 0 : impl_->recno; }
void Table::gotoBookmark(Bookmark bookmark) { gotoRecord(bookmark); }

uint32_t Table::visibleRecordCount() {
    Impl& d = *impl_;
    uint32_t count = 0, n = 0;
    if (d.tagActive()) {
        for (bool ok = d.stepTag(true, true, n); ok; ok = d.stepTag(false, true, n)) ++count;
        if (d.recno != 0 && d.readRecord(d.recno, d.scratch)) d.tagSync(d.recno, d.scratch);
    } else {
        d.rereadCount();
        for (uint32_t from = 0; d.stepPhysical(from, true, n); from = n) ++count;
    }
    return count;
}

void Table::gotoRecord(uint32_t recordNumber) {
    Impl& d = *impl_;
    d.checkBrowse("move");
    if (!d.readRecord(recordNumber, d.scratch))
        throw DatabaseError("Table " + d.name + " has no record " + std::to_string(recordNumber) + ".");
    if (d.tagActive()) d.tagSync(recordNumber, d.scratch);
    d.makeCurrent(recordNumber, d.scratch);
    d.atEof = d.atBof = false;
    d.notify(TableEvent::RecordChanged);
}

void Table::refresh() {
    Impl& d = *impl_;
    if (d.state != TableState::Browse || d.recno == 0) return;
    if (d.readRecord(d.recno, d.scratch) && d.visible(d.scratch)) {
        d.makeCurrent(d.recno, d.scratch);
    } else {
        d.moveFirst();
    }
    d.notify(TableEvent::DataChanged);
}

// ---- order, search, range ----

std::vector<std::string> Table::tagNames() const { return impl_->tagNames(); }
std::string Table::activeTag() const { return impl_->activeTagName(); }

void Table::setActiveTag(std::string_view tagName) {
    impl_->checkBrowse("change its order");
    impl_->activateTag(tagName);
    impl_->moveFirst();
    impl_->notify(TableEvent::DataChanged);
}

void Table::orderByField(std::string_view fieldName) {
    impl_->requireField(fieldName);
    std::string tag = impl_->tagForField(fieldName);
    if (tag.empty())
        throw DatabaseError("Table " + impl_->name + " has no index on field " + std::string(fieldName) + ".");
    setActiveTag(tag);
}

bool Table::findKey(const KeyValue& key) {
    Impl& d = *impl_;
    d.checkBrowse("search");
    uint32_t n = 0;
    if (!d.tagSeek(key, true, n)) return false;
    // The first visible record among the entries with this key.
    for (;;) {
        if (d.readRecord(n, d.scratch) && d.visible(d.scratch) && d.tagEntryAgrees(d.scratch)) {
            d.makeCurrent(n, d.scratch);
            d.atEof = d.atBof = false;
            d.notify(TableEvent::RecordChanged);
            return true;
        }
        if (!d.tagMove(false, true, n) || !d.tagKeyMatches(key)) break;
    }
    if (d.recno != 0 && d.readRecord(d.recno, d.scratch)) d.tagSync(d.recno, d.scratch);
    return false;
}

void Table::findNearest(const KeyValue& key) {
    Impl& d = *impl_;
    d.checkBrowse("search");
    uint32_t n = 0;
    bool ok = d.tagSeek(key, false, n);
    while (ok) {
        if (d.readRecord(n, d.scratch) && d.visible(d.scratch) && d.tagEntryAgrees(d.scratch)) {
            d.makeCurrent(n, d.scratch);
            d.atEof = d.atBof = false;
            d.notify(TableEvent::RecordChanged);
            return;
        }
        ok = d.tagMove(false, true, n);
    }
    d.moveLast();
    d.atEof = true;
    d.notify(TableEvent::RecordChanged);
}

void Table::setRange(const KeyValue& start, const KeyValue& end) {
    impl_->checkBrowse("set a range");
    impl_->tagSetRange(start, end);
    impl_->moveFirst();
    impl_->notify(TableEvent::DataChanged);
}

void Table::cancelRange() {
    impl_->checkBrowse("cancel a range");
    impl_->tagClearRange();
    impl_->moveFirst();
    impl_->notify(TableEvent::DataChanged);
}

// ---- filter, deleted records, master link ----

void Table::setFilter(std::vector<FilterCondition> conditions) {
    Impl& d = *impl_;
    d.checkBrowse("filter");
    std::vector<BoundCondition> bound;
    for (FilterCondition& c : conditions) {
        int field = d.requireField(c.field);
        const FieldDef& f = d.fields[static_cast<size_t>(field)];
        if (static_cast<size_t>(field) >= d.storedFieldCount)
            throw DatabaseError("A filter cannot test the calculated field " + f.name + ".");
        if (std::holds_alternative<bool>(c.value) && f.type != 'L')
            throw DatabaseError("Field " + f.name + " of table " + d.name + " is not a logical field.");
        if (auto* text = std::get_if<std::string>(&c.value)) {
            if (f.type == 'N' || f.type == 'F' || f.type == 'I' || f.type == '+' || f.type == 'O') {
                auto number = dbf::parseNumber(std::as_bytes(std::span(text->data(), text->size())));
                if (!number) throw DatabaseError("'" + *text + "' is not a number for field " + f.name + ".");
                c.value = *number;
            } else {
                c.value = platform::encodeText(d.codePage, *text);
            }
        }
        bound.push_back({field, c.op, std::move(c.value)});
    }
    d.filter = std::move(bound);
    d.moveFirst();
    d.notify(TableEvent::DataChanged);
}

void Table::clearFilter() { setFilter(std::vector<FilterCondition>{}); }

void Table::setShowDeleted(bool show) {
    impl_->checkBrowse("change which records it shows");
    impl_->showDeleted = show;
    impl_->moveFirst();
    impl_->notify(TableEvent::DataChanged);
}

bool Table::showDeleted() const { return impl_->showDeleted; }

void Table::setMasterLink(Table& master, std::vector<std::string> detailFields, std::vector<std::string> masterFields) {
    Impl& d = *impl_;
    if (detailFields.empty() || detailFields.size() != masterFields.size())
        throw DatabaseError("A master link needs the same number of detail and master fields.");
    if (&master == this) throw DatabaseError("A table cannot be its own master.");
    std::vector<std::pair<int, int>> link;
    for (size_t i = 0; i < detailFields.size(); ++i)
        link.emplace_back(d.requireField(detailFields[i]), master.impl_->requireField(masterFields[i]));
    clearMasterLink();
    d.master = master.impl_.get();
    d.linkFields = std::move(link);
    d.master->details.push_back(&d);
    d.moveFirst();
    d.notify(TableEvent::DataChanged);
}

void Table::clearMasterLink() {
    Impl& d = *impl_;
    if (!d.master) return;
    auto& list = d.master->details;
    list.erase(std::remove(list.begin(), list.end(), &d), list.end());
    d.master = nullptr;
    d.linkFields.clear();
    d.moveFirst();
    d.notify(TableEvent::DataChanged);
}

void Table::scan(const std::function<void(std::span<const std::byte> record)>& visit) const {
    impl_->scanRecords(visit);
}

void Table::Impl::scanRecords(const std::function<void(std::span<const std::byte> record)>& visit) {
    const uint32_t count = rereadCount();
    const size_t length = header.recordLength;
    const size_t perBlock = std::max<size_t>(1, (1u << 20) / length);
    std::vector<std::byte> block(perBlock * length);
    for (uint32_t done = 0; done < count;) {
        const size_t n = std::min<size_t>(perBlock, count - done);
        std::span<std::byte> chunk(block.data(), n * length);
        dbf.readExact(recordOffset(done + 1), chunk);
        for (size_t i = 0; i < n; ++i) visit(chunk.subspan(i * length, length));
        done += static_cast<uint32_t>(n);
    }
}

double numberAt(std::span<const std::byte> record, const FieldDef& field) {
    return dbf::parseNumber(dbf::fieldBytes(record, field)).value_or(0.0);
}

}  // namespace brimo::data
