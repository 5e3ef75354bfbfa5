#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Table.h"

#include "TestDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace brimo::data {
namespace {

std::vector<std::string> codesInOrder(Table& t) {
    std::vector<std::string> codes;
    for (t.first(); !t.eof(); t.next()) codes.push_back(t.asString("CODE"));
    return codes;
}

class IndexedTable : public ::testing::Test {
protected:
    void SetUp() override {
        table = db.createTable("code", {{"CODE", 'C', 8, 0}, {"QTY", 'N', 6, 0}},
                               {{"CODE", "CODE", false, false, ""}, {"QTY", "QTY", false, true, ""}});
        for (auto [code, qty] : std::vector<std::pair<const char*, int>>{{"BB", 2}, {"AA", 5}, {"CA", 1}, {"AB", 3}}) {
            table->append();
            table->setString("CODE", code);
            table->setNumber("QTY", qty);
            table->post();
        }
    }
    test::TestDir dir;
    Database db{dir.path()};
    std::unique_ptr<Table> table;
};

TEST_F(IndexedTable, TagsOrderNavigationAndSearch) {
    EXPECT_EQ(table->tagNames(), (std::vector<std::string>{"CODE", "QTY"}));
    table->setActiveTag("code");
    EXPECT_EQ(codesInOrder(*table), (std::vector<std::string>{"AA", "AB", "BB", "CA"}));
    table->setActiveTag("QTY");  // descending
    EXPECT_EQ(codesInOrder(*table), (std::vector<std::string>{"AA", "AB", "BB", "CA"}));

    table->setActiveTag("CODE");
    EXPECT_TRUE(table->findKey(std::string("BB")));
    EXPECT_EQ(table->recordNumber(), 1u);
    EXPECT_FALSE(table->findKey(std::string("BC")));
    table->findNearest(std::string("B"));
    EXPECT_EQ(table->asString("CODE"), "BB");
    table->findNearest(std::string("ZZ"));
    EXPECT_TRUE(table->eof());

    table->setRange(std::string("AA"), std::string("AB"));
    EXPECT_EQ(codesInOrder(*table), (std::vector<std::string>{"AA", "AB"}));
    table->cancelRange();
    EXPECT_EQ(table->visibleRecordCount(), 4u);
    table->setActiveTag("");
    table->cancelRange();  // nothing to cancel in natural order
    EXPECT_EQ(table->recordNumber(), 1u);
    EXPECT_THROW(table->setActiveTag("NOPE"), DatabaseError);
}

// A damaged tag header whose expression gives another kind of key than the tag
// holds (a three-character expression in a date tag) cannot order the table.
TEST_F(IndexedTable, TagWhoseExpressionDisagreesWithItsHeaderIsRefused) {
    table.reset();
    const std::filesystem::path mdx = dir.path() / "CODE.MDX";
    auto patch = [&](uint64_t at, std::string_view bytes) {
        std::fstream f(mdx, std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(static_cast<std::streamoff>(at));
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    };
    std::ifstream in(mdx, std::ios::binary);
    in.seekg(544 + 32);  // the second tag's slot: its header page
    unsigned char page[4] = {};
    in.read(reinterpret_cast<char*>(page), 4);
    const uint64_t header = (page[0] | page[1] << 8 | page[2] << 16 | uint64_t(page[3]) << 24) * 512;
    patch(header + 9, "D");
    patch(header + 12, std::string_view("\x08\x00", 2));
    patch(header + 24, std::string_view("LEFT(CODE,3)\0", 13));

    Table reopened(db, "CODE");
    EXPECT_THROW(reopened.setActiveTag("QTY"), DatabaseError);
    reopened.setActiveTag("CODE");
    EXPECT_EQ(codesInOrder(reopened), (std::vector<std::string>{"AA", "AB", "BB", "CA"}));
}

TEST_F(IndexedTable, EditsAndDeletesKeepEveryTagInStep) {
    table->setActiveTag("CODE");
    ASSERT_TRUE(table->findKey(std::string("AA")));
    table->edit();
    table->setString("CODE", "ZZ");
    table->setNumber("QTY", 0);
    table->post();
    EXPECT_EQ(table->asString("CODE"), "ZZ") << "the cursor follows the edited record";
    EXPECT_EQ(codesInOrder(*table), (std::vector<std::string>{"AB", "BB", "CA", "ZZ"}));

    Table other(db, "CODE");
    other.setActiveTag("QTY");
    EXPECT_EQ(codesInOrder(other), (std::vector<std::string>{"AB", "BB", "CA", "ZZ"}));
    ASSERT_TRUE(other.findKey(0.0));
    EXPECT_EQ(other.asString("CODE"), "ZZ");

    table->findKey(std::string("BB"));
    table->deleteRecord();
    EXPECT_EQ(codesInOrder(*table), (std::vector<std::string>{"AB", "CA", "ZZ"}));
    table->setShowDeleted(true);
    EXPECT_EQ(codesInOrder(*table), (std::vector<std::string>{"AB", "BB", "CA", "ZZ"}));
}

TEST_F(IndexedTable, DetailFollowsItsMaster) {
    auto lines = db.createTable("lines", {{"CODE", 'C', 8, 0}, {"LINE", 'N', 3, 0}}, {{"CODE", "CODE", false, false, ""}});
    for (auto [code, line] : std::vector<std::pair<const char*, int>>{{"AB", 1}, {"BB", 1}, {"AB", 2}}) {
        lines->append();
        lines->setString("CODE", code);
        lines->setNumber("LINE", line);
        lines->post();
    }
    lines->setActiveTag("CODE");
    table->setActiveTag("CODE");
    lines->setMasterLink(*table, {"CODE"}, {"CODE"});
    EXPECT_EQ(lines->visibleRecordCount(), 0u) << "master on AA";
    table->next();
    EXPECT_EQ(lines->visibleRecordCount(), 2u);
    EXPECT_EQ(lines->asString("CODE"), "AB");
    table->next();
    EXPECT_EQ(lines->visibleRecordCount(), 1u);
}

}  // namespace
}  // namespace brimo::data
