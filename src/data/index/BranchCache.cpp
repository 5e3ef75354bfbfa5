#include "data/index/BranchCache.h"

#include "data/index/MdxStore.h"
#include "data/index/TagTree.h"

namespace brimo::data::index::detail {

void BranchCache::catchUp(const MdxStore& store) {
    if (writes_ != store.writeCount())
        clear();
    writes_ = store.writeCount();
}

bool BranchCache::usable(const MdxStore& store) {
    catchUp(store);
    return root_.has_value();
}

void BranchCache::clear() {
    root_.reset();
    branches_.clear();
    leaf_.reset();
}

const Node* BranchCache::branch(uint32_t page) const {
    auto found = branches_.find(page);
    return found == branches_.end() ? nullptr : &found->second;
}

void BranchCache::keep(const MdxStore& store, uint32_t root, const Path& path) {
    catchUp(store);
    root_ = root;
    for (size_t i = 0; i + 1 < path.size(); ++i) branches_.try_emplace(path[i].node.page(), path[i].node);
}

const Node* BranchCache::leaf(const MdxStore& store, uint32_t page) const {
    if (!leaf_ || leaf_->page() != page || writes_ != store.writeCount())
        return nullptr;
    return &*leaf_;
}

void BranchCache::holdLeaf(const MdxStore& store, const Node& leaf) {
    catchUp(store);
    leaf_ = leaf;
}

}  // namespace brimo::data::index::detail
