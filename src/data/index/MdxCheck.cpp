#include <algorithm>
#include <map>
#include <set>

#include "data/DatabaseError.h"
#include "data/index/MdxIndex.h"
#include "data/index/TagTree.h"
#include "data/index/TreeBuilder.h"
#include "data/index/TreeWriter.h"

namespace brimo::data::index {

using namespace detail;

namespace {

// At most this many problems are listed per tag; a damaged tag is rebuilt
// as a whole anyway.
constexpr size_t kMaxProblemsPerTag = 20;
constexpr size_t kMaxDepth = 24;

// The leaf entries in tree order, keys packed one after the other (a
// million separately allocated keys would cost more than comparing them).
class LeafEntries {
  public:
    explicit LeafEntries(uint16_t keyLength) : length_(keyLength) {}

    void add(std::span<const std::byte> key, uint32_t recno) {
        keys_.insert(keys_.end(), key.begin(), key.end());
        recnos_.push_back(recno);
    }
    size_t size() const { return recnos_.size(); }
    bool empty() const { return recnos_.empty(); }
    std::span<const std::byte> key(size_t i) const { return std::span(keys_).subspan(i * length_, length_); }
    uint32_t recno(size_t i) const { return recnos_[i]; }

  private:
    uint16_t length_;
    std::vector<std::byte> keys_;
    std::vector<uint32_t> recnos_;
};

class TagChecker {
  public:
    TagChecker(const MdxStore& store, const TagLayout& tag, std::set<uint32_t>& usedPages,
               std::vector<std::string>& problems)
        : store_(store), tag_(tag), tree_(store, tag), used_(usedPages), problems_(problems), entries_(tag.keyLength) {}

    void run(const RecordSource* records) {
        std::vector<std::byte> header;
        try {
            header = store_.readBlock(tag_.headerPage);
        } catch (const DatabaseError& e) {
            report(e.what());
            return;
        }
        uint32_t root = get32(header, tagheader::kRoot);
        walk(root, 0, nullptr, nullptr);
        if (!aborted_) {
            uint32_t pagesUsed = get32(header, tagheader::kPagesUsed);
            if (pagesUsed != blocks_ * store_.pagesPerBlock()) {
                report("the tag header counts " + std::to_string(pagesUsed) + " pages, the tree has " +
                       std::to_string(blocks_ * store_.pagesPerBlock()));
            }
            if (records != nullptr)
                compareWithRecords(*records);
        }
    }

  private:
    void report(const std::string& what) {
        if (count_++ < kMaxProblemsPerTag)
            problems_.push_back("Tag " + tag_.name + ": " + what + ".");
    }
    std::string describe(std::span<const std::byte> key) const { return describeKey(tag_.keyType, key); }

    // Visits the subtree at `page`; its keys must lie between `low` and `high`
    // (the separators around it), both included.
    void walk(uint32_t page, size_t depth, const Key* low, const Key* high) {
        if (aborted_)
            return;
        if (depth > kMaxDepth) {
            report("the nodes form a loop");
            aborted_ = true;
            return;
        }
        if (!used_.insert(page).second) {
            report("page " + std::to_string(page) + " is reached twice");
            aborted_ = true;
            return;
        }
        std::optional<Node> read;
        try {
            read.emplace(tree_.readNode(page));
        } catch (const DatabaseError& e) {
            report(e.what());
            aborted_ = true;
            return;
        }
        const Node& node = *read;
        ++blocks_;
        uint32_t n = node.count();
        if (n > tag_.maxKeys) {
            report("node at page " + std::to_string(page) + " claims " + std::to_string(n) + " keys");
            aborted_ = true;
            return;
        }
        auto outside = [&](std::span<const std::byte> key) {
            return (low != nullptr && tree_.compare(key, *low) < 0) ||
                   (high != nullptr && tree_.compare(key, *high) > 0);
        };
        if (node.isLeaf()) {
            for (uint32_t i = 0; i < n; ++i) {
                auto key = node.key(i);
                uint32_t recno = node.pointer(i);
                if (recno == 0)
                    report("an entry at page " + std::to_string(page) + " names record 0");
                if (outside(key)) {
                    report("key " + describe(key) + " of record " + std::to_string(recno) + " at page " +
                           std::to_string(page) + " lies outside the range of its parent's separators");
                }
                if (!entries_.empty()) {
                    auto prevKey = entries_.key(entries_.size() - 1);
                    uint32_t prevRecno = entries_.recno(entries_.size() - 1);
                    int c = tree_.compareEntry(prevKey, prevRecno, key, recno);
                    if (c >= 0) {
                        report("keys out of order at page " + std::to_string(page) + ": " + describe(prevKey) +
                               " (record " + std::to_string(prevRecno) + ") before " + describe(key) + " (record " +
                               std::to_string(recno) + ")");
                    } else if (tag_.unique && tree_.compare(prevKey, key) == 0) {
                        report("unique key " + describe(key) + " appears more than once");
                    }
                }
                entries_.add(key, recno);
            }
            return;
        }
        for (uint32_t i = 0; i < n; ++i) {
            if (outside(node.key(i))) {
                report("separator " + describe(node.key(i)) + " at page " + std::to_string(page) +
                       " lies outside the range of its parent's separators");
            }
        }
        for (uint32_t i = 0; i <= n && !aborted_; ++i) {
            Key childLow;
            Key childHigh;
            if (i > 0)
                childLow.assign(node.key(i - 1).begin(), node.key(i - 1).end());
            if (i < n)
                childHigh.assign(node.key(i).begin(), node.key(i).end());
            walk(node.pointer(i), depth + 1, i > 0 ? &childLow : low, i < n ? &childHigh : high);
        }
    }

