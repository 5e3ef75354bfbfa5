#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "data/TestDir.h"
#include "data/index/MdxIndex.h"
#include "data/index/MemoryTable.h"

namespace brimo::data::index {
namespace {

using test::MemoryTable;

// A character tag and a descending numeric tag over the same numbers, deep
// enough (three levels) that lookups pass through branch pages.
const std::vector<TagDefinition> kTags = {
    {"CODE", "CODE", "", false, false},
    {"AMOUNT", "AMOUNT", "", false, true},
};
constexpr int kFirstRecords = 12000;

MemoryTable makeTable() {
    return MemoryTable({{"CODE", 'C', 6, 0, 0}, {"AMOUNT", 'N', 8, 0, 0}});
}

std::vector<std::byte> recordFor(const MemoryTable& t, int number) {
    char code[12];
    std::snprintf(code, sizeof code, "%06d", number);
    return t.make({code, std::to_string(number)});
}

Key searchKey(const TagCursor& c, int number) {
    if (c.keyType() == KeyType::Numeric)
        return numericKey(number);
    char code[12];
    std::snprintf(code, sizeof code, "%06d", number);
    return characterKey(code, c.keyLength());
}

struct Answer {
    bool found;
    Key key;
    uint32_t recno;
    bool hasNext;
    uint32_t nextRecno;
    bool operator==(const Answer&) const = default;
};

// What a seek, and the step after it, give; `exact` chooses seekExact over
// seekNearest.
Answer lookUp(TagCursor& c, int number, bool exact) {
    Key key = searchKey(c, number);
    Answer a{exact ? c.seekExact(key) : c.seekNearest(key), {}, 0, false, 0};
    if (a.found) {
        a.key = c.key();
        a.recno = c.recno();
        a.hasNext = c.next();
        a.nextRecno = a.hasNext ? c.recno() : 0;
    }
    return a;
}

// Every number from 0 to `top` (present or not) through the cursor that keeps
// branch pages gives what a cursor reading everything afresh gives.
void expectSameAnswers(TagCursor& kept, TagCursor fresh, int top, const std::string& phase) {
    for (int number = 0; number <= top; number += 7) {
        for (bool exact : {true, false}) {
            ASSERT_EQ(lookUp(kept, number, exact), lookUp(fresh, number, exact))
                << phase << ", tag keyed " << (kept.keyType() == KeyType::Numeric ? "by number" : "by code")
                << ", number " << number << (exact ? ", exact" : ", nearest");
        }
    }
}

TEST(KeptBranchPages, LookupsStayRightWhileAnotherWriterReshapesTheTree) {
    data::test::TestDir dir;
    MemoryTable table = makeTable();
    for (int i = 0; i < kFirstRecords; ++i) table.append(recordFor(table, 2 * i));
    MdxIndex reader = MdxIndex::create(dir / "T.MDX", "T", table.fields(), kTags, table);
    // The writer has its own file handle and keeps nothing, like another process.
    MdxIndex writer = MdxIndex::open(dir / "T.MDX", table.fields(), true);

    std::vector<TagCursor> kept;
    for (const TagDefinition& tag : kTags) {
        kept.push_back(reader.cursor(tag.name));
        kept.back().readForQuery();
    }
    const int top = 2 * kFirstRecords + 10;
    for (size_t t = 0; t < kept.size(); ++t) expectSameAnswers(kept[t], writer.cursor(kTags[t].name), top, "before");

    auto insertNumbers = [&](MdxIndex& mdx, int from, int to, int step) {
        for (int n = from; n < to; n += step) {
            uint32_t recno = table.append(recordFor(table, n));
            mdx.insertRecord(recno, table.record(recno));
        }
    };
    auto removeRecords = [&](MdxIndex& mdx, uint32_t from, uint32_t to) {
        for (uint32_t recno = from; recno < to; ++recno) {
            mdx.removeRecord(recno, table.record(recno));
            table.drop(recno);
        }
    };
    const std::vector<std::pair<std::string, std::function<void()>>> phases = {
        // Odd numbers between the even ones split leaves, branches and the root.
        {"splits by another writer", [&] { insertNumbers(writer, 1, 2 * kFirstRecords, 2); }},
        // Emptied leaves go to the free list and come back as other pages.
        {"emptied and reused pages",
         [&] {
             removeRecords(writer, 2000, 6000);
             insertNumbers(writer, 3 * kFirstRecords, 3 * kFirstRecords + 3000, 1);
         }},
        {"tag rebuilt elsewhere in the file", [&] { writer.reindexTag("CODE", table); }},
        // The cursor's own index writes: what it kept is dropped.
        {"writes through the same index", [&] { removeRecords(reader, 9000, 12000); }},
    };
    for (const auto& [phase, change] : phases) {
        change();
        for (size_t t = 0; t < kept.size(); ++t) {
            expectSameAnswers(kept[t], writer.cursor(kTags[t].name), 3 * kFirstRecords + 3010, phase);
        }
    }
}

}  // namespace
}  // namespace brimo::data::index
