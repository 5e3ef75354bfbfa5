// Writers killed in the middle of a change: the table must open, a second
// writer must roll the change back or keep it whole, every tag must agree with
// the records, and no other record may change.
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Table.h"
#include "data/index/MdxIndex.h"
#include "data/io/File.h"

#include "TestDir.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <random>

namespace brimo::data {
namespace {

const std::vector<FieldSpec> kFields = {{"CODE", 'C', 10, 0}, {"QTY", 'N', 8, 2}, {"NOTES", 'M', 0, 0}};
const std::vector<TagSpec> kTags = {
    {"CODE", "CODE", false, false, ""},
    {"QTY", "QTY", false, true, ""},
    {"LIVE", "UPPER(CODE)+STR(QTY,8,2)", false, false, ".NOT. DELETED()"},
};

struct Row {
    std::string code;
    double qty = 0;
    std::string notes;
    bool deleted = false;
    bool operator==(const Row&) const = default;
};
using Rows = std::vector<Row>;

std::ostream& operator<<(std::ostream& out, const Row& r) {
    return out << (r.deleted ? "*" : "") << r.code << "/" << r.qty << "/notes:" << r.notes.size();
}

Rows readRows(Table& t) {
    t.setShowDeleted(true);
    Rows rows;
    for (uint32_t r = 1; r <= t.recordCount(); ++r) {
        t.gotoRecord(r);
        rows.push_back({t.asString("CODE"), t.asNumber("QTY"), t.asString("NOTES"), t.isDeleted()});
    }
    return rows;
}

class StoredRecords : public index::RecordSource {
  public:
    explicit StoredRecords(const Table& t) : t_(t) {}
    uint32_t recordCount() const override { return t_.recordCount(); }
    void forEachRecord(const Visitor& visit) const override {
        uint32_t recno = 0;
        t_.scan([&](std::span<const std::byte> record) { visit(++recno, record); });
    }

  private:
    const Table& t_;
};

std::vector<std::string> indexProblems(const Database& db, const Table& t) {
    auto mdx = index::MdxIndex::open(db.findFile("STOCK.MDX"), t.fields(), false);
    StoredRecords records(t);
    return mdx.check(&records);
}

// One change of the workload, drawn from a seeded generator so that the
// parent can replay what a killed child was doing.
struct Change {
    enum Kind { Append, Edit, Delete, Recall } kind = Append;
    uint32_t recno = 0;  // the record it writes
    Row row;             // its new contents
};

class Workload {
  public:
    explicit Workload(uint32_t seed) : rng_(seed) {}

    Change next(const Rows& rows) {
        Change c;
        const uint32_t n = static_cast<uint32_t>(rows.size());
        const int pick = n < 5 ? 0 : static_cast<int>(rng_() % 10);
        c.recno = n == 0 ? 1 : 1 + static_cast<uint32_t>(rng_() % n);
        if (pick < 4) {
            c.kind = Change::Append;
            c.recno = n + 1;
            c.row = freshRow();
        } else if (pick < 7) {
            c.kind = Change::Edit;
            c.row = freshRow();
            c.row.deleted = rows[c.recno - 1].deleted;
        } else {
            c.row = rows[c.recno - 1];
            c.kind = c.row.deleted ? Change::Recall : Change::Delete;
            c.row.deleted = !c.row.deleted;
        }
        return c;
    }

    static void apply(const Change& c, Rows& rows) {
        if (c.kind == Change::Append) {
            rows.push_back(c.row);
        } else {
            rows[c.recno - 1] = c.row;
        }
    }

    static void perform(const Change& c, Table& t) {
        switch (c.kind) {
            case Change::Append:
            case Change::Edit:
                if (c.kind == Change::Append) {
                    t.append();
                } else {
                    t.gotoRecord(c.recno);
                    t.edit();
                }
                t.setString("CODE", c.row.code);
                t.setNumber("QTY", c.row.qty);
                t.setString("NOTES", c.row.notes);
                t.post();
                break;
            case Change::Delete:
                t.gotoRecord(c.recno);
                t.deleteRecord();
                break;
            case Change::Recall:
                t.recall(c.recno);
                break;
        }
    }

