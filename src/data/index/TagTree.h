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

// The words of a tag header that writers change along with the tree: the
// root page, the pages in use and the change serial (bumped on every update
// of the tag). Read together in one call.
struct TagHeaderState {
    uint32_t root = 0;
    uint32_t pagesUsed = 0;
    uint8_t serial = 0;
    bool operator==(const TagHeaderState&) const = default;
};

class BranchCache;

// Read access to one tag's B-tree, re-reading every page from the file. With
// a BranchCache, lowerBound() descends through kept branch pages and reads
// only the leaf, which must then prove that it holds the position.
class TagTree {
  public:
    TagTree(const MdxStore& store, const TagLayout& tag, BranchCache* cache = nullptr)
        : store_(store), tag_(tag), cache_(cache) {}

    const TagLayout& tag() const { return tag_; }
    uint32_t root() const;
    TagHeaderState headerState() const;
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
    // True when the leaf at the end of `path` is a well-formed leaf of this tag
    // in which (key, recno) lies after one entry and not after another: then
    // its position there is the tree's answer, however the leaf was found.
    bool leafHolds(const Path& path, std::span<const std::byte> key, uint64_t recno) const;
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
    // The node at `page`; a branch kept in `cache` when there is one.
    Node checkedNode(uint32_t page, size_t depth, const BranchCache* cache = nullptr) const;
    // The last entry below `page`, to decide ties with a separator.
    bool entryAtMostLastOf(uint32_t page, std::span<const std::byte> key, uint64_t recno, size_t depth,
                           const BranchCache* cache) const;
    // lowerBound() from `root`, taking branch pages from `cache` when given.
    Path descend(uint32_t root, std::span<const std::byte> key, uint64_t recno, const BranchCache* cache) const;

    const MdxStore& store_;
    const TagLayout& tag_;
    BranchCache* cache_;
};

}  // namespace brimo::data::index::detail
