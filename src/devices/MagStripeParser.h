#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brimo::devices {

// The fields of one card swipe (track 1 "%B...^NAME^YYMM..." or track 2
// ";digits=YYMM...").
struct MagStripeCard {
    std::string cardNumber;  // digits and blanks, at most 49 characters
    std::string name;        // at most 50 characters, blanks trimmed
    std::string expiry;      // YYMM as on the card, at most 4 characters
    std::string raw;         // the whole swiped text

    bool operator==(const MagStripeCard&) const = default;
};

// Splits the text that a keyboard-type card reader typed. Nothing for an
// empty text; any other text gives fields, possibly short or empty ones.
std::optional<MagStripeCard> parseMagStripe(std::string_view swiped);

}  // namespace brimo::devices
