#include "reports/TextFunctions.h"

#include <algorithm>

#include "platform/Dates.h"

namespace brimo::reports {

std::string trimLeadingBlanks(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    return std::string(first, text.end());
}

std::string trimTrailingBlanks(std::string_view text) {
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank);
    return std::string(text.begin(), last.base());
}

std::string trimBlanks(std::string_view text) {
    return trimTrailingBlanks(trimLeadingBlanks(text));
}

std::string removeBlanks(std::string_view text) {
    std::string out(text);
    out.erase(std::remove_if(out.begin(), out.end(), isBlank), out.end());
    return out;
}

bool isValidDateText(std::string_view text) {
    return platform::tryReadDate(text).has_value();
}

}  // namespace brimo::reports
