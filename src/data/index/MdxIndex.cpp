#include "data/index/MdxIndex.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "data/DatabaseError.h"
#include "data/index/FileBuilder.h"
#include "data/index/MdxStore.h"
#include "data/index/TreeBuilder.h"
#include "data/index/TreeWriter.h"

namespace brimo::data::index {

using namespace detail;

namespace {

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

TagInfo infoOf(const TagLayout& tag) {
    return {tag.name, tag.expression, tag.forCondition, tag.keyType, tag.keyLength, tag.unique, tag.descending};
}

std::vector<TagInfo> infosOf(const std::vector<std::shared_ptr<const TagLayout>>& tags) {
    std::vector<TagInfo> infos;
    for (const auto& t : tags) infos.push_back(infoOf(*t));
    return infos;
}

// The MDX update lock, held while the file changes. Waits a few seconds for
// another writer, then gives up with a clear message.
class UpdateLock {
  public:
    explicit UpdateLock(MdxStore& store) : file_(store.file()) {
        using namespace std::chrono;
        auto deadline = steady_clock::now() + seconds(10);
        while (!file_.tryLock(kUpdateLockOffset, 1, true)) {
            if (steady_clock::now() > deadline) {
                throw DatabaseError("Index file " + store.path().filename().string() + " is locked by another user.");
            }
            std::this_thread::sleep_for(milliseconds(5));
        }
    }
    ~UpdateLock() {
        try {
            file_.unlock(kUpdateLockOffset, 1);
        } catch (const DatabaseError&) {
            // Closing the file releases the lock in any case.
        }
    }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

