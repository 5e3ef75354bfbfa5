#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/SequentialReader.h"
#include "data/Table.h"
#include "data/index/MdxIndex.h"
#include "data/sql/TableSource.h"
#include "platform/CodePage.h"

namespace brimo::data::sql {

// What a cursor needs to seek in a table's tags: the production index, the
// code page of character keys, and the key type and length of each tag SQL
// uses (by name, as SourceIndex holds it).
struct TagAccess {
    struct Tag {
        index::KeyType type = index::KeyType::Character;
        uint16_t length = 0;
    };
    std::shared_ptr<index::MdxIndex> index;  // null when the table has none
    platform::CodePage codePage = platform::CodePage::cp1252;
    std::map<std::string, Tag> tags;
};

// A read position over a table for the SQL module: a scan reads the records in
// blocks through a SequentialReader; a seek walks a tag with the index
// library's cursor and reads each record it names; a visit reads the records
// of a list. Deleted records are skipped, as are index entries naming a
// record past the end of the file.
class EngineRowCursor : public RowCursor {
  public:
    EngineRowCursor(std::unique_ptr<Table> table, const std::vector<SourceColumn>& columns, const TagAccess& tags);
    ~EngineRowCursor() override;

    void scanAll() override;
    void seek(const SourceIndex& index, const KeySelection& selection) override;
    void visit(std::vector<uint32_t> recordNumbers) override;
    bool atEnd() const override;
    void next() override;
    uint32_t recordNumber() const override;
    SqlValueView value(int column) override;

  private:
    enum class Mode { Ended, Scan, Tag, Visit };

    index::Key keyOf(const SqlValue& value, ColumnType type, const TagAccess::Tag& tag) const;
    // From the tag cursor's entry (when `found`) on, the first whose record is live.
    void settleOnTag(bool found);
    // From list_[position_] on, the first live record.
    void settleOnList();
    // Makes the record current; false when it is deleted or past the end.
    bool readRecord(uint32_t recordNumber);

    std::unique_ptr<Table> table_;
    const std::vector<SourceColumn>& columns_;
    const TagAccess& tags_;
    std::unique_ptr<SequentialReader> reader_;         // made on the first scan
    std::map<std::string, index::TagCursor> cursors_;  // by tag, made on the first seek
    index::TagCursor* tag_ = nullptr;                  // the tag being walked
    std::vector<uint32_t> list_;                       // the records visited, and where the visit is
    size_t position_ = 0;
    uint32_t knownCount_ = 0;  // the file's record count, re-read when an entry names a record beyond it
    Mode mode_ = Mode::Ended;
    bool descending_ = false;
    // What the last value() points into.
    std::string text_;
    SqlValue held_;
};

}  // namespace brimo::data::sql
