#include "devices/MagStripeParser.h"

#include <gtest/gtest.h>

namespace brimo::devices {
namespace {

TEST(MagStripeParserTest, SplitsSwipes) {
    const std::string digits49(49, '4');
    const std::string longName = std::string(40, 'N') + "/FIRSTNAMES";  // 51 characters
    struct Case {
        const char* what;
        std::string swiped;
        std::string number;
        std::string name;
        std::string expiry;
    };
    const Case cases[] = {
        {"track 1", "%B4111111111111111^SMITH/JOHN Q      ^0512101000000000000?", "4111111111111111", "SMITH/JOHN Q",
         "0512"},
        {"track 1 and track 2", "%B5500000000000004^DOE/JANE^07091010000?;5500000000000004=0709101?",
         "5500000000000004", "DOE/JANE", "0709"},
        {"track 2 only", ";4111111111111111=05121010000?", "4111111111111111", "05121010000?", ""},
        {"number with blanks", "%B4111 1111 1111 1111^DOE/JANE^0612", "4111 1111 1111 1111", "DOE/JANE", "0612"},
        {"name cut to 50, the 51st ends it", "%B4111^" + longName + "^0512", "4111",
         std::string(40, 'N') + "/FIRSTNAME", "^051"},
        {"name cut to 50, then trimmed", "%B4111^SMITH/JOHN" + std::string(45, ' ') + "^0512", "4111", "SMITH/JOHN",
         "    "},
        {"number up to position 50, the 51st ends it", ";" + digits49 + "X" + "NAME^=1234", digits49, "NAME^", "1234"},
        {"short expiry", "%B1^N^05", "1", "N", "05"},
        {"no expiry", "%B1^N^", "1", "N", ""},
        {"number only", "%B123", "123", "", ""},
        {"empty name", "%B1^^0512", "1", "", "0512"},
        {"start sentinel only", ";", "", "", ""},
        {"track 1 sentinel only", "%", "", "", ""},
        {"no number: the first other character is the separator", "%BX^Y^1234", "", "^Y^1234", ""},
    };
    for (const Case& c : cases) {
        const std::optional<MagStripeCard> card = parseMagStripe(c.swiped);
        ASSERT_TRUE(card) << c.what;
        EXPECT_EQ(card->cardNumber, c.number) << c.what;
        EXPECT_EQ(card->name, c.name) << c.what;
        EXPECT_EQ(card->expiry, c.expiry) << c.what;
        EXPECT_EQ(card->raw, c.swiped) << c.what;
    }
}

TEST(MagStripeParserTest, AnEmptySwipeGivesNoCard) {
    EXPECT_FALSE(parseMagStripe(""));
}

}  // namespace
}  // namespace brimo::devices
