#include "platform/Dates.h"

#include <gtest/gtest.h>

namespace brimo::platform {
namespace {

using namespace std::chrono;

const LocaleSettings us{"M/d/yyyy", '/', 1};
const LocaleSettings german{"dd.MM.yyyy", '.', 49};
const LocaleSettings iso{"yyyy-MM-dd", '-', 46};
const LocaleSettings usShortYear{"M/d/yy", '/', 1};
const LocaleSettings blankSeparated{"d M yyyy", ' ', 33};

TEST(DatesTest, OrderMaskAndOrderedDateFollowTheShortDateFormat) {
    struct Case {
        LocaleSettings locale;
        int order;
        const char* mask;
        const char* ordered;
    };
    const Case cases[] = {
        {us, 0, "##/##/####", "01/03/1999"},
        {usShortYear, 0, "##/##/####", "01/03/1999"},
        {german, 1, "##.##.####", "03.01.1999"},
        {iso, 2, "####-##-##", "1999-01-03"},
        {{"ddd, d MMM yyyy", ' ', 44}, 1, "## ## ####", "03 01 1999"},
        {{"'y'MM", '/', 1}, 2, "####/##/##", "1999/01/03"},
        {{"", '/', 1}, 0, "##/##/####", "01/03/1999"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dateOrder(c.locale), c.order) << c.locale.shortDateFormat;
        EXPECT_EQ(dateMask(c.locale), c.mask) << c.locale.shortDateFormat;
        EXPECT_EQ(formatOrderedDate(1999y / January / 3, c.locale), c.ordered) << c.locale.shortDateFormat;
    }
    EXPECT_EQ(formatOrderedDate(5y / December / 31, us), "12/31/0005");
}

TEST(DatesTest, ShortDateFormatting) {
    struct Case {
        const char* format;
        char separator;
        year_month_day date;
        const char* text;
    };
    const Case cases[] = {
        {"M/d/yyyy", '/', 1999y / January / 3, "1/3/1999"},
        {"MM/dd/yy", '/', 2005y / November / 23, "11/23/05"},
        {"dd.MM.yyyy", '.', 1999y / January / 3, "03.01.1999"},
        {"yyyy-MM-dd", '-', 1999y / January / 3, "1999-01-03"},
        {"d/M/yyyy", '-', 1999y / January / 3, "3-1-1999"},
        {"dddd d MMMM yyyy", '/', 2024y / February / 29, "Thursday 29 February 2024"},
        {"ddd d MMM yy", '/', 2024y / February / 29, "Thu 29 Feb 24"},
        {"yyyy'年'M'月'd'日'", '/', 2024y / June / 5, "2024年6月5日"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatShortDate(c.date, {c.format, c.separator, 1}), c.text) << c.format;
    }
}

TEST(DatesTest, FirstOfMonthAndCountry) {
    EXPECT_EQ(firstOfMonth(2024y / February / 29), 2024y / February / 1);
    EXPECT_EQ(firstOfMonth(1999y / December / 31), 1999y / December / 1);
    const year_month_day now = today();
    EXPECT_EQ(firstOfMonth(), now.year() / now.month() / 1);
    EXPECT_TRUE(isUSCountry(us));
    EXPECT_FALSE(isUSCountry(german));
}

TEST(DatesTest, ReadsTypedDates) {
    const year_month_day now = 2024y / June / 15;
    struct Case {
        const LocaleSettings* locale;
        const char* text;
        std::optional<year_month_day> date;
    };
    const Case cases[] = {
        {&us, "1/3/1999", 1999y / January / 3},
        {&us, " 1 / 3 / 1999 ", 1999y / January / 3},
        {&us, "01/03/1999/", 1999y / January / 3},
        {&us, "1/3", 2024y / January / 3},
        {&us, "1/3/99", 2099y / January / 3},
        {&us, "1/3/0", 2000y / January / 3},
        {&us, "12/31/9999", 9999y / December / 31},
        {&us, "2/29/2024", 2024y / February / 29},
        {&us, "2/29/2023", std::nullopt},
        {&us, "2/31/1999", std::nullopt},
        {&us, "13/1/1999", std::nullopt},
        {&us, "0/1/1999", std::nullopt},
        {&us, "1/0/1999", std::nullopt},
        {&us, "1/3/", std::nullopt},
        {&us, "1/3/1999//", std::nullopt},
        {&us, "1/3/10000", std::nullopt},
        {&us, "12345/1/1", std::nullopt},
        {&us, "1/3/1999x", std::nullopt},
        {&us, "1-3-1999", std::nullopt},
        {&us, "1", std::nullopt},
        {&us, "a/b/c", std::nullopt},
        {&us, "", std::nullopt},
        {&us, "   ", std::nullopt},
        {&german, "3.1.1999", 1999y / January / 3},
        {&german, "3.1.", std::nullopt},
        {&german, "3.1", 2024y / January / 3},
        {&german, "31.2.1999", std::nullopt},
        {&german, "1/3/1999", std::nullopt},
        {&iso, "1999-01-03", 1999y / January / 3},
        {&iso, "1-3", 2024y / January / 3},
        {&iso, "1999-2-31", std::nullopt},
        {&blankSeparated, "3 1 1999", 1999y / January / 3},
        {&blankSeparated, " 3  1 ", 2024y / January / 3},
        {&blankSeparated, "31", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tryReadDate(c.text, *c.locale, now), c.date)
            << "'" << c.text << "' with " << c.locale->shortDateFormat;
    }
}

TEST(DatesTest, ReadDateUsesTheUsersSettingsAndNamesTheBadText) {
    overrideLocaleForTesting(german);
    EXPECT_EQ(readDate("3.1.1999"), 1999y / January / 3);
    EXPECT_EQ(dateOrder(), 1);
    EXPECT_EQ(dateMask(), "##.##.####");
    EXPECT_FALSE(isUSCountry());
    try {
        readDate("31.2.1999");
        ADD_FAILURE() << "no error";
    } catch (const DateConversionError& error) {
        EXPECT_STREQ(error.what(), "'31.2.1999' is not a valid date");
    }
    overrideLocaleForTesting(std::nullopt);
}

}  // namespace
}  // namespace brimo::platform
