#include "platform/CodePage.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "platform/CodePageTables.h"

namespace brimo::platform {
namespace {

using UpperHalf = std::array<char16_t, 128>;

const UpperHalf& upperHalf(CodePage codePage) {
    namespace t = codepage_tables;
    switch (codePage) {
        case CodePage::cp437:
            return t::cp437;
        case CodePage::cp850:
            return t::cp850;
        case CodePage::cp852:
            return t::cp852;
        case CodePage::cp865:
            return t::cp865;
        case CodePage::cp866:
            return t::cp866;
        case CodePage::cp1250:
            return t::cp1250;
        case CodePage::cp1251:
            return t::cp1251;
        case CodePage::cp1252:
            return t::cp1252;
    }
    return t::cp1252;
}

// Code point -> byte for the upper half of one code page, sorted by code
// point for binary search.
using ReverseTable = std::vector<std::pair<char16_t, unsigned char>>;

ReverseTable buildReverseTable(const UpperHalf& table) {
    ReverseTable reverse;
    for (std::size_t i = 0; i < table.size(); ++i) {
        reverse.emplace_back(table[i], static_cast<unsigned char>(0x80 + i));
    }
    std::sort(reverse.begin(), reverse.end());
    return reverse;
}

const ReverseTable& reverseTable(CodePage codePage) {
    static const std::array<ReverseTable, 8> tables = [] {
        std::array<ReverseTable, 8> built;
        for (int i = 0; i < 8; ++i) {
            built[i] = buildReverseTable(upperHalf(static_cast<CodePage>(i)));
        }
        return built;
    }();
    return tables[static_cast<std::size_t>(codePage)];
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. A malformed
// sequence (bad lead or continuation byte, overlong form, surrogate, beyond
// U+10FFFF, cut short) yields nothing and advances by one byte.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (pos + length > text.size()) {
        ++pos;
        return std::nullopt;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += length;
    return c;
}

}  // namespace

std::string decodeText(CodePage codePage, std::string_view bytes) {
    const UpperHalf& table = upperHalf(codePage);
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        appendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{table[b - 0x80]});
    }
    return out;
}

std::string encodeText(CodePage codePage, std::string_view utf8) {
    const ReverseTable& reverse = reverseTable(codePage);
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::optional<char32_t> c = nextCodePoint(utf8, pos);
        if (!c) {
            out += '?';
        } else if (*c < 0x80) {
            out += static_cast<char>(*c);
        } else {
            const auto found = std::lower_bound(reverse.begin(), reverse.end(), std::pair{char16_t{0}, 0},
                                                [&](const auto& entry, const auto&) { return entry.first < *c; });
            const bool mapped = found != reverse.end() && found->first == *c;
            out += mapped ? static_cast<char>(found->second) : '?';
        }
    }
    return out;
}

}  // namespace brimo::platform
