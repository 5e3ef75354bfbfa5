// The search filter's matching, checked against a brute-force filter over
// the same records held in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "SelectionTables.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Table.h"
#include "data/catalogue/TableCreation.h"
#include "platform/Dates.h"
#include "selection/SearchCriteria.h"

namespace brimo::selection::test {
namespace {

using namespace std::chrono;

struct Customer {
    std::string last;
    std::string city;
    std::string phone;
    bool badDebt = false;
    year_month_day added;
    double discount = 0;
    std::string notes;
};

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class CriteriaAgainstBruteForce : public ::testing::Test {
  protected:
    void SetUp() override {
        std::mt19937 random(7);
        const std::vector<std::string> names{"Smith", "smithers", "SMYTHE", "Jones", "jonas",
                                             "Adams", "O'Neil",   "Émile",  "émile"};
        const std::vector<std::string> cities{"Toronto", "toronto", "Boston", "Austin", ""};
        const data::Database database(dir.path());
        auto table = data::catalogue::createTable(database, "CUST");
        for (int i = 0; i < 400; ++i) {
            Customer c;
            c.last = names[random() % names.size()];
            c.city = cities[random() % cities.size()];
            c.phone = std::to_string(200 + random() % 700) + "-555-" + std::to_string(1000 + random() % 9000);
            c.badDebt = random() % 3 == 0;
            c.added = year_month_day(sys_days(2020y / January / 1) + days(random() % 1500));
            c.discount = static_cast<double>(random() % 2000) / 100.0;
            c.notes = random() % 4 == 0 ? "Calls ahead; likes BOSTON deliveries" : "";
            table->append();
            data::zeroNumericFields(*table);
            table->setInteger("CUSTNUM", i + 1);
            table->setString("LASTNAME", c.last);
            table->setString("CITY", c.city);
            table->setString("PHONE", c.phone);
            table->setBool("BADDEBT", c.badDebt);
            table->setDate("DATEADDED", c.added);
            table->setNumber("DISCPCT", c.discount);
            table->setString("NOTES", c.notes);
            table->post();
            customers.push_back(c);
        }
    }

    // Record numbers (1-based) the matcher accepts, in physical order.
    std::set<uint32_t> matched(const SearchCriteria& criteria) {
        const data::Database database(dir.path());
        auto table = database.openTable("CUST", data::OpenMode::ReadOnly);
        const CriteriaMatcher matcher(criteria, *table);
        std::set<uint32_t> found;
        for (table->first(); !table->eof(); table->next()) {
            if (matcher.matches(*table))
                found.insert(table->recordNumber());
        }
        return found;
    }

    std::set<uint32_t> expected(const std::function<bool(const Customer&)>& keep) const {
        std::set<uint32_t> found;
        for (size_t i = 0; i < customers.size(); ++i) {
            if (keep(customers[i]))
                found.insert(static_cast<uint32_t>(i + 1));
        }
        return found;
    }

    TempDir dir;
    std::vector<Customer> customers;
};

FieldCriterion value(const char* field, std::string text, SearchType type, bool caseSensitive = false,
                     bool nonMatching = false) {
    FieldCriterion c;
    c.field = field;
    c.value = std::move(text);
    c.type = type;
    c.caseSensitive = caseSensitive;
    c.nonMatching = nonMatching;
    return c;
}

FieldCriterion range(const char* field, std::string start, std::string end) {
    FieldCriterion c;
    c.field = field;
    c.rangeStart = std::move(start);
    c.rangeEnd = std::move(end);
    return c;
}

struct Case {
    const char* name;
    std::vector<FieldCriterion> criteria;
    std::function<bool(const Customer&)> keep;
};

TEST_F(CriteriaAgainstBruteForce, EveryKindOfCriterionSelectsWhatAPlainLoopSelects) {
    const std::string dayText = platform::formatShortDate(customers[10].added);
    const year_month_day day = customers[10].added;
    const year_month_day from = customers[20].added;
    const year_month_day to = customers[30].added;
    const std::vector<Case> cases{
        {"anywhere, any case",
         {value("lastname", "mith", SearchType::partialAnywhere)},
         [](const Customer& c) { return contains(upper(c.last), "MITH"); }},
        {"anywhere, case-sensitive",
         {value("LASTNAME", "mith", SearchType::partialAnywhere, true)},
         [](const Customer& c) { return contains(c.last, "mith"); }},
        {"beginning",
         {value("LASTNAME", "jon", SearchType::partialAtBeginning)},
         [](const Customer& c) { return upper(c.last).rfind("JON", 0) == 0; }},
        {"exact",
         {value("LASTNAME", "smith", SearchType::exactMatch)},
         [](const Customer& c) { return upper(c.last) == "SMITH"; }},
        {"exact, case-sensitive, non-matching",
         {value("CITY", "Toronto", SearchType::exactMatch, true, true)},
         [](const Customer& c) { return c.city != "Toronto"; }},
        {"accented letters fold",
         {value("LASTNAME", "ÉMILE", SearchType::exactMatch)},
         [](const Customer& c) { return c.last == "Émile" || c.last == "émile"; }},
        {"memo",
         {value("NOTES", "boston", SearchType::partialAnywhere)},
         [](const Customer& c) { return !c.notes.empty(); }},
        {"two fields",
         {value("CITY", "o", SearchType::partialAnywhere), value("PHONE", "2", SearchType::partialAtBeginning)},
         [](const Customer& c) { return contains(upper(c.city), "O") && c.phone.rfind('2', 0) == 0; }},
        {"text range, end as prefix",
         {range("LASTNAME", "jonas", "o")},
         [](const Customer& c) { return upper(c.last) >= "JONAS" && upper(c.last).substr(0, 1) <= "O"; }},
        {"open-ended range",
         {range("CITY", "", "b")},
         [](const Customer& c) { return upper(c.city).substr(0, 1) <= "B"; }},
        {"number exact",
         {value("DISCPCT", "5", SearchType::exactMatch)},
         [](const Customer& c) { return c.discount == 5.0; }},
        {"number range",
         {range("DISCPCT", "2.5", "7.25")},
         [](const Customer& c) { return c.discount >= 2.5 && c.discount <= 7.25; }},
        {"logical", {value("BADDEBT", "T", SearchType::exactMatch)}, [](const Customer& c) { return c.badDebt; }},
        {"logical, non-matching",
         {value("BADDEBT", "yes", SearchType::partialAnywhere, false, true)},
         [](const Customer& c) { return !c.badDebt; }},
        {"date exact",
         {value("DATEADDED", dayText, SearchType::exactMatch)},
         [day](const Customer& c) { return c.added == day; }},
        {"date range",
         {range("DATEADDED", platform::formatShortDate(std::min(from, to)),
                platform::formatShortDate(std::max(from, to)))},
         [from, to](const Customer& c) { return c.added >= std::min(from, to) && c.added <= std::max(from, to); }},
        {"range and value on one field, non-matching",
         {[] {
             FieldCriterion c = range("LASTNAME", "A", "K");
             c.value = "s";
             c.type = SearchType::partialAnywhere;
             c.nonMatching = true;
             return c;
         }()},
         [](const Customer& c) {
             const std::string u = upper(c.last);
             return !(contains(u, "S") && u >= "A" && u.substr(0, 1) <= "K");
         }},
    };
    for (const Case& c : cases) {
        SearchCriteria criteria;
        for (const FieldCriterion& criterion : c.criteria) criteria.set(criterion);
        const std::set<uint32_t> want = expected(c.keep);
        EXPECT_FALSE(want.empty()) << c.name << ": the data should hold matches";
        EXPECT_EQ(matched(criteria), want) << c.name;
    }
}

TEST_F(CriteriaAgainstBruteForce, NoCriteriaKeepEverythingAndUnknownFieldsAreRefused) {
    EXPECT_EQ(matched(SearchCriteria()).size(), customers.size());
    SearchCriteria unknown;
    unknown.set(value("NOSUCH", "x", SearchType::exactMatch));
    EXPECT_THROW(matched(unknown), data::DatabaseError);
}

TEST(SearchCriteria, OneCriterionPerFieldAndAnEmptyOneRemovesIt) {
    SearchCriteria criteria;
    criteria.set(value("PHONE", "555", SearchType::partialAnywhere));
    criteria.set(value("phone", "416", SearchType::partialAtBeginning));
    ASSERT_EQ(criteria.all().size(), 1u);
    EXPECT_EQ(criteria.find("Phone")->value, "416");
    criteria.set(value("PHONE", "", SearchType::exactMatch));
    EXPECT_TRUE(criteria.empty());
}

}  // namespace
}  // namespace brimo::selection::test
