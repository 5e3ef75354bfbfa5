#include "data/index/Node.h"

#include <cstring>

namespace brimo::data::index::detail {

Node::Node(uint32_t page, std::vector<std::byte> block, const TagLayout& tag)
    : page_(page), block_(std::move(block)), keyLength_(tag.keyLength), itemLength_(tag.itemLength) {}

Node Node::empty(uint32_t page, uint32_t blockSize, const TagLayout& tag) {
    return Node(page, std::vector<std::byte>(blockSize), tag);
}

void Node::setKey(uint32_t i, std::span<const std::byte> key) {
    std::byte* dst = block_.data() + offset(i) + 4;
    std::memset(dst, 0, itemLength_ - 4u);
    std::memcpy(dst, key.data(), std::min<size_t>(key.size(), keyLength_));
}

void Node::insert(uint32_t i, uint32_t pointer, std::span<const std::byte> key) {
    uint32_t n = count();
    // Items i..n-1 plus the trailing word move one item to the right.
    std::memmove(block_.data() + offset(i + 1), block_.data() + offset(i), offset(n) + 4 - offset(i));
    setPointer(i, pointer);
    setKey(i, key);
    setCount(n + 1);
}

void Node::erase(uint32_t i) {
    uint32_t n = count();
    std::memmove(block_.data() + offset(i), block_.data() + offset(i + 1), offset(n) + 4 - offset(i + 1));
    std::memset(block_.data() + offset(n - 1) + 4, 0, block_.size() - offset(n - 1) - 4);
    setCount(n - 1);
}

void Node::truncate(uint32_t n, uint32_t trailing) {
    std::memset(block_.data() + offset(n), 0, block_.size() - offset(n));
    setPointer(n, trailing);
    setCount(n);
}

}  // namespace brimo::data::index::detail
