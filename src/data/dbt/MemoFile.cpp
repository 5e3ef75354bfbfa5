#include "data/dbt/MemoFile.h"

#include "data/DatabaseError.h"
#include "data/dbf/Bytes.h"
#include "data/dbf/Locks.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace brimo::data::dbt {
namespace {

constexpr uint32_t kLevel3BlockSize = 512;
constexpr std::byte kEndOfText{0x1A};
constexpr std::array<std::byte, 4> kMemoSignature = {std::byte{0xFF}, std::byte{0xFF}, std::byte{0x08},
                                                     std::byte{0x00}};
constexpr uint32_t kMemoHeaderSize = 8;

uint32_t blocksFor(uint64_t bytes, uint32_t blockSize) {
    return static_cast<uint32_t>((bytes + blockSize - 1) / blockSize);
}

}  // namespace

MemoFile::MemoFile(const std::filesystem::path& path, dbf::MemoStyle style, bool writable)
    : file_(path, writable ? io::File::Mode::ReadWrite : io::File::Mode::ReadOnly), style_(style) {
    if (style_ == dbf::MemoStyle::Level3) return;
    std::array<std::byte, 22> header{};
    if (file_.readAt(0, header) != header.size()) damaged("the header is cut off");
    uint16_t size = dbf::readLE16(header.data() + 20);
    blockSize_ = size == 0 ? 512 : size;
    if (blockSize_ < 64 || blockSize_ % 64 != 0) damaged("the block size is invalid");
}

void MemoFile::create(const std::filesystem::path& path, const std::string& tableName, uint16_t blockSize) {
    io::File file(path, io::File::Mode::CreateTruncate);
    std::vector<std::byte> header(blockSize, std::byte{0});
    dbf::writeLE32(header.data(), 1);
    for (size_t i = 0; i < 8 && i < tableName.size(); ++i) header[8 + i] = std::byte(static_cast<uint8_t>(tableName[i]));
    header[18] = std::byte{0x02};
    header[19] = std::byte{0x01};
    dbf::writeLE16(header.data() + 20, blockSize);
    file.writeAt(0, header);
}

void MemoFile::damaged(const std::string& what) const {
    throw DatabaseError("Memo file " + file_.path().filename().string() + " is damaged: " + what + ".");
}

uint32_t MemoFile::endBlock() const { return blocksFor(file_.size(), blockSize_); }

std::vector<std::byte> MemoFile::read(uint32_t block) const {
    const uint64_t size = file_.size();
    const uint64_t start = uint64_t{block} * blockSize_;
    if (block == 0 || start >= size) damaged("memo block " + std::to_string(block) + " lies outside the file");
    if (style_ == dbf::MemoStyle::Level3) {
        std::vector<std::byte> text;
        std::array<std::byte, 4096> chunk{};
        for (uint64_t pos = start; pos < size;) {
            size_t got = file_.readAt(pos, chunk);
            if (got == 0) break;
            auto end = std::find(chunk.begin(), chunk.begin() + static_cast<ptrdiff_t>(got), kEndOfText);
            text.insert(text.end(), chunk.begin(), end);
            if (end != chunk.begin() + static_cast<ptrdiff_t>(got)) break;
            pos += got;
        }
        return text;
    }
    std::array<std::byte, kMemoHeaderSize> header{};
    if (file_.readAt(start, header) != header.size()) damaged("memo block " + std::to_string(block) + " is cut off");
    if (!std::equal(kMemoSignature.begin(), kMemoSignature.end(), header.begin()))
        damaged("memo block " + std::to_string(block) + " does not start a memo");
    uint32_t length = dbf::readLE32(header.data() + 4);
    if (length < kMemoHeaderSize || start + length > size)
        damaged("the memo at block " + std::to_string(block) + " has an invalid length");
    std::vector<std::byte> data(length - kMemoHeaderSize);
    file_.readExact(start + kMemoHeaderSize, data);
    return data;
}

uint32_t MemoFile::write(std::span<const std::byte> data) {
    dbf::ScopedLock lock(file_, dbf::kFileUpdateLock, 1,
                         "The memo file " + file_.path().filename().string() + " is locked by another user.");
    return style_ == dbf::MemoStyle::Level3 ? writeLevel3(data) : writeLevel4(data);
}

uint32_t MemoFile::writeLevel3(std::span<const std::byte> data) {
    if (std::find(data.begin(), data.end(), kEndOfText) != data.end())
        throw DatabaseError("This memo file cannot hold binary data.");
    std::array<std::byte, 4> next{};
    file_.readExact(0, next);
    uint32_t start = std::max({dbf::readLE32(next.data()), endBlock(), 1u});
    std::vector<std::byte> blocks(data.begin(), data.end());
    blocks.push_back(kEndOfText);
    blocks.push_back(kEndOfText);
    blocks.resize(uint64_t{blocksFor(blocks.size(), kLevel3BlockSize)} * kLevel3BlockSize, std::byte{0});
    file_.writeAt(uint64_t{start} * kLevel3BlockSize, blocks);
    dbf::writeLE32(next.data(), start + static_cast<uint32_t>(blocks.size() / kLevel3BlockSize));
    file_.writeAt(0, next);
    return start;
}

