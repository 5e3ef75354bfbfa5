#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Table.h"

#include "TestDir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

namespace brimo::data {
namespace {

using namespace std::chrono_literals;

const std::vector<FieldSpec> kFields = {
    {"CODE", 'C', 10, 0}, {"QTY", 'N', 8, 2}, {"COUNT", 'N', 6, 0}, {"SMALL", 'N', 3, 0},
    {"ACTIVE", 'L', 0, 0}, {"ADDED", 'D', 0, 0}, {"NOTES", 'M', 0, 0}, {"PICTURE", 'B', 0, 0},
};

std::span<const std::byte> bytesOf(std::string_view s) { return std::as_bytes(std::span(s.data(), s.size())); }

TEST(Changes, AppendEditDeleteRecallSurviveReopening) {
    test::TestDir dir;
    Database db(dir.path());
    {
        auto t = db.createTable("stock", kFields);
        for (int i = 1; i <= 3; ++i) {
            t->append();
            zeroNumericFields(*t);
            t->setString("code", "C" + std::to_string(i));
            t->setNumber("QTY", i * 1.5);
            t->setDate("ADDED", std::chrono::year_month_day(2024y / 2 / 29));
            t->setString("NOTES", "note " + std::to_string(i));
            t->setBytes("PICTURE", bytesOf(std::string("\x00\x1A\xFF", 3)));
            t->post();
        }
        t->gotoRecord(2);
        t->edit();
        t->setString("NOTES", std::string(2000, 'x'));
        t->setBool("ACTIVE", true);
        t->post();
        t->gotoRecord(3);
        t->deleteRecord();
    }
    Table t(db, "STOCK.DBF");
    EXPECT_TRUE(db.tableExists("Stock"));
    EXPECT_EQ(t.recordCount(), 3u);
    EXPECT_EQ(t.visibleRecordCount(), 2u);
    t.gotoRecord(2);
    EXPECT_EQ(t.asString("CODE"), "C2");
    EXPECT_EQ(t.asNumber("QTY"), 3.0);
    EXPECT_EQ(t.asInteger("COUNT"), 0) << "zeroed as a 32-bit integer field";
    EXPECT_TRUE(t.isEmpty("SMALL")) << "a 16-bit integer field is left alone";
    EXPECT_TRUE(t.asBool("ACTIVE"));
    EXPECT_EQ(t.asDate("ADDED"), std::chrono::year_month_day(2024y / 2 / 29));
    EXPECT_EQ(t.asString("NOTES"), std::string(2000, 'x'));
    EXPECT_EQ(t.asBytes("PICTURE").size(), 3u);
    t.gotoRecord(3);
    EXPECT_TRUE(t.isDeleted());
    t.recall(3);
    EXPECT_FALSE(t.isDeleted());
    EXPECT_EQ(t.visibleRecordCount(), 3u);
}

TEST(Changes, ReplacedMemoBlocksAreReused) {
    test::TestDir dir;
    Database db(dir.path());
    auto t = db.createTable("memo", {{"NOTES", 'M', 0, 0}});
    t->append();
    t->setString("NOTES", std::string(3000, 'a'));
    t->post();
    const auto sizeAfterFirst = std::filesystem::file_size(dir / "MEMO.DBT");
    for (int round = 0; round < 5; ++round) {
        t->edit();
        t->setString("NOTES", std::string(3000, static_cast<char>('b' + round)));
        t->post();
    }
    EXPECT_LE(std::filesystem::file_size(dir / "MEMO.DBT"), 2 * sizeAfterFirst);
    EXPECT_EQ(t->asString("NOTES"), std::string(3000, 'f'));
}

TEST(Changes, WritesNeedEditStateAndFitTheField) {
    test::TestDir dir;
    Database db(dir.path());
    auto t = db.createTable("w", kFields);
    t->append();
    EXPECT_THROW(t->setNumber("QTY", 1e9), DatabaseError);
    EXPECT_THROW(t->setString("ADDED", "2024-01-01"), DatabaseError);
    EXPECT_THROW(t->setString("NOSUCH", "x"), DatabaseError);
    t->post();
    EXPECT_THROW(t->setString("CODE", "x"), DatabaseError);
    EXPECT_THROW(db.createTable("bad", {{"TOO_LONG_NAME", 'C', 5, 0}}), DatabaseError);
    EXPECT_THROW(db.createTable("bad", {{"X", 'C', 0, 0}}), DatabaseError);
}

TEST(Changes, RecordLockOfAnotherCursorIsRefused) {
    test::TestDir dir;
    Database db(dir.path());
    auto a = db.createTable("lock", kFields);
    a->append();
    a->post();
    Table b(db, "lock");
    a->edit();
    EXPECT_THROW(b.edit(), DatabaseError);
    a->cancel();
    b.edit();
    b.post();
    b.lockTable();
    EXPECT_THROW(a->lockTable(), DatabaseError);
    b.unlockTable();
    a->lockTable();
}

TEST(Changes, FilterAndPhysicalNavigation) {
    test::TestDir dir;
    Database db(dir.path());
    auto t = db.createTable("f", kFields);
    for (int i = 1; i <= 6; ++i) {
        t->append();
        t->setNumber("QTY", i);
        t->setBool("ACTIVE", i % 2 == 0);
        t->post();
    }
    t->setFilter("Qty > 1 and Active = True and qty < 6");
    std::vector<double> seen;
    for (t->first(); !t->eof(); t->next()) seen.push_back(t->asNumber("QTY"));
    EXPECT_EQ(seen, (std::vector<double>{2, 4}));
    t->last();
    EXPECT_EQ(t->asNumber("QTY"), 4);
    t->prior();
    EXPECT_EQ(t->asNumber("QTY"), 2);
    t->prior();
    EXPECT_TRUE(t->bof());
    EXPECT_THROW(t->setFilter("Qty >> 1"), DatabaseError);
    t->clearFilter();
    EXPECT_EQ(t->visibleRecordCount(), 6u);
}

TEST(Changes, ProcessesAppendingAtOnceLoseNothing) {
    test::TestDir dir;
    Database db(dir.path());
    db.createTable("shared", kFields);
    constexpr int kProcesses = 4, kEach = 50;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                Table t(db, "shared");
                for (int i = 0; i < kEach; ++i) {
                    t.append();
                    t.setString("CODE", std::to_string(p * 1000 + i));
                    t.setString("NOTES", "from " + std::to_string(p));
                    t.post();
                }
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    Table t(db, "shared", OpenMode::ReadOnly);
    EXPECT_EQ(t.recordCount(), static_cast<uint32_t>(kProcesses * kEach));
    std::set<std::string> codes;
    for (t.first(); !t.eof(); t.next()) {
        codes.insert(t.asString("CODE"));
        EXPECT_EQ(t.asString("NOTES"), "from " + std::to_string(std::stoi(t.asString("CODE")) / 1000));
    }
    EXPECT_EQ(codes.size(), static_cast<size_t>(kProcesses * kEach));
}

}  // namespace
}  // namespace brimo::data
