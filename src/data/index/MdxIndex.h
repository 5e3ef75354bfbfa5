#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/FieldDef.h"
#include "data/index/KeyEncoding.h"
#include "data/index/RecordSource.h"
#include "data/index/TagCursor.h"

namespace brimo::data::index {

namespace detail {
class MdxStore;
}

// What a new tag is made of.
struct TagDefinition {
    std::string name;          // up to 10 characters; stored upper case
    std::string expression;    // key expression, at most 220 characters
    std::string forCondition;  // empty: every record is indexed
    bool unique = false;       // only the first record of each key is indexed
    bool descending = false;
};

// One tag as found in the file.
struct TagInfo {
    std::string name;
    std::string expression;
    std::string forCondition;
    KeyType keyType = KeyType::Character;
    uint16_t keyLength = 0;
    bool unique = false;
    bool descending = false;
};

// A production index file (.MDX) of one table: up to 47 tags, each a B-tree of
// (key, record number) entries.
//
// Ownership: the object owns its open file; cursors made by cursor() share it
// and stay valid after the MdxIndex is destroyed. `fields` describe the records
// passed to the maintenance functions; the index keeps its own copy.
//
// Freshness: nothing read from the file is trusted across calls. Reading
// operations and cursors re-read the pages they use. Every change takes the
// MDX update lock (the dBASE-compatible byte-range lock), re-reads the file
// header, the tag table and the tag headers under it, writes, and releases the
// lock before returning. tags() reports the tag table as of the last
// operation; refresh() re-reads it.
//
// Errors: every failure is a DatabaseError whose message names the file.
// Opening validates the header and the tag table; a damaged node is reported
// when an operation reaches it. Maintenance first evaluates every tag's key
// for the record, so an expression that cannot be compiled fails the call
// before anything is written.
//
// Crash safety: page writes are ordered so that a concurrent reader always
// finds every key, and a process killed between two writes leaves either a
// valid tree or one that check() reports and reindex() repairs (docs/mdx.md).
class MdxIndex {
  public:
    // Opens an existing file. Throws when it is missing, truncated or not a
    // production index.
    static MdxIndex open(const std::filesystem::path& path, std::vector<FieldDef> fields, bool writable);
    // Creates (or replaces) the file with the given tags and fills them from
    // `records`. `tableName` is the table's base name, e.g. "CUST".
    static MdxIndex create(const std::filesystem::path& path, std::string_view tableName, std::vector<FieldDef> fields,
                           std::span<const TagDefinition> tags, const RecordSource& records);

    ~MdxIndex();
    MdxIndex(MdxIndex&&) noexcept;
    MdxIndex& operator=(MdxIndex&&) noexcept;

    const std::filesystem::path& path() const;
    const std::vector<TagInfo>& tags() const { return tags_; }
    void refresh();
    // Tag by name, without regard to letter case.
    std::optional<TagInfo> findTag(std::string_view name) const;

    // A cursor on a tag (not positioned). Throws when there is no such tag.
    TagCursor cursor(std::string_view tagName) const;

    // Key maintenance in every tag, for a record that was appended, removed
    // from the table, or changed in place (an edit, a delete or a recall: the
    // delete flag is byte 0 of the buffers). A tag is changed only when the
    // record's key or its FOR result changes. In a unique tag a key already
    // held by another record is not entered.
    void insertRecord(uint32_t recno, std::span<const std::byte> record);
    void removeRecord(uint32_t recno, std::span<const std::byte> record);
    void updateRecord(uint32_t recno, std::span<const std::byte> oldRecord, std::span<const std::byte> newRecord);

    // Rebuilds one tag or all of them from the records. Rebuilding one tag
    // writes its new tree into fresh pages and switches to it, so readers are
    // never without a tree. Rebuilding the whole file rewrites it compactly
    // and needs the table used exclusively (the caller's table lock).
    void reindexTag(std::string_view tagName, const RecordSource& records);
    void reindex(const RecordSource& records);

    // Walks every tag and returns the problems found, one readable line each;
    // empty when the file is sound. With `records`, also compares each tag
    // with the keys the records should have.
    std::vector<std::string> check(const RecordSource* records) const;

  private:
    explicit MdxIndex(std::shared_ptr<detail::MdxStore> store);
    void applyChange(uint32_t recno, std::optional<std::span<const std::byte>> oldRecord,
                     std::optional<std::span<const std::byte>> newRecord);

    std::shared_ptr<detail::MdxStore> store_;
    std::vector<TagInfo> tags_;
};

}  // namespace brimo::data::index
