#include "data/DatabaseError.h"
#include "data/Table.h"
#include "data/TableImpl.h"
#include "data/dbf/Bytes.h"
#include "data/dbf/FieldCodec.h"
#include "data/dbf/Locks.h"

#include <array>
#include <chrono>

namespace brimo::data {
namespace {

std::chrono::year_month_day today() {
    return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
}

}  // namespace

void Table::Impl::lockRecord(uint32_t number) {
    dbf::lockOrThrow(dbf, dbf::recordLockOffset(number), 1, true,
                     "Record " + std::to_string(number) + " of table " + name + " is locked by another user.");
}

void Table::Impl::unlockRecord(uint32_t number) {
    if (tableLocked) return;  // the table lock covers the byte; unlocking it would open a hole
    dbf.unlock(dbf::recordLockOffset(number), 1);
}

void Table::Impl::writeRecord(uint32_t number, std::span<const std::byte> record, bool withEofMarker) {
    std::span<const std::byte> stored = record.first(header.recordLength);
    if (!withEofMarker) return dbf.writeAt(recordOffset(number), stored);
    std::vector<std::byte> bytes(stored.begin(), stored.end());
    bytes.push_back(std::byte{0x1A});
    dbf.writeAt(recordOffset(number), bytes);
}

// The last-update date in the header, written only when it changes.
void Table::Impl::touchDate() {
    auto bytes = dbf::dateAndCount(today(), 0);
    std::array<std::byte, 3> stored{};
    dbf.readExact(dbf::kDateOffset, stored);
    if (!std::equal(stored.begin(), stored.end(), bytes.begin())) dbf.writeAt(dbf::kDateOffset, std::span(bytes).first(3));
}

// New memo contents go to fresh blocks; the blocks they replace are released
// only after the record no longer points at them. The pending contents are
// kept until the post succeeds: a failed post rolls the record back and
// writes them again on the next try.
void Table::Impl::writePendingMemos(std::vector<uint32_t>& released) {
    for (auto& [fieldIndex, contents] : pendingMemos) {
        const FieldDef& f = fields[static_cast<size_t>(fieldIndex)];
        auto raw = dbf::fieldBytes(std::span<std::byte>(buffer), f);
        if (state == TableState::Edit) {
            auto old = dbf::parseBlockNumber(dbf::fieldBytes(std::span<const std::byte>(original), f));
            if (old && *old != 0) released.push_back(*old);
        }
        uint32_t block = contents && !contents->empty() ? memo->write(*contents) : 0;
        dbf::formatBlockNumber(raw, block);
    }
}

namespace {

// Puts the memo references of the record buffer back as they were before a
// failed post wrote its memos.
class MemoReferences {
public:
    explicit MemoReferences(Table::Impl& d) : d_(d), saved_(d.pendingMemos.empty() ? 0 : d.buffer.size()) {
        std::copy_n(d.buffer.begin(), saved_.size(), saved_.begin());
    }
    void restore() {
        for (const auto& [fieldIndex, contents] : d_.pendingMemos) {
            const FieldDef& f = d_.fields[static_cast<size_t>(fieldIndex)];
            std::copy_n(saved_.begin() + f.offset, f.length, d_.buffer.begin() + f.offset);
        }
    }

private:
    Table::Impl& d_;
    std::vector<std::byte> saved_;
};

}  // namespace

void Table::Impl::postEdit() {
    MemoReferences references(*this);
    std::vector<uint32_t> released;
    try {
        writePendingMemos(released);
        journaledChange(
            ChangeJournal::Operation::Edit, recno, original, buffer, [&] { writeRecord(recno, buffer, false); },
            [&] {
                indexUpdate(recno, original, buffer);
                touchDate();
            });
    } catch (...) {
        references.restore();
        throw;
    }
    pendingMemos.clear();
    for (uint32_t block : released) memo->release(block);
    unlockRecord(recno);
    recordLocked = false;
}

void Table::Impl::postInsert() {
    dbf::ScopedLock append(dbf, dbf::kAppendLock, 1, "Table " + name + " is locked by another user.");
    const uint32_t count = rereadCount();
    if (count >= dbf::kMaxRecords) throw DatabaseError("Table " + name + " cannot hold more records.");
    const uint32_t number = count + 1;
    // A writer that died while appending may have left keys for the record
    // past the count; take them out before the record is reused.
    scratch.resize(buffer.size());
    std::span<std::byte> beyond = std::span(scratch).first(header.recordLength);
    if (dbf.readAt(recordOffset(number), beyond) == beyond.size()) indexForgetStale(number, scratch);
    lockRecord(number);
    try {
        for (size_t i = 0; i < storedFieldCount; ++i) {
            const uint32_t at = header.autoIncrementOffsets[i];
            if (at == 0) continue;
            std::array<std::byte, 4> next{};
            dbf.readExact(at, next);
            const uint32_t value = std::max<uint32_t>(dbf::readLE32(next.data()), 1);
            dbf::encodeLong(dbf::fieldBytes(std::span<std::byte>(buffer), fields[i]), static_cast<int32_t>(value));
            dbf::writeLE32(next.data(), value + 1);
            dbf.writeAt(at, next);
        }
        MemoReferences references(*this);
        try {
            std::vector<uint32_t> released;
            writePendingMemos(released);
            journaledChange(
                ChangeJournal::Operation::Append, number, {}, buffer, [&] { writeRecord(number, buffer, true); },
                [&] {
                    indexInsert(number, buffer);
                    dbf::ScopedLock headerLock(dbf, dbf::kHeaderLock, 1,
                                               "Table " + name + " is locked by another user.");
                    dbf.writeAt(dbf::kDateOffset, dbf::dateAndCount(today(), number));
                });
        } catch (...) {
            references.restore();
            throw;
        }
        pendingMemos.clear();
    } catch (...) {
        unlockRecord(number);
        throw;
    }
    unlockRecord(number);
    knownCount = number;
    recno = number;
}

void Table::append() {
    Impl& d = *impl_;
    d.requireWritable();
    if (d.state != TableState::Browse) post();
    d.recnoBeforeInsert = d.recno;
    d.buffer = d.blankRecord();
    d.pendingMemos.clear();
    d.state = TableState::Insert;
    d.atEof = d.atBof = false;
    if (d.onNewRecord) d.onNewRecord(*this);
    d.notify(TableEvent::StateChanged);
}

void Table::insert() { append(); }

TableState Table::state() const { return impl_->state; }

void Table::edit() {
    Impl& d = *impl_;
    if (d.state != TableState::Browse) return;
    d.requireWritable();
    if (d.recno == 0) throw DatabaseError("Table " + d.name + " has no record to edit.");
    if (d.beforeEdit) d.beforeEdit(*this);
    d.lockRecord(d.recno);
    d.recordLocked = true;
    try {
        d.recoverUnfinishedAt(d.recno);
    } catch (...) {
        d.unlockRecord(d.recno);
        d.recordLocked = false;
        throw;
    }
    if (!d.readRecord(d.recno, d.scratch)) {
        d.unlockRecord(d.recno);
        d.recordLocked = false;
        throw DatabaseError("Record " + std::to_string(d.recno) + " of table " + d.name + " no longer exists.");
    }
    d.makeCurrent(d.recno, d.scratch);
    d.original = d.buffer;
    d.pendingMemos.clear();
    d.state = TableState::Edit;
    d.notify(TableEvent::StateChanged);
}

void Table::post() {
    Impl& d = *impl_;
    if (d.state == TableState::Browse) return;
    if (d.beforePost) d.beforePost(*this);
    if (d.state == TableState::Edit) {
        d.postEdit();
    } else {
        d.postInsert();
    }
    d.state = TableState::Browse;
    if (d.tagActive()) d.tagSync(d.recno, d.buffer);
    d.calculate();
    d.notify(TableEvent::DataChanged);
    if (d.afterPost) d.afterPost(*this);
}

void Table::cancel() {
    Impl& d = *impl_;
    if (d.state == TableState::Browse) return;
    const bool wasEdit = d.state == TableState::Edit;
    d.state = TableState::Browse;
    d.pendingMemos.clear();
    if (wasEdit) {
        d.unlockRecord(d.recno);
        d.recordLocked = false;
        d.buffer = d.original;
        d.calculate();
    } else if (d.recnoBeforeInsert != 0 && d.readRecord(d.recnoBeforeInsert, d.scratch)) {
        if (d.tagActive()) d.tagSync(d.recnoBeforeInsert, d.scratch);
        d.makeCurrent(d.recnoBeforeInsert, d.scratch);
    } else {
        d.moveFirst();
    }
    d.notify(TableEvent::StateChanged);
}

namespace {

void setDeleteFlag(Table::Impl& d, uint32_t number, std::byte flag) {
    d.lockRecord(number);
    try {
        d.recoverUnfinishedAt(number);
        std::vector<std::byte> before;
        if (!d.readRecord(number, before))
            throw DatabaseError("Table " + d.name + " has no record " + std::to_string(number) + ".");
        if (before[0] != flag) {
            std::vector<std::byte> after = before;
            after[0] = flag;
            d.journaledChange(
                ChangeJournal::Operation::Edit, number, before, after,
                [&] { d.dbf.writeAt(d.recordOffset(number), std::span(after).first(1)); },
                [&] {
                    d.indexUpdate(number, before, after);
                    d.touchDate();
                });
        }
    } catch (...) {
        d.unlockRecord(number);
        throw;
    }
    d.unlockRecord(number);
}

}  // namespace

void Table::deleteRecord() {
    Impl& d = *impl_;
    d.requireWritable();
    if (d.state == TableState::Insert) return cancel();
    if (d.state == TableState::Edit) cancel();
    if (d.recno == 0) throw DatabaseError("Table " + d.name + " has no record to delete.");
    const uint32_t number = d.recno;
    setDeleteFlag(d, number, std::byte{'*'});
    if (d.readRecord(number, d.scratch)) d.makeCurrent(number, d.scratch);
    if (!d.showDeleted) {
        d.moveBy(true);
        if (d.atEof) {
            d.moveBy(false);
            if (d.recno == number) d.setEmpty();
        }
    }
    d.notify(TableEvent::DataChanged);
}

bool Table::isDeleted() const { return impl_->recno != 0 && impl_->buffer[0] == std::byte{'*'}; }

void Table::recall(uint32_t recordNumber) {
    Impl& d = *impl_;
    d.requireWritable();
    d.checkBrowse("recall a record");
    setDeleteFlag(d, recordNumber, std::byte{' '});
    gotoRecord(recordNumber);
    d.notify(TableEvent::DataChanged);
}

}  // namespace brimo::data
