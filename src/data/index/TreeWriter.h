#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "data/index/TagTree.h"

namespace brimo::data::index::detail {

// Puts blocks on the free list kept in `header` (page 0, written by the
// caller afterwards); each free block's link word holds the next one.
void freeBlocks(MdxStore& store, std::vector<std::byte>& header, std::span<const uint32_t> pages);

// The first page past everything in use: the larger of the header's page
// count and the file size (a writer that died before updating the header
// may have left pages beyond its count).
uint32_t endOfPages(const MdxStore& store, std::span<const std::byte> header);

// Takes a block from the free list in `header`, or from the end of the file,
// and records that in `header` (written by the caller afterwards).
uint32_t allocateBlock(const MdxStore& store, std::vector<std::byte>& header);

// Changes one tag's tree. Made while the MDX update lock is held; reads the
// tag header afresh and keeps the file header (page 0) in `header`, which the
// caller shares between the writers of one operation.
//
// Page writes are ordered so that the tree stays searchable for readers at
// every moment: on insert, new pages first, then the file header (so that an
// allocated page is never handed out twice), then the tag header when the
// root changed, then the changed pages from the root down; on removal, the
// tag header when the root changed and the page that drops a pointer first,
// freed pages last. finish() writes the page count and change serial.
class TreeWriter {
  public:
    TreeWriter(MdxStore& store, std::vector<std::byte>& header, const TagLayout& tag);

    // Adds (key, recno). False when the entry is already there, or the tag is
    // unique and another record holds the key.
    bool insert(std::span<const std::byte> key, uint32_t recno);
    // Removes (key, recno); false when it is not in the tag.
    bool remove(std::span<const std::byte> key, uint32_t recno);
    // Writes the tag header (page count, change serial) after the changes.
    void finish();

  private:
    void updateTagHeader(std::optional<uint32_t> newRoot, int pagesDelta);
    // Sets the separator of the subtree at path[level] to `lastKey`, climbing
    // while the subtree is the rightmost child; writes the node it changes.
    void fixSeparator(Path& path, size_t level, std::span<const std::byte> lastKey);

    MdxStore& store_;
    std::vector<std::byte>& header_;
    const TagLayout& tag_;
    TagTree tree_;
    std::vector<std::byte> tagHeader_;
    bool tagHeaderDirty_ = false;
};

}  // namespace brimo::data::index::detail