  private:
    io::File& file_;
};

std::shared_ptr<const TagLayout> findLayout(const MdxStore::Snapshot& snap, std::string_view name) {
    std::string wanted = upperAscii(name);
    for (const auto& t : snap.tags) {
        if (upperAscii(t->name) == wanted)
            return t;
    }
    return nullptr;
}

// Every page of a tree, or nothing when the tree cannot be walked cleanly
// (then its pages are better left alone than put on the free list).
std::optional<std::vector<uint32_t>> treePages(const MdxStore& store, const TagLayout& tag, uint32_t root) {
    std::vector<uint32_t> pages;
    std::vector<std::pair<uint32_t, int>> stack{{root, 0}};
    try {
        while (!stack.empty()) {
            auto [page, depth] = stack.back();
            stack.pop_back();
            if (depth > 24 || pages.size() > store.file().size() / kPageSize)
                return std::nullopt;
            Node node(page, store.readBlock(page), tag);
            if (node.count() > tag.maxKeys)
                return std::nullopt;
            pages.push_back(page);
            if (!node.isLeaf()) {
                for (uint32_t i = 0; i <= node.count(); ++i) stack.emplace_back(node.pointer(i), depth + 1);
            }
        }
    } catch (const DatabaseError&) {
        return std::nullopt;
    }
    std::sort(pages.begin(), pages.end());
    if (std::adjacent_find(pages.begin(), pages.end()) != pages.end())
        return std::nullopt;
    return pages;
}

}  // namespace

MdxIndex::MdxIndex(std::shared_ptr<MdxStore> store) : store_(std::move(store)) {
    refresh();
}
MdxIndex::~MdxIndex() = default;
MdxIndex::MdxIndex(MdxIndex&&) noexcept = default;
MdxIndex& MdxIndex::operator=(MdxIndex&&) noexcept = default;

MdxIndex MdxIndex::open(const std::filesystem::path& path, std::vector<FieldDef> fields, bool writable) {
    io::File file(path, writable ? io::File::Mode::ReadWrite : io::File::Mode::ReadOnly);
    return MdxIndex(std::make_shared<MdxStore>(path, std::move(file), std::move(fields)));
}

MdxIndex MdxIndex::create(const std::filesystem::path& path, std::string_view tableName, std::vector<FieldDef> fields,
                          std::span<const TagDefinition> tags, const RecordSource& records) {
    if (tags.size() > kMaxTags)
        throw DatabaseError("An index file holds at most 47 tags.");
    // Check every definition before the old file is replaced.
    const uint32_t blockSize = kDefaultPagesPerBlock * kPageSize;
    std::vector<TagLayout> layouts;
    for (const TagDefinition& t : tags) {
        layouts.push_back(layoutFor(fields, blockSize, t));
        for (size_t j = 0; j + 1 < layouts.size(); ++j) {
            if (layouts[j].name == layouts.back().name) {
                throw DatabaseError("Cannot create index tag \"" + t.name + "\": the name is used twice.");
            }
        }
    }
    auto store = std::make_shared<MdxStore>(path, io::File(path, io::File::Mode::CreateTruncate), std::move(fields),
                                            kDefaultPagesPerBlock);
    {
        UpdateLock lock(*store);
        writeWholeFile(*store, tableName, layouts, records);
    }
    return MdxIndex(std::move(store));
}

const std::filesystem::path& MdxIndex::path() const {
    return store_->path();
}

void MdxIndex::refresh() {
    tags_ = infosOf(store_->load().tags);
}

std::optional<TagInfo> MdxIndex::findTag(std::string_view name) const {
    std::string wanted = upperAscii(name);
    for (const TagInfo& t : tags_) {
        if (upperAscii(t.name) == wanted)
            return t;
    }
    return std::nullopt;
}

TagCursor MdxIndex::cursor(std::string_view tagName) const {
    auto layout = findLayout(store_->load(), tagName);
    if (!layout) {
        throw DatabaseError("Index file " + path().filename().string() + " has no tag " + std::string(tagName) + ".");
    }
    return TagCursor(store_, layout);
}

namespace {

// The key a record has in a tag, or nothing when its FOR condition excludes it.
std::optional<Key> keyFor(const MdxStore& store, const TagLayout& tag, std::span<const std::byte> record,
                          uint32_t recno) {
    if (!tag.forCondition.empty() && !store.expression(tag.forCondition).evaluateCondition(record, recno)) {
        return std::nullopt;
    }
    Key key(tag.keyLength);
    store.keyExpression(tag).evaluateKey(record, recno, key);
    return key;
}

struct TagChange {
    const TagLayout* tag;
    std::optional<Key> oldKey;
    std::optional<Key> newKey;
};

}  // namespace

void MdxIndex::insertRecord(uint32_t recno, std::span<const std::byte> record) {
    applyChange(recno, std::nullopt, record);
}

void MdxIndex::removeRecord(uint32_t recno, std::span<const std::byte> record) {
    applyChange(recno, record, std::nullopt);
}

void MdxIndex::updateRecord(uint32_t recno, std::span<const std::byte> oldRecord,
                            std::span<const std::byte> newRecord) {
    applyChange(recno, oldRecord, newRecord);
}

void MdxIndex::applyChange(uint32_t recno, std::optional<std::span<const std::byte>> oldRecord,
                           std::optional<std::span<const std::byte>> newRecord) {
    if (!store_->file().writable()) {
        throw DatabaseError("Index file " + path().filename().string() + " is open for reading only.");
    }
    UpdateLock lock(*store_);
    MdxStore::Snapshot snap = store_->load();
    // Evaluate every key first, so that a tag we cannot maintain fails the
    // call before anything is written.
    std::vector<TagChange> changes;
    for (const auto& tag : snap.tags) {
        try {
            TagChange change{tag.get(), std::nullopt, std::nullopt};
            if (oldRecord)
                change.oldKey = keyFor(*store_, *tag, *oldRecord, recno);
            if (newRecord)
                change.newKey = keyFor(*store_, *tag, *newRecord, recno);
            if (change.oldKey == change.newKey)
                continue;
            changes.push_back(std::move(change));
        } catch (const DatabaseError& e) {
            throw DatabaseError("Index tag " + tag->name + " of " + path().filename().string() +
                                " cannot be maintained: " + e.what());
        }
    }
    for (const TagChange& change : changes) {
        TreeWriter writer(*store_, snap.header, *change.tag);
        if (change.oldKey)
            writer.remove(*change.oldKey, recno);
        if (change.newKey)
            writer.insert(*change.newKey, recno);
        writer.finish();
    }
    std::vector<std::byte> dated = snap.header;
    putToday(dated, header::kUpdated);
    if (!changes.empty() && dated != snap.header)
        store_->writeHeader(dated);
    tags_ = infosOf(snap.tags);
}

void MdxIndex::reindex(const RecordSource& records) {
    UpdateLock lock(*store_);
    MdxStore::Snapshot snap = store_->load();
    std::vector<TagLayout> layouts;
    for (const auto& t : snap.tags) layouts.push_back(*t);
    writeWholeFile(*store_, getText(snap.header, header::kTableName, 16), layouts, records);
    refresh();
}

void MdxIndex::reindexTag(std::string_view tagName, const RecordSource& records) {
    UpdateLock lock(*store_);
    MdxStore::Snapshot snap = store_->load();
    auto tag = findLayout(snap, tagName);
    if (!tag) {
        throw DatabaseError("Index file " + path().filename().string() + " has no tag " + std::string(tagName) + ".");
    }
    std::vector<std::byte> tagHeader = store_->readBlock(tag->headerPage);
    uint32_t oldRoot = get32(tagHeader, tagheader::kRoot);
    std::optional<std::vector<uint32_t>> oldPages = treePages(*store_, *tag, oldRoot);

    // The new tree goes to free pages and the end of the file; the file
    // header is written before the tag header makes the tree reachable.
    BuiltTree built = writeTree(*store_, *tag, collectEntries(*store_, *tag, records),
                                [&] { return allocateBlock(*store_, snap.header); });
    store_->writeHeader(snap.header);

    put32(tagHeader, tagheader::kRoot, built.root);
    put32(tagHeader, tagheader::kPagesUsed, built.blocks * store_->pagesPerBlock());
    put8(tagHeader, tagheader::kSerial, static_cast<uint8_t>(get8(tagHeader, tagheader::kSerial) + 1));
    put8(tagHeader, tagheader::kHasKeys, 1);
    store_->writeBlock(tag->headerPage, std::span(tagHeader).first(kPageSize));

    if (oldPages) {
        freeBlocks(*store_, snap.header, *oldPages);
        putToday(snap.header, header::kUpdated);
        store_->writeHeader(snap.header);
    }
    refresh();
}

}  // namespace brimo::data::index
