#include "data/index/KeyEncoding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace brimo::data::index {

namespace {

constexpr int kExponentBias = 52;
constexpr size_t kMantissaBytes = 10;
constexpr size_t kMaxDigits = 2 * kMantissaBytes;

bool mantissaIsZero(std::span<const std::byte> key) {
    for (size_t i = 2; i < kNumericKeyLength; ++i) {
        if (key[i] != std::byte{0})
            return false;
    }
    return true;
}

bool isNegative(std::span<const std::byte> key) {
    return (std::to_integer<unsigned>(key[1]) & 0x80u) != 0;
}

}  // namespace

Key characterKey(std::string_view text, uint16_t length) {
    Key key(length, std::byte{' '});
    std::copy_n(reinterpret_cast<const std::byte*>(text.data()), std::min<size_t>(text.size(), length), key.begin());
    return key;
}

void encodeNumericKey(double value, std::span<std::byte> out) {
    std::fill(out.begin(), out.begin() + kNumericKeyLength, std::byte{0});
    if (!std::isfinite(value) || value == 0.0) {
        out[0] = std::byte{kExponentBias};
        out[1] = std::byte{0x01};
        return;
    }
    // Shortest decimal form that reads back as the same double, in scientific
    // notation: d.ddddde±x.
    std::array<char, 40> text{};
    auto result =
        std::to_chars(text.data(), text.data() + text.size(), std::fabs(value), std::chars_format::scientific);
    std::string_view sci(text.data(), static_cast<size_t>(result.ptr - text.data()));
    size_t ePos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, ePos)) {
        if (c != '.')
            digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (digits.size() > kMaxDigits)
        digits.resize(kMaxDigits);
    int exponent10 = 0;
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exponent10);
    // value = 0.d1d2... x 10^(exponent10 + 1)
    int exponentByte = kExponentBias + exponent10 + 1;
    if (exponentByte < 0 || exponentByte > 255) {
        out[0] = std::byte{kExponentBias};
        out[1] = std::byte{0x01};
        return;
    }
    out[0] = static_cast<std::byte>(exponentByte);
    // Digit count rounded up to an even number, as the most common writers do.
    unsigned count = static_cast<unsigned>((digits.size() + 1) / 2 * 2);
    out[1] = static_cast<std::byte>((value < 0 ? 0x80u : 0u) | (count << 2) | 0x01u);
    for (size_t i = 0; i < digits.size(); ++i) {
        unsigned nibble = static_cast<unsigned>(digits[i] - '0');
        auto& b = out[2 + i / 2];
        b |= static_cast<std::byte>(i % 2 == 0 ? nibble << 4 : nibble);
    }
}

Key numericKey(double value) {
    Key key(kNumericKeyLength);
    encodeNumericKey(value, key);
    return key;
}

double decodeNumericKey(std::span<const std::byte> key) {
    if (mantissaIsZero(key))
        return 0.0;
    std::string text = "0.";
    for (size_t i = 2; i < kNumericKeyLength; ++i) {
        unsigned b = std::to_integer<unsigned>(key[i]);
        text += static_cast<char>('0' + std::min(9u, b >> 4));
        text += static_cast<char>('0' + std::min(9u, b & 0x0Fu));
    }
    text += 'e' + std::to_string(std::to_integer<int>(key[0]) - kExponentBias);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return isNegative(key) ? -value : value;
}

std::strong_ordering compareNumericKeys(std::span<const std::byte> a, std::span<const std::byte> b) {
    // Signs: -1, 0 or +1; a zero mantissa is zero whatever the exponent says.
    auto sign = [](std::span<const std::byte> k) { return mantissaIsZero(k) ? 0 : (isNegative(k) ? -1 : 1); };
    int sa = sign(a);
    int sb = sign(b);
    if (sa != sb || sa == 0)
        return sa <=> sb;
    std::strong_ordering magnitude = std::to_integer<unsigned>(a[0]) <=> std::to_integer<unsigned>(b[0]);
    if (magnitude == 0) {
        int c = std::memcmp(a.data() + 2, b.data() + 2, kMantissaBytes);
        magnitude = c <=> 0;
    }
    return sa > 0 ? magnitude : 0 <=> magnitude;
}

void encodeDateKey(int32_t julianDay, std::span<std::byte> out) {
    double value = julianDay == 0 ? kBlankDateKey : static_cast<double>(julianDay);
    auto bits = std::bit_cast<uint64_t>(value);
    for (size_t i = 0; i < kDateKeyLength; ++i) out[i] = static_cast<std::byte>(bits >> (8 * i));
}

Key dateKey(int32_t julianDay) {
    Key key(kDateKeyLength);
    encodeDateKey(julianDay, key);
    return key;
}

double decodeDateKey(std::span<const std::byte> key) {
    uint64_t bits = 0;
    for (size_t i = 0; i < kDateKeyLength; ++i) bits |= std::to_integer<uint64_t>(key[i]) << (8 * i);
    return std::bit_cast<double>(bits);
}

int32_t julianDay(int year, unsigned month, unsigned day) {
    std::chrono::year_month_day ymd{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
    if (!ymd.ok() || year < 1 || year > 9999)
        return 0;
    constexpr int32_t kJulianDayOf1970 = 2440588;
    return static_cast<int32_t>(std::chrono::sys_days{ymd}.time_since_epoch().count()) + kJulianDayOf1970;
}

std::strong_ordering compareKeys(KeyType type, std::span<const std::byte> a, std::span<const std::byte> b) {
    switch (type) {
        case KeyType::Numeric:
            return compareNumericKeys(a, b);
        case KeyType::Date: {
            double da = decodeDateKey(a);
            double db = decodeDateKey(b);
            return da < db ? std::strong_ordering::less
                           : (db < da ? std::strong_ordering::greater : std::strong_ordering::equal);
        }
        case KeyType::Character:
            break;
    }
    size_t n = std::min(a.size(), b.size());
    int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
    return c <=> 0;
}

std::string describeKey(KeyType type, std::span<const std::byte> key) {
    switch (type) {
        case KeyType::Numeric: {
            std::array<char, 40> text{};
            auto r = std::to_chars(text.data(), text.data() + text.size(), decodeNumericKey(key));
            return std::string(text.data(), r.ptr);
        }
        case KeyType::Date: {
            double jd = decodeDateKey(key);
            if (!(jd > 0 && jd < 1e7))
                return "blank date";
            constexpr int32_t kJulianDayOf1970 = 2440588;
            std::chrono::sys_days day{std::chrono::days{static_cast<int32_t>(jd) - kJulianDayOf1970}};
            std::chrono::year_month_day ymd{day};
            char text[16];
            std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                          static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
            return text;
        }
        case KeyType::Character:
            break;
    }
    std::string text(reinterpret_cast<const char*>(key.data()), key.size());
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return '"' + text + '"';
}

}  // namespace brimo::data::index
