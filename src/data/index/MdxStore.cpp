#include "data/index/MdxStore.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <ctime>

#include "data/DatabaseError.h"

namespace brimo::data::index::detail {

std::string getText(std::span<const std::byte> b, size_t off, size_t size) {
    std::string text;
    for (size_t i = 0; i < size && off + i < b.size(); ++i) {
        char c = static_cast<char>(b[off + i]);
        if (c == '\0')
            break;
        text += c;
    }
    return text;
}

void putText(std::span<std::byte> b, size_t off, size_t size, std::string_view text) {
    std::memset(b.data() + off, 0, size);
    std::memcpy(b.data() + off, text.data(), std::min(text.size(), size - 1));
}

void putToday(std::span<std::byte> b, size_t off) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    put8(b, off, static_cast<uint8_t>(local.tm_year % 100));
    put8(b, off + 1, static_cast<uint8_t>(local.tm_mon + 1));
    put8(b, off + 2, static_cast<uint8_t>(local.tm_mday));
}

MdxStore::MdxStore(std::filesystem::path path, io::File file, std::vector<FieldDef> fields)
    : path_(std::move(path)), file_(std::move(file)), fields_(std::move(fields)) {
    std::vector<std::byte> header(kPageSize);
    if (file_.readAt(0, header) < kPageSize)
        damaged("the file is shorter than its header");
    uint16_t k = get16(header, header::kPagesPerBlock);
    if (k < 2 || k > kMaxPagesPerBlock)
        damaged("unsupported block size of " + std::to_string(k) + " pages");
    pagesPerBlock_ = k;
}

MdxStore::MdxStore(std::filesystem::path path, io::File file, std::vector<FieldDef> fields, uint16_t pagesPerBlock)
    : path_(std::move(path)), file_(std::move(file)), fields_(std::move(fields)), pagesPerBlock_(pagesPerBlock) {}

void MdxStore::damaged(const std::string& what) const {
    throw DatabaseError("Index file " + path_.filename().string() + " is damaged: " + what + ".");
}

MdxStore::Snapshot MdxStore::load() const {
    Snapshot snap;
    snap.header.resize(kPageSize);
    std::vector<std::byte> tagTable(kPageSize * 3);
    if (file_.readAt(0, snap.header) < kPageSize || file_.readAt(kPageSize, tagTable) < tagTable.size()) {
        damaged("the file is shorter than its header");
    }
    const auto& h = snap.header;
    if (get8(h, header::kVersion) != 2)
        damaged("this is not a production index (version byte)");
    if (get16(h, header::kPagesPerBlock) != pagesPerBlock_ || get16(h, header::kBlockSize) != blockSize()) {
        damaged("inconsistent block size");
    }
    uint16_t count = get16(h, header::kTagCount);
    if (count > kMaxTags)
        damaged("it claims " + std::to_string(count) + " tags");
    for (uint32_t slot = 1; slot <= count; ++slot) snap.tags.push_back(loadTag(tagTable, slot));
    return snap;
}

std::shared_ptr<const TagLayout> MdxStore::loadTag(std::span<const std::byte> tagTable, uint32_t slot) const {
    auto s = tagTable.subspan(slot * kTagSlotSize, kTagSlotSize);
    auto tag = std::make_shared<TagLayout>();
    tag->slot = slot;
    tag->name = getText(s, slot::kName, 11);
    tag->headerPage = get32(s, slot::kHeaderPage);
    std::string who = "tag " + std::to_string(slot) + " (" + tag->name + ")";
    std::vector<std::byte> th = readBlock(tag->headerPage);
    char type = static_cast<char>(get8(th, tagheader::kKeyType));
    if (type != 'C' && type != 'N' && type != 'D')
        damaged(who + " has an unknown key type");
    tag->keyType = static_cast<KeyType>(type);
    tag->keyLength = get16(th, tagheader::kKeyLength);
    tag->itemLength = get16(th, tagheader::kItemLength);
    uint16_t expected = type == 'N' ? kNumericKeyLength : (type == 'D' ? kDateKeyLength : 0);
    if (tag->keyLength == 0 || (expected != 0 && tag->keyLength != expected)) {
        damaged(who + " has a bad key length of " + std::to_string(tag->keyLength));
    }
    if (tag->itemLength < tag->keyLength + 4 || tag->itemLength > blockSize() - 12) {
        damaged(who + " has a bad entry length of " + std::to_string(tag->itemLength));
    }
    tag->maxKeys = static_cast<uint16_t>((blockSize() - 12) / tag->itemLength);
    uint8_t format = get8(th, tagheader::kFormat);
    tag->unique = (format & tagheader::kFormatUnique) != 0;
    tag->descending = (format & tagheader::kFormatDescending) != 0;
    tag->expression = getText(th, tagheader::kExpression, tagheader::kExpressionSize);
    if (get8(th, tagheader::kHasFilter) != 0) {
        tag->forCondition = getText(th, tagheader::kFilter, tagheader::kFilterSize);
    }
    return tag;
}

void MdxStore::readBlock(uint32_t page, std::span<std::byte> out) const {
    if (page < kHeaderPages)
        damaged("a pointer to page " + std::to_string(page) + " inside the file header");
    size_t got = file_.readAt(uint64_t(page) * kPageSize, out);
    if (got < out.size())
        damaged("a pointer to page " + std::to_string(page) + " beyond the end of the file");
}

std::vector<std::byte> MdxStore::readBlock(uint32_t page) const {
    std::vector<std::byte> block(blockSize());
    readBlock(page, block);
    return block;
}

namespace {
std::atomic<int64_t> writesBeforeFault{-1};
}

void MdxStore::failAfterWrites(int64_t writes) {
    writesBeforeFault = writes;
}

void MdxStore::countWrite() const {
    if (writesBeforeFault.load() < 0)
        return;
    if (writesBeforeFault.fetch_sub(1) <= 0) {
        writesBeforeFault = 0;
        throw DatabaseError("Index file " + path_.filename().string() + " cannot be written (simulated fault).");
    }
}

void MdxStore::writeBlock(uint32_t page, std::span<const std::byte> block) {
    countWrite();
    ++writeCount_;
    file_.writeAt(uint64_t(page) * kPageSize, block);
}

void MdxStore::writeHeader(std::span<const std::byte> header) {
    countWrite();
    ++writeCount_;
    file_.writeAt(0, header.first(kPageSize));
}

const Expression& MdxStore::expression(const std::string& text) const {
    std::lock_guard lock(expressionsMutex_);
    auto it = expressions_.find(text);
    if (it == expressions_.end())
        it = expressions_.emplace(text, Expression::compile(text, fields_)).first;
    return it->second;
}

const Expression& MdxStore::keyExpression(const TagLayout& tag) const {
    const Expression& key = expression(tag.expression);
    key.requireKeyType(tag.keyType);
    return key;
}

}  // namespace brimo::data::index::detail
