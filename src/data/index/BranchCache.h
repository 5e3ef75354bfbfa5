#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "data/index/Node.h"

namespace brimo::data::index::detail {

class MdxStore;
struct Step;

// The branch pages and the root page number of one tag, kept for the lifetime
// of one cursor so that repeated lookups read only their leaf. Nothing in it
// is trusted: a descent through kept pages counts only when the fresh leaf it
// reaches proves that it holds the position (TagTree::lowerBound), and a
// write through this process's store drops everything.
//
// It also holds the leaf the cursor read last, so that stepping to the next
// or prior entry of that leaf needs no second read.
class BranchCache {
  public:
    // False (and everything dropped) when this process wrote to the file since
    // the pages were kept, or when nothing is kept.
    bool usable(const MdxStore& store);
    void clear();

    std::optional<uint32_t> root() const { return root_; }
    const Node* branch(uint32_t page) const;
    // Keeps the root and those branch nodes of a path that are not kept yet.
    void keep(const MdxStore& store, uint32_t root, const std::vector<Step>& path);

    // The leaf held last when it is `page` and this process has not written
    // since; otherwise null.
    const Node* leaf(const MdxStore& store, uint32_t page) const;
    void holdLeaf(const MdxStore& store, const Node& leaf);

  private:
    // Drops everything when this process wrote since the last keep.
    void catchUp(const MdxStore& store);

    uint64_t writes_ = 0;  // the store's write count when the pages were kept
    std::optional<uint32_t> root_;
    std::unordered_map<uint32_t, Node> branches_;
    std::optional<Node> leaf_;
};

}  // namespace brimo::data::index::detail
