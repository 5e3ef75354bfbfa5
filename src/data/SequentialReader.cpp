#include "data/SequentialReader.h"

#include "data/DatabaseError.h"
#include "data/dbf/Bytes.h"
#include "data/dbf/DbfHeader.h"
#include "data/dbf/FieldCodec.h"
#include "data/dbf/LanguageDriver.h"

#include <algorithm>
#include <array>

namespace brimo::data {
namespace {

// The first read asks for about this many bytes; each further read for twice
// as many as the one before, up to the largest.
constexpr size_t kFirstReadBytes = 16 * 1024;
constexpr size_t kLargestReadBytes = 1024 * 1024;

}  // namespace

SequentialReader::SequentialReader(const Table& table)
    : tableName_(table.name()), file_(table.path(), io::File::Mode::ReadOnly) {
    std::array<std::byte, dbf::kFixedHeaderSize> first{};
    file_.readExact(0, first);
    std::vector<std::byte> headerBytes(std::max<size_t>(dbf::storedHeaderLength(first), dbf::kFixedHeaderSize));
    file_.readExact(0, headerBytes);
    const dbf::DbfHeader header = dbf::parseHeader(headerBytes, tableName_);
    fields_ = header.fields;
    codePage_ = dbf::codePageOf(header.languageDriverId, header.languageDriverName);
    headerLength_ = header.headerLength;
    recordLength_ = header.recordLength;
    rewind();
}

void SequentialReader::rewind() {
    std::array<std::byte, 4> count{};
    file_.readExact(dbf::kCountOffset, count);
    // A count the file cannot hold (a writer died before writing the record,
    // or the file was cut) is limited to the whole records present.
    const uint64_t size = file_.size();
    const uint64_t present = size <= headerLength_ ? 0 : (size - headerLength_) / recordLength_;
    count_ = static_cast<uint32_t>(std::min<uint64_t>(dbf::readLE32(count.data()), present));
    if (readAhead_)
        readAhead_->cancel();
    position_ = 0;
    recordNumber_ = 0;
    blockFirst_ = 1;
    blockCount_ = 0;
    blockRecords_ = std::max<size_t>(1, kFirstReadBytes / recordLength_);
}

bool SequentialReader::fill(uint32_t from) {
    const size_t wanted = std::min<size_t>(blockRecords_, count_ - from + 1);
    const uint64_t offset = headerLength_ + uint64_t{from - 1} * recordLength_;
    size_t read;
    if (readAhead_ && readAhead_->holds(offset, wanted * recordLength_)) {
        read = readAhead_->take(block_);
    } else {
        block_.resize(wanted * recordLength_);
        read = file_.readAt(offset, block_);
    }
    blockFirst_ = from;
    blockCount_ = static_cast<uint32_t>(read / recordLength_);
    const size_t largest = std::max<size_t>(1, kLargestReadBytes / recordLength_);
    const bool grown = blockRecords_ == largest;
    blockRecords_ = std::min(blockRecords_ * 2, largest);
    if (blockCount_ < wanted)
        count_ = from - 1 + blockCount_;  // the file was cut meanwhile
    const uint32_t following = from + blockCount_;
    if (grown && following <= count_) {
        if (!readAhead_)
            readAhead_ = std::make_unique<io::ReadAhead>(file_);
        const size_t records = std::min<size_t>(blockRecords_, count_ - following + 1);
        readAhead_->request(headerLength_ + uint64_t{following - 1} * recordLength_, records * recordLength_);
    }
    return blockCount_ > 0;
}

bool SequentialReader::next() {
    while (position_ < count_) {
        const uint32_t number = ++position_;
        if (number >= blockFirst_ + blockCount_ && !fill(number))
            break;
        if (block_[(number - blockFirst_) * recordLength_] != std::byte{'*'}) {
            recordNumber_ = number;
            return true;
        }
    }
    recordNumber_ = 0;
    return false;
}

std::span<const std::byte> SequentialReader::record() const {
    if (recordNumber_ == 0)
        throw DatabaseError("Table " + tableName_ + " has no current record.");
    return std::span<const std::byte>(block_).subspan((recordNumber_ - blockFirst_) * recordLength_, recordLength_);
}

const FieldDef& SequentialReader::field(int index) const {
    return fields_.at(static_cast<size_t>(index));
}

void SequentialReader::wrongType(const FieldDef& def, const char* wanted) const {
    throw DatabaseError("Field " + def.name + " of table " + tableName_ + " cannot be read as " + wanted + ".");
}

std::string_view SequentialReader::text(int index, std::string& converted) const {
    const FieldDef& def = field(index);
    if (def.type != 'C')
        wrongType(def, "text");
    const std::string_view stored = dbf::trimmedText(dbf::fieldBytes(record(), def));
    // Every code page keeps ASCII as it is: plain text needs no conversion.
    for (char c : stored) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            converted = platform::decodeText(codePage_, stored);
            return converted;
        }
    }
    return stored;
}

std::optional<double> SequentialReader::number(int index) const {
    const FieldDef& def = field(index);
    switch (def.type) {
        case 'N':
        case 'F':
            return dbf::parseNumber(dbf::fieldBytes(record(), def));
        case 'I':
        case '+': {
            const auto bytes = dbf::fieldBytes(record(), def);
            return dbf::isAllZero(bytes) ? std::nullopt : std::optional<double>(dbf::decodeLong(bytes));
        }
        case 'O': {
            const auto bytes = dbf::fieldBytes(record(), def);
            return dbf::isAllZero(bytes) ? std::nullopt : std::optional<double>(dbf::decodeDouble(bytes));
        }
        default:
            wrongType(def, "a number");
    }
}

std::optional<bool> SequentialReader::logical(int index) const {
    const FieldDef& def = field(index);
    if (def.type != 'L')
        wrongType(def, "a logical value");
    return dbf::parseLogical(dbf::fieldBytes(record(), def));
}

std::optional<std::chrono::year_month_day> SequentialReader::date(int index) const {
    const FieldDef& def = field(index);
    if (def.type != 'D')
        wrongType(def, "a date");
    return dbf::parseDate(dbf::fieldBytes(record(), def));
}

}  // namespace brimo::data
