#pragma once

#include "data/FieldDef.h"
#include "data/Table.h"
#include "data/io/File.h"
#include "data/io/ReadAhead.h"
#include "platform/CodePage.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brimo::data {

// Reads the live records of a table in physical order, many records per read:
// for full scans, where a cursor's first()/next() reads each record with a
// system call of its own. The reads start small and grow, so a scan that stops
// after a few records reads little; once they have grown to the largest, the
// following block is read on a second thread while the current one is
// decoded.
//
// It has its own read-only handle on the table's file and takes no lock. The
// record count is re-read from the header by rewind(); records appended by
// others afterwards are seen from the next rewind(). As with any unlocked
// read, a record another process rewrites meanwhile is seen before or after
// the change.
//
// The record buffer and the decoded values are those of the stored fields
// (fields() as in the header); memo contents are not read here.
class SequentialReader {
  public:
    // Opens the file of `table` (which need not stay open).
    explicit SequentialReader(const Table& table);
    SequentialReader(const SequentialReader&) = delete;
    SequentialReader& operator=(const SequentialReader&) = delete;

    const std::vector<FieldDef>& fields() const { return fields_; }
    // The code page of the text fields.
    platform::CodePage codePage() const { return codePage_; }

    // Goes back before the first record and re-reads the record count.
    void rewind();
    // Moves to the next live record; false at the end (and after it).
    bool next();

    // The current record: physical number (1-based) and raw bytes (the delete
    // flag, then the fields at their offsets). Valid until the next call to
    // next() or rewind().
    uint32_t recordNumber() const { return recordNumber_; }
    std::span<const std::byte> record() const;

    // Field values of the current record, decoded as Table reads them; each
    // throws DatabaseError for a field of another type.
    // C: text without trailing blanks in UTF-8: the stored bytes when they are
    // plain ASCII, else their conversion from the table's code page, made in
    // `converted`.
    std::string_view text(int index, std::string& converted) const;
    // N, F, I, +, O: nothing when blank.
    std::optional<double> number(int index) const;
    // L: nothing when blank or not a logical value.
    std::optional<bool> logical(int index) const;
    // D: nothing when blank or not a calendar date.
    std::optional<std::chrono::year_month_day> date(int index) const;

  private:
    const FieldDef& field(int index) const;
    [[noreturn]] void wrongType(const FieldDef& def, const char* wanted) const;
    // Reads records from `from` on into the block; false when none could be read.
    bool fill(uint32_t from);

    std::string tableName_;
    io::File file_;
    std::vector<FieldDef> fields_;
    platform::CodePage codePage_ = platform::CodePage::cp1252;
    uint64_t headerLength_ = 0;
    size_t recordLength_ = 0;

    uint32_t count_ = 0;         // records in the file as of rewind()
    uint32_t position_ = 0;      // the last record looked at
    uint32_t recordNumber_ = 0;  // the current record; 0 before the first and at the end
    std::vector<std::byte> block_;
    std::unique_ptr<io::ReadAhead> readAhead_;  // made when the reads have grown to the largest
    uint32_t blockFirst_ = 0;                   // record number of the block's first record
    uint32_t blockCount_ = 0;                   // records in the block
    size_t blockRecords_ = 0;                   // records the next read asks for
};

}  // namespace brimo::data
