#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Cli.h"
#include "ToolTest.h"

namespace brimo::dbtool::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A table written by a DOS dBASE, with its production index of two tags.
class DosTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        table = dir.copyFixture("dbase-iv-mdx/TEST.DBF");
        dir.copyFixture("dbase-iv-mdx/TEST.MDX");
    }
    TempDir dir;
    std::string table;
};

TEST_F(DosTableTest, InfoListsHeaderFieldsAndTags) {
    auto result = runTool({"info", table});
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_THAT(lines(result.out),
                ElementsAre("table\tTEST.DBF", "version\t0x03", "level\t3", "records\t3", "record_length\t61",
                            "header_length\t97", "language_driver\t0x1B\t", "memo_file\tno", "production_index\tyes",
                            "field\tTEST1\tC\t50\t0", "field\tTEST2\tN\t10\t0", "tag\tTEST1\tTEST1\tC\tno\tno\t",
                            "tag\tTEST2\ttest2\tN\tno\tno\t"));
}

TEST_F(DosTableTest, DumpFollowsPhysicalOrderOrATag) {
    struct Case {
        std::vector<std::string> options;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {{}, {"TEST1,TEST2", "test1,10", "test2,20", "0test3,15"}},
        {{"--tag", "TEST2"}, {"TEST1,TEST2", "test1,10", "0test3,15", "test2,20"}},
        {{"--tag", "test1"}, {"TEST1,TEST2", "0test3,15", "test1,10", "test2,20"}},
        {{"--deleted"}, {"_deleted,TEST1,TEST2", ",test1,10", ",test2,20", ",0test3,15"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"dump", table};
        args.insert(args.end(), c.options.begin(), c.options.end());
        auto result = runTool(args);
        ASSERT_EQ(result.status, kExitOk) << result.err;
        EXPECT_EQ(lines(result.out), c.rows);
        EXPECT_NE(result.out.find("\r\n"), std::string::npos) << "RFC 4180 lines end in CR LF";
    }
}

TEST_F(DosTableTest, SeekFindsTheFirstRecordAtOrAfterTheKey) {
    struct Case {
        const char* tag;
        const char* key;
        int status;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"TEST2", "15", kExitOk, {"3", "0test3,15"}},
        {"TEST2", "11", kExitOk, {"3", "0test3,15"}},
        {"TEST2", "-4", kExitOk, {"1", "test1,10"}},
        {"TEST2", "21", kExitFailure, {}},
        {"TEST1", "test", kExitOk, {"1", "test1,10"}},
        {"TEST1", "test2", kExitOk, {"2", "test2,20"}},
        {"TEST1", "u", kExitFailure, {}},
    };
    for (const auto& c : cases) {
        auto result = runTool({"seek", table, c.tag, c.key});
        EXPECT_EQ(result.status, c.status) << c.tag << " " << c.key << ": " << result.err;
        EXPECT_EQ(lines(result.out), c.lines) << c.tag << " " << c.key;
    }
    EXPECT_EQ(runTool({"seek", table, "TEST2", "ten"}).status, kExitUsage);
    EXPECT_EQ(runTool({"seek", table, "NOSUCH", "1"}).status, kExitFailure);
}

TEST_F(DosTableTest, CheckFindsTheIndexSound) {
    auto result = runTool({"check", table});
    EXPECT_EQ(result.status, kExitOk) << result.out << result.err;
    EXPECT_EQ(result.out, "");
}

TEST(FixtureTest, CheckReportsExactlyTheMissingMemoAndIndexFiles) {
    TempDir dir;
    const auto table = dir.copyFixture("memo-and-level7/dbase_8c.dbf");
    auto result = runTool({"check", table});
    EXPECT_EQ(result.status, kExitFailure);
    auto problems = lines(result.out);
    ASSERT_EQ(problems.size(), 2u) << result.out;
    std::string all = problems[0] + "\n" + problems[1];
    for (auto& c : all) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_THAT(all, HasSubstr("dbase_8c.dbt"));
    EXPECT_THAT(all, HasSubstr("dbase_8c.mdx"));
    for (const auto& line : problems) EXPECT_TRUE(line.starts_with(table + ": ")) << line;
}

TEST(FixtureTest, CheckOfSoundMemoTablesIsClean) {
    TempDir dir;
    const auto level4 = dir.copyFixture("memo-and-level7/dbase_8b.dbf");
    dir.copyFixture("memo-and-level7/dbase_8b.dbt");
    const auto level3 = dir.copyFixture("memo-and-level7/dbase_83.dbf");
    dir.copyFixture("memo-and-level7/dbase_83.dbt");
    auto result = runTool({"check", level4, level3});
    EXPECT_EQ(result.status, kExitOk) << result.out;
}

TEST(FixtureTest, CheckReportsADamagedMemoReference) {
    TempDir dir;
    const auto table = dir.copyFixture("memo-and-level7/dbase_8b.dbf");
    const auto memo = dir.copyFixture("memo-and-level7/dbase_8b.dbt");
    std::filesystem::resize_file(memo, 512);  // only the header block remains
    auto result = runTool({"check", table});
    EXPECT_EQ(result.status, kExitFailure);
    EXPECT_THAT(result.out, HasSubstr("field MEMO"));
}

TEST(FixtureTest, DumpPrintsMemosAndLevelSevenTypes) {
    TempDir dir;
    const auto level4 = dir.copyFixture("memo-and-level7/dbase_8b.dbf");
    dir.copyFixture("memo-and-level7/dbase_8b.dbt");
    auto result = runTool({"dump", level4});
    ASSERT_EQ(result.status, kExitOk) << result.err;
    // A memo with a line break is quoted; a blank logical, date or number and
    // an empty memo print empty.
    EXPECT_TRUE(
        result.out.starts_with("CHARACTER,NUMERICAL,DATE,LOGICAL,FLOAT,MEMO\r\n"
                               "One,1.00,1970-01-01,T,1.234567890123460000,\"First memo\r\n\"\r\n"
                               "Two,2.00,1970-12-31,T,2.000000000000000000,Second memo\r\n"
                               "Three,3.00,1980-01-01,,3.000000000000000000,Thierd memo\r\n"))
        << result.out;
    EXPECT_TRUE(
        result.out.ends_with("Nine,9.00,,,,Nineth memo\r\nTen records stored in this database,10.00,,,"
                             "0.100000000000000000,\r\n"));

    // The level-7 table's memo file is missing: the other fields still print,
    // the memos print empty, and the status says the dump is incomplete.
    const auto level7 = dir.copyFixture("memo-and-level7/dbase_8c.dbf");
    result = runTool({"dump", level7});
    EXPECT_EQ(result.status, kExitFailure);
    auto rows = lines(result.out);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0], "ID,Name,Species,Length CM,Description,OLE Graphic");
    EXPECT_EQ(rows[1], "1,Clown Triggerfish,Ballistoides conspicillum,100.0000,,");
    EXPECT_FALSE(result.err.empty());
}

}  // namespace
}  // namespace brimo::dbtool::testing
