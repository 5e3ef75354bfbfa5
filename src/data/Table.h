#pragma once

#include "data/Database.h"
#include "data/FieldDef.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brimo::data {

// A key for the active tag: text for character tags (UTF-8; a shorter text
// matches as a prefix), a number for numeric tags, a date for date tags.
using KeyValue = std::variant<std::string, double, std::chrono::year_month_day>;

// One condition of a filter: "<field> <op> <constant>". A text constant is
// compared with the field's text without trailing blanks, a number with the
// field's number, true/false with a logical field.
enum class CompareOp { Equal, NotEqual, Greater, Less };
using FilterValue = std::variant<bool, double, std::string>;
struct FilterCondition {
    std::string field;
    CompareOp op = CompareOp::Equal;
    FilterValue value;
};
// Parses "Container > 0 and NonStock <> True": conditions joined by "and";
// constants True/False, numbers, or text in single or double quotes.
// Throws DatabaseError on anything else.
std::vector<FilterCondition> parseFilter(std::string_view text);

enum class TableState { Browse, Edit, Insert };

// What a change listener is told about.
enum class TableEvent { RecordChanged, DataChanged, StateChanged };

// A record's physical number; stable until the table is packed.
using Bookmark = uint32_t;

// A cursor over one dBASE table (its .DBF with its production .MDX and .DBT).
//
// Sharing. Other processes read and write the same files. Nothing is cached
// across operations except the table's structure: every record read re-reads
// its bytes, the record count is re-read from the header when the cursor moves
// past the count it knows, and index pages are read per operation. edit()
// locks the record until post() or cancel(); post() of a new record takes the
// append lock. A lock held by another user makes the operation throw
// DatabaseError ("Record 12 of CODE.DBF is locked by another user.") after a
// short wait.
//
// Order. With no active tag, records are visited in physical order; with one,
// in key order. A range, a filter, a master link and the deleted-record
// setting limit which records are visited. Unless showDeleted(true), deleted
// records are skipped.
//
// Field access is by name (without regard to letter case) or by index into
// fields(). Text is UTF-8, converted from and to the table's code page.
// Reading a field of an empty cursor throws DatabaseError.
//
// Errors are DatabaseError. A Table is used by one thread.
class Table {
public:
    Table(const Database& database, std::string_view tableName, OpenMode mode = OpenMode::ReadWrite);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // Structure.
    const std::string& name() const;  // "CODE.DBF" as found on disk
    const std::filesystem::path& path() const;
    bool readOnly() const;
    // The stored fields, then the calculated fields.
    const std::vector<FieldDef>& fields() const;
    int fieldIndex(std::string_view fieldName) const;  // -1 when absent
    bool hasField(std::string_view fieldName) const { return fieldIndex(fieldName) >= 0; }
    // Problems found when opening that do not stop reading, e.g. a missing
    // memo or index file the header announces. Writing is refused while the
    // production index is missing.
    const std::vector<std::string>& openProblems() const;

    // Tags of the production index.
    std::vector<std::string> tagNames() const;
    // Makes the tag the order of navigation (empty name: physical order) and
    // moves to the first record.
    void setActiveTag(std::string_view tagName);
    std::string activeTag() const;
    // Orders by the tag whose key expression is the field alone.
    void orderByField(std::string_view fieldName);

    // Key search on the active tag.
    bool findKey(const KeyValue& key);      // moves there when found
    void findNearest(const KeyValue& key);  // first record at or after key (eof() if none)
    // Range on the active tag: keys from start to end inclusive (a shorter
    // text end matches as a prefix).
    void setRange(const KeyValue& start, const KeyValue& end);
    void cancelRange();

    // Filter: every condition must hold.
    void setFilter(std::vector<FilterCondition> conditions);
    void setFilter(std::string_view text) { setFilter(parseFilter(text)); }
    void clearFilter();

    // Limits this table to the records whose `detailFields` equal the
    // `masterFields` of master's current record, and follows master's moves.
    // The master must outlive the link (clearMasterLink or destruction).
    void setMasterLink(Table& master, std::vector<std::string> detailFields, std::vector<std::string> masterFields);
    void clearMasterLink();

