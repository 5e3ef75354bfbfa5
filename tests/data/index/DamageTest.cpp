#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "data/DatabaseError.h"
#include "data/TestDir.h"
#include "data/index/Expression.h"
#include "data/index/MdxIndex.h"
#include "data/index/MdxStore.h"
#include "data/index/MemoryTable.h"
#include "data/io/File.h"

namespace brimo::data::index {
namespace {

using test::MemoryTable;

MemoryTable makeTable(int records) {
    MemoryTable t({{"NAME", 'C', 60, 0, 0}, {"AMOUNT", 'N', 8, 0, 0}});
    for (int i = 0; i < records; ++i)
        t.append(t.make({"name" + std::to_string((i * 7919) % records), std::to_string(i)}));
    return t;
}

const std::vector<TagDefinition> kTags = {{"NAME", "NAME", "", false, false}, {"AMOUNT", "AMOUNT", "", false, false}};

uint32_t read32(const std::filesystem::path& p, uint64_t at) {
    std::ifstream in(p, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(at));
    unsigned char b[4] = {};
    in.read(reinterpret_cast<char*>(b), 4);
    return b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24;
}

void write32(const std::filesystem::path& p, uint64_t at, uint32_t v) {
    std::fstream out(p, std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(static_cast<std::streamoff>(at));
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    out.write(reinterpret_cast<char*>(b), 4);
}

// Reads every entry of every tag, as a reader of a damaged file would.
void readAll(const MdxIndex& mdx) {
    for (const TagInfo& tag : mdx.tags()) {
        TagCursor c = mdx.cursor(tag.name);
        for (bool ok = c.first(); ok; ok = c.next()) {
        }
        for (bool ok = c.last(); ok; ok = c.prior()) {
        }
    }
}

TEST(DamageTest, DamagedFilesGiveClearErrorsAndCheckReportsThem) {
    data::test::TestDir dir;
    MemoryTable table = makeTable(1500);
    std::filesystem::path original = dir / "ORIG.MDX";
    MdxIndex::create(original, "T", table.fields(), kTags, table);
    const uint64_t tagHeader = uint64_t(read32(original, 544)) * 512;  // first tag's header page
    const uint32_t root = read32(original, tagHeader);
    const uint64_t rootAt = uint64_t(root) * 512;
    const uint32_t firstChild = read32(original, rootAt + 8);

    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> damage;
        bool openFails;
    };
    const Case cases[] = {
        {"file shorter than its header", [](auto& p) { std::filesystem::resize_file(p, 700); }, true},
        {"wrong version byte", [](auto& p) { write32(p, 0, 0x7F); }, true},
        {"too many tags", [](auto& p) { write32(p, 28, 200); }, true},
        {"block size of zero pages", [](auto& p) { write32(p, 20, 0); }, true},
        {"tag header beyond the file", [](auto& p) { write32(p, 544, 1u << 30); }, true},
        {"key longer than a block", [&](auto& p) { write32(p, tagHeader + 12, 0x08000800); }, true},
        {"unknown key type", [&](auto& p) { write32(p, tagHeader + 8, 0x00005810); }, true},
        {"truncated in the middle", [](auto& p) { std::filesystem::resize_file(p, std::filesystem::file_size(p) / 2); },
         false},
        {"root beyond the file", [&](auto& p) { write32(p, tagHeader, 0x00FFFFFF); }, false},
        {"root inside the file header", [&](auto& p) { write32(p, tagHeader, 2); }, false},
        {"branch pointing at itself", [&](auto& p) { write32(p, rootAt + 8, root); }, false},
        {"child pointing back at the root", [&](auto& p) { write32(p, uint64_t(firstChild) * 512 + 8 + 64, root); },
         false},
        {"node with too many keys", [&](auto& p) { write32(p, rootAt, 5000); }, false},
        {"leaf keys out of order", [&](auto& p) { write32(p, uint64_t(firstChild) * 512 + 12, 0x7A7A7A7A); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::path copy = dir / "T.MDX";
        std::filesystem::copy_file(original, copy, std::filesystem::copy_options::overwrite_existing);
        c.damage(copy);
        if (c.openFails) {
            EXPECT_THROW(MdxIndex::open(copy, table.fields(), false), DatabaseError);
            continue;
        }
        MdxIndex mdx = MdxIndex::open(copy, table.fields(), true);
        std::vector<std::string> problems = mdx.check(&table);
        EXPECT_FALSE(problems.empty());
        if (std::string(c.name) != "leaf keys out of order") {
            EXPECT_THROW(readAll(mdx), DatabaseError);
        }
        // A reindex repairs whatever the damage was.
        mdx.reindex(table);
        EXPECT_TRUE(mdx.check(&table).empty());
    }
}

// A header whose key expression gives another kind of key than the tag holds
// (here a numeric expression in a five-character tag) must be refused by every
// path that computes keys, never written past the tag's key length.
TEST(DamageTest, KeyExpressionOfAnotherTypeIsRefused) {
    data::test::TestDir dir;
    MemoryTable table = makeTable(5);  // names that stay apart in five characters
    std::filesystem::path path = dir / "T.MDX";
    MdxIndex::create(path, "T", table.fields(), kTags, table);
    const uint64_t tagHeader = uint64_t(read32(path, 544)) * 512;
    {
        std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(static_cast<std::streamoff>(tagHeader + 24));
        out.write("AMOUNT", 7);
    }
    write32(path, tagHeader + 12, 0x00000005 | (read32(path, tagHeader + 12) & 0xFFFF0000u));

    MdxIndex mdx = MdxIndex::open(path, table.fields(), true);
    std::vector<std::string> problems = mdx.check(&table);
    EXPECT_TRUE(std::any_of(problems.begin(), problems.end(),
                            [](const std::string& p) { return p.find("different key type") != std::string::npos; }));
    auto rec = table.make({"new", "1"});
    EXPECT_THROW(mdx.insertRecord(table.append(rec), rec), DatabaseError);
    EXPECT_THROW(mdx.reindex(table), DatabaseError);
}

// Runs inserts and removals (with splits and freed pages) until a write fails.
// Returns the record whose change was being written, 0 when none failed.
uint32_t changeUntilFault(MdxIndex& mdx, MemoryTable& table) {
    uint32_t current = 0;
    try {
        for (int i = 0; i < 200; ++i) {
            auto rec = table.make({"added" + std::to_string(i * 31 % 200), std::to_string(-i)});
            current = table.append(rec);
            mdx.insertRecord(current, rec);
            if (i % 3 == 0) {
                current = uint32_t(i + 1);
                mdx.removeRecord(current, table.record(current));
                table.drop(current);
            }
        }
        return 0;
    } catch (const DatabaseError&) {
        return current;
    }
}

// A process that dies between two page writes must leave every key of the
// other records findable, and a file that reindex() repairs.
TEST(DamageTest, DeathBetweenTwoWritesLosesNoOtherKey) {
    data::test::TestDir dir;
    std::filesystem::path original = dir / "ORIG.MDX";
    MdxIndex::create(original, "T", makeTable(300).fields(), kTags, makeTable(300));
    for (int64_t writes = 0; writes < 700; writes += 23) {
        SCOPED_TRACE(writes);
        std::filesystem::path path = dir / "T.MDX";
        std::filesystem::copy_file(original, path, std::filesystem::copy_options::overwrite_existing);
        MemoryTable table = makeTable(300);
        MdxIndex mdx = MdxIndex::open(path, table.fields(), true);
        detail::MdxStore::failAfterWrites(writes);
        uint32_t interrupted = changeUntilFault(mdx, table);
        detail::MdxStore::failAfterWrites(-1);

        MdxIndex reopened = MdxIndex::open(path, table.fields(), true);
        for (const char* tag : {"NAME", "AMOUNT"}) {
            Expression key = Expression::compile(tag, table.fields());
            TagCursor cursor = reopened.cursor(tag);
            table.forEachRecord([&](uint32_t recno, std::span<const std::byte> rec) {
                if (recno == interrupted)
                    return;
                EXPECT_TRUE(cursor.seekEntry(key.evaluateKey(rec, recno), recno)) << tag << " record " << recno;
            });
        }
        reopened.reindex(table);
        std::vector<std::string> problems = reopened.check(&table);
        EXPECT_TRUE(problems.empty()) << problems.front();
    }
}

// A write cut off in the middle of a page (power loss, a full disk) may damage
// that page; reading must then fail with DatabaseError, never crash, and check
// and reindex must cope.
TEST(DamageTest, TornWritesAreDetectedAndRepaired) {
    data::test::TestDir dir;
    std::filesystem::path original = dir / "ORIG.MDX";
    MdxIndex::create(original, "T", makeTable(300).fields(), kTags, makeTable(300));
    for (uint64_t limit = 100; limit < 400000; limit += 7777) {
        SCOPED_TRACE(limit);
        std::filesystem::path path = dir / "T.MDX";
        std::filesystem::copy_file(original, path, std::filesystem::copy_options::overwrite_existing);
        MemoryTable table = makeTable(300);
        MdxIndex mdx = MdxIndex::open(path, table.fields(), true);
        io::File::failWritesAfter(limit, io::File::FaultAction::Throw);
        changeUntilFault(mdx, table);
        io::File::clearWriteFault();

        MdxIndex reopened = MdxIndex::open(path, table.fields(), true);
        try {
            readAll(reopened);
        } catch (const DatabaseError&) {
        }
        reopened.check(&table);
        reopened.reindex(table);
        std::vector<std::string> problems = reopened.check(&table);
        EXPECT_TRUE(problems.empty()) << problems.front();
    }
}

}  // namespace
}  // namespace brimo::data::index
