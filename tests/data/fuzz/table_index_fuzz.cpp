// The input is the production index of a sound table: the table is ordered by
// each of its tags, walked, searched and limited to a range, changed through a
// tag (an edit, an append, a delete) and queried by SQL on indexed columns.
#include "FuzzFiles.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Table.h"
#include "data/sql/SqlConnection.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace brimo::data;
namespace fs = std::filesystem;

// The fields of the fixture index, so that its tags are usable too.
const std::vector<FieldSpec> kFields = {
    {"TEST1", 'C', 50, 0}, {"TEST2", 'N', 10, 0}, {"CODE", 'C', 10, 0}, {"QTY", 'N', 8, 2}, {"ADDED", 'D', 8, 0}};

// A table of 120 records with tags of every key type, written once. Its index
// is the seed kept in tests/data/fuzz/inputs/table_index.
const fs::path& soundTable() {
    static const fs::path dir = [] {
        const fs::path d = fuzz::scratchDirectory() / "sound";
        fs::create_directories(d);
        Database db(d);
        auto t = db.createTable("T", kFields,
                                {{"TEST1", "TEST1"},
                                 {"TEST2", "TEST2"},
                                 {"CODE", "UPPER(CODE)+DTOS(ADDED)"},
                                 {"ADDED", "ADDED", false, true},
                                 {"OPEN", "QTY", false, false, "QTY > 10"}});
        for (int i = 0; i < 120; ++i) {
            t->append();
            t->setString("TEST1", "name" + std::to_string(i * 37 % 120));
            t->setNumber("TEST2", i % 50);
            t->setString("CODE", std::string(1, char('a' + i % 26)));
            t->setNumber("QTY", i * 0.25);
            t->setDate("ADDED", std::chrono::year{2020} / 1 / (1 + i % 28));
            t->post();
        }
        return d;
    }();
    return dir;
}

void walk(Table& t) {
    int steps = 0;
    for (t.first(); !t.eof() && steps < 400; t.next()) ++steps;
    for (t.last(); !t.bof() && steps < 800; t.prior()) ++steps;
}

void orderAndSearch(Table& t) {
    for (const std::string& tag : t.tagNames()) {
        try {
            t.setActiveTag(tag);
            walk(t);
            const KeyValue probe = tag == "TEST2"   ? KeyValue(25.0)
                                   : tag == "ADDED" ? KeyValue(std::chrono::year{2020} / 1 / 14)
                                   : tag == "OPEN"  ? KeyValue(40.0)
                                                    : KeyValue(std::string("B"));
            (void)t.findKey(probe);
            t.findNearest(probe);
            t.setRange(probe, probe);
            walk(t);
            t.cancelRange();
        } catch (const DatabaseError&) {
        }
    }
}

void change(Table& t) {
    try {
        t.setActiveTag("TEST2");
        t.first();
        if (!t.eof()) {
            t.edit();
            t.setNumber("TEST2", 49);
            t.setString("TEST1", "changed");
            t.post();
        }
        t.append();
        t.setString("TEST1", "added");
        t.setNumber("TEST2", 7);
        t.post();
        t.last();
        if (!t.eof())
            t.deleteRecord();
    } catch (const DatabaseError&) {
    }
}

void query(const fs::path& dir) {
    try {
        sql::SqlConnection connection(dir);
        for (const char* statement : {"select count(*) from t where test2 = 25", "select max(test2) from t",
                                      "select test1 from t where test1 between 'name1' and 'name2'"}) {
            try {
                auto result = connection.run(statement);
                if (result.rows)
                    (void)result.rows->fetchAll();
            } catch (const DatabaseError&) {
            }
        }
    } catch (const DatabaseError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path work = fuzz::scratchDirectory() / "work";
    fs::create_directories(work);
    fs::copy_file(soundTable() / "T.DBF", work / "T.DBF", fs::copy_options::overwrite_existing);
    fs::remove(work / "T.JNL");
    fuzz::writeScratchFile("work/T.MDX", {data, size});
    try {
        Database db(work);
        Table t(db, "T");
        orderAndSearch(t);
        change(t);
        orderAndSearch(t);
    } catch (const DatabaseError&) {
    }
    query(work);
    return 0;
}
