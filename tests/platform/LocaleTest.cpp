#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace brimo::platform {
namespace {

TEST(LocaleTest, StrftimeDateFormatsBecomeWindowsFormats) {
    struct Case {
        const char* strftime;
        const char* windows;
        char separator;
    };
    const Case cases[] = {
        {"%m/%d/%y", "MM/dd/yy", '/'},       {"%d.%m.%Y", "dd.MM.yyyy", '.'},
        {"%Y-%m-%d", "yyyy-MM-dd", '-'},     {"%D", "MM/dd/yy", '/'},
        {"%F", "yyyy-MM-dd", '-'},           {"%e/%m/%Y", "d/MM/yyyy", '/'},
        {"%-d.%-m.%Y", "d.M.yyyy", '.'},     {"%Od.%Om.%EY", "dd.MM.yyyy", '.'},
        {"%d %b %Y", "dd MMM yyyy", '/'},    {"%Y年%m月%d日", "yyyy年MM月dd日", '/'},
        {"%d de %B", "dd 'd''e' MMMM", '/'}, {"", "MM/dd/yy", '/'},
    };
    for (const Case& c : cases) {
        const LocaleSettings settings = dateSettingsFromStrftime(c.strftime);
        EXPECT_EQ(settings.shortDateFormat, c.windows) << c.strftime;
        EXPECT_EQ(settings.dateSeparator, c.separator) << c.strftime;
    }
}

TEST(LocaleTest, InstalledLocalesGiveTheirDateFormatAndCountry) {
    struct Case {
        const char* locale;
        LocaleSettings expected;
    };
    const Case cases[] = {
        {"C", {"MM/dd/yy", '/', 1}},
        {"C.UTF-8", {"MM/dd/yy", '/', 1}},
        {"en_US.UTF-8", {"MM/dd/yyyy", '/', 1}},
        {"de_DE.UTF-8", {"dd.MM.yyyy", '.', 49}},
        {"sv_SE.UTF-8", {"yyyy-MM-dd", '-', 46}},
    };
    int installed = 0;
    for (const Case& c : cases) {
        const std::optional<LocaleSettings> settings = localeSettingsFor(c.locale);
        if (!settings) {
            continue;
        }
        ++installed;
        EXPECT_EQ(settings->shortDateFormat, c.expected.shortDateFormat) << c.locale;
        EXPECT_EQ(settings->dateSeparator, c.expected.dateSeparator) << c.locale;
        EXPECT_EQ(settings->countryCode, c.expected.countryCode) << c.locale;
    }
    EXPECT_GE(installed, 2) << "C and C.UTF-8 are always there";
    EXPECT_FALSE(localeSettingsFor("xx_NOWHERE.UTF-8"));
}

// currentLocale() follows the process's locale once one was chosen with
// setlocale, and the environment's locale otherwise.
class CurrentLocaleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedLocale = std::setlocale(LC_ALL, nullptr);
        if (const char* value = std::getenv("LC_ALL")) {
            savedLcAll = value;
        }
    }
    void TearDown() override {
        std::setlocale(LC_ALL, savedLocale.c_str());
        if (savedLcAll) {
            ::setenv("LC_ALL", savedLcAll->c_str(), 1);
        } else {
            ::unsetenv("LC_ALL");
        }
        overrideLocaleForTesting(std::nullopt);
    }

    std::string savedLocale;
    std::optional<std::string> savedLcAll;
};

TEST_F(CurrentLocaleTest, FollowsTheLocaleChosenWithSetlocale) {
    for (const char* name : {"de_DE.UTF-8", "sv_SE.UTF-8", "C.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) == nullptr) {
            continue;
        }
        EXPECT_EQ(currentLocale(), localeSettingsFor(name)) << name;
    }
}

TEST_F(CurrentLocaleTest, FollowsTheEnvironmentWhileTheProcessStaysInTheCLocale) {
    std::setlocale(LC_ALL, "C");
    const char* name = localeSettingsFor("de_DE.UTF-8") ? "de_DE.UTF-8" : "C.UTF-8";
    ::setenv("LC_ALL", name, 1);
    EXPECT_EQ(currentLocale(), localeSettingsFor(name));
    EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C") << "the process's locale is left alone";

    ::setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    EXPECT_EQ(currentLocale(), localeSettingsFor("C")) << "an unknown locale falls back to C";
}

TEST_F(CurrentLocaleTest, TheOverrideWinsUntilItIsCleared) {
    std::setlocale(LC_ALL, "C");
    ::setenv("LC_ALL", "C", 1);
    const LocaleSettings german{"dd.MM.yyyy", '.', 49};
    overrideLocaleForTesting(german);
    EXPECT_EQ(currentLocale(), german);
    overrideLocaleForTesting(std::nullopt);
    EXPECT_EQ(currentLocale(), localeSettingsFor("C"));
}

}  // namespace
}  // namespace brimo::platform