    // Compares the tree with the keys the records give: per key, the same
    // records (in a unique tag: one record that has the key).
    void compareWithRecords(const RecordSource& records) {
        SortedEntries expected;
        try {
            TagLayout all = tag_;
            all.unique = false;
            expected = collectEntries(store_, all, records);
        } catch (const DatabaseError& e) {
            report(std::string("cannot compute the keys of the records: ") + e.what());
            return;
        }
        uint32_t count = records.recordCount();
        for (size_t i = 0; i < entries_.size(); ++i) {
            uint32_t recno = entries_.recno(i);
            if (recno == 0 || recno > count) {
                report("key " + describe(entries_.key(i)) + " points to record " + std::to_string(recno) +
                       ", which does not exist");
            }
        }
        const uint16_t length = tag_.keyLength;
        auto expectedKey = [&](size_t i) {
            return std::span<const std::byte>(expected.keys.data() + i * length, length);
        };
        size_t a = 0;  // into entries_
        size_t x = 0;  // into expected
        while (a < entries_.size() || x < expected.size()) {
            int c = a == entries_.size()   ? 1
                    : x == expected.size() ? -1
                                           : tree_.compare(entries_.key(a), expectedKey(x));
            if (c < 0) {
                report("key " + describe(entries_.key(a)) + " of record " + std::to_string(entries_.recno(a)) +
                       " does not match the record");
                ++a;
                continue;
            }
            if (c > 0 && tag_.unique) {
                // The indexed record of this key changed while another record
                // still has the key; incremental maintenance cannot know that
                // record, a reindex enters it.
                auto key = expectedKey(x);
                report("key " + describe(key) + " of record " + std::to_string(expected.recnos[x]) +
                       " is missing from the unique tag");
                while (x < expected.size() && tree_.compare(expectedKey(x), key) == 0) ++x;
                continue;
            }
            if (c > 0) {
                report("record " + std::to_string(expected.recnos[x]) + " with key " + describe(expectedKey(x)) +
                       " is missing");
                ++x;
                continue;
            }
            // The same key on both sides: compare the groups of records. A
            // key of a low-cardinality tag can hold most of the table, so both
            // groups are looked up in sorted copies, not searched linearly.
            auto key = expectedKey(x);
            std::vector<uint32_t> want;
            while (x < expected.size() && tree_.compare(expectedKey(x), key) == 0) want.push_back(expected.recnos[x++]);
            std::sort(want.begin(), want.end());
            want.erase(std::unique(want.begin(), want.end()), want.end());
            std::vector<uint32_t> have;
            while (a < entries_.size() && tree_.compare(entries_.key(a), key) == 0) have.push_back(entries_.recno(a++));
            for (uint32_t r : have) {
                if (!std::binary_search(want.begin(), want.end(), r))
                    report("key " + describe(key) + " of record " + std::to_string(r) + " does not match the record");
            }
            if (!tag_.unique) {
                std::sort(have.begin(), have.end());
                for (uint32_t r : want) {
                    if (!std::binary_search(have.begin(), have.end(), r))
                        report("record " + std::to_string(r) + " with key " + describe(key) + " is missing");
                }
            }
        }
    }

    const MdxStore& store_;
    const TagLayout& tag_;
    TagTree tree_;
    std::set<uint32_t>& used_;
    std::vector<std::string>& problems_;
    LeafEntries entries_;
    uint32_t blocks_ = 0;
    size_t count_ = 0;
    bool aborted_ = false;
};

}  // namespace

std::vector<std::string> MdxIndex::check(const RecordSource* records) const {
    std::vector<std::string> problems;
    MdxStore::Snapshot snap;
    try {
        snap = store_->load();
    } catch (const DatabaseError& e) {
        return {e.what()};
    }
    std::set<uint32_t> usedPages;
    for (const auto& tag : snap.tags) {
        usedPages.insert(tag->headerPage);
    }
    for (const auto& tag : snap.tags) TagChecker(*store_, *tag, usedPages, problems).run(records);

    // The free list: pages inside the file, in use by no tag, no loop.
    uint32_t end = endOfPages(*store_, snap.header);
    uint32_t page = get32(snap.header, header::kFreeList);
    std::set<uint32_t> seen;
    while (page != 0) {
        if (page < kHeaderPages || page + store_->pagesPerBlock() > end || !seen.insert(page).second ||
            usedPages.count(page)) {
            problems.push_back("The free-page list is damaged at page " + std::to_string(page) + ".");
            break;
        }
        page = get32(store_->readBlock(page), node::kLink);
    }
    return problems;
}

}  // namespace brimo::data::index
