#include "data/dbf/FieldCodec.h"

#include "data/dbf/Bytes.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace brimo::data::dbf {
namespace {

constexpr std::byte kBlank{' '};

char charAt(std::span<const std::byte> bytes, size_t i) { return static_cast<char>(bytes[i]); }

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10,
                                   1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21};

}  // namespace

std::span<const std::byte> fieldBytes(std::span<const std::byte> record, const FieldDef& field) {
    return record.subspan(field.offset, field.length);
}

std::span<std::byte> fieldBytes(std::span<std::byte> record, const FieldDef& field) {
    return record.subspan(field.offset, field.length);
}

std::string_view trimmedText(std::span<const std::byte> bytes) {
    size_t n = bytes.size();
    while (n > 0 && (bytes[n - 1] == kBlank || bytes[n - 1] == std::byte{0})) --n;
    return {reinterpret_cast<const char*>(bytes.data()), n};
}

bool isBlank(std::span<const std::byte> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::byte b) { return b == kBlank || b == std::byte{0}; });
}

std::optional<double> parseNumber(std::span<const std::byte> bytes) {
    size_t i = 0, n = bytes.size();
    while (i < n && charAt(bytes, i) == ' ') ++i;
    while (n > i && (charAt(bytes, n - 1) == ' ' || bytes[n - 1] == std::byte{0})) --n;
    if (i == n) return std::nullopt;
    bool negative = false;
    if (charAt(bytes, i) == '-' || charAt(bytes, i) == '+') {
        negative = charAt(bytes, i) == '-';
        ++i;
    }
    uint64_t mantissa = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (; i < n; ++i) {
        char c = charAt(bytes, i);
        if (c >= '0' && c <= '9') {
            if (digits < 19) {
                mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
                ++digits;
                if (point) ++decimals;
            } else if (!point) {
                return std::nullopt;  // wider than any N field
            }
        } else if (c == '.' && !point) {
            point = true;
        } else if (c == ' ' && digits == 0 && !point) {
            continue;  // "-  5" written by some programs
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return point || negative ? std::optional<double>(0.0) : std::nullopt;
    double value = static_cast<double>(mantissa);
    if (decimals > 0) value /= kPowersOfTen[decimals];
    return negative ? -value : value;
}

bool formatNumber(std::span<std::byte> bytes, double value, int decimals) {
    if (!std::isfinite(value)) return false;
    char buf[64];
    decimals = std::clamp(decimals, 0, 18);
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc{}) return false;
    size_t len = static_cast<size_t>(end - buf);
    // A negative value that rounds to zero is written without its sign.
    if (buf[0] == '-' && std::all_of(buf + 1, end, [](char c) { return c == '0' || c == '.'; })) {
        std::memmove(buf, buf + 1, --len);
    }
    if (len > bytes.size()) return false;
    size_t pad = bytes.size() - len;
    std::fill(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(pad), kBlank);
    std::memcpy(bytes.data() + pad, buf, len);
    return true;
}

std::optional<bool> parseLogical(std::span<const std::byte> bytes) {
    if (bytes.empty()) return std::nullopt;
    switch (charAt(bytes, 0)) {
        case 'T':
        case 't':
        case 'Y':
        case 'y': return true;
        case 'F':
        case 'f':
        case 'N':
        case 'n': return false;
        default: return std::nullopt;
    }
}

std::optional<std::chrono::year_month_day> parseDate(std::span<const std::byte> bytes) {
    if (bytes.size() < 8) return std::nullopt;
    int parts[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    size_t pos = 0;
    for (int p = 0; p < 3; ++p) {
        for (int k = 0; k < widths[p]; ++k, ++pos) {
            char c = charAt(bytes, pos);
            if (c < '0' || c > '9') return std::nullopt;
            parts[p] = parts[p] * 10 + (c - '0');
        }
    }
    std::chrono::year_month_day date{std::chrono::year(parts[0]), std::chrono::month(static_cast<unsigned>(parts[1])),
                                     std::chrono::day(static_cast<unsigned>(parts[2]))};
    if (!date.ok()) return std::nullopt;
    return date;
}

void formatDate(std::span<std::byte> bytes, std::chrono::year_month_day date) {
    if (!date.ok()) {
        std::fill(bytes.begin(), bytes.end(), kBlank);
        return;
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02u%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    std::memcpy(bytes.data(), buf, std::min<size_t>(8, bytes.size()));
}

int32_t decodeLong(std::span<const std::byte> bytes) {
    return static_cast<int32_t>(readBE32(bytes.data()) ^ 0x80000000u);
}

void encodeLong(std::span<std::byte> bytes, int32_t value) {
    writeBE32(bytes.data(), static_cast<uint32_t>(value) ^ 0x80000000u);
}

double decodeDouble(std::span<const std::byte> bytes) {
    uint64_t raw = readBE64(bytes.data());
    raw = (raw & 0x8000000000000000ull) ? raw ^ 0x8000000000000000ull : ~raw;
    return std::bit_cast<double>(raw);
}

void encodeDouble(std::span<std::byte> bytes, double value) {
    uint64_t raw = std::bit_cast<uint64_t>(value);
    raw = (raw & 0x8000000000000000ull) ? ~raw : raw | 0x8000000000000000ull;
    writeBE64(bytes.data(), raw);
}

bool isAllZero(std::span<const std::byte> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::byte b) { return b == std::byte{0}; });
}

std::optional<uint32_t> parseBlockNumber(std::span<const std::byte> bytes) {
    uint64_t block = 0;
    bool digits = false;
    for (std::byte b : bytes) {
        char c = static_cast<char>(b);
        if (c >= '0' && c <= '9') {
            block = block * 10 + static_cast<uint64_t>(c - '0');
            digits = true;
            if (block > UINT32_MAX) return std::nullopt;
        } else if ((c == ' ' || c == '\0') && !digits) {
            continue;
        } else if ((c == ' ' || c == '\0') && digits) {
            continue;  // trailing padding
        } else {
            return std::nullopt;
        }
    }
    return static_cast<uint32_t>(block);
}

void formatBlockNumber(std::span<std::byte> bytes, uint32_t block) {
    std::fill(bytes.begin(), bytes.end(), kBlank);
    if (block == 0) return;
    char buf[16];
    int len = std::snprintf(buf, sizeof buf, "%u", block);
    size_t n = std::min<size_t>(static_cast<size_t>(len), bytes.size());
    std::memcpy(bytes.data() + bytes.size() - n, buf + len - n, n);
}

}  // namespace brimo::data::dbf
