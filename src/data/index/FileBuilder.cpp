#include "data/index/FileBuilder.h"

#include <cctype>

#include "data/DatabaseError.h"
#include "data/index/TreeBuilder.h"

namespace brimo::data::index::detail {

namespace {

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool isPlainFieldName(const std::string& expression, const std::vector<FieldDef>& fields) {
    for (const FieldDef& f : fields) {
        if (upperAscii(f.name) == upperAscii(expression))
            return true;
    }
    return false;
}

// Links of the binary search tree over tag names kept in the tag table:
// each tag hangs under the earlier ones by name.
void linkTagNames(std::vector<std::byte>& table, const std::vector<TagLayout>& tags) {
    if (!tags.empty())
        put8(table, slot::kRight, 1);  // the sentinel slot 0 points at the root
    for (size_t i = 1; i < tags.size(); ++i) {
        size_t at = 0;
        for (;;) {
            bool lower = tags[i].name < tags[at].name;
            size_t link = (at + 1) * kTagSlotSize + (lower ? slot::kLeft : slot::kRight);
            uint8_t next = get8(table, link);
            if (next == 0) {
                put8(table, link, static_cast<uint8_t>(i + 1));
                put8(table, (i + 1) * kTagSlotSize + slot::kParent, static_cast<uint8_t>(at + 1));
                break;
            }
            at = next - 1u;
        }
    }
}

}  // namespace

TagLayout layoutFor(const std::vector<FieldDef>& fields, uint32_t blockSize, const TagDefinition& definition) {
    TagLayout tag;
    tag.name = upperAscii(definition.name);
    auto fail = [&](const std::string& what) {
        throw DatabaseError("Cannot create index tag \"" + definition.name + "\": " + what + ".");
    };
    if (tag.name.empty() || tag.name.size() > 10)
        fail("a tag name has 1 to 10 characters");
    if (!std::isalpha(static_cast<unsigned char>(tag.name[0])))
        fail("a tag name begins with a letter");
    for (char c : tag.name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            fail("a tag name holds letters, digits and _");
    }
    if (definition.expression.empty() || definition.expression.size() > 220) {
        fail("the key expression must have 1 to 220 characters");
    }
    if (definition.forCondition.size() > 219)
        fail("the FOR condition must have at most 219 characters");
    Expression key = Expression::compile(definition.expression, fields);
    tag.keyType = key.keyType();
    tag.keyLength = tag.keyType == KeyType::Numeric ? kNumericKeyLength
                    : tag.keyType == KeyType::Date  ? kDateKeyLength
                                                    : key.width();
    if (tag.keyLength == 0 || tag.keyLength > kMaxCharacterKeyLength) {
        fail("the key is " + std::to_string(tag.keyLength) + " characters long (1 to " +
             std::to_string(kMaxCharacterKeyLength) + " allowed)");
    }
    if (!definition.forCondition.empty() &&
        Expression::compile(definition.forCondition, fields).type() != Expression::Type::Logical) {
        fail("the FOR condition is not a logical expression");
    }
    tag.itemLength = itemLengthFor(tag.keyLength);
    tag.maxKeys = static_cast<uint16_t>((blockSize - 12) / tag.itemLength);
    tag.unique = definition.unique;
    tag.descending = definition.descending;
    tag.expression = definition.expression;
    tag.forCondition = definition.forCondition;
    return tag;
}

std::vector<std::byte> makeTagHeader(const MdxStore& store, const TagLayout& tag, uint32_t root, uint32_t blocks) {
    std::vector<std::byte> h(store.blockSize());
    put32(h, tagheader::kRoot, root);
    put32(h, tagheader::kPagesUsed, blocks * store.pagesPerBlock());
    uint8_t format = tagheader::kFormatBase | (tag.descending ? tagheader::kFormatDescending : 0) |
                     (tag.unique ? tagheader::kFormatUnique : 0);
    put8(h, tagheader::kFormat, format);
    put8(h, tagheader::kKeyType, static_cast<uint8_t>(tag.keyType));
    put8(h, tagheader::kMarker, 0x1B);
    put16(h, tagheader::kKeyLength, tag.keyLength);
    put16(h, tagheader::kMaxKeys, tag.maxKeys);
    put16(h, tagheader::kDateFlag, tag.keyType == KeyType::Date ? 1 : 0);
    put16(h, tagheader::kItemLength, tag.itemLength);
    put8(h, tagheader::kSerial, 1);
    put8(h, tagheader::kUniqueByte, tag.unique ? 1 : 0);
    putText(h, tagheader::kExpression, tagheader::kExpressionSize, tag.expression);
    put8(h, tagheader::kHasFilter, tag.forCondition.empty() ? 0 : 1);
    put8(h, tagheader::kHasKeys, 1);
    put32(h, tagheader::kFirstPointer, root);
    put32(h, tagheader::kSecondPointer, root);
    putToday(h, tagheader::kDate);
    put8(h, tagheader::kSimpleField, isPlainFieldName(tag.expression, store.fields()) ? 1 : 0);
    if (!tag.forCondition.empty())
        putText(h, tagheader::kFilter, tagheader::kFilterSize, tag.forCondition);
    return h;
}

void writeWholeFile(MdxStore& store, std::string_view tableName, std::vector<TagLayout>& tags,
                    const RecordSource& records) {
    const uint32_t k = store.pagesPerBlock();
    uint32_t page = kHeaderPages;
    for (TagLayout& tag : tags) {
        tag.slot = static_cast<uint32_t>(&tag - tags.data()) + 1;
        tag.headerPage = page;
        page += k;
    }
    for (const TagLayout& tag : tags) {
        auto next = [&] {
            uint32_t p = page;
            page += k;
            return p;
        };
        BuiltTree built = writeTree(store, tag, collectEntries(store, tag, records), next);
        store.writeBlock(tag.headerPage, makeTagHeader(store, tag, built.root, built.blocks));
    }

    std::vector<std::byte> table(kPageSize * 3);
    for (const TagLayout& tag : tags) {
        auto s = std::span(table).subspan(tag.slot * kTagSlotSize, kTagSlotSize);
        put32(s, slot::kHeaderPage, tag.headerPage);
        putText(s, slot::kName, 11, tag.name);
        put8(s, slot::kFlags, 0x10);
        put8(s, slot::kConstant, 0x02);
        put8(s, slot::kKeyType, static_cast<uint8_t>(tag.keyType));
    }
    linkTagNames(table, tags);
    store.file().writeAt(kTagTableOffset, table);

    std::vector<std::byte> header(kPageSize);
    put8(header, header::kVersion, 2);
    putToday(header, header::kCreated);
    putText(header, header::kTableName, 16, upperAscii(tableName.substr(0, 15)));
    put16(header, header::kPagesPerBlock, static_cast<uint16_t>(k));
    put16(header, header::kBlockSize, static_cast<uint16_t>(store.blockSize()));
    put8(header, header::kProduction, 1);
    put8(header, header::kSlots, 48);
    put8(header, header::kSlotSize, static_cast<uint8_t>(kTagSlotSize));
    put16(header, header::kTagCount, static_cast<uint16_t>(tags.size()));
    put8(header, header::kNextTag, static_cast<uint8_t>(tags.size() + 1));
    put8(header, header::kMarker, 0x1B);
    put32(header, header::kTotalPages, page);
    putToday(header, header::kUpdated);
    store.writeHeader(header);
    store.file().truncate(uint64_t(page) * kPageSize);
}

}  // namespace brimo::data::index::detail
