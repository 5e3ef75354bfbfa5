// Truncated, inconsistent and corrupted table and memo files: a clear
// DatabaseError naming the damage, never a crash or an endless loop.
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Table.h"
#include "data/dbf/Bytes.h"

#include "TestDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>

namespace brimo::data {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::byte>;

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Bytes bytes(chars.size());
    std::memcpy(bytes.data(), chars.data(), chars.size());
    return bytes;
}

void writeFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Opens the table and reads every field of every record, memos included.
void readEverything(const Database& db) {
    Table t(db, "T", OpenMode::ReadOnly);
    if (!t.openProblems().empty())
        throw DatabaseError(t.openProblems().front());
    for (t.first(); !t.eof(); t.next())
        for (size_t f = 0; f < t.fields().size(); ++f) t.asString(static_cast<int>(f));
}

// A table of three records with a memo each (level 4 memo file, 512-byte
// blocks: the memos of records 1..3 start at blocks 1, 2 and 4).
struct Pristine {
    Bytes dbf, dbt;
    uint16_t headerLength = 0, recordLength = 0;
};

Pristine makePristine() {
    test::TestDir dir;
    Database db(dir.path());
    {
        auto t = db.createTable("T", {{"CODE", 'C', 10, 0}, {"NOTES", 'M', 0, 0}});
        for (int i = 1; i <= 3; ++i) {
            t->append();
            t->setString("CODE", "C" + std::to_string(i));
            t->setString("NOTES", std::string(i == 2 ? 600 : 100, static_cast<char>('a' + i)));
            t->post();
        }
    }
    Pristine p{readFile(dir / "T.DBF"), readFile(dir / "T.DBT")};
    p.headerLength = dbf::readLE16(p.dbf.data() + 8);
    p.recordLength = dbf::readLE16(p.dbf.data() + 10);
    return p;
}

void setMemoReference(Pristine& p, uint32_t record, const std::string& text) {
    std::string field(10, ' ');
    field.replace(10 - std::min<size_t>(10, text.size()), std::min<size_t>(10, text.size()), text);
    const size_t at = p.headerLength + (record - 1) * size_t{p.recordLength} + 11;
    std::memcpy(p.dbf.data() + at, field.data(), field.size());
}

struct Case {
    const char* name;
    std::function<void(Pristine&)> damage;
    const char* message;  // part of the error
};

