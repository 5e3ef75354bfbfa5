#include <gtest/gtest.h>

#include <cstring>

#include "../TestDir.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/SequentialReader.h"
#include "data/Table.h"

namespace brimo::data {
namespace {

using std::chrono::year_month_day;

// Walks the reader beside a cursor in physical order and compares every
// record number and every field the reader decodes with what the cursor reads.
void expectSameAsCursor(Table& table, SequentialReader& reader, const std::string& label) {
    reader.rewind();
    size_t records = 0;
    std::string converted;
    for (table.first(); !table.eof(); table.next(), ++records) {
        ASSERT_TRUE(reader.next()) << label << " ends before record " << table.recordNumber();
        ASSERT_EQ(reader.recordNumber(), table.recordNumber()) << label;
        EXPECT_EQ(std::memcmp(reader.record().data(), table.rawRecord().data(), reader.record().size()), 0) << label;
        for (int i = 0; i < static_cast<int>(reader.fields().size()); ++i) {
            const std::string where = label + " record " + std::to_string(table.recordNumber()) + " field " +
                                      reader.fields()[static_cast<size_t>(i)].name;
            switch (reader.fields()[static_cast<size_t>(i)].type) {
                case 'C':
                    EXPECT_EQ(reader.text(i, converted), table.asString(i)) << where;
                    break;
                case 'N':
                case 'F':
                case 'I':
                case '+':
                case 'O':
                    EXPECT_EQ(reader.number(i).value_or(0), table.asNumber(i)) << where;
                    break;
                case 'L':
                    EXPECT_EQ(reader.logical(i).value_or(false), table.asBool(i)) << where;
                    break;
                case 'D': {
                    const year_month_day date = table.asDate(i);
                    EXPECT_EQ(reader.date(i), date.ok() ? std::optional(date) : std::nullopt) << where;
                    break;
                }
                default:
                    EXPECT_THROW(reader.text(i, converted), DatabaseError) << where;
            }
        }
    }
    EXPECT_FALSE(reader.next()) << label;
    EXPECT_FALSE(reader.next()) << label << ": stays at the end";
    EXPECT_GT(records, 0u) << label;
}

TEST(SequentialReaderTest, ReadsRealFilesAsTheCursorDoes) {
    test::TestDir dir;
    for (const char* fixture : {"dbase-iv-mdx/TEST.DBF", "memo-and-level7/dbase_83.dbf", "memo-and-level7/dbase_8b.dbf",
                                "memo-and-level7/dbase_8c.dbf"}) {
        const std::filesystem::path source = std::filesystem::path(BRIMO_FIXTURES_DIR) / fixture;
        std::filesystem::copy_file(source, dir / source.filename().string());
        Database db(dir.path());
        auto table = db.openTable(source.filename().string(), OpenMode::ReadOnly);
        SequentialReader reader(*table);
        expectSameAsCursor(*table, reader, fixture);
    }
}

// Enough records for several reads of growing size, with deleted and blank
// records, text outside ASCII, and a record appended during a scan.
TEST(SequentialReaderTest, SkipsDeletedRecordsAndSeesAppendsFromTheNextRewind) {
    test::TestDir dir;
    Database db(dir.path());
    auto table = db.createTable("T", {{"NAME", 'C', 20}, {"AMOUNT", 'N', 10, 2}, {"FLAG", 'L'}, {"WHEN", 'D'}});
    constexpr uint32_t kRecords = 2000;
    for (uint32_t i = 1; i <= kRecords; ++i) {
        table->append();
        if (i % 7 != 0) {
            table->setString("NAME", "Müller " + std::to_string(i));
            table->setNumber("AMOUNT", i * 1.25);
            table->setBool("FLAG", i % 2 == 0);
            table->setDate("WHEN", year_month_day{std::chrono::year(2024), std::chrono::month(1 + i % 12),
                                                  std::chrono::day(1 + i % 28)});
        }
        table->post();
        if (i % 10 == 3 || i == kRecords)
            table->deleteRecord();
    }
    SequentialReader reader(*table);
    expectSameAsCursor(*table, reader, "T");

    reader.rewind();
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.recordNumber(), 1u);
    table->append();
    table->setString("NAME", "late");
    table->post();
    uint32_t last = 0;
    while (reader.next()) last = reader.recordNumber();
    EXPECT_EQ(last, kRecords - 1) << "the count is the one of the rewind";
    reader.rewind();
    while (reader.next()) last = reader.recordNumber();
    EXPECT_EQ(last, kRecords + 1);
    EXPECT_EQ(reader.recordNumber(), 0u);
    EXPECT_THROW(reader.record(), DatabaseError);
}

// Records of 600 bytes, enough of them that the reads grow to the largest and
// the following blocks are read ahead on the second thread: the records come
// in order all the same, after a rewind in the middle, when the file is cut
// behind a read under way, and when the reader is dropped with one pending.
TEST(SequentialReaderTest, ReadsAheadOnLongScans) {
    test::TestDir dir;
    Database db(dir.path());
    auto table = db.createTable("LONG", {{"TEXT", 'C', 250}, {"MORE", 'C', 250}, {"N", 'N', 10}, {"PAD", 'C', 89}});
    constexpr uint32_t kRecords = 6000;
    for (uint32_t i = 1; i <= kRecords; ++i) {
        table->append();
        table->setString("TEXT", "record " + std::to_string(i));
        table->setNumber("N", i);
        table->post();
        if (i % 1000 == 500)
            table->deleteRecord();
    }
    auto readNumbers = [](SequentialReader& reader, uint32_t stopAfter) {
        std::vector<uint32_t> numbers;
        while (numbers.size() < stopAfter && reader.next()) {
            EXPECT_EQ(reader.number(2), reader.recordNumber()) << "record " << reader.recordNumber();
            numbers.push_back(reader.recordNumber());
        }
        return numbers;
    };
    std::vector<uint32_t> live;
    for (uint32_t i = 1; i <= kRecords; ++i) {
        if (i % 1000 != 500)
            live.push_back(i);
    }

    SequentialReader reader(*table);
    EXPECT_EQ(readNumbers(reader, 4000), std::vector<uint32_t>(live.begin(), live.begin() + 4000));
    reader.rewind();
    EXPECT_EQ(readNumbers(reader, kRecords), live) << "after a rewind in the middle";
    expectSameAsCursor(*table, reader, "LONG");

    {
        SequentialReader dropped(*table);
        readNumbers(dropped, 4000);
    }

    // Cut behind the block being read, while the next one may be under way:
    // what comes is what the file held when it was read, and the next rewind
    // sees the cut.
    reader.rewind();
    readNumbers(reader, 4000);
    const auto headerBytes = std::filesystem::file_size(dir / "LONG.DBF") - uint64_t{kRecords} * 600 - 1;
    std::filesystem::resize_file(dir / "LONG.DBF", headerBytes + uint64_t{3000} * 600);
    readNumbers(reader, kRecords);
    reader.rewind();
    const auto afterCut = readNumbers(reader, kRecords);
    ASSERT_FALSE(afterCut.empty());
    EXPECT_EQ(afterCut.back(), 3000u);
}

TEST(SequentialReaderTest, RefusesAFieldOfAnotherType) {
    test::TestDir dir;
    Database db(dir.path());
    auto table = db.createTable("T", {{"NAME", 'C', 5}, {"N", 'N', 5}});
    table->append();
    table->post();
    SequentialReader reader(*table);
    ASSERT_TRUE(reader.next());
    std::string converted;
    EXPECT_EQ(reader.number(1), std::nullopt);
    EXPECT_EQ(reader.text(0, converted), "");
    EXPECT_THROW(reader.number(0), DatabaseError);
    EXPECT_THROW(reader.text(1, converted), DatabaseError);
    EXPECT_THROW(reader.date(0), DatabaseError);
    EXPECT_THROW(reader.logical(1), DatabaseError);
}

}  // namespace
}  // namespace brimo::data
