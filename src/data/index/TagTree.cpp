#include "data/index/TagTree.h"

#include <string>

#include "data/DatabaseError.h"
#include "data/index/BranchCache.h"

namespace brimo::data::index::detail {

namespace {
// Far deeper than any real tree (47 tags of 1,000,000,000 keys need < 10
// levels); a longer path means the node links form a loop.
constexpr size_t kMaxDepth = 24;
}  // namespace

uint32_t TagTree::root() const {
    return headerState().root;
}

TagHeaderState TagTree::headerState() const {
    std::byte words[tagheader::kSerial + 1];
    if (store_.file().readAt(uint64_t(tag_.headerPage) * kPageSize, words) < sizeof words) {
        store_.damaged("the header of tag " + tag_.name + " is missing");
    }
    return {get32(words, tagheader::kRoot), get32(words, tagheader::kPagesUsed), get8(words, tagheader::kSerial)};
}

Node TagTree::readNode(uint32_t page) const {
    return Node(page, store_.readBlock(page), tag_);
}

Node TagTree::checkedNode(uint32_t page, size_t depth, const BranchCache* cache) const {
    if (depth >= kMaxDepth)
        store_.damaged("the nodes of tag " + tag_.name + " form a loop");
    const Node* kept = cache ? cache->branch(page) : nullptr;
    Node node = kept ? *kept : readNode(page);
    if (node.count() > tag_.maxKeys) {
        store_.damaged("node at page " + std::to_string(page) + " of tag " + tag_.name + " claims " +
                       std::to_string(node.count()) + " keys");
    }
    return node;
}

int TagTree::compare(std::span<const std::byte> a, std::span<const std::byte> b) const {
    auto order = compareKeys(tag_.keyType, a, b);
    int c = order < 0 ? -1 : (order > 0 ? 1 : 0);
    return tag_.descending ? -c : c;
}

int TagTree::compareEntry(std::span<const std::byte> key, uint64_t recno, std::span<const std::byte> otherKey,
                          uint64_t otherRecno) const {
    int c = compare(key, otherKey);
    if (c != 0)
        return c;
    return recno < otherRecno ? -1 : (recno > otherRecno ? 1 : 0);
}

void TagTree::push(Path& path, uint32_t page, uint32_t index) const {
    path.push_back({checkedNode(page, path.size()), index});
}

bool TagTree::entryAtMostLastOf(uint32_t page, std::span<const std::byte> key, uint64_t recno, size_t depth,
                                const BranchCache* cache) const {
    Node node = checkedNode(page, depth, cache);
    while (!node.isLeaf()) node = checkedNode(node.pointer(node.count()), ++depth, cache);
    if (node.count() == 0)
        return false;
    uint32_t last = node.count() - 1;
    return compareEntry(key, recno, node.key(last), node.pointer(last)) <= 0;
}

Path TagTree::lowerBound(std::span<const std::byte> key, uint64_t recno) const {
    if (!cache_)
        return descend(root(), key, recno, nullptr);
    const TagHeaderState header = headerState();
    if (cache_->usable(store_, header)) {
        try {
            Path path = descend(header.root, key, recno, cache_);
            if (leafHolds(path, key, recno)) {
                cache_->keepNew(store_, header, path);  // branch pages read on the way down
                return path;
            }
        } catch (const DatabaseError&) {
            cache_->clear();  // a kept page led somewhere that is no longer part of the tree
        }
    }
    // A position at either end of a leaf, or a leaf that failed its proof.
    Path path = descend(header.root, key, recno, nullptr);
    cache_->keepFresh(store_, header, path);
    return path;
}

bool TagTree::leafHolds(const Path& path, std::span<const std::byte> key, uint64_t recno) const {
    const Node& leaf = path.back().node;
    uint32_t index = path.back().index;
    uint32_t n = leaf.count();
    if (!leaf.isLeaf() || n > tag_.maxKeys || index == 0 || index >= n)
        return false;
    return compareEntry(key, recno, leaf.key(index - 1), leaf.pointer(index - 1)) > 0 &&
           compareEntry(key, recno, leaf.key(index), leaf.pointer(index)) <= 0;
}

Path TagTree::descend(uint32_t root, std::span<const std::byte> key, uint64_t recno, const BranchCache* cache) const {
    Path path;
    uint32_t page = root;
    for (;;) {
        Node node = checkedNode(page, path.size(), cache);
        uint32_t n = node.count();
        bool leaf = node.isLeaf();
        // First i whose entry (leaf) or subtree (branch) is not below the target.
        uint32_t lo = 0;
        uint32_t hi = n;
        while (lo < hi) {
            uint32_t mid = (lo + hi) / 2;
            bool notBelow;
            if (leaf) {
                notBelow = compareEntry(key, recno, node.key(mid), node.pointer(mid)) <= 0;
            } else {
                int c = compare(key, node.key(mid));
                if (c != 0 || recno == 0 || recno == kAfterAllRecords) {
                    notBelow = c < 0 || (c == 0 && recno == 0);
                } else {
                    notBelow = entryAtMostLastOf(node.pointer(mid), key, recno, path.size() + 1, cache);
                }
            }
            if (notBelow) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        path.push_back({std::move(node), lo});
        if (leaf)
            return path;
        page = path.back().node.pointer(lo);
    }
}

void TagTree::descendEdge(Path& path, uint32_t page, bool rightmostEdge) const {
    for (;;) {
        Node node = checkedNode(page, path.size());
        uint32_t n = node.count();
        bool leaf = node.isLeaf();
        uint32_t index = rightmostEdge ? (leaf ? (n == 0 ? 0 : n - 1) : n) : 0;
        path.push_back({std::move(node), index});
        if (leaf)
            return;
        page = path.back().node.pointer(index);
    }
}

Path TagTree::leftmost() const {
    Path path;
    descendEdge(path, root(), false);
    return path;
}

Path TagTree::rightmost() const {
    Path path;
    descendEdge(path, root(), true);
    return path;
}

bool TagTree::settle(Path& path) const {
    if (path.back().index < path.back().node.count())
        return true;
    // Climb to the first ancestor with a child to the right, then go down its
    // left edge; skip empty leaves.
    for (;;) {
        path.pop_back();
        while (!path.empty() && path.back().index >= path.back().node.count()) path.pop_back();
        if (path.empty())
            return false;
        Step& step = path.back();
        ++step.index;
        descendEdge(path, step.node.pointer(step.index), false);
        if (path.back().node.count() > 0)
            return true;
    }
}

bool TagTree::forward(Path& path) const {
    ++path.back().index;
    return settle(path);
}

bool TagTree::backward(Path& path) const {
    if (path.back().index > 0) {
        --path.back().index;
        return true;
    }
    for (;;) {
        path.pop_back();
        while (!path.empty() && path.back().index == 0) path.pop_back();
        if (path.empty())
            return false;
        Step& step = path.back();
        --step.index;
        descendEdge(path, step.node.pointer(step.index), true);
        if (path.back().node.count() > 0)
            return true;
    }
}

}  // namespace brimo::data::index::detail
