#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "data/index/KeyEncoding.h"
#include "data/index/Node.h"

namespace brimo::data::index {

namespace detail {
class MdxStore;
struct TagLayout;
struct Step;
class BranchCache;
}  // namespace detail

// A position in one tag, in the tag's order (descending tags run from the
// highest key down; equal keys always run by ascending record number).
//
// The cursor keeps only its current key and record number plus a hint of
// where they were found. Every operation re-reads the pages it needs from the
// file, so changes made by other processes (or other MdxIndex objects) between
// two calls are seen; when the hint no longer matches, the cursor finds its
// entry again from the root. It takes no lock: callers that need a stable
// view across several calls hold the table lock themselves.
//
// Operations that fail to move (next at the last entry, a seek that finds
// nothing) return false and leave the cursor where it was. Damaged pages
// raise DatabaseError.
//
// Search keys are stored keys: build them with characterKey(), numericKey(),
// dateKey(). A character search key may be shorter than the tag's key length;
// it is then compared as a prefix.
class TagCursor {
  public:
    TagCursor(std::shared_ptr<detail::MdxStore> store, std::shared_ptr<const detail::TagLayout> tag);
    ~TagCursor();
    TagCursor(TagCursor&&) noexcept;
    TagCursor& operator=(TagCursor&&) noexcept;

    KeyType keyType() const;
    uint16_t keyLength() const;

    // Restricts the cursor to keys between `low` and `high` in tag order, both
    // included; a character bound shorter than the key compares as a prefix,
    // so range("AB", "AB") holds every key starting with "AB". Either bound
    // may be absent. Clears the position.
    void setRange(std::optional<Key> low, std::optional<Key> high);
    void clearRange();

    bool first();
    bool last();
    bool next();
    bool prior();

    // First entry whose key equals `key`; a character key shorter than the
    // key length matches as a prefix (padding is not significant).
    bool seekExact(std::span<const std::byte> key);
    // First entry at or after `key` in tag order (prefix comparison for short
    // character keys). False when no such entry lies within the range.
    bool seekNearest(std::span<const std::byte> key);
    // The entry of one record, e.g. to resume after the record was changed.
    bool seekEntry(std::span<const std::byte> key, uint32_t recno);

    // From now on, for the cursor's lifetime, reads as a query that reads its
    // rows once. Seeks keep the tag's branch pages and read only the tag
    // header and the leaf, which must prove that it holds the position (see
    // docs/mdx.md). next() and prior() step through the leaf as it was read
    // when the cursor arrived on it, and read the next leaf afresh, so changes
    // others make to a leaf meanwhile are seen once the cursor has left it.
    // Writes through the MdxIndex this cursor came from drop everything kept.
    // Not for a cursor a user keeps open.
    void readForQuery();

    bool positioned() const { return recno_ != 0; }
    // The current entry; valid only when positioned().
    const Key& key() const { return key_; }
    uint32_t recno() const { return recno_; }

  private:
    bool withinRange(std::span<const std::byte> key) const;
    // Moves to the entry at the end of `path` when it is within the range;
    // otherwise leaves the position alone.
    bool moveTo(std::vector<detail::Step>& path);
    // moveTo for next (direction +1) and prior (-1): throws when the entry
    // does not lie beyond the current one, i.e. the tree is out of order.
    bool moveStep(std::vector<detail::Step>& path, int direction);
    // Moves to the neighbour in the same leaf (delta +1 or -1) when the leaf
    // still holds the current entry where it was found; nothing when the
    // entry must be found again from the root.
    std::optional<bool> moveWithinLeaf(int delta);

    std::shared_ptr<detail::MdxStore> store_;
    std::shared_ptr<const detail::TagLayout> tag_;
    std::optional<Key> low_;
    std::optional<Key> high_;
    Key key_;
    uint32_t recno_ = 0;
    uint32_t leafPage_ = 0;
    uint32_t leafIndex_ = 0;
    // Null unless readForQuery(); then also the leaf as read on arrival, and
    // the index's write count at the time.
    std::unique_ptr<detail::BranchCache> cache_;
    std::optional<detail::Node> leafAsRead_;
    uint64_t leafWrites_ = 0;
};

}  // namespace brimo::data::index
