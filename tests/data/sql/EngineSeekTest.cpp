#include <gtest/gtest.h>

#include "../TestDir.h"
#include "data/Database.h"
#include "data/Table.h"
#include "data/sql/SqlConnection.h"

// Seeks through the tags of a real table give the rows a scan gives: the same
// statement with the column written as +column (which SQLite cannot hand to
// the table as a constraint) is the reference.

namespace brimo::data::sql {
namespace {

using std::chrono::year_month_day;

class EngineSeekTest : public testing::Test {
  protected:
    EngineSeekTest() {
        Database db(dir.path());
        auto t = db.createTable("T", {{"NUM", 'N', 8}, {"NAME", 'C', 12}, {"DATEIN", 'D'}, {"AMOUNT", 'N', 10, 2}},
                                {{"NUM", "NUM", false, false, ""},
                                 {"NAME", "NAME", false, false, ""},
                                 {"DATEIN", "DATEIN", false, false, ""},
                                 {"AMOUNT", "AMOUNT", false, false, ""}});
        const char* names[] = {"Smith", "Smithson", "Smyth", "Ånström", "Adams", "smith", "Zeta", ""};
        for (int i = 1; i <= 240; ++i) {
            t->append();
            if (i % 11 != 0) {  // every eleventh record stays blank
                t->setNumber("NUM", (i * 37) % 50);
                t->setString("NAME", names[i % 8]);
                t->setDate("DATEIN", year_month_day{std::chrono::year(2024), std::chrono::month(1 + i % 12),
                                                    std::chrono::day(1 + i % 28)});
                t->setNumber("AMOUNT", (i % 17) * 2.5 - 10);
            }
            t->post();
            if (i % 9 == 0)
                t->deleteRecord();
        }
    }

    std::vector<SqlRow> rows(const std::string& sql) { return connection.run(sql).rows->fetchAll(); }

    std::string plan(const std::string& sql) {
        std::string detail;
        for (const SqlRow& row : rows("explain query plan " + sql)) detail += std::get<std::string>(row[3]) + "; ";
        return detail;
    }

    test::TestDir dir;
    SqlConnection connection{dir.path()};
};

TEST_F(EngineSeekTest, SeeksGiveTheRowsOfAScan) {
    const struct {
        const char* condition;  // with $ where the column goes
        const char* column;
        const char* tag;  // the tag the plan seeks in; empty when none serves the condition
    } cases[] = {
        {"$ = 12", "num", "NUM"},
        {"$ = 0", "num", "NUM"},
        {"$ in (3, 7, 49)", "num", "NUM"},
        {"$ > 12 and $ <= 30", "num", "NUM"},
        {"$ >= 12 and $ < 30", "num", "NUM"},
        {"$ > 40", "num", "NUM"},
        {"$ < 5", "num", "NUM"},
        {"$ between -5 and 2.5", "amount", "AMOUNT"},
        {"$ > -2.5", "amount", "AMOUNT"},
        {"$ = 'Smith'", "name", "NAME"},
        {"$ = 'Ånström'", "name", "NAME"},
        {"$ = ''", "name", "NAME"},
        {"$ like 'Sm%'", "name", "NAME"},
        {"$ > 'Smith' and $ < 'Z'", "name", "NAME"},
        {"$ >= 'a'", "name", "NAME"},
        {"$ < 'Å'", "name", "NAME"},
        {"$ = '2024-03-04'", "datein", "DATEIN"},
        {"$ between '2024-02-01' and '2024-05-31'", "datein", "DATEIN"},
        {"$ > '2024-11-15'", "datein", "DATEIN"},
        {"$ is null", "datein", ""},
    };
    for (const auto& c : cases) {
        auto query = [&](const std::string& column) {
            std::string condition = c.condition;
            for (size_t at; (at = condition.find('$')) != std::string::npos;) condition.replace(at, 1, column);
            return "select rowid, num, name, datein, amount from t where " + condition + " order by rowid";
        };
        const std::string sought = query(c.column);
        EXPECT_EQ(rows(sought), rows(query(std::string("+") + c.column))) << sought;
        if (*c.tag) {
            EXPECT_NE(plan(sought).find(std::string(":") + c.tag), std::string::npos) << sought << ": " << plan(sought);
        }
    }
}

TEST_F(EngineSeekTest, NumericTagsGiveTheOrderOfOrderBy) {
    for (const char* direction : {"", " desc"}) {
        const std::string sought = std::string("select num, rowid from t order by num") + direction + ", rowid";
        const std::string scanned = std::string("select num, rowid from t order by +num") + direction + ", rowid";
        EXPECT_EQ(rows(sought), rows(scanned)) << sought;
    }
    EXPECT_EQ(rows("select max(num), min(amount) from t"), rows("select max(+num), min(+amount) from t"));
    EXPECT_EQ(rows("select num from t where num < 20 order by num desc limit 3"),
              (std::vector<SqlRow>{{int64_t{19}}, {int64_t{19}}, {int64_t{19}}}));
}

TEST_F(EngineSeekTest, ChangesMadeDuringTheConnectionAreSeen) {
    const auto twelve = rows("select rowid from t where +num = 12");
    ASSERT_FALSE(twelve.empty());
    EXPECT_EQ(connection.run("update t set num = 1000 where num = 12").changedRows,
              static_cast<int64_t>(twelve.size()));
    EXPECT_EQ(rows("select rowid from t where num = 1000"), twelve);
    EXPECT_EQ(rows("select count(*) from t where num = 12"), (std::vector<SqlRow>{{int64_t{0}}}));
    EXPECT_EQ(rows("select count(*) from t where num = 1000"), rows("select count(*) from t where +num = 1000"));
    connection.run("delete from t where num = 1000");
    EXPECT_EQ(rows("select count(*) from t where num >= 1000"), (std::vector<SqlRow>{{int64_t{0}}}));
}

}  // namespace
}  // namespace brimo::data::sql
