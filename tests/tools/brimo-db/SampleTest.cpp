#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "Cli.h"
#include "ToolTest.h"
#include "data/Database.h"
#include "data/Table.h"
#include "data/catalogue/Catalogue.h"

namespace brimo::dbtool::testing {
namespace {

using ::testing::HasSubstr;

std::vector<std::string> tableFiles(const std::filesystem::path& dir) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".DBF")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::set<std::string> column(const data::Database& db, const char* table, const char* field, bool deleted = false) {
    auto t = db.openTable(table, data::OpenMode::ReadOnly);
    t->setShowDeleted(deleted);
    std::set<std::string> values;
    for (t->first(); !t->eof(); t->next()) values.insert(t->asString(field));
    return values;
}

// The small sample is written once and shared by the tests that only read it.
class SampleTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir = new TempDir;
        auto result = runTool({"sample", dir->path().string()});
        ASSERT_EQ(result.status, kExitOk) << result.err;
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    static TempDir* dir;
};

TempDir* SampleTest::dir = nullptr;

TEST_F(SampleTest, WritesEveryTableOfTheApplicationAndChecksClean) {
    std::set<std::string> written;
    for (const auto& file : tableFiles(dir->path())) written.insert(std::filesystem::path(file).filename().string());
    for (const auto& def : data::catalogue::tables()) {
        const bool scratch = def.home == data::catalogue::TableHome::Scratch;
        EXPECT_EQ(written.count(def.fileName), scratch ? 0u : 1u) << def.fileName;
        if (scratch)
            continue;
        const auto base = dir->path() / def.baseName();
        EXPECT_EQ(std::filesystem::exists(base.string() + ".MDX"), !def.tags.empty()) << def.fileName;
        EXPECT_EQ(std::filesystem::exists(base.string() + ".DBT"), def.hasMemo()) << def.fileName;
    }

    std::vector<std::string> args = {"check"};
    auto files = tableFiles(dir->path());
    args.insert(args.end(), files.begin(), files.end());
    auto result = runTool(args);
    EXPECT_EQ(result.status, kExitOk) << result.out << result.err;
    EXPECT_EQ(result.out, "");
}

TEST_F(SampleTest, TablesReferToEachOther) {
    data::Database db(dir->path());
    const auto customers = column(db, "CUST", "CUSTNUM");
    const auto stockCodes = column(db, "CODE", "STOCKCODE");
    const auto vendors = column(db, "VENDOR", "CODE");
    const auto taxCategories = column(db, "TAXCAT", "TAXCAT");
    const auto users = column(db, "ID", "ID");
    struct Reference {
        const char* table;
        const char* field;
        const std::set<std::string>* keys;
    };
    const std::set<std::string> priceCategories = column(db, "PRICECAT", "PRICECAT");
    const std::set<std::string> codeCategories = column(db, "CODECAT", "ENTRY");
    const std::set<std::string> customerCategories = column(db, "CUSTCAT", "ENTRY");
    const Reference references[] = {
        {"AR", "CUSTNUM", &customers},          {"INVOICE", "CUSTNUM", &customers},
        {"SO", "CUSTNUM", &customers},          {"RINV", "CUSTNUM", &customers},
        {"ORDER", "CUSTNUM", &customers},       {"QUOTE", "CUSTNUM", &customers},
        {"CONDEF", "STOCKCODE", &stockCodes},   {"CONDEF", "CONTAINER", &stockCodes},
        {"SERIAL", "STOCKCODE", &stockCodes},   {"TRANSFER", "STOCKCODE", &stockCodes},
        {"CODE", "PRICECAT", &priceCategories}, {"CODE", "CATEGORY", &codeCategories},
        {"CUST", "TAXCAT", &taxCategories},     {"CUST", "CATEGORY", &customerCategories},
        {"CUST", "SALESREP", &users},           {"TRANSFER", "ID", &users},
    };
    for (const auto& r : references) {
        for (const auto& value : column(db, r.table, r.field))
            EXPECT_TRUE(value.empty() || r.keys->count(value)) << r.table << "." << r.field << " = " << value;
    }
    for (const auto& code : column(db, "CODE", "PREFVENDOR")) EXPECT_TRUE(code.empty() || vendors.count(code)) << code;

    // Some stock codes and customers are deleted, as in a shop's real files.
    EXPECT_GT(column(db, "CODE", "STOCKCODE", true).size(), stockCodes.size());
    EXPECT_GT(column(db, "CUST", "CUSTNUM", true).size(), customers.size());
}