  private:
    Row freshRow() {
        Row r;
        r.code = "K" + std::to_string(rng_() % 100000);
        r.qty = static_cast<double>(rng_() % 100000) / 100;
        const size_t noteLength = rng_() % 3 == 0 ? 0 : rng_() % 1500;
        r.notes = std::string(noteLength, static_cast<char>('a' + rng_() % 26));
        return r;
    }
    std::mt19937 rng_;
};

// After a writer died: a second writer opens the table (and rolls back what
// it must); every record except `touched` is as in `before`, `touched` is as
// in `before` or in `after`, and the tags agree with the records. Returns the
// rows found.
Rows verifyAfterCrash(const Database& db, const Rows& before, const Rows& after, uint32_t touched) {
    Table t(db, "stock");
    Rows found = readRows(t);
    EXPECT_TRUE(found.size() == before.size() || found.size() == after.size()) << found.size();
    for (size_t i = 0; i < found.size() && i < after.size(); ++i) {
        if (i + 1 == touched) {
            const bool either = (i < before.size() && found[i] == before[i]) || found[i] == after[i];
            EXPECT_TRUE(either) << "record " << touched << " is " << found[i];
        } else {
            EXPECT_EQ(found[i], before[i]) << "record " << i + 1 << " changed";
        }
    }
    EXPECT_EQ(indexProblems(db, t), std::vector<std::string>{});
    return found;
}

void fillTable(const Database& db, Workload& workload, int changes) {
    auto t = db.createTable("stock", kFields, kTags);
    Rows rows;
    for (int i = 0; i < changes; ++i) {
        Change c = workload.next(rows);
        Workload::perform(c, *t);
        Workload::apply(c, rows);
    }
}

// The counter a child shares with its parent: how many changes it finished.
struct Progress {
    std::atomic<uint32_t> done{0};
};

Progress* sharedProgress() {
    void* p = mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    return new (p) Progress;
}

// Runs `changes` changes of `seed` in a child that dies by SIGKILL: through
// the write-fault budget when `faultBudget` is set, else by the parent's kill
// once it finished `killAfter` changes. Returns the changes it finished.
uint32_t runKilledChild(const Database& db, const Rows& rows, uint32_t seed, int changes,
                        std::optional<uint64_t> faultBudget, uint32_t killAfter) {
    Progress* progress = sharedProgress();
    pid_t pid = fork();
    if (pid == 0) {
        try {
            Table t(db, "stock");
            Workload workload(seed);
            Rows model = rows;
            if (faultBudget)
                io::File::failWritesAfter(*faultBudget, io::File::FaultAction::Kill);
            for (int i = 0; i < changes; ++i) {
                Change c = workload.next(model);
                Workload::perform(c, t);
                Workload::apply(c, model);
                progress->done.store(static_cast<uint32_t>(i + 1));
            }
        } catch (...) {
            _exit(2);
        }
        _exit(0);
    }
    if (!faultBudget) {
        while (progress->done.load() < killAfter) sched_yield();
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << "the child failed before it was killed";
    const uint32_t done = progress->done.load();
    munmap(progress, sizeof(Progress));
    return done;
}

TEST(Crash, KilledWritersLeaveConsistentTables) {
    test::TestDir dir;
    Database db(dir.path());
    Workload setup(1);
    fillTable(db, setup, 40);
    Rows rows;
    {
        Table t(db, "stock");
        rows = readRows(t);
    }
    std::mt19937 rng(7);
    constexpr int kRounds = 24, kChanges = 60;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const uint32_t seed = 100 + static_cast<uint32_t>(round);
        const bool byFault = round % 2 == 0;
        const uint32_t done =
            runKilledChild(db, rows, seed, kChanges, byFault ? std::optional<uint64_t>(rng() % 120000) : std::nullopt,
                           static_cast<uint32_t>(rng() % (kChanges - 1)));
        // Replay: the rows after `done` changes, and after the one in progress.
        Workload replay(seed);
        Rows before = rows;
        for (uint32_t i = 0; i < done; ++i) Workload::apply(replay.next(before), before);
        if (done == kChanges) {
            rows = verifyAfterCrash(db, before, before, 0);
            continue;
        }
        Change inProgress = replay.next(before);
        Rows after = before;
        Workload::apply(inProgress, after);
        rows = verifyAfterCrash(db, before, after, inProgress.recno);
        if (HasFailure())
            break;
    }
}

// The rows of the table in `from` (opened read-only: nothing is rolled back).
Rows rowsIn(const std::filesystem::path& from) {
    Database db(from);
    Table t(db, "stock", OpenMode::ReadOnly);
    return readRows(t);
}

void copyFiles(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::remove_all(to);
    std::filesystem::create_directories(to);
    for (const auto& entry : std::filesystem::directory_iterator(from))
        std::filesystem::copy_file(entry.path(), to / entry.path().filename());
}

std::vector<size_t> writeSizes;
void recordWrite(size_t bytes) {
    writeSizes.push_back(bytes);
}

// A change that writes memos, keys in every tag and, for the append, a split
// node: killed after every write and in the middle of every write.
TEST(Crash, EveryWriteOfOnePostIsAFaultBoundary) {
    test::TestDir dir;
    const auto work = dir / "work", snapshot = dir / "snapshot", trial = dir / "trial";
    std::filesystem::create_directories(work);
    Workload setup(3);
    fillTable(Database(work), setup, 30);

    struct Case {
        const char* name;
        Change change;
    };
    const Rows initial = rowsIn(work);
    const auto live = std::find_if(initial.begin() + 1, initial.end(), [](const Row& r) { return !r.deleted; });
    ASSERT_NE(live, initial.end());
    Row deleted = *live;
    deleted.deleted = true;
    std::vector<Case> cases = {
        {"edit", {Change::Edit, 3, {"ZZ-EDITED", 12.5, std::string(700, 'e'), initial[2].deleted}}},
        {"delete", {Change::Delete, static_cast<uint32_t>(live - initial.begin()) + 1, deleted}},
        {"append", {Change::Append, 0, {"A-NEW", 1, std::string(900, 'n'), false}}},
    };

    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        // For the append, grow the table until the next append splits a node.
        for (;;) {
            copyFiles(work, snapshot);
            if (c.change.kind != Change::Append)
                break;
            const auto indexSize = std::filesystem::file_size(work / "STOCK.MDX");
            Database db(work);
            Table t(db, "stock");
            c.change.recno = t.recordCount() + 1;
            Workload::perform(c.change, t);
            if (std::filesystem::file_size(work / "STOCK.MDX") > indexSize)
                break;
        }
        const Rows before = rowsIn(snapshot);
        Rows after = before;
        Workload::apply(c.change, after);

        // The writes of the post, measured on a copy.
        copyFiles(snapshot, trial);
        {
            Database db(trial);
            Table t(db, "stock");
            writeSizes.clear();
            io::File::observeWrites(recordWrite);
            Workload::perform(c.change, t);
            io::File::observeWrites(nullptr);
        }
        ASSERT_GE(writeSizes.size(), 5u);
        std::vector<uint64_t> budgets;
        uint64_t boundary = 0;
        for (size_t size : writeSizes) {
            budgets.push_back(boundary);
            if (size > 1)
                budgets.push_back(boundary + size / 2);
            boundary += size;
        }
        for (uint64_t budget : budgets) {
            SCOPED_TRACE("killed after " + std::to_string(budget) + " bytes");
            copyFiles(snapshot, trial);
            Database db(trial);
            pid_t pid = fork();
            if (pid == 0) {
                try {
                    Table t(db, "stock");
                    io::File::failWritesAfter(budget, io::File::FaultAction::Kill);
                    Workload::perform(c.change, t);
                } catch (...) {
                    _exit(2);
                }
                _exit(0);
            }
            int status = 0;
            waitpid(pid, &status, 0);
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
            verifyAfterCrash(db, before, after, c.change.recno);
            if (HasFailure())
                return;
        }
        copyFiles(snapshot, work);
    }
}

// A post that fails (a full disk) is rolled back at once: the table and its
// tags are as before, and the cursor can post again once there is room.
TEST(Crash, FailedPostIsRolledBackAndCanBeRetried) {
    test::TestDir dir;
    Database db(dir.path());
    Workload setup(5);
    fillTable(db, setup, 20);
    Table t(db, "stock");
    const Rows before = readRows(t);
    t.gotoRecord(2);
    t.edit();
    t.setString("CODE", "RETRIED");
    t.setString("NOTES", std::string(800, 'r'));
    for (uint64_t budget : {0, 600, 1200, 2000}) {
        io::File::failWritesAfter(budget, io::File::FaultAction::Throw);
        EXPECT_THROW(t.post(), DatabaseError);
        io::File::clearWriteFault();
        EXPECT_EQ(t.state(), TableState::Edit);
        Table other(db, "stock");
        EXPECT_EQ(readRows(other), before) << "after " << budget << " bytes";
        EXPECT_EQ(indexProblems(db, other), std::vector<std::string>{});
    }
    t.post();
    Rows after = before;
    after[1].code = "RETRIED";
    after[1].notes = std::string(800, 'r');
    EXPECT_EQ(readRows(t), after);
    EXPECT_EQ(indexProblems(db, t), std::vector<std::string>{});
}

}  // namespace
}  // namespace brimo::data
