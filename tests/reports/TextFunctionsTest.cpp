#include "reports/TextFunctions.h"

#include <gtest/gtest.h>

#include "platform/Locale.h"

namespace brimo::reports {
namespace {

TEST(TextFunctionsTest, BlanksAreTheCharactersBelow33) {
    struct Case {
        std::string text;
        std::string trimmed;
        std::string leading;
        std::string trailing;
        std::string removed;
    };
    const Case cases[] = {
        {"  a b  ", "a b", "a b  ", "  a b", "ab"},
        {"\t\r\n\x01x\x1F y\x7F ", "x\x1F y\x7F", "x\x1F y\x7F ", "\t\r\n\x01x\x1F y\x7F", "xy\x7F"},
        {std::string("\0a\0", 3), "a", std::string("a\0", 2), std::string("\0a", 2), "a"},
        {"\xA0\xE9t\xE9\xA0", "\xA0\xE9t\xE9\xA0", "\xA0\xE9t\xE9\xA0", "\xA0\xE9t\xE9\xA0", "\xA0\xE9t\xE9\xA0"},
        {"   ", "", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(trimBlanks(c.text), c.trimmed) << c.text;
        EXPECT_EQ(trimLeadingBlanks(c.text), c.leading) << c.text;
        EXPECT_EQ(trimTrailingBlanks(c.text), c.trailing) << c.text;
        EXPECT_EQ(removeBlanks(c.text), c.removed) << c.text;
    }
}

TEST(TextFunctionsTest, ValidDatesFollowTheUsersDateFormat) {
    platform::overrideLocaleForTesting(platform::LocaleSettings{"dd.MM.yyyy", '.', 49});
    EXPECT_TRUE(isValidDateText("3.1.1999"));
    EXPECT_TRUE(isValidDateText("29.2.2024"));
    EXPECT_FALSE(isValidDateText("1/3/1999"));
    EXPECT_FALSE(isValidDateText(""));
    // 31 February in every order of the three fields.
    for (const auto& [format, separator, text] :
         {std::tuple{"M/d/yyyy", '/', "2/31/1999"}, std::tuple{"dd.MM.yyyy", '.', "31.2.1999"},
          std::tuple{"yyyy-MM-dd", '-', "1999-2-31"}}) {
        platform::overrideLocaleForTesting(platform::LocaleSettings{format, separator, 1});
        EXPECT_FALSE(isValidDateText(text)) << text;
    }
    platform::overrideLocaleForTesting(std::nullopt);
}

}  // namespace
}  // namespace brimo::reports
