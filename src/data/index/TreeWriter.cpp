#include "data/index/TreeWriter.h"

#include <algorithm>

namespace brimo::data::index::detail {

TreeWriter::TreeWriter(MdxStore& store, std::vector<std::byte>& header, const TagLayout& tag)
    : store_(store), header_(header), tag_(tag), tree_(store, tag), tagHeader_(store.readBlock(tag.headerPage)) {}

void freeBlocks(MdxStore& store, std::vector<std::byte>& header, std::span<const uint32_t> pages) {
    for (uint32_t page : pages) {
        std::vector<std::byte> block(store.blockSize());
        put32(block, node::kLink, get32(header, header::kFreeList));
        store.writeBlock(page, block);
        put32(header, header::kFreeList, page);
    }
}

uint32_t endOfPages(const MdxStore& store, std::span<const std::byte> header) {
    uint64_t filePages = (store.file().size() + kPageSize - 1) / kPageSize;
    return std::max<uint32_t>({get32(header, header::kTotalPages), static_cast<uint32_t>(filePages), kHeaderPages});
}

uint32_t allocateBlock(const MdxStore& store, std::vector<std::byte>& header) {
    uint32_t k = store.pagesPerBlock();
    uint32_t end = endOfPages(store, header);
    uint32_t head = get32(header, header::kFreeList);
    if (head >= kHeaderPages && head + k <= end) {
        uint32_t next = get32(store.readBlock(head), node::kLink);
        put32(header, header::kFreeList, next >= kHeaderPages && next + k <= end ? next : 0);
        return head;
    }
    put32(header, header::kFreeList, 0);
    put32(header, header::kTotalPages, end + k);
    return end;
}

void TreeWriter::updateTagHeader(std::optional<uint32_t> newRoot, int pagesDelta) {
    int64_t used = int64_t(get32(tagHeader_, tagheader::kPagesUsed)) + pagesDelta * int64_t(store_.pagesPerBlock());
    put32(tagHeader_, tagheader::kPagesUsed, static_cast<uint32_t>(std::max<int64_t>(used, 0)));
    if (!tagHeaderDirty_) {
        put8(tagHeader_, tagheader::kSerial, static_cast<uint8_t>(get8(tagHeader_, tagheader::kSerial) + 1));
        put8(tagHeader_, tagheader::kHasKeys, 1);
    }
    tagHeaderDirty_ = true;
    // A new root must be in place before the old one changes; the rest of
    // the header (page count, serial) can wait for finish().
    if (newRoot) {
        put32(tagHeader_, tagheader::kRoot, *newRoot);
        store_.writeBlock(tag_.headerPage, std::span(tagHeader_).first(kPageSize));
    }
}

void TreeWriter::finish() {
    if (tagHeaderDirty_)
        store_.writeBlock(tag_.headerPage, std::span(tagHeader_).first(kPageSize));
    tagHeaderDirty_ = false;
}

bool TreeWriter::insert(std::span<const std::byte> key, uint32_t recno) {
    if (tag_.unique) {
        Path probe = tree_.lowerBound(key, 0);
        if (tree_.settle(probe) && tree_.compare(TagTree::key(probe), key) == 0)
            return false;
    }
    Path path = tree_.lowerBound(key, recno);
    {
        Path probe = path;
        if (tree_.settle(probe) && tree_.compareEntry(TagTree::key(probe), TagTree::recno(probe), key, recno) == 0) {
            return false;
        }
    }
    const uint32_t blockSize = store_.blockSize();
    std::vector<Node> created;
    size_t topChanged = path.size() - 1;
    std::optional<uint32_t> newRoot;

    size_t level = path.size() - 1;
    uint32_t pointer = recno;
    Key item(key.begin(), key.end());
    uint32_t rightPage = 0;  // for a branch: the new right sibling of child `index`
    for (;;) {
        Node& node = path[level].node;
        uint32_t index = path[level].index;
        bool leaf = level == path.size() - 1;
        topChanged = level;
        if (node.count() < tag_.maxKeys) {
            node.insert(index, pointer, item);
            if (!leaf)
                node.setPointer(index + 1, rightPage);
            break;
        }
        // Split: the node holds one item too many in memory, then keeps the
        // left part; the right part goes to a new page.
        node.resizeBlock(blockSize + tag_.itemLength);
        node.insert(index, pointer, item);
        if (!leaf)
            node.setPointer(index + 1, rightPage);
        uint32_t n = node.count();
        bool atEnd = index == n - 1;
        Node right = Node::empty(allocateBlock(store_, header_), blockSize, tag_);
        Key separator;
        if (leaf) {
            // Appending at the end keeps the left node full, as sequential
            // appends are the common case.
            uint32_t keep = atEnd ? n - 1 : n / 2;
            for (uint32_t i = keep; i < n; ++i) right.insert(i - keep, node.pointer(i), node.key(i));
            separator.assign(node.key(keep - 1).begin(), node.key(keep - 1).end());
            node.truncate(keep, 0);
        } else {
            // Left keeps keys [0, keep) and pointers [0, keep]; key `keep`
            // moves up; right takes the rest. Both keep at least one key.
            uint32_t keep = atEnd ? n - 2 : n / 2;
            for (uint32_t i = keep + 1; i < n; ++i) right.insert(i - keep - 1, node.pointer(i), node.key(i));
            right.setPointer(right.count(), node.pointer(n));
            separator.assign(node.key(keep).begin(), node.key(keep).end());
            node.truncate(keep, node.pointer(keep));
        }
        node.resizeBlock(blockSize);
        uint32_t leftPage = node.page();
        uint32_t newRight = right.page();
        created.push_back(std::move(right));
        if (level == 0) {
            Node root = Node::empty(allocateBlock(store_, header_), blockSize, tag_);
            root.insert(0, leftPage, separator);
            root.setPointer(1, newRight);
            newRoot = root.page();
            created.push_back(std::move(root));
            break;
        }
        pointer = leftPage;
        item = std::move(separator);
        rightPage = newRight;
        --level;
    }

    for (const Node& node : created) store_.writeBlock(node.page(), node.bytes());
    if (!created.empty())
        store_.writeHeader(header_);
    updateTagHeader(newRoot, static_cast<int>(created.size()));
    for (size_t l = topChanged; l < path.size(); ++l) store_.writeBlock(path[l].node.page(), path[l].node.bytes());
    return true;
}

void TreeWriter::fixSeparator(Path& path, size_t level, std::span<const std::byte> lastKey) {
    for (size_t l = level; l-- > 0;) {
        Step& step = path[l];
        if (step.index < step.node.count()) {
            step.node.setKey(step.index, lastKey);
            store_.writeBlock(step.node.page(), step.node.bytes());
            return;
        }
    }
}

bool TreeWriter::remove(std::span<const std::byte> key, uint32_t recno) {
    Path path = tree_.lowerBound(key, recno);
    if (!tree_.settle(path) || tree_.compareEntry(TagTree::key(path), TagTree::recno(path), key, recno) != 0) {
        return false;
    }
    size_t level = path.size() - 1;
    Node& leaf = path[level].node;
    uint32_t index = path[level].index;
    leaf.erase(index);

    if (leaf.count() > 0 || level == 0) {
        store_.writeBlock(leaf.page(), leaf.bytes());
        if (index == leaf.count() && leaf.count() > 0) {
            Key last(leaf.key(leaf.count() - 1).begin(), leaf.key(leaf.count() - 1).end());
            fixSeparator(path, level, last);
        }
        updateTagHeader(std::nullopt, 0);
        return true;
    }

    // The leaf is empty: drop it from its parent.
    std::vector<uint32_t> freed{leaf.page()};
    size_t parentLevel = level - 1;
    Node& parent = path[parentLevel].node;
    uint32_t child = path[parentLevel].index;
    std::optional<Key> newLast;  // the parent's subtree lost its last entries
    if (child < parent.count()) {
        parent.erase(child);
    } else {
        uint32_t n = parent.count();
        uint32_t newTrailing = parent.pointer(n - 1);
        newLast = Key(parent.key(n - 1).begin(), parent.key(n - 1).end());
        parent.erase(n - 1);
        parent.setPointer(parent.count(), newTrailing);
    }

    std::optional<uint32_t> newRoot;
    const Node* structural = &parent;
    if (parent.count() == 0) {
        // A branch left with one child is replaced by that child.
        uint32_t only = parent.pointer(0);
        freed.push_back(parent.page());
        if (parentLevel == 0) {
            newRoot = only;
            structural = nullptr;
        } else {
            Step& grand = path[parentLevel - 1];
            grand.node.setPointer(grand.index, only);
            structural = &grand.node;
        }
    }
    updateTagHeader(newRoot, -static_cast<int>(freed.size()));
    if (structural != nullptr)
        store_.writeBlock(structural->page(), structural->bytes());
    if (newLast)
        fixSeparator(path, parentLevel, *newLast);
    freeBlocks(store_, header_, freed);
    store_.writeHeader(header_);
    return true;
}

}  // namespace brimo::data::index::detail
