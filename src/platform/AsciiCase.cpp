#include "platform/AsciiCase.h"

#include <algorithm>

namespace brimo::platform {

std::string toUpperAscii(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return toUpperAscii(c); });
    return out;
}

std::string toLowerAscii(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return toLowerAscii(c); });
    return out;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return toUpperAscii(x) == toUpperAscii(y); });
}

}  // namespace brimo::platform
