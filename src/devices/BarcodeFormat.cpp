#include "devices/BarcodeFormat.h"

#include <algorithm>
#include <array>

#include "platform/AsciiCase.h"

namespace brimo::devices {
namespace {

// The two glyphs of each digit pair 00-99 in the Interleaved 2 of 5 font.
constexpr std::array<const char*, 100> interleavedPairs = {
    "\x22\x5D", "\x2A\x4A", "\x24\x4A", "\x2C\x49", "\x22\x5A", "\x2A\x59", "\x24\x59", "\x22\x4E", "\x2A\x4D",
    "\x24\x4D", "\x31\x57", "\x39\x44", "\x33\x44", "\x3B\x43", "\x31\x54", "\x39\x53", "\x33\x53", "\x31\x48",
    "\x39\x47", "\x33\x47", "\x25\x57", "\x2D\x44", "\x27\x44", "\x2F\x43", "\x25\x54", "\x2D\x53", "\x27\x53",
    "\x25\x48", "\x2D\x47", "\x27\x47", "\x35\x55", "\x3D\x42", "\x37\x42", "\x3F\x41", "\x35\x52", "\x3D\x51",
    "\x37\x51", "\x35\x46", "\x3D\x45", "\x37\x45", "\x22\x57", "\x2A\x44", "\x24\x44", "\x2C\x43", "\x22\x54",
    "\x2A\x53", "\x24\x53", "\x22\x48", "\x2A\x47", "\x24\x47", "\x32\x55", "\x3A\x42", "\x34\x42", "\x3C\x41",
    "\x32\x52", "\x3A\x51", "\x34\x51", "\x32\x46", "\x3A\x45", "\x34\x45", "\x26\x55", "\x2E\x42", "\x28\x42",
    "\x30\x41", "\x26\x52", "\x2E\x51", "\x28\x51", "\x26\x46", "\x2E\x45", "\x28\x45", "\x21\x5F", "\x29\x4C",
    "\x23\x4C", "\x2B\x4B", "\x21\x5C", "\x29\x5B", "\x23\x5B", "\x21\x50", "\x29\x4F", "\x23\x4F", "\x31\x5D",
    "\x39\x4A", "\x33\x4A", "\x3B\x49", "\x31\x5A", "\x39\x59", "\x33\x59", "\x31\x4E", "\x39\x4D", "\x33\x4D",
    "\x25\x5D", "\x2D\x4A", "\x27\x4A", "\x2F\x49", "\x25\x5A", "\x2D\x59", "\x27\x59", "\x25\x4E", "\x2D\x4D",
    "\x27\x4D",
};

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string interleaved2of5(std::string_view text) {
    if (!allDigits(text)) {
        return std::string(text);
    }
    const std::string digits = (text.size() % 2 == 1 ? "0" : "") + std::string(text);
    std::string glyphs = "a";
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        glyphs += interleavedPairs[static_cast<std::size_t>((digits[i] - '0') * 10 + (digits[i + 1] - '0'))];
    }
    return glyphs + "b";
}

}  // namespace

std::string formatBarcodeText(std::string_view fontName, std::string_view text) {
    const std::string font = platform::toUpperAscii(fontName);
    std::string result(text);
    if (font.find("CBAR") != std::string::npos) {
        result = "A" + result + "B";
    }
    if (font.find("C39") != std::string::npos) {
        result = "*" + result + "*";
        std::replace(result.begin(), result.end(), ' ', ',');
    }
    if (font.find("I25") != std::string::npos) {
        result = interleaved2of5(result);
    }
    if (font.find("POSTNET") != std::string::npos) {
        result.clear();
    }
    return result;
}

}  // namespace brimo::devices
