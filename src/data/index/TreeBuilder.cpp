#include "data/index/TreeBuilder.h"

#include <algorithm>
#include <cstring>

#include "data/index/Node.h"

namespace brimo::data::index::detail {

namespace {

// The first bytes of a key in a form whose unsigned order is the key order,
// to sort without decoding most keys.
uint64_t sortPrefix(KeyType type, const std::byte* key, uint16_t length) {
    uint64_t prefix = 0;
    switch (type) {
        case KeyType::Character:
            for (size_t i = 0; i < 8; ++i)
                prefix = (prefix << 8) | (i < length ? std::to_integer<uint64_t>(key[i]) : 0);
            return prefix;
        case KeyType::Numeric: {
            bool zero = true;
            for (size_t i = 2; i < kNumericKeyLength; ++i) zero = zero && key[i] == std::byte{0};
            if (zero)
                return uint64_t{1} << 56;
            bool negative = (std::to_integer<unsigned>(key[1]) & 0x80u) != 0;
            uint64_t magnitude = std::to_integer<uint64_t>(key[0]);
            for (size_t i = 2; i < 8; ++i) magnitude = (magnitude << 8) | std::to_integer<uint64_t>(key[i]);
            return negative ? (~magnitude & 0x00FFFFFFFFFFFFFFull) : (uint64_t{2} << 56) | magnitude;
        }
        case KeyType::Date: {
            uint64_t bits = 0;
            for (size_t i = 0; i < kDateKeyLength; ++i) bits |= std::to_integer<uint64_t>(key[i]) << (8 * i);
            return (bits & 0x8000000000000000ull) ? ~bits : bits | 0x8000000000000000ull;
        }
    }
    return prefix;
}

class BlockWriter {
  public:
    BlockWriter(MdxStore& store, const std::function<uint32_t()>& allocate) : store_(store), allocate_(allocate) {}

    uint32_t add(std::span<const std::byte> block) {
        uint32_t page = allocate_();
        if (page != runEnd_ || buffer_.size() >= (1u << 20))
            flush();
        if (buffer_.empty())
            runStart_ = page;
        buffer_.insert(buffer_.end(), block.begin(), block.end());
        runEnd_ = page + store_.pagesPerBlock();
        return page;
    }
    void flush() {
        if (buffer_.empty())
            return;
        store_.file().writeAt(uint64_t(runStart_) * kPageSize, buffer_);
        buffer_.clear();
    }

  private:
    MdxStore& store_;
    const std::function<uint32_t()>& allocate_;
    uint32_t runStart_ = 0;
    uint32_t runEnd_ = 0;
    std::vector<std::byte> buffer_;
};

}  // namespace

SortedEntries collectEntries(const MdxStore& store, const TagLayout& tag, const RecordSource& records) {
    const Expression& key = store.keyExpression(tag);
    const Expression* filter = tag.forCondition.empty() ? nullptr : &store.expression(tag.forCondition);
    const uint16_t length = tag.keyLength;
    std::vector<std::byte> keys;
    std::vector<uint32_t> recnos;
    keys.reserve(size_t(records.recordCount()) * length);
    recnos.reserve(records.recordCount());
    records.forEachRecord([&](uint32_t recno, std::span<const std::byte> record) {
        if (filter != nullptr && !filter->evaluateCondition(record, recno))
            return;
        size_t at = keys.size();
        keys.resize(at + length);
        key.evaluateKey(record, recno, std::span(keys).subspan(at, length));
        recnos.push_back(recno);
    });

    struct SortItem {
        uint64_t prefix;
        uint32_t recno;
        uint32_t index;
    };
    std::vector<SortItem> items(recnos.size());
    for (uint32_t i = 0; i < items.size(); ++i) {
        uint64_t prefix = sortPrefix(tag.keyType, keys.data() + size_t(i) * length, length);
        items[i] = {tag.descending ? ~prefix : prefix, recnos[i], i};
    }
    auto keyAt = [&](uint32_t index) {
        return std::span<const std::byte>(keys.data() + size_t(index) * length, length);
    };
    auto compareKey = [&](const SortItem& a, const SortItem& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix ? -1 : 1;
        auto order = compareKeys(tag.keyType, keyAt(a.index), keyAt(b.index));
        int c = order < 0 ? -1 : (order > 0 ? 1 : 0);
        return tag.descending ? -c : c;
    };
    std::sort(items.begin(), items.end(), [&](const SortItem& a, const SortItem& b) {
        int c = compareKey(a, b);
        return c != 0 ? c < 0 : a.recno < b.recno;
    });

    SortedEntries sorted;
    sorted.keys.reserve(keys.size());
    sorted.recnos.reserve(items.size());
    const SortItem* previous = nullptr;
    for (const SortItem& item : items) {
        if (tag.unique && previous != nullptr && compareKey(*previous, item) == 0)
            continue;
        auto k = keyAt(item.index);
        sorted.keys.insert(sorted.keys.end(), k.begin(), k.end());
        sorted.recnos.push_back(item.recno);
        previous = &item;
    }
    return sorted;
}

BuiltTree writeTree(MdxStore& store, const TagLayout& tag, const SortedEntries& entries,
                    const std::function<uint32_t()>& allocate) {
    const uint32_t blockSize = store.blockSize();
    const uint16_t length = tag.keyLength;
    BlockWriter writer(store, allocate);
    BuiltTree built;

    struct Child {
        uint32_t page;
        size_t lastEntry;  // index into entries of the subtree's last key
    };
    std::vector<Child> level;
    auto keyOf = [&](size_t entry) { return std::span<const std::byte>(entries.keys.data() + entry * length, length); };

    size_t n = entries.size();
    size_t perLeaf = tag.maxKeys;
    for (size_t start = 0; start < n || level.empty(); start += perLeaf) {
        Node leaf = Node::empty(0, blockSize, tag);
        size_t end = std::min(n, start + perLeaf);
        for (size_t i = start; i < end; ++i) leaf.insert(uint32_t(i - start), entries.recnos[i], keyOf(i));
        level.push_back({writer.add(leaf.bytes()), end == 0 ? 0 : end - 1});
        ++built.blocks;
        if (n == 0)
            break;
    }
    // Branch levels: up to maxKeys + 1 children each, never a branch with a
    // single child.
    size_t perBranch = size_t(tag.maxKeys) + 1;
    while (level.size() > 1) {
        std::vector<Child> upper;
        size_t i = 0;
        while (i < level.size()) {
            size_t take = std::min(perBranch, level.size() - i);
            if (level.size() - i - take == 1)
                --take;  // leave two for the last branch
            Node branch = Node::empty(0, blockSize, tag);
            for (size_t c = 0; c + 1 < take; ++c)
                branch.insert(uint32_t(c), level[i + c].page, keyOf(level[i + c].lastEntry));
            branch.setPointer(uint32_t(take - 1), level[i + take - 1].page);
            upper.push_back({writer.add(branch.bytes()), level[i + take - 1].lastEntry});
            ++built.blocks;
            i += take;
        }
        level = std::move(upper);
    }
    writer.flush();
    built.root = level.front().page;
    return built;
}

}  // namespace brimo::data::index::detail
