#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "data/index/MdxStore.h"
#include "data/index/RecordSource.h"

namespace brimo::data::index::detail {

// The entries of one tag computed from all records, sorted in tag order
// (unique tags keep the first record of each key).
struct SortedEntries {
    std::vector<std::byte> keys;  // keyLength bytes per entry, in tag order
    std::vector<uint32_t> recnos;
    size_t size() const { return recnos.size(); }
};
SortedEntries collectEntries(const MdxStore& store, const TagLayout& tag, const RecordSource& records);

// Writes a packed tree of `entries`, leaves first, then each branch level,
// bottom-up, into blocks handed out by `allocate` (runs of consecutive pages
// are written together).
struct BuiltTree {
    uint32_t root = 0;
    uint32_t blocks = 0;
};
BuiltTree writeTree(MdxStore& store, const TagLayout& tag, const SortedEntries& entries,
                    const std::function<uint32_t()>& allocate);

}  // namespace brimo::data::index::detail
