#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "data/FieldDef.h"
#include "data/index/Expression.h"
#include "data/index/MdxLayout.h"
#include "data/io/File.h"

namespace brimo::data::index::detail {

// The open index file shared by an MdxIndex and its cursors: page reads and
// writes with range checks, the file header and tag table, and the compiled
// expressions of the tags. Holds no cached pages.
class MdxStore {
  public:
    // An existing file: the block size comes from its header.
    MdxStore(std::filesystem::path path, io::File file, std::vector<FieldDef> fields);
    // A file being created with blocks of `pagesPerBlock` pages.
    MdxStore(std::filesystem::path path, io::File file, std::vector<FieldDef> fields, uint16_t pagesPerBlock);

    const std::filesystem::path& path() const { return path_; }
    const std::vector<FieldDef>& fields() const { return fields_; }
    io::File& file() { return file_; }
    const io::File& file() const { return file_; }
    uint16_t pagesPerBlock() const { return pagesPerBlock_; }
    uint32_t blockSize() const { return pagesPerBlock_ * kPageSize; }

    // Page 0 and the tags as they are in the file now. Validates both.
    struct Snapshot {
        std::vector<std::byte> header;
        std::vector<std::shared_ptr<const TagLayout>> tags;
    };
    Snapshot load() const;

    // One block; a page outside the file or inside the file header is reported
    // as damage.
    std::vector<std::byte> readBlock(uint32_t page) const;
    void readBlock(uint32_t page, std::span<std::byte> out) const;
    void writeBlock(uint32_t page, std::span<const std::byte> block);
    void writeHeader(std::span<const std::byte> header);
    // Pages and headers written through this object so far; what a reader
    // kept from the file before a write may be out of date.
    uint64_t writeCount() const { return writeCount_.load(std::memory_order_acquire); }

    // The compiled key and FOR expressions of a tag (compiled once per text).
    const Expression& expression(const std::string& text) const;
    // A tag's compiled key expression, checked against the tag's key type.
    const Expression& keyExpression(const TagLayout& tag) const;

    [[noreturn]] void damaged(const std::string& what) const;

    // For tests, process-wide: after `writes` more whole page writes, every
    // further write throws a DatabaseError, as if the process had died
    // between two writes. Negative: no limit.
    static void failAfterWrites(int64_t writes);

  private:
    void countWrite() const;
    std::shared_ptr<const TagLayout> loadTag(std::span<const std::byte> tagTable, uint32_t slot) const;

    std::filesystem::path path_;
    io::File file_;
    std::vector<FieldDef> fields_;
    uint16_t pagesPerBlock_ = kDefaultPagesPerBlock;
    std::atomic<uint64_t> writeCount_{0};
    mutable std::mutex expressionsMutex_;
    mutable std::map<std::string, Expression> expressions_;
};

}  // namespace brimo::data::index::detail
