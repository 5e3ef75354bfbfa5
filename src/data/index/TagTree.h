#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "data/index/MdxStore.h"
#include "data/index/Node.h"

namespace brimo::data::index::detail {

// A record number that sorts after every real one (and 0 before every one).
inline constexpr uint64_t kAfterAllRecords = std::numeric_limits<uint64_t>::max();

// The nodes from the root down to a position in a leaf. In a branch step,
// `index` is the child taken (0..count); in the leaf step it is the entry
// (count when the position lies after the leaf's last entry).
struct Step {
    Node node;
    uint32_t index;
};
using Path = std::vector<Step>;

// Read access to one tag's B-tree, re-reading every page from the file.
class TagTree {
  public:
    TagTree(const MdxStore& store, const TagLayout& tag) : store_(store), tag_(tag) {}

    const TagLayout& tag() const { return tag_; }
    uint32_t root() const;
    Node readNode(uint32_t page) const;

    // Compares keys in tag order (reversed for descending tags); character
    // search keys shorter than the key compare as prefixes.
    int compare(std::span<const std::byte> a, std::span<const std::byte> b) const;
    // Compares (key, recno) pairs: key in tag order, then ascending recno.
    int compareEntry(std::span<const std::byte> key, uint64_t recno, std::span<const std::byte> otherKey,
                     uint64_t otherRecno) const;

    // The position of the first entry >= (key, recno); the leaf index may be
    // past the leaf's end (settle() moves on to the next leaf).
    Path lowerBound(std::span<const std::byte> key, uint64_t recno) const;
    Path leftmost() const;
    Path rightmost() const;

    // Moves a past-the-end leaf position to the next entry; false at the end.
    bool settle(Path& path) const;
    bool forward(Path& path) const;
    bool backward(Path& path) const;

    static std::span<const std::byte> key(const Path& p) { return p.back().node.key(p.back().index); }
    static uint32_t recno(const Path& p) { return p.back().node.pointer(p.back().index); }

  private:
    // Pushes the nodes from `page` down to a leaf, always taking the first
    // (or last) child.
    void descendEdge(Path& path, uint32_t page, bool rightmostEdge) const;
    void push(Path& path, uint32_t page, uint32_t index) const;
    Node checkedNode(uint32_t page, size_t depth) const;
    // The last entry below `page`, to decide ties with a separator.
    bool entryAtMostLastOf(uint32_t page, std::span<const std::byte> key, uint64_t recno, size_t depth) const;

    const MdxStore& store_;
    const TagLayout& tag_;
};

}  // namespace brimo::data::index::detail
