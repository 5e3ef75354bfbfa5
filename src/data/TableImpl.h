#pragma once

#include "data/ChangeJournal.h"
#include "data/Table.h"
#include "data/dbf/DbfHeader.h"
#include "data/dbt/MemoFile.h"
#include "data/io/File.h"
#include "platform/CodePage.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brimo::data {

// The production index as the cursor uses it (TableIndexing.cpp).
struct IndexState;
struct IndexStateDeleter {
    void operator()(IndexState* state) const;
};

// A filter condition bound to a field.
struct BoundCondition {
    int field = 0;
    CompareOp op = CompareOp::Equal;
    FilterValue value;
};

class Table::Impl {
public:
    Impl(Table& self, const Database& database, std::string_view tableName, OpenMode mode);
    ~Impl();

    // Files and structure.
    Table& self;
    std::string name;
    std::filesystem::path path;
    bool readOnly = false;
    io::File dbf;
    dbf::DbfHeader header;
    platform::CodePage codePage = platform::CodePage::cp1252;
    std::unique_ptr<dbt::MemoFile> memo;
    std::vector<FieldDef> fields;  // stored fields, then calculated ones
    size_t storedFieldCount = 0;
    std::vector<std::string> problems;
    bool indexMissing = false;
    std::optional<ChangeJournal> journal;  // read-write tables only

    // Position and record.
    uint32_t knownCount = 0;
    uint32_t recno = 0;  // 0: no current record
    bool atEof = true;
    bool atBof = true;
    std::vector<std::byte> buffer;    // current record, then the calculated fields
    std::vector<std::byte> original;  // the record as read by edit()
    std::vector<std::byte> scratch;
    TableState state = TableState::Browse;
    uint32_t recnoBeforeInsert = 0;
    std::map<int, std::optional<std::vector<std::byte>>> pendingMemos;  // field -> new contents (nullopt: none)
    bool recordLocked = false;
    bool tableLocked = false;

    // What is visible.
    std::unique_ptr<IndexState, IndexStateDeleter> index;
    std::vector<BoundCondition> filter;
    bool showDeleted = false;
    Impl* master = nullptr;
    std::vector<std::pair<int, int>> linkFields;  // (detail field, master field)
    std::vector<Impl*> details;

    // Hooks and listeners.
    Hook beforePost, afterPost, beforeEdit, onNewRecord, onCalcFields;
    std::vector<std::pair<int, Listener>> listeners;
    int nextListenerId = 1;
    int disableCount = 0;
    bool changedWhileDisabled = false;

    // Structure helpers.
    int fieldIndex(std::string_view fieldName) const;
    int requireField(std::string_view fieldName) const;
    const FieldDef& field(int index) const;
    std::string describe() const { return name; }
    void requireWritable() const;

    // Records on disk.
    uint64_t recordOffset(uint32_t number) const {
        return header.headerLength + uint64_t{number - 1} * header.recordLength;
    }
    uint32_t rereadCount();
    bool readRecord(uint32_t number, std::vector<std::byte>& into);  // false past the end
    void writeRecord(uint32_t number, std::span<const std::byte> record, bool withEofMarker);
    void touchDate();
    std::vector<std::byte> blankRecord() const;
    void scanRecords(const std::function<void(std::span<const std::byte> record)>& visit);

    // Navigation.
    bool visible(std::span<const std::byte> record) const;
    bool linkHolds(std::span<const std::byte> record) const;
    void makeCurrent(uint32_t number, std::vector<std::byte>& record);
    void setEmpty();
    void calculate();
    bool stepPhysical(uint32_t from, bool forward, uint32_t& found);
    bool stepTag(bool fromEnd, bool forward, uint32_t& found);
    void moveFirst();
    void moveLast();
    void moveBy(bool forward);
    void masterMoved();
    void checkBrowse(const char* operation);

    // Changes.
    void writePendingMemos(std::vector<uint32_t>& released);
    void postEdit();
    void postInsert();
    void lockRecord(uint32_t number);
    void unlockRecord(uint32_t number);

    // Crash safety (TableJournal.cpp). A change is written under the journal:
    // `writeRecordBytes` stores the record, `writeKeysAndHeader` the index
    // keys and the header. When either fails, the change is rolled back.
    void journaledChange(ChangeJournal::Operation operation, uint32_t number, std::span<const std::byte> before,
                         std::span<const std::byte> after, const std::function<void()>& writeRecordBytes,
                         const std::function<void()>& writeKeysAndHeader);
    // Rolls back a change a writer left unfinished: every one, or only one
    // that concerns record `number` (cheap when there is none).
    void recoverUnfinished();
    void recoverUnfinishedAt(uint32_t number);
    void rollBack(const ChangeJournal::Entry& entry);
    void releaseMemosOnlyIn(std::span<const std::byte> record, std::span<const std::byte> other);

    // Events.
    void notify(TableEvent event);

    // Index (TableIndexing.cpp).
    void openIndex(const std::filesystem::path& mdxPath);
    std::vector<std::string> tagNames() const;
    void activateTag(std::string_view tagName);
    std::string activeTagName() const;
    bool tagActive() const;
    std::string tagForField(std::string_view fieldName) const;
    bool tagMove(bool fromEnd, bool forward, uint32_t& number);  // fromEnd: first/last, else next/prior
    bool tagSeek(const KeyValue& key, bool exact, uint32_t& number);
    bool tagKeyMatches(const KeyValue& key) const;
    void tagSetRange(const KeyValue& start, const KeyValue& end);
    void tagClearRange();
    void tagSync(uint32_t number, std::span<const std::byte> record);
    bool tagEntryAgrees(std::span<const std::byte> record) const;
    void indexInsert(uint32_t number, std::span<const std::byte> record);
    void indexUpdate(uint32_t number, std::span<const std::byte> before, std::span<const std::byte> after);
    void indexForgetStale(uint32_t number, std::span<const std::byte> record);
    // Rebuilds, from the records, every tag in which the record's entry
    // differs between the two images (an empty `before`: no entry).
    void rebuildTagsChangedBy(uint32_t number, std::span<const std::byte> before, std::span<const std::byte> after);
};

}  // namespace brimo::data
