// Writing a change so that a writer that dies part-way leaves a table whose
// tags agree with its records (docs/engine.md, "What a crash leaves").
#include "data/DatabaseError.h"
#include "data/TableImpl.h"
#include "data/dbf/FieldCodec.h"

#include <algorithm>

namespace brimo::data {
namespace {

// Holds the journal lock; an entry found unfinished under it belongs to a
// writer that died (or whose post failed) and is rolled back first.
class JournalLock {
  public:
    explicit JournalLock(Table::Impl& d) : d_(d) {
        d.journal->lock(d.name);
        try {
            if (auto entry = d.journal->unfinished())
                d.rollBack(*entry);
        } catch (...) {
            d.journal->unlock();
            throw;
        }
    }
    ~JournalLock() {
        try {
            d_.journal->unlock();
        } catch (...) {  // closing the file drops the lock anyway
        }
    }
    JournalLock(const JournalLock&) = delete;
    JournalLock& operator=(const JournalLock&) = delete;

  private:
    Table::Impl& d_;
};

}  // namespace

void Table::Impl::journaledChange(ChangeJournal::Operation operation, uint32_t number,
                                  std::span<const std::byte> before, std::span<const std::byte> after,
                                  const std::function<void()>& writeRecordBytes,
                                  const std::function<void()>& writeKeysAndHeader) {
    JournalLock lock(*this);
    journal->begin(operation, number, before.first(std::min<size_t>(before.size(), header.recordLength)),
                   after.first(header.recordLength));
    try {
        writeRecordBytes();
        journal->enterIndexPhase();
        writeKeysAndHeader();
        journal->finish();
    } catch (...) {
        try {
            if (auto entry = journal->unfinished())
                rollBack(*entry);
        } catch (const DatabaseError&) {
            // The entry stays in the journal; the next writer rolls it back.
        }
        throw;
    }
}

void Table::Impl::recoverUnfinished() {
    if (journal && journal->unfinished())
        JournalLock lock(*this);
}

void Table::Impl::recoverUnfinishedAt(uint32_t number) {
    if (!journal)
        return;
    // Whoever holds record `number` locked is the only one who may write it,
    // so an entry for it found now was left by a writer that is gone.
    auto entry = journal->unfinished();
    if (entry && entry->recno == number)
        JournalLock lock(*this);
}

// Puts the record back as it was and makes every tag agree with it again. An
// append is undone by leaving the record past the count; once the count
// includes it, the append was complete.
void Table::Impl::rollBack(const ChangeJournal::Entry& entry) {
    const bool undone = entry.operation == ChangeJournal::Operation::Edit || rereadCount() < entry.recno;
    if (entry.operation == ChangeJournal::Operation::Edit && entry.recno <= rereadCount())
        writeRecord(entry.recno, entry.before, false);
    // Until the index phase no key was written. From then on a tag may hold
    // the new key, or a page split that stopped half-way, so the tags whose
    // entry for the record changes are rebuilt.
    if (undone && entry.phase == ChangeJournal::Phase::Index && !indexMissing)
        rebuildTagsChangedBy(entry.recno, entry.before, entry.after);
    journal->finish();
    // Only after the entry is closed: the blocks must never be released twice.
    if (undone)
        releaseMemosOnlyIn(entry.after, entry.before);
}

// Memo blocks that `record` refers to and `other` does not.
void Table::Impl::releaseMemosOnlyIn(std::span<const std::byte> record, std::span<const std::byte> other) {
    if (!memo)
        return;
    for (size_t i = 0; i < storedFieldCount; ++i) {
        const FieldDef& f = fields[i];
        if (f.type != 'M' && f.type != 'B' && f.type != 'G')
            continue;
        const uint32_t block = dbf::parseBlockNumber(dbf::fieldBytes(record, f)).value_or(0);
        const uint32_t kept = other.empty() ? 0 : dbf::parseBlockNumber(dbf::fieldBytes(other, f)).value_or(0);
        if (block != 0 && block != kept)
            memo->release(block);
    }
}

}  // namespace brimo::data
