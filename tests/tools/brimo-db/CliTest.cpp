#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Cli.h"
#include "ToolTest.h"

namespace brimo::dbtool::testing {
namespace {

using ::testing::HasSubstr;

TEST(CliTest, WrongCommandLinesExitWithStatusTwoAndTheUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate", "x.dbf"},
        {"info"},
        {"info", "a.dbf", "b.dbf"},
        {"seek", "a.dbf", "TAG"},
        {"dump", "a.dbf", "--tag"},
        {"dump", "a.dbf", "--records", "5"},
        {"check"},
        {"sample", "dir", "--records", "many"},
        {"sample", "dir", "--records", "0"},
        {"sample", "dir", "--records", "-3"},
    };
    for (const auto& args : cases) {
        auto result = runTool(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(result.status, kExitUsage) << joined;
        EXPECT_THAT(result.err, HasSubstr("Usage: brimo-db")) << joined;
        EXPECT_TRUE(result.out.empty()) << joined;
    }
}

TEST(CliTest, HelpListsEveryCommand) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"--help"}, {"dump", "-h"}}) {
        auto result = runTool(args);
        EXPECT_EQ(result.status, kExitOk);
        for (const char* command : {"info", "dump", "seek", "check", "reindex", "sample"})
            EXPECT_THAT(result.out, HasSubstr(std::string("  ") + command + " ")) << command;
    }
}

TEST(CliTest, AMissingTableIsAnErrorNotAUsageError) {
    TempDir dir;
    auto result = runTool({"info", dir.file("NOSUCH.DBF")});
    EXPECT_EQ(result.status, kExitFailure);
    EXPECT_THAT(result.err, HasSubstr("brimo-db: "));
}

}  // namespace
}  // namespace brimo::dbtool::testing