    // Navigation.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const;
    bool bof() const;
    bool isEmpty() const;  // no visible record
    // Number of records in the file (live and deleted), re-read from the header.
    uint32_t recordCount() const;
    // Number of records visible through the tag, range, filter and link (walks them).
    uint32_t visibleRecordCount();
    Bookmark bookmark() const;
    void gotoBookmark(Bookmark bookmark);
    uint32_t recordNumber() const;  // physical, 1-based; 0 on an empty cursor
    // Moves to a physical record, also a deleted or filtered one.
    void gotoRecord(uint32_t recordNumber);
    // Re-reads the current record from the file.
    void refresh();

    // Fields.
    std::string asString(std::string_view fieldName) const;  // memo text for M
    double asNumber(std::string_view fieldName) const;       // 0 when empty
    int32_t asInteger(std::string_view fieldName) const;
    bool asBool(std::string_view fieldName) const;
    std::chrono::year_month_day asDate(std::string_view fieldName) const;  // !ok() when empty
    std::vector<std::byte> asBytes(std::string_view fieldName) const;     // memo contents
    bool isEmpty(std::string_view fieldName) const;
    std::string asString(int field) const;
    double asNumber(int field) const;
    int32_t asInteger(int field) const;
    bool asBool(int field) const;
    std::chrono::year_month_day asDate(int field) const;
    std::vector<std::byte> asBytes(int field) const;
    bool isEmpty(int field) const;

    // Writing needs edit or insert state, except for calculated fields inside
    // the calculation hook.
    void setString(std::string_view fieldName, std::string_view text);
    void setNumber(std::string_view fieldName, double value);
    void setInteger(std::string_view fieldName, int32_t value);
    void setBool(std::string_view fieldName, bool value);
    void setDate(std::string_view fieldName, std::chrono::year_month_day date);
    void setBytes(std::string_view fieldName, std::span<const std::byte> data);
    void clear(std::string_view fieldName);
    void setString(int field, std::string_view text);
    void setNumber(int field, double value);
    void setInteger(int field, int32_t value);
    void setBool(int field, bool value);
    void setDate(int field, std::chrono::year_month_day date);
    void setBytes(int field, std::span<const std::byte> data);
    void clear(int field);

    // The raw record buffer: delete flag, then the fields at their offsets.
    std::span<const std::byte> rawRecord() const;

    // Changes.
    TableState state() const;
    void append();  // a new blank record, written at the end on post()
    void insert();  // the same as append(): dBASE adds records at the end
    void edit();    // locks the current record and re-reads it
    void post();
    void cancel();
    void deleteRecord();  // marks the current record deleted
    bool isDeleted() const;
    // Undeletes a record by its physical number and moves to it.
    void recall(uint32_t recordNumber);
    void setShowDeleted(bool show);
    bool showDeleted() const;

    // Hooks, called with this table. beforePost may throw to refuse the post
    // (the record stays in edit or insert state).
    using Hook = std::function<void(Table&)>;
    void setBeforePost(Hook hook);
    void setAfterPost(Hook hook);
    void setBeforeEdit(Hook hook);
    void setOnNewRecord(Hook hook);
    // Calculated fields: defined before use, filled by the calculation hook
    // each time a record becomes current; read like stored fields.
    void addCalculatedField(const FieldSpec& field);
    void setOnCalcFields(Hook hook);

    // Table write lock against other writers (readers are not blocked).
    void lockTable();
    void unlockTable();
    bool tableLocked() const;

    // Refresh of bound controls: while disabled (calls nest), listeners hear
    // nothing; the last enableControls() sends one DataChanged if anything
    // happened meanwhile.
    using Listener = std::function<void(TableEvent)>;
    int addListener(Listener listener);
    void removeListener(int id);
    void disableControls();
    void enableControls();
    bool controlsDisabled() const;

    // Fast sequential read of every record in physical order (deleted ones
    // included; check byte 0), with large block reads and no per-record
    // allocation. Does not move the cursor.
    void scan(const std::function<void(std::span<const std::byte> record)>& visit) const;

    class Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// Reads a numeric field of a raw record without allocating: 0 when blank.
double numberAt(std::span<const std::byte> record, const FieldDef& field);

// Prepares the current (new) record: every 32-bit integer field 0, every
// logical field false and every floating-point field 0; text, date, memo and
// 16-bit integer fields stay as they are (see FieldKind.h for which N and F
// fields count as which).
void zeroNumericFields(Table& table);

}  // namespace brimo::data
