#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "data/index/Node.h"
#include "data/index/TagTree.h"

namespace brimo::data::index::detail {

// The branch pages of one tag, kept between the lookups of one cursor so that
// a lookup reads the tag header, its leaf and nothing else. Kept pages are
// used only while the tag header reads as it did when they were kept, while
// this process has not written to the index since, and for at most a quarter
// of a second (the one-byte serial could come round again under a busy
// writer). Even then nothing in them is trusted: a descent through kept pages
// counts only when the fresh leaf it reaches proves that it holds the
// position (TagTree::lowerBound).
class BranchCache {
  public:
    // Whether pages are kept and may be used with the tag header as read now;
    // drops them otherwise.
    bool usable(const MdxStore& store, const TagHeaderState& header);
    void clear();

    const Node* branch(uint32_t page) const;
    // Keeps those branch nodes of a path that are not kept yet, read under
    // `header`.
    void keepNew(const MdxStore& store, const TagHeaderState& header, const Path& path);
    // Keeps the branch nodes of a path read afresh under `header`, in place of
    // what was kept for their pages.
    void keepFresh(const MdxStore& store, const TagHeaderState& header, const Path& path);

  private:
    void startUnder(const MdxStore& store, const TagHeaderState& header);

    static constexpr std::chrono::milliseconds kLongest{250};

    std::optional<TagHeaderState> header_;
    uint64_t writes_ = 0;  // the store's write count when the pages were kept
    std::chrono::steady_clock::time_point since_;
    std::unordered_map<uint32_t, Node> branches_;
};

}  // namespace brimo::data::index::detail
