#pragma once

#include <string>
#include <string_view>

namespace brimo::reports {

// A blank is any character whose code is 0 to 32.
constexpr bool isBlank(char c) {
    return static_cast<unsigned char>(c) < 33;
}

std::string trimBlanks(std::string_view text);
std::string trimLeadingBlanks(std::string_view text);
std::string trimTrailingBlanks(std::string_view text);
// Every blank removed, wherever it stands.
std::string removeBlanks(std::string_view text);

// True when the text is a date by the reading rule of platform::tryReadDate
// with the user's settings. The caller tells the user "The date entered is
// invalid." when it is not.
bool isValidDateText(std::string_view text);

}  // namespace brimo::reports