// The free chain. A run that does not hold together (out of order, outside
// the file, or looking like a live memo) ends the walk and marks the chain
// unusable: the writer then only appends and leaves the chain as it is.
std::optional<std::vector<MemoFile::Run>> MemoFile::freeRuns(uint32_t end) const {
    std::vector<Run> runs;
    std::array<std::byte, 4> head{};
    file_.readExact(0, head);
    uint32_t cur = dbf::readLE32(head.data());
    uint32_t previousEnd = 1;
    while (cur < end) {
        std::array<std::byte, 8> h{};
        file_.readExact(uint64_t{cur} * blockSize_, h);
        Run run{cur, dbf::readLE32(h.data()), dbf::readLE32(h.data() + 4)};
        bool valid = cur >= previousEnd && run.count >= 1 && run.count <= end - cur && run.next >= cur + run.count &&
                     !std::equal(kMemoSignature.begin(), kMemoSignature.end(), h.begin());
        if (!valid) return std::nullopt;
        runs.push_back(run);
        previousEnd = cur + run.count;
        cur = run.next;
    }
    return runs;
}

void MemoFile::writeRunHeader(uint32_t block, uint32_t next, uint32_t count) {
    std::array<std::byte, 8> h{};
    dbf::writeLE32(h.data(), next);
    dbf::writeLE32(h.data() + 4, count);
    file_.writeAt(uint64_t{block} * blockSize_, h);
}

void MemoFile::setChainLink(uint32_t fromBlock, uint32_t toBlock) {
    std::array<std::byte, 4> v{};
    dbf::writeLE32(v.data(), toBlock);
    file_.writeAt(uint64_t{fromBlock} * blockSize_, v);
}

uint32_t MemoFile::writeLevel4(std::span<const std::byte> data) {
    const uint64_t total = uint64_t{kMemoHeaderSize} + data.size();
    if (total > UINT32_MAX) throw DatabaseError("The memo is too large.");
    const uint32_t need = blocksFor(total, blockSize_);
    std::vector<std::byte> bytes(uint64_t{need} * blockSize_, std::byte{0});
    std::copy(kMemoSignature.begin(), kMemoSignature.end(), bytes.begin());
    dbf::writeLE32(bytes.data() + 4, static_cast<uint32_t>(total));
    std::copy(data.begin(), data.end(), bytes.begin() + kMemoHeaderSize);

    const uint32_t end = endBlock();
    const std::optional<std::vector<Run>> chain = freeRuns(end);
    const bool chainUsable = chain.has_value();
    const std::vector<Run> runs = chain.value_or(std::vector<Run>{});
    if (chainUsable) {
        for (size_t i = 0; i < runs.size(); ++i) {
            const Run& run = runs[i];
            if (run.count < need) continue;
            const uint32_t previous = i == 0 ? 0 : runs[i - 1].block;
            // Unlink the blocks first: a crash then leaks them, never hands
            // them out twice.
            if (run.count == need) {
                setChainLink(previous, run.next);
            } else {
                writeRunHeader(run.block + need, run.next, run.count - need);
                setChainLink(previous, run.block + need);
            }
            file_.writeAt(uint64_t{run.block} * blockSize_, std::span(bytes).first(total));
            return run.block;
        }
    }
    const uint32_t start = std::max(end, 1u);
    file_.writeAt(uint64_t{start} * blockSize_, bytes);
    if (chainUsable) setChainLink(runs.empty() ? 0 : runs.back().block, start + need);
    return start;
}

void MemoFile::release(uint32_t block) {
    if (style_ == dbf::MemoStyle::Level3 || block == 0) return;
    dbf::ScopedLock lock(file_, dbf::kFileUpdateLock, 1,
                         "The memo file " + file_.path().filename().string() + " is locked by another user.");
    const uint32_t end = endBlock();
    if (block >= end) return;
    std::array<std::byte, kMemoHeaderSize> header{};
    file_.readExact(uint64_t{block} * blockSize_, header);
    const uint32_t length = dbf::readLE32(header.data() + 4);
    if (!std::equal(kMemoSignature.begin(), kMemoSignature.end(), header.begin()) || length < kMemoHeaderSize)
        return;
    uint32_t count = blocksFor(length, blockSize_);
    if (count > end - block) return;
    const std::optional<std::vector<Run>> chain = freeRuns(end);
    if (!chain) return;  // leave a damaged chain alone; the blocks are merely not reused
    const std::vector<Run>& runs = *chain;
    // Neighbours in the ascending chain.
    size_t after = 0;
    while (after < runs.size() && runs[after].block < block) ++after;
    const Run* prev = after > 0 ? &runs[after - 1] : nullptr;
    const Run* next = after < runs.size() ? &runs[after] : nullptr;
    if ((prev && prev->block + prev->count > block) || (next && block + count > next->block)) return;  // already free
    uint32_t nextLink = next ? next->block : (runs.empty() ? end : runs.back().next);
    if (next && block + count == next->block) {
        count += next->count;
        nextLink = next->next;
    }
    if (prev && prev->block + prev->count == block) {
        writeRunHeader(prev->block, nextLink, prev->count + count);
        return;
    }
    writeRunHeader(block, nextLink, count);
    setChainLink(prev ? prev->block : 0, block);
}

}  // namespace brimo::data::dbt
