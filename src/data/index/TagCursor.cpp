#include "data/index/TagCursor.h"

#include "data/DatabaseError.h"
#include "data/index/BranchCache.h"
#include "data/index/TagTree.h"

namespace brimo::data::index {

using namespace detail;

TagCursor::TagCursor(std::shared_ptr<MdxStore> store, std::shared_ptr<const TagLayout> tag)
    : store_(std::move(store)), tag_(std::move(tag)) {}
TagCursor::~TagCursor() = default;
TagCursor::TagCursor(TagCursor&&) noexcept = default;
TagCursor& TagCursor::operator=(TagCursor&&) noexcept = default;

KeyType TagCursor::keyType() const {
    return tag_->keyType;
}
uint16_t TagCursor::keyLength() const {
    return tag_->keyLength;
}

void TagCursor::setRange(std::optional<Key> low, std::optional<Key> high) {
    low_ = std::move(low);
    high_ = std::move(high);
    recno_ = 0;
    leafAsRead_.reset();
}

void TagCursor::clearRange() {
    setRange(std::nullopt, std::nullopt);
}

bool TagCursor::withinRange(std::span<const std::byte> key) const {
    TagTree tree(*store_, *tag_);
    return (!low_ || tree.compare(key, *low_) >= 0) && (!high_ || tree.compare(key, *high_) <= 0);
}

void TagCursor::readForQuery() {
    if (!cache_)
        cache_ = std::make_unique<BranchCache>();
}

bool TagCursor::moveTo(Path& path) {
    auto key = TagTree::key(path);
    if (!withinRange(key))
        return false;
    if (TagTree::recno(path) == 0)
        store_->damaged("tag " + tag_->name + " holds an entry for record 0");
    key_.assign(key.begin(), key.end());
    recno_ = TagTree::recno(path);
    leafPage_ = path.back().node.page();
    leafIndex_ = path.back().index;
    if (cache_) {
        leafAsRead_ = std::move(path.back().node);
        leafWrites_ = store_->writeCount();
    }
    return true;
}

bool TagCursor::moveStep(Path& path, int direction) {
    // Every step must go strictly forward (or back) in tag order; a damaged
    // tree could otherwise send the cursor round in circles.
    TagTree tree(*store_, *tag_);
    if (tree.compareEntry(TagTree::key(path), TagTree::recno(path), key_, recno_) * direction <= 0) {
        store_->damaged("the entries of tag " + tag_->name + " are out of order");
    }
    return moveTo(path);
}

bool TagCursor::first() {
    TagTree tree(*store_, *tag_, cache_.get());
    Path path = low_ ? tree.lowerBound(*low_, 0) : tree.leftmost();
    return tree.settle(path) && moveTo(path);
}

bool TagCursor::last() {
    TagTree tree(*store_, *tag_, cache_.get());
    Path path = high_ ? tree.lowerBound(*high_, kAfterAllRecords) : tree.rightmost();
    if (high_ || path.back().node.count() == 0) {
        if (!tree.backward(path))
            return false;
    }
    return moveTo(path);
}

std::optional<bool> TagCursor::moveWithinLeaf(int delta) {
    try {
        TagTree tree(*store_, *tag_);
        const bool asRead = leafAsRead_ && leafWrites_ == store_->writeCount();
        Node leaf = asRead ? std::move(*leafAsRead_) : tree.readNode(leafPage_);
        leafAsRead_.reset();
        uint32_t n = leaf.count();
        if (!leaf.isLeaf() || n > tag_->maxKeys || leafIndex_ >= n)
            return std::nullopt;
        if (tree.compareEntry(leaf.key(leafIndex_), leaf.pointer(leafIndex_), key_, recno_) != 0)
            return std::nullopt;
        int64_t target = int64_t(leafIndex_) + delta;
        if (target < 0 || target >= int64_t(n))
            return std::nullopt;
        Path path{{std::move(leaf), static_cast<uint32_t>(target)}};
        if (tree.compareEntry(TagTree::key(path), TagTree::recno(path), key_, recno_) * delta <= 0) {
            return std::nullopt;
        }
        return moveTo(path);
    } catch (const DatabaseError&) {
        return std::nullopt;  // the page was reused; find the entry from the root
    }
}

bool TagCursor::next() {
    if (!positioned())
        return first();
    if (auto moved = moveWithinLeaf(+1))
        return *moved;
    TagTree tree(*store_, *tag_, cache_.get());
    Path path = tree.lowerBound(key_, uint64_t(recno_) + 1);
    return tree.settle(path) && moveStep(path, +1);
}

bool TagCursor::prior() {
    if (!positioned())
        return last();
    if (auto moved = moveWithinLeaf(-1))
        return *moved;
    TagTree tree(*store_, *tag_, cache_.get());
    Path path = tree.lowerBound(key_, recno_);
    return tree.backward(path) && moveStep(path, -1);
}

bool TagCursor::seekExact(std::span<const std::byte> key) {
    TagTree tree(*store_, *tag_, cache_.get());
    Path path = tree.lowerBound(key, 0);
    return tree.settle(path) && tree.compare(TagTree::key(path), key) == 0 && moveTo(path);
}

bool TagCursor::seekNearest(std::span<const std::byte> key) {
    TagTree tree(*store_, *tag_, cache_.get());
    Path path = tree.lowerBound(key, 0);
    if (!tree.settle(path))
        return false;
    if (low_ && tree.compare(TagTree::key(path), *low_) < 0) {
        path = tree.lowerBound(*low_, 0);
        if (!tree.settle(path))
            return false;
    }
    return moveTo(path);
}

bool TagCursor::seekEntry(std::span<const std::byte> key, uint32_t recno) {
    TagTree tree(*store_, *tag_, cache_.get());
    Path path = tree.lowerBound(key, recno);
    return tree.settle(path) && tree.compareEntry(TagTree::key(path), TagTree::recno(path), key, recno) == 0 &&
           moveTo(path);
}

}  // namespace brimo::data::index