TEST(HostileFiles, DamageGivesAClearError) {
    const Pristine pristine = makePristine();
    const std::vector<Case> cases = {
        {"empty table file", [](Pristine& p) { p.dbf.clear(); }, "shorter than a table header"},
        {"table cut inside the header", [](Pristine& p) { p.dbf.resize(40); }, "ends inside its header"},
        {"unknown version byte", [](Pristine& p) { p.dbf[0] = std::byte{0x30}; }, "not a dBASE table"},
        {"count beyond the file", [](Pristine& p) { dbf::writeLE32(p.dbf.data() + 4, 1'000'000); },
         "counts 1000000 records"},
        {"records cut off", [](Pristine& p) { p.dbf.resize(p.dbf.size() - 20); }, "counts 3 records"},
        {"record length 0", [](Pristine& p) { dbf::writeLE16(p.dbf.data() + 10, 0); }, "record length is invalid"},
        {"absurd record length", [](Pristine& p) { dbf::writeLE16(p.dbf.data() + 10, 65535); }, "counts 3 records"},
        {"header shorter than its descriptors", [](Pristine& p) { dbf::writeLE16(p.dbf.data() + 8, 40); },
         "field description is cut off"},
        {"header length below 32", [](Pristine& p) { dbf::writeLE16(p.dbf.data() + 8, 3); },
         "header length is inconsistent"},
        {"no terminator and no fields", [](Pristine& p) { p.dbf[32] = std::byte{0x0D}; }, "has no fields"},
        {"field wider than the record", [](Pristine& p) { p.dbf[32 + 16] = std::byte{200}; }, "do not fit"},
        {"date field of width 3",
         [](Pristine& p) {
             p.dbf[32 + 11] = std::byte{'D'};
             p.dbf[32 + 16] = std::byte{3};
         },
         "invalid width"},
        {"memo block beyond the file", [](Pristine& p) { setMemoReference(p, 2, "99999"); }, "outside the file"},
        {"memo reference that is not a number", [](Pristine& p) { setMemoReference(p, 1, "12x4"); },
         "no valid memo reference"},
        {"absurd memo length", [](Pristine& p) { dbf::writeLE32(p.dbt.data() + 512 + 4, 0xFFFFFFF0u); },
         "invalid length"},
        {"memo length below its header", [](Pristine& p) { dbf::writeLE32(p.dbt.data() + 512 + 4, 3); },
         "invalid length"},
        {"memo block that starts no memo", [](Pristine& p) { p.dbt[512] = std::byte{0}; }, "does not start a memo"},
        {"memo file cut inside a memo", [](Pristine& p) { p.dbt.resize(2 * 512 + 100); }, "invalid length"},
        {"memo header cut off", [](Pristine& p) { p.dbt.resize(10); }, "header is cut off"},
        {"memo block size not a multiple of 64", [](Pristine& p) { dbf::writeLE16(p.dbt.data() + 20, 100); },
         "block size is invalid"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pristine damaged = pristine;
        c.damage(damaged);
        test::TestDir dir;
        writeFile(dir / "T.DBF", damaged.dbf);
        writeFile(dir / "T.DBT", damaged.dbt);
        Database db(dir.path());
        try {
            readEverything(db);
            ADD_FAILURE() << "no error";
        } catch (const DatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

// A free chain that loops or runs backwards is never followed: the writer
// appends, and the memos already there stay readable.
TEST(HostileFiles, BrokenFreeChainIsNotFollowed) {
    const Pristine pristine = makePristine();
    const std::vector<std::pair<const char*, std::function<void(Bytes&)>>> chains = {
        {"a run pointing at itself",
         [](Bytes& dbt) {
             dbt.resize(8 * 512);
             dbf::writeLE32(dbt.data(), 6);
             dbf::writeLE32(dbt.data() + 6 * 512, 6);
             dbf::writeLE32(dbt.data() + 6 * 512 + 4, 1);
         }},
        {"runs pointing backwards",
         [](Bytes& dbt) {
             dbt.resize(8 * 512);
             dbf::writeLE32(dbt.data(), 6);
             dbf::writeLE32(dbt.data() + 6 * 512, 5);
             dbf::writeLE32(dbt.data() + 6 * 512 + 4, 1);
             dbf::writeLE32(dbt.data() + 5 * 512, 6);
             dbf::writeLE32(dbt.data() + 5 * 512 + 4, 1);
         }},
        {"a run longer than the file",
         [](Bytes& dbt) {
             dbt.resize(7 * 512);
             dbf::writeLE32(dbt.data(), 6);
             dbf::writeLE32(dbt.data() + 6 * 512, 7);
             dbf::writeLE32(dbt.data() + 6 * 512 + 4, 1'000'000);
         }},
    };
    for (const auto& [name, damage] : chains) {
        SCOPED_TRACE(name);
        Bytes dbt = pristine.dbt;
        damage(dbt);
        test::TestDir dir;
        writeFile(dir / "T.DBF", pristine.dbf);
        writeFile(dir / "T.DBT", dbt);
        Database db(dir.path());
        {
            Table t(db, "T");
            t.gotoRecord(1);
            t.edit();
            t.setString("NOTES", std::string(1500, 'z'));
            t.post();
            t.append();
            t.setString("NOTES", "new");
            t.post();
        }
        Table t(db, "T", OpenMode::ReadOnly);
        const std::vector<std::string> expected = {std::string(1500, 'z'), std::string(600, 'c'), std::string(100, 'd'),
                                                   "new"};
        std::vector<std::string> notes;
        for (t.first(); !t.eof(); t.next()) notes.push_back(t.asString("NOTES"));
        EXPECT_EQ(notes, expected);
    }
}

// A level-3 memo without its end mark ends at the end of the file.
TEST(HostileFiles, Level3MemoWithoutEndMarkStopsAtTheEndOfTheFile) {
    test::TestDir dir;
    const fs::path fixtures = BRIMO_FIXTURES_DIR;
    Bytes dbf = readFile(fixtures / "memo-and-level7" / "dbase_83.dbf");
    Bytes dbt(3 * 512, std::byte{'x'});
    writeFile(dir / "T.DBF", dbf);
    writeFile(dir / "T.DBT", dbt);
    Database db(dir.path());
    Table t(db, "T", OpenMode::ReadOnly);
    for (t.first(); !t.eof(); t.next())
        for (size_t f = 0; f < t.fields().size(); ++f) {
            try {
                EXPECT_LE(t.asString(static_cast<int>(f)).size(), dbt.size());
            } catch (const DatabaseError&) {  // a block beyond this short file
            }
        }
}

}  // namespace
}  // namespace brimo::data
