#pragma once

#include "data/dbf/DbfHeader.h"
#include "data/io/File.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brimo::data::dbt {

// A .DBT memo file in either block layout.
//
// Level 3: 512-byte blocks, each memo ends with 0x1A; space is never reused.
// Level 4: the block size is in the header; each memo starts with an 8-byte
// header holding its length; free runs form an ascending chain from header
// offset 0 and are reused first-fit, coalesced when freed.
//
// Every read goes to the file. Changes take the memo update lock and re-read
// the header under it. New data is written to free or new blocks before it is
// linked in anywhere, so a crash leaks blocks at most.
class MemoFile {
public:
    MemoFile(const std::filesystem::path& path, dbf::MemoStyle style, bool writable);

    // Creates an empty level-4 memo file, replacing any file of that name.
    static void create(const std::filesystem::path& path, const std::string& tableName, uint16_t blockSize = 512);

    dbf::MemoStyle style() const { return style_; }
    uint32_t blockSize() const { return blockSize_; }

    // The memo at `block`; throws DatabaseError when the block is outside the
    // file or its header is damaged.
    std::vector<std::byte> read(uint32_t block) const;

    // Stores `data` in free or new blocks and returns the first block.
    uint32_t write(std::span<const std::byte> data);

    // Gives the blocks of the memo at `block` back to the free chain (level 4;
    // level 3 never reuses space). A damaged memo header is left alone.
    void release(uint32_t block);

private:
    struct Run {
        uint32_t block, next, count;
    };
    uint32_t endBlock() const;
    std::optional<std::vector<Run>> freeRuns(uint32_t endBlock) const;
    uint32_t writeLevel3(std::span<const std::byte> data);
    uint32_t writeLevel4(std::span<const std::byte> data);
    void writeRunHeader(uint32_t block, uint32_t next, uint32_t count);
    void setChainLink(uint32_t fromBlock, uint32_t toBlock);  // fromBlock 0: the file header
    [[noreturn]] void damaged(const std::string& what) const;

    io::File file_;
    dbf::MemoStyle style_;
    uint32_t blockSize_ = 512;
};

}  // namespace brimo::data::dbt
