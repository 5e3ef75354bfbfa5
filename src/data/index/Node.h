#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "data/index/MdxLayout.h"

namespace brimo::data::index::detail {

// One tree node held in memory: a count, a link word and `count` items of
// (pointer, key), followed by one more pointer. In a leaf the pointers are
// record numbers and the trailing word is 0; in a branch item i points to the
// child whose last key is key i, and the trailing word is the rightmost child.
class Node {
  public:
    Node(uint32_t page, std::vector<std::byte> block, const TagLayout& tag);
    // An empty node of a tag, for a new page.
    static Node empty(uint32_t page, uint32_t blockSize, const TagLayout& tag);

    uint32_t page() const { return page_; }
    void setPage(uint32_t page) { page_ = page; }
    std::span<const std::byte> bytes() const { return block_; }
    uint32_t count() const { return get32(block_, node::kCount); }
    bool isLeaf() const { return pointer(count()) == 0; }

    // Pointer i for 0 <= i <= count (pointer(count) is the trailing word).
    uint32_t pointer(uint32_t i) const { return get32(block_, offset(i)); }
    std::span<const std::byte> key(uint32_t i) const { return std::span(block_).subspan(offset(i) + 4, keyLength_); }

    void setPointer(uint32_t i, uint32_t value) { put32(block_, offset(i), value); }
    void setKey(uint32_t i, std::span<const std::byte> key);
    void setLink(uint32_t value) { put32(block_, node::kLink, value); }
    // Inserts an item before item i; the trailing word moves along.
    void insert(uint32_t i, uint32_t pointer, std::span<const std::byte> key);
    // Removes item i (its pointer and key); the trailing word moves along.
    void erase(uint32_t i);
    // Keeps the first n items, sets the trailing word, zeroes the rest.
    void truncate(uint32_t n, uint32_t trailing);
    // Room for one item more than a block holds, while a full node is split.
    void resizeBlock(size_t bytes) { block_.resize(bytes); }

  private:
    size_t offset(uint32_t i) const { return node::kItems + size_t(i) * itemLength_; }
    void setCount(uint32_t n) { put32(block_, node::kCount, n); }

    uint32_t page_;
    std::vector<std::byte> block_;
    uint16_t keyLength_;
    uint16_t itemLength_;
};

}  // namespace brimo::data::index::detail