// Each customer's entries, in the order of the tag CUSTNUM, chain their
// balances: every entry starts from the balance the one before left.
TEST_F(SampleTest, ReceivableBalancesChainPerCustomer) {
    data::Database db(dir->path());
    auto ar = db.openTable("AR", data::OpenMode::ReadOnly);
    ar->setActiveTag("CUSTNUM");
    std::map<int, double> balance;
    int entries = 0, unposted = 0;
    for (ar->first(); !ar->eof(); ar->next(), ++entries) {
        const int customer = ar->asInteger("CUSTNUM");
        EXPECT_NEAR(ar->asNumber("PREVBAL"), balance[customer], 0.005) << "entry " << ar->recordNumber();
        EXPECT_NEAR(ar->asNumber("CURBAL"), ar->asNumber("PREVBAL") + ar->asNumber("BALANCE"), 0.005);
        balance[customer] = ar->asNumber("CURBAL");
        unposted += ar->asInteger("UNPOSTED");
    }
    EXPECT_GT(entries, 30);
    EXPECT_GT(unposted, 0);
}

TEST_F(SampleTest, SeekFindsStockCodesAndCustomers) {
    struct Case {
        const char* table;
        const char* tag;
        const char* key;
        const char* beginning;
    };
    const Case cases[] = {
        {"CODE.DBF", "CODE", "PNT", "PNT-EXT-G,"},
        {"CODE.DBF", "code", "PNT-KIT", "PNT-KIT,"},
        {"CUST.DBF", "CUSTNUM", "17", "17,Quality Home Repair,"},
        {"CUST.DBF", "FULLNAME", "ZIM", "26,Zimmerman Builders,"},
        {"VENDOR.DBF", "VENDORNAME", "KEY", "KEYSTONE,Keystone Electric Supply,"},
    };
    for (const auto& c : cases) {
        auto result = runTool({"seek", dir->file(c.table), c.tag, c.key});
        ASSERT_EQ(result.status, kExitOk) << c.key << ": " << result.err;
        auto out = lines(result.out);
        ASSERT_EQ(out.size(), 2u);
        EXPECT_TRUE(out[1].starts_with(c.beginning)) << out[1];
    }
    // A deleted stock code is skipped: the next live one is found.
    auto result = runTool({"seek", dir->file("CODE.DBF"), "CODE", "PNT-OLD"});
    EXPECT_THAT(lines(result.out).at(1), ::testing::StartsWith("PNT-PRIM,"));
}

TEST_F(SampleTest, DumpShowsDeletedRecordsOnRequest) {
    auto live = lines(runTool({"dump", dir->file("CODE.DBF")}).out);
    auto all = lines(runTool({"dump", dir->file("CODE.DBF"), "--deleted", "--tag", "CODE"}).out);
    ASSERT_GT(all.size(), live.size());
    EXPECT_TRUE(all[0].starts_with("_deleted,STOCKCODE,ALTCODE,"));
    int deleted = 0;
    for (size_t i = 1; i < all.size(); ++i) deleted += all[i].starts_with("*,");
    EXPECT_EQ(deleted, static_cast<int>(all.size() - live.size()));
    // Binary memos print as hexadecimal: the company's 28-byte options record.
    auto company = runTool({"dump", dir->file("COINFO.DBF")}).out;
    EXPECT_THAT(company, ::testing::EndsWith(",00020100030002040103000204010100020401030002000003000204\r\n"));
}

TEST(SampleOutputTest, IsTheSameEveryTime) {
    TempDir first, second;
    ASSERT_EQ(runTool({"sample", first.path().string()}).status, kExitOk);
    ASSERT_EQ(runTool({"sample", second.path().string(), "--records", "60"}).status, kExitOk);
    TempDir third;
    ASSERT_EQ(runTool({"sample", third.path().string(), "--records", "60"}).status, kExitOk);
    for (const auto& file : tableFiles(second.path())) {
        const auto name = std::filesystem::path(file).filename().string();
        if (name == "LOCATION.DBF")
            continue;  // holds the data directory's own path
        EXPECT_EQ(runTool({"dump", file, "--deleted"}).out, runTool({"dump", third.file(name), "--deleted"}).out)
            << name;
    }
    auto customers = lines(runTool({"dump", second.file("CUST.DBF"), "--deleted"}).out);
    EXPECT_EQ(customers.size(), 61u);
    auto small = lines(runTool({"dump", first.file("CUST.DBF"), "--deleted"}).out);
    EXPECT_LT(small.size(), customers.size());
}

}  // namespace
}  // namespace brimo::dbtool::testing
