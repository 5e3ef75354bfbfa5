#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>
#include <filesystem>

#include "data/Database.h"
#include "data/Table.h"
#include "data/catalogue/Catalogue.h"
#include "data/catalogue/TableCreation.h"
#include "data/index/MdxIndex.h"

namespace brimo::data::catalogue {
namespace {

class TableCreationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        dir = std::filesystem::temp_directory_path() /
              ("catalogue-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

// Every table comes back from its files as the catalogue describes it.
TEST_F(TableCreationTest, EveryTableReopensWithItsFieldsAndTags) {
    Database db(dir);
    for (const TableDef& def : tables()) {
        SCOPED_TRACE(def.fileName);
        createTable(db, def.baseName());
        auto table = db.openTable(def.fileName, OpenMode::ReadOnly);
        EXPECT_TRUE(table->openProblems().empty());
        ASSERT_EQ(table->fields().size(), def.fields.size());
        for (size_t i = 0; i < def.fields.size(); ++i) {
            const auto& stored = table->fields()[i];
            EXPECT_EQ(stored.name, def.fields[i].name);
            EXPECT_EQ(stored.type, def.fields[i].type);
            EXPECT_EQ(stored.length, def.fields[i].length);
            EXPECT_EQ(stored.decimals, def.fields[i].decimals);
        }
        EXPECT_EQ(std::filesystem::exists(dir / (def.baseName() + ".DBT")), def.hasMemo());
        ASSERT_EQ(std::filesystem::exists(dir / (def.baseName() + ".MDX")), !def.tags.empty());
        if (def.tags.empty())
            continue;
        auto index = index::MdxIndex::open(dir / (def.baseName() + ".MDX"), table->fields(), false);
        ASSERT_EQ(index.tags().size(), def.tags.size());
        for (size_t i = 0; i < def.tags.size(); ++i) {
            EXPECT_EQ(index.tags()[i].name, def.tags[i].name);
            EXPECT_EQ(index.tags()[i].expression, def.tags[i].expression);
            EXPECT_FALSE(index.tags()[i].unique);
        }
    }
}

// A created table takes records, and its tags keep them in key order.
TEST_F(TableCreationTest, CreatedTablesMaintainTheirTags) {
    Database db(dir);
    auto cust = createTable(db, "cust");
    for (const auto& [number, name] :
         std::vector<std::pair<int, const char*>>{{3, "smith"}, {1, "Adams"}, {2, "SMART"}}) {
        cust->append();
        cust->setNumber("CUSTNUM", number);
        cust->setString("LASTNAME", name);
        cust->post();
    }
    cust->setActiveTag("FULLNAME");
    std::vector<std::string> order;
    for (cust->first(); !cust->eof(); cust->next()) order.push_back(cust->asString("LASTNAME"));
    EXPECT_EQ(order, (std::vector<std::string>{"Adams", "SMART", "smith"}));
    cust->setActiveTag("CUSTNUM");
    ASSERT_TRUE(cust->findKey(2.0));
    EXPECT_EQ(cust->asString("LASTNAME"), "SMART");
    EXPECT_THROW(createTable(db, "NOSUCH"), std::out_of_range);
}

}  // namespace
}  // namespace brimo::data::catalogue
