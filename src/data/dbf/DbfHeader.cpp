#include "data/dbf/DbfHeader.h"

#include "data/DatabaseError.h"
#include "data/dbf/Bytes.h"
#include "platform/AsciiCase.h"

#include <cstdio>

namespace brimo::data::dbf {
namespace {

constexpr std::byte kTerminator{0x0D};
constexpr size_t kLevel3Descriptor = 32;
constexpr size_t kLevel7Descriptor = 48;
constexpr size_t kLevel7FirstDescriptor = 68;

[[noreturn]] void damaged(const std::string& table, const std::string& what) {
    throw DatabaseError("Table " + table + " is damaged: " + what + ".");
}

std::string hexByte(uint8_t v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v);
    return buf;
}

std::string nulPaddedName(const std::byte* p, size_t size) {
    std::string name;
    for (size_t i = 0; i < size && p[i] != std::byte{0}; ++i) name.push_back(static_cast<char>(p[i]));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

// Widths the value encodings depend on; a descriptor that breaks them would
// make every read of the field wrong.
bool widthFits(char type, uint16_t length) {
    switch (type) {
        case 'D': return length == 8;
        case 'I':
        case '+': return length == 4;
        case 'O':
        case '@': return length == 8;
        case 'L': return length >= 1;
        default: return length >= 1;
    }
}

}  // namespace

uint16_t storedHeaderLength(std::span<const std::byte> first32) { return readLE16(first32.data() + 8); }

DbfHeader parseHeader(std::span<const std::byte> bytes, const std::string& tableName) {
    if (bytes.size() < kFixedHeaderSize) damaged(tableName, "the file is shorter than a table header");
    const std::byte* b = bytes.data();
    DbfHeader h;
    h.version = std::to_integer<uint8_t>(b[0]);
    switch (h.version) {
        case 0x03:
        case 0x43:
        case 0x63: break;
        case 0x83: h.memoStyle = MemoStyle::Level3; break;
        case 0x8B:
        case 0xCB: h.memoStyle = MemoStyle::Level4; break;
        case 0x04: h.level = 7; break;
        case 0x8C:
            h.level = 7;
            h.memoStyle = MemoStyle::Level4;
            break;
        default:
            throw DatabaseError("File " + tableName + " is not a dBASE table (version byte " + hexByte(h.version) +
                                ").");
    }
    h.recordCount = readLE32(b + kCountOffset);
    h.headerLength = readLE16(b + 8);
    h.recordLength = readLE16(b + 10);
    h.productionIndex = b[kIndexFlagOffset] != std::byte{0};
    h.languageDriverId = std::to_integer<uint8_t>(b[29]);
    if (h.headerLength != bytes.size()) damaged(tableName, "the header length is inconsistent");
    if (h.recordLength < 2) damaged(tableName, "the record length is invalid");

    const size_t descriptorSize = h.level == 7 ? kLevel7Descriptor : kLevel3Descriptor;
    size_t pos = h.level == 7 ? kLevel7FirstDescriptor : kFixedHeaderSize;
    if (h.level == 7) {
        if (bytes.size() < kLevel7FirstDescriptor) damaged(tableName, "the header is too short");
        h.languageDriverName = nulPaddedName(b + 32, 32);
    }
    uint32_t offset = 1;
    while (pos < bytes.size() && b[pos] != kTerminator) {
        if (pos + descriptorSize > bytes.size()) damaged(tableName, "a field description is cut off");
        const std::byte* d = b + pos;
        FieldDef f;
        uint32_t autoIncrementOffset = 0;
        if (h.level == 7) {
            f.name = nulPaddedName(d, 32);
            f.type = static_cast<char>(d[32]);
            f.length = std::to_integer<uint8_t>(d[33]);
            f.decimals = std::to_integer<uint8_t>(d[34]);
            if (f.type == '+') autoIncrementOffset = static_cast<uint32_t>(pos + 42);
        } else {
            f.name = nulPaddedName(d, 11);
            f.type = static_cast<char>(d[11]);
            f.length = std::to_integer<uint8_t>(d[16]);
            f.decimals = std::to_integer<uint8_t>(d[17]);
        }
        if (f.name.empty()) damaged(tableName, "a field has no name");
        if (!widthFits(f.type, f.length)) damaged(tableName, "field " + f.name + " has an invalid width");
        f.offset = offset;
        offset += f.length;
        if (offset > h.recordLength) damaged(tableName, "the fields do not fit the record length");
        h.fields.push_back(std::move(f));
        h.autoIncrementOffsets.push_back(autoIncrementOffset);
        pos += descriptorSize;
    }
    if (h.fields.empty()) damaged(tableName, "it has no fields");
    return h;
}

void checkFileHoldsRecords(const DbfHeader& h, uint64_t fileSize, const std::string& tableName) {
    uint64_t needed = h.headerLength + uint64_t{h.recordCount} * h.recordLength;
    if (needed > fileSize)
        damaged(tableName, "its header counts " + std::to_string(h.recordCount) + " records but the file holds only " +
                               std::to_string(fileSize < h.headerLength ? 0 : (fileSize - h.headerLength) /
                                                                                   h.recordLength));
}

std::array<std::byte, 7> dateAndCount(std::chrono::year_month_day date, uint32_t count) {
    std::array<std::byte, 7> out{};
    int year = static_cast<int>(date.year()) - 1900;
    out[0] = std::byte(static_cast<uint8_t>(year < 0 ? 0 : year > 255 ? 255 : year));
    out[1] = std::byte(static_cast<uint8_t>(static_cast<unsigned>(date.month())));
    out[2] = std::byte(static_cast<uint8_t>(static_cast<unsigned>(date.day())));
    writeLE32(out.data() + 3, count);
    return out;
}

std::vector<std::byte> buildHeader(std::vector<FieldDef>& fields, bool withMemo, bool withIndex,
                                   uint8_t languageDriverId, std::chrono::year_month_day today) {
    if (fields.empty()) throw DatabaseError("A table needs at least one field.");
    const size_t headerLength = kFixedHeaderSize + kLevel3Descriptor * fields.size() + 1;
    if (headerLength > UINT16_MAX) throw DatabaseError("A table cannot have that many fields.");
    std::vector<std::byte> h(headerLength, std::byte{0});
    h[0] = std::byte(withMemo ? 0x8B : 0x03);
    auto dc = dateAndCount(today, 0);
    std::copy(dc.begin(), dc.end(), h.begin() + 1);
    uint32_t offset = 1;
    for (size_t i = 0; i < fields.size(); ++i) {
        FieldDef& f = fields[i];
        for (char& c : f.name) c = platform::toUpperAscii(c);
        f.offset = offset;
        offset += f.length;
        std::byte* d = h.data() + kFixedHeaderSize + kLevel3Descriptor * i;
        for (size_t c = 0; c < f.name.size(); ++c) d[c] = std::byte(static_cast<uint8_t>(f.name[c]));
        d[11] = std::byte(static_cast<uint8_t>(f.type));
        d[16] = std::byte(static_cast<uint8_t>(f.length));
        d[17] = std::byte(f.decimals);
    }
    if (offset > UINT16_MAX) throw DatabaseError("The record of the table would be too long.");
    writeLE16(h.data() + 8, static_cast<uint16_t>(headerLength));
    writeLE16(h.data() + 10, static_cast<uint16_t>(offset));
    h[kIndexFlagOffset] = std::byte(withIndex ? 1 : 0);
    h[29] = std::byte(languageDriverId);
    h[headerLength - 1] = kTerminator;
    return h;
}

}  // namespace brimo::data::dbf
