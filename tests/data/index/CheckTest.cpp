#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/TestDir.h"
#include "data/index/MdxIndex.h"
#include "data/index/MemoryTable.h"

namespace brimo::data::index {
namespace {

using test::MemoryTable;

// Records changed and dropped behind the index's back, in tags whose keys
// hold a third of the table each: every record that left or joined a key
// group is reported once, in tag order, and a unique tag reports only the
// records it indexes.
TEST(CheckTest, ReportsEachRecordThatLeftOrJoinedALargeKeyGroup) {
    data::test::TestDir dir;
    MemoryTable table({{"NAME", 'C', 10, 0, 0}, {"GRP", 'N', 2, 0, 0}});
    for (int i = 0; i < 300; ++i) table.append(table.make({std::to_string(i), std::to_string(i % 3)}));
    const std::vector<TagDefinition> tags = {{"GRP", "GRP", "", false, false}, {"GRPU", "GRP", "", true, false}};
    MdxIndex mdx = MdxIndex::create(dir / "T.MDX", "T", table.fields(), tags, table);
    ASSERT_TRUE(mdx.check(&table).empty());

    table.record(1) = table.make({"0", "2"});      // from group 0 to group 2
    table.drop(2);                                 // gone from group 1
    table.record(300) = table.make({"299", "7"});  // from group 2 to a key no entry has

    const std::vector<std::string> want = {
        "Tag GRP: key 0 of record 1 does not match the record.",
        "Tag GRP: key 1 of record 2 does not match the record.",
        "Tag GRP: key 2 of record 300 does not match the record.",
        "Tag GRP: record 1 with key 2 is missing.",
        "Tag GRP: record 300 with key 7 is missing.",
        "Tag GRPU: key 0 of record 1 does not match the record.",
        "Tag GRPU: key 1 of record 2 does not match the record.",
        "Tag GRPU: key 7 of record 300 is missing from the unique tag.",
    };
    EXPECT_EQ(mdx.check(&table), want);

    mdx.reindex(table);
    EXPECT_TRUE(mdx.check(&table).empty());
}

}  // namespace
}  // namespace brimo::data::index
