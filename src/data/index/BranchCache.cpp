#include "data/index/BranchCache.h"

#include "data/index/MdxStore.h"
#include "data/index/TagTree.h"

namespace brimo::data::index::detail {

bool BranchCache::usable(const MdxStore& store, const TagHeaderState& header) {
    if (header_ &&
        (*header_ != header || writes_ != store.writeCount() || std::chrono::steady_clock::now() - since_ > kLongest)) {
        clear();
    }
    return header_.has_value();
}

void BranchCache::clear() {
    header_.reset();
    branches_.clear();
}

const Node* BranchCache::branch(uint32_t page) const {
    auto found = branches_.find(page);
    return found == branches_.end() ? nullptr : &found->second;
}

void BranchCache::startUnder(const MdxStore& store, const TagHeaderState& header) {
    if (!usable(store, header)) {
        header_ = header;
        writes_ = store.writeCount();
        since_ = std::chrono::steady_clock::now();
    }
}

void BranchCache::keepNew(const MdxStore& store, const TagHeaderState& header, const Path& path) {
    startUnder(store, header);
    for (size_t i = 0; i + 1 < path.size(); ++i) branches_.try_emplace(path[i].node.page(), path[i].node);
}

void BranchCache::keepFresh(const MdxStore& store, const TagHeaderState& header, const Path& path) {
    startUnder(store, header);
    for (size_t i = 0; i + 1 < path.size(); ++i) branches_.insert_or_assign(path[i].node.page(), path[i].node);
}

}  // namespace brimo::data::index::detail
