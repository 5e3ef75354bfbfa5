#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Cli.h"
#include "ToolTest.h"
#include "data/Database.h"
#include "data/Table.h"

namespace brimo::dbtool::testing {
namespace {

// The key typed on the command line becomes a key of the tag's type.
TEST(SeekTest, DateKeysAcceptBothWrittenForms) {
    TempDir dir;
    {
        data::Database db(dir.path());
        data::TagSpec byDate;
        byDate.name = "DUE";
        byDate.expression = "DUE";
        auto t = db.createTable("BILLS", {{"NAME", 'C', 10, 0}, {"DUE", 'D', 8, 0}}, {byDate});
        const std::pair<const char*, std::chrono::year_month_day> bills[] = {
            {"rent", std::chrono::year(2025) / 3 / 1},
            {"power", std::chrono::year(2025) / 1 / 15},
            {"water", std::chrono::year(2025) / 2 / 10},
        };
        for (const auto& [name, due] : bills) {
            t->append();
            t->setString("NAME", name);
            t->setDate("DUE", due);
            t->post();
        }
    }
    const auto table = dir.file("BILLS.DBF");
    struct Case {
        const char* key;
        int status;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"2025-02-10", kExitOk, {"3", "water,2025-02-10"}},
        {"20250211", kExitOk, {"1", "rent,2025-03-01"}},
        {"1999-12-31", kExitOk, {"2", "power,2025-01-15"}},
        {"2025-03-02", kExitFailure, {}},
        {"2025-02-30", kExitUsage, {}},
        {"10.2.2025", kExitUsage, {}},
    };
    for (const auto& c : cases) {
        auto result = runTool({"seek", table, "due", c.key});
        EXPECT_EQ(result.status, c.status) << c.key << ": " << result.err;
        EXPECT_EQ(lines(result.out), c.lines) << c.key;
    }
}

}  // namespace
}  // namespace brimo::dbtool::testing
