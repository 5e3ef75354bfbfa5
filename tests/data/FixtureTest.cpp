#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Table.h"

#include "TestDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace brimo::data {
namespace {

namespace fs = std::filesystem;
using std::chrono::year_month_day;
using namespace std::chrono_literals;

const fs::path kFixtures = BRIMO_FIXTURES_DIR;

// Copies fixture files into a fresh directory so that writes never touch them.
void copyFixtures(const test::TestDir& dir, const std::string& folder, std::initializer_list<const char*> files) {
    for (const char* f : files) {
        fs::copy_file(kFixtures / folder / f, dir / f);
        fs::permissions(dir / f, fs::perms::owner_read | fs::perms::owner_write);
    }
}

TEST(Fixtures, DosDbaseTableReadsFieldForField) {
    test::TestDir dir;
    copyFixtures(dir, "dbase-iv-mdx", {"TEST.DBF"});
    Database db(dir.path());
    Table t(db, "test", OpenMode::ReadOnly);
    ASSERT_EQ(t.fields().size(), 2u);
    EXPECT_EQ(t.fields()[0].name, "TEST1");
    EXPECT_EQ(t.fields()[0].type, 'C');
    EXPECT_EQ(t.fields()[0].length, 50);
    EXPECT_EQ(t.fields()[1].offset, 51u);
    EXPECT_EQ(t.recordCount(), 3u);
    struct Row {
        const char* text;
        double number;
    };
    const Row rows[] = {{"test1", 10}, {"test2", 20}, {"0test3", 15}};
    for (const Row& row : rows) {
        ASSERT_FALSE(t.eof());
        EXPECT_EQ(t.asString("test1"), row.text);
        EXPECT_EQ(t.asNumber("Test2"), row.number);
        EXPECT_EQ(t.asInteger(1), static_cast<int32_t>(row.number));
        t.next();
    }
    EXPECT_TRUE(t.eof());
}

TEST(Fixtures, Level3MemoTableReadsTextMemos) {
    test::TestDir dir;
    copyFixtures(dir, "memo-and-level7", {"dbase_83.dbf", "dbase_83.dbt"});
    Database db(dir.path());
    Table t(db, "DBASE_83", OpenMode::ReadOnly);
    EXPECT_TRUE(t.openProblems().empty());
    EXPECT_EQ(t.recordCount(), 67u);
    int memos = 0;
    for (t.first(); !t.eof(); t.next()) {
        for (const FieldDef& f : t.fields()) {
            if (f.type != 'M' || t.isEmpty(f.name)) continue;
            std::string memo = t.asString(f.name);
            EXPECT_FALSE(memo.empty());
            EXPECT_EQ(memo.find('\x1A'), std::string::npos);
            ++memos;
        }
    }
    EXPECT_GT(memos, 0);
}

TEST(Fixtures, Level4MemoTableReadsEveryType) {
    test::TestDir dir;
    copyFixtures(dir, "memo-and-level7", {"dbase_8b.dbf", "dbase_8b.dbt"});
    Database db(dir.path());
    Table t(db, "dbase_8b", OpenMode::ReadOnly);
    EXPECT_EQ(t.recordCount(), 10u);
    EXPECT_EQ(t.asString("CHARACTER"), "One");
    EXPECT_EQ(t.asNumber("NUMERICAL"), 1);
    EXPECT_EQ(t.asDate("DATE"), year_month_day(1970y / 1 / 1));
    EXPECT_TRUE(t.asBool("LOGICAL"));
    EXPECT_DOUBLE_EQ(t.asNumber("FLOAT"), 1.23456789012346);
    EXPECT_EQ(t.asString("MEMO"), "First memo\r\n");
}

TEST(Fixtures, Level7TableOpensWithoutItsMissingMemoAndIndex) {
    test::TestDir dir;
    copyFixtures(dir, "memo-and-level7", {"dbase_8c.dbf"});
    Database db(dir.path());
    Table t(db, "dbase_8c", OpenMode::ReadWrite);
    EXPECT_EQ(t.openProblems().size(), 2u);
    ASSERT_EQ(t.fields()[0].name, "ID");
    EXPECT_EQ(t.fields()[0].type, '+');
    EXPECT_EQ(t.fields()[3].name, "Length CM");
    EXPECT_EQ(t.recordCount(), 10u);
    EXPECT_EQ(t.asInteger("id"), 1);
    EXPECT_EQ(t.asString("Name"), "Clown Triggerfish");
    EXPECT_EQ(t.asNumber("Length CM"), 100);
    EXPECT_THROW(t.asString("Description"), DatabaseError);
    EXPECT_THROW(t.edit(), DatabaseError) << "writes are refused while the index is missing";
}

}  // namespace
}  // namespace brimo::data
