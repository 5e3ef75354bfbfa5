#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/DatabaseError.h"
#include "data/TestDir.h"
#include "data/index/MdxIndex.h"

namespace brimo::data::index {
namespace {

// The records and fields of a small DBF, read the plain way.
class DbfRecords : public RecordSource {
  public:
    explicit DbfRecords(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        auto u8 = [&](size_t at) { return static_cast<unsigned char>(raw.at(at)); };
        uint32_t count = u8(4) | u8(5) << 8 | u8(6) << 16 | uint32_t(u8(7)) << 24;
        size_t headerLength = u8(8) | u8(9) << 8;
        recordLength_ = u8(10) | u8(11) << 8;
        uint32_t offset = 1;
        for (size_t at = 32; u8(at) != 0x0D; at += 32) {
            FieldDef f;
            f.name = std::string(&raw[at], strnlen(&raw[at], 11));
            f.type = raw[at + 11];
            f.length = u8(at + 16);
            f.decimals = u8(at + 17);
            f.offset = offset;
            offset += f.length;
            fields.push_back(f);
        }
        for (uint32_t i = 0; i < count; ++i) {
            const auto* begin = reinterpret_cast<const std::byte*>(raw.data() + headerLength + i * recordLength_);
            records_.emplace_back(begin, begin + recordLength_);
        }
    }
    uint32_t recordCount() const override { return static_cast<uint32_t>(records_.size()); }
    void forEachRecord(const Visitor& visit) const override {
        for (size_t i = 0; i < records_.size(); ++i) visit(static_cast<uint32_t>(i + 1), records_[i]);
    }
    std::vector<std::byte> copyOf(uint32_t recno) const { return records_.at(recno - 1); }
    void append(std::vector<std::byte> record) { records_.push_back(std::move(record)); }

    std::vector<FieldDef> fields;

  private:
    size_t recordLength_ = 0;
    std::vector<std::vector<std::byte>> records_;
};

const std::filesystem::path kFixture = std::filesystem::path(BRIMO_FIXTURES_DIR) / "dbase-iv-mdx";

std::vector<std::pair<std::string, uint32_t>> walk(TagCursor cursor) {
    std::vector<std::pair<std::string, uint32_t>> out;
    for (bool ok = cursor.first(); ok; ok = cursor.next()) {
        out.emplace_back(describeKey(cursor.keyType(), cursor.key()), cursor.recno());
    }
    return out;
}

TEST(FixtureTest, ReadsTheTagsOfARealFile) {
    DbfRecords records(kFixture / "TEST.DBF");
    MdxIndex mdx = MdxIndex::open(kFixture / "TEST.MDX", records.fields, false);
    ASSERT_EQ(mdx.tags().size(), 2u);
    const TagInfo& text = mdx.tags()[0];
    EXPECT_EQ(text.name, "TEST1");
    EXPECT_EQ(text.expression, "TEST1");
    EXPECT_EQ(text.keyType, KeyType::Character);
    EXPECT_EQ(text.keyLength, 50);
    EXPECT_FALSE(text.unique || text.descending);
    EXPECT_TRUE(text.forCondition.empty());
    const TagInfo& number = mdx.tags()[1];
    EXPECT_EQ(number.name, "TEST2");
    EXPECT_EQ(number.expression, "test2");
    EXPECT_EQ(number.keyType, KeyType::Numeric);
    ASSERT_TRUE(mdx.findTag("test2"));

    using Entries = std::vector<std::pair<std::string, uint32_t>>;
    EXPECT_EQ(walk(mdx.cursor("TEST1")), (Entries{{"\"0test3\"", 3}, {"\"test1\"", 1}, {"\"test2\"", 2}}));
    EXPECT_EQ(walk(mdx.cursor("TEST2")), (Entries{{"10", 1}, {"15", 3}, {"20", 2}}));
    EXPECT_TRUE(mdx.check(&records).empty());

    TagCursor numbers = mdx.cursor("test2");
    ASSERT_TRUE(numbers.seekExact(numericKey(15)));  // stored with another digit count
    EXPECT_EQ(numbers.recno(), 3u);
    EXPECT_TRUE(numbers.prior());
    EXPECT_EQ(numbers.recno(), 1u);
    EXPECT_FALSE(numbers.prior());
    EXPECT_EQ(numbers.recno(), 1u);
    EXPECT_FALSE(numbers.seekExact(numericKey(16)));
    ASSERT_TRUE(numbers.seekNearest(numericKey(16)));
    EXPECT_EQ(numbers.recno(), 2u);
    TagCursor texts = mdx.cursor("TEST1");
    ASSERT_TRUE(texts.seekNearest(characterKey("tes", 3)));
    EXPECT_EQ(texts.recno(), 1u);
    EXPECT_THROW(mdx.insertRecord(4, records.copyOf(1)), DatabaseError);
}

TEST(FixtureTest, MaintainedCopyStaysValidAndSplits) {
    test::TestDir dir;
    std::filesystem::copy_file(kFixture / "TEST.MDX", dir / "TEST.MDX");
    DbfRecords records(kFixture / "TEST.DBF");
    {
        MdxIndex mdx = MdxIndex::open(dir / "TEST.MDX", records.fields, true);
        // Enough records to split the character tag (18 keys a node) twice over.
        for (int i = 0; i < 400; ++i) {
            std::vector<std::byte> rec = records.copyOf(1);
            std::string name = "name" + std::to_string((i * 37) % 400);
            std::string number = std::to_string(i % 50 - 10);
            std::fill(rec.begin() + 1, rec.end(), std::byte{' '});
            std::memcpy(rec.data() + 1, name.data(), name.size());
            std::memcpy(rec.data() + 61 - number.size(), number.data(), number.size());
            records.append(rec);
            mdx.insertRecord(records.recordCount(), rec);
        }
        mdx.updateRecord(2, records.copyOf(2), records.copyOf(2));  // no change, no write
        EXPECT_TRUE(mdx.check(&records).empty());
    }
    MdxIndex reopened = MdxIndex::open(dir / "TEST.MDX", records.fields, false);
    EXPECT_EQ(walk(reopened.cursor("TEST1")).size(), 403u);
    EXPECT_EQ(walk(reopened.cursor("TEST2")).front().first, "-10");
    EXPECT_TRUE(reopened.check(&records).empty()) << reopened.check(&records).front();
}

}  // namespace
}  // namespace brimo::data::index
