#include "devices/MagStripeParser.h"

#include "reports/TextFunctions.h"

namespace brimo::devices {
namespace {

constexpr std::size_t lastNumberPosition = 50;  // 1-based
constexpr std::size_t maxNameLength = 50;
constexpr std::size_t expiryLength = 4;

bool isNumberCharacter(char c) {
    return c == ' ' || (c >= '0' && c <= '9');
}

}  // namespace

// Positions below are 0-based indexes into the swiped text.
std::optional<MagStripeCard> parseMagStripe(std::string_view swiped) {
    if (swiped.empty()) {
        return std::nullopt;
    }
    MagStripeCard card;
    card.raw = std::string(swiped);

    // Track 1 opens with '%' and a format code, track 2 with ';'.
    std::size_t pos = swiped.front() == '%' ? 2 : 1;
    char separator = '=';
    while (pos < lastNumberPosition && pos < swiped.size() && isNumberCharacter(swiped[pos])) {
        card.cardNumber += swiped[pos++];
    }
    if (pos < lastNumberPosition && pos < swiped.size()) {
        separator = swiped[pos];
    }
    // pos now stands on the character that ended the number (the 51st when
    // the number filled all positions up to the 50th).

    std::size_t namePos = pos + 1;
    std::string name;
    while (name.size() < maxNameLength && namePos < swiped.size() && swiped[namePos] != separator) {
        name += swiped[namePos++];
    }
    card.name = reports::trimBlanks(name);

    // namePos stands on the character that ended the name.
    if (namePos + 1 < swiped.size()) {
        card.expiry = std::string(swiped.substr(namePos + 1, expiryLength));
    }
    return card;
}

}  // namespace brimo::devices
