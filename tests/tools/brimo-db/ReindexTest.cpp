#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Cli.h"
#include "ToolTest.h"
#include "data/Database.h"
#include "data/Table.h"

namespace brimo::dbtool::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class ReindexTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(runTool({"sample", dir.path().string(), "--records", "200"}).status, kExitOk); }
    TempDir dir;
};

// An older copy of the index put back over a table that has changed since:
// check sees the difference, reindex repairs it.
TEST_F(ReindexTest, RepairsAnIndexOlderThanItsTable) {
    const auto index = dir.path() / "CUST.MDX";
    const auto older = dir.path() / "older.mdx";
    std::filesystem::copy_file(index, older);
    {
        data::Database db(dir.path());
        auto cust = db.openTable("CUST");
        cust->append();
        cust->setNumber("CUSTNUM", 201);
        cust->setString("LASTNAME", "Aardvark Renovations");
        cust->post();
        cust->setActiveTag("CUSTNUM");
        ASSERT_TRUE(cust->findKey(5.0));
        cust->edit();
        cust->setString("LASTNAME", "Zuber");
        cust->post();
    }
    std::filesystem::copy_file(older, index, std::filesystem::copy_options::overwrite_existing);

    const auto table = dir.file("CUST.DBF");
    auto check = runTool({"check", table});
    EXPECT_EQ(check.status, kExitFailure);
    EXPECT_FALSE(check.out.empty());

    auto reindex = runTool({"reindex", table});
    ASSERT_EQ(reindex.status, kExitOk) << reindex.err;
    EXPECT_THAT(reindex.out, HasSubstr("rebuilt 3 tags"));
    check = runTool({"check", table});
    EXPECT_EQ(check.status, kExitOk) << check.out;
    EXPECT_THAT(lines(runTool({"seek", table, "FULLNAME", "AARDVARK"}).out).at(1),
                StartsWith("201,Aardvark Renovations,"));
    EXPECT_THAT(lines(runTool({"seek", table, "FULLNAME", "ZUBER"}).out).at(1), StartsWith("5,Zuber,"));
}

TEST_F(ReindexTest, RecreatesAMissingIndexFromTheCatalogue) {
    std::filesystem::remove(dir.path() / "CODE.MDX");
    const auto table = dir.file("CODE.DBF");
    auto check = runTool({"check", table});
    EXPECT_EQ(check.status, kExitFailure);
    EXPECT_EQ(lines(check.out).size(), 1u) << check.out;

    auto reindex = runTool({"reindex", table});
    ASSERT_EQ(reindex.status, kExitOk) << reindex.err;
    EXPECT_THAT(reindex.out, HasSubstr("CODE.MDX"));
    EXPECT_EQ(runTool({"check", table}).status, kExitOk);
    // Both clearance items are deleted, so the nearest live key is the first
    // contractor item in record order.
    EXPECT_THAT(lines(runTool({"seek", table, "PRICECAT", "CLEARANCE"}).out).at(1), StartsWith("PIPE-PVC1,"));
}

TEST(ReindexFixtureTest, AnUnreadableIndexOfAnUnknownTableIsAnError) {
    TempDir dir;
    const auto table = dir.copyFixture("dbase-iv-mdx/TEST.DBF");
    const auto index = dir.copyFixture("dbase-iv-mdx/TEST.MDX");
    std::filesystem::resize_file(index, 100);
    auto result = runTool({"reindex", table});
    EXPECT_EQ(result.status, kExitFailure);
    EXPECT_THAT(result.err, HasSubstr("TEST.DBF"));
}

TEST(ReindexFixtureTest, RebuildsARealDbaseIndex) {
    TempDir dir;
    const auto table = dir.copyFixture("dbase-iv-mdx/TEST.DBF");
    dir.copyFixture("dbase-iv-mdx/TEST.MDX");
    auto result = runTool({"reindex", table});
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(runTool({"check", table}).status, kExitOk);
    EXPECT_EQ(lines(runTool({"dump", table, "--tag", "TEST2"}).out),
              (std::vector<std::string>{"TEST1,TEST2", "test1,10", "0test3,15", "test2,20"}));
}

}  // namespace
}  // namespace brimo::dbtool::testing
