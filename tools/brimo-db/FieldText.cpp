#include "FieldText.h"

#include <charconv>
#include <chrono>
#include <cstdio>

#include "data/dbf/FieldCodec.h"

namespace brimo::dbtool {

namespace {

using namespace data::dbf;

std::string_view asChars(std::span<const std::byte> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Stored numbers keep their decimals; only the blanks go. Some writers store
// "  .5" or "-.5": print those with their zero.
std::string numberText(std::span<const std::byte> bytes) {
    std::string_view s = asChars(bytes);
    size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return "";
    std::string text(trimmedText(bytes.subspan(first)));
    if (text.starts_with('.'))
        text.insert(0, 1, '0');
    if (text.starts_with("-."))
        text.insert(1, 1, '0');
    return text;
}

std::string dateText(std::span<const std::byte> bytes) {
    auto date = parseDate(bytes);
    if (!date)
        return isBlank(bytes) ? "" : std::string(trimmedText(bytes));
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date->year()),
                  static_cast<unsigned>(date->month()), static_cast<unsigned>(date->day()));
    return buffer;
}

std::string doubleText(double value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string hexText(std::span<const std::byte> bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::byte b : bytes) {
        auto v = std::to_integer<unsigned>(b);
        out += digits[v >> 4];
        out += digits[v & 0x0F];
    }
    return out;
}

std::string fieldText(const data::FieldDef& field, std::span<const std::byte> record) {
    auto bytes = fieldBytes(record, field);
    switch (field.type) {
        case 'N':
        case 'F':
            return numberText(bytes);
        case 'L': {
            auto value = parseLogical(bytes);
            return value ? (*value ? "T" : "F") : "";
        }
        case 'D':
            return dateText(bytes);
        case 'I':
        case '+':
            return isAllZero(bytes) ? "" : std::to_string(decodeLong(bytes));
        case 'O':
            return isAllZero(bytes) ? "" : doubleText(decodeDouble(bytes));
        default:
            return hexText(bytes);
    }
}

}  // namespace brimo::dbtool
