#include "data/sql/SqlTokenizer.h"

#include <array>
#include <string>

namespace brimo::data::sql {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
// Bytes of 0x80 and above are parts of UTF-8 characters, which SQLite allows in names.
bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
bool isNamePart(char c) {
    return isNameStart(c) || isDigit(c) || c == '$';
}
char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length of a literal that starts with `quote` at `pos` and doubles `quote` to
// escape it; runs to the end of the text when unterminated.
size_t quotedLength(std::string_view s, size_t pos, char close) {
    size_t i = pos + 1;
    while (i < s.size()) {
        if (s[i] == close) {
            if (close != ']' && i + 1 < s.size() && s[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1 - pos;
        }
        ++i;
    }
    return s.size() - pos;
}

size_t numberLength(std::string_view s, size_t pos) {
    size_t i = pos;
    if (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X') && i + 2 < s.size() &&
        isHexDigit(s[i + 2])) {
        i += 2;
        while (i < s.size() && isHexDigit(s[i])) ++i;
        return i - pos;
    }
    while (i < s.size() && isDigit(s[i])) ++i;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            i = j;
            while (i < s.size() && isDigit(s[i])) ++i;
        }
    }
    return i - pos;
}

size_t operatorLength(std::string_view s, size_t pos) {
    static constexpr std::array<std::string_view, 10> twoOrMore = {"->>", "||", "<=", ">=", "<>",
                                                                   "!=",  "==", "<<", ">>", "->"};
    for (std::string_view op : twoOrMore) {
        if (s.substr(pos, op.size()) == op)
            return op.size();
    }
    return 1;
}

std::pair<TokenKind, size_t> nextToken(std::string_view s, size_t pos) {
    const char c = s[pos];
    const char next = pos + 1 < s.size() ? s[pos + 1] : '\0';
    if (isSpace(c)) {
        size_t i = pos;
        while (i < s.size() && isSpace(s[i])) ++i;
        return {TokenKind::Space, i - pos};
    }
    if (c == '-' && next == '-') {
        size_t end = s.find('\n', pos);
        return {TokenKind::Comment, (end == std::string_view::npos ? s.size() : end) - pos};
    }
    if (c == '/' && next == '*') {
        size_t end = s.find("*/", pos + 2);
        return {TokenKind::Comment, (end == std::string_view::npos ? s.size() : end + 2) - pos};
    }
    if (c == '\'')
        return {TokenKind::String, quotedLength(s, pos, '\'')};
    if (c == '"')
        return {TokenKind::QuotedName, quotedLength(s, pos, '"')};
    if (c == '`')
        return {TokenKind::BracketName, quotedLength(s, pos, '`')};
    if (c == '[')
        return {TokenKind::BracketName, quotedLength(s, pos, ']')};
    if ((c == 'x' || c == 'X') && next == '\'')
        return {TokenKind::Blob, 1 + quotedLength(s, pos + 1, '\'')};
    if (isDigit(c) || (c == '.' && isDigit(next)))
        return {TokenKind::Number, numberLength(s, pos)};
    if (c == '?') {
        size_t i = pos + 1;
        while (i < s.size() && isDigit(s[i])) ++i;
        return {TokenKind::Parameter, i - pos};
    }
    if ((c == ':' || c == '@' || c == '$') && isNamePart(next)) {
        size_t i = pos + 1;
        while (i < s.size()) {
            if (isNamePart(s[i])) {
                ++i;
            } else if (c == '$' && s[i] == ':' && i + 2 < s.size() && s[i + 1] == ':' && isNamePart(s[i + 2])) {
                i += 2;
            } else {
                break;
            }
        }
        return {TokenKind::Parameter, i - pos};
    }
    if (isNameStart(c)) {
        size_t i = pos;
        while (i < s.size() && isNamePart(s[i])) ++i;
        return {TokenKind::Word, i - pos};
    }
    return {TokenKind::Operator, operatorLength(s, pos)};
}

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool Token::isWord(std::string_view keyword) const {
    return kind == TokenKind::Word && equalsIgnoringCase(text, keyword);
}

std::vector<Token> tokenize(std::string_view sql) {
    std::vector<Token> tokens;
    size_t pos = 0;
    while (pos < sql.size()) {
        auto [kind, length] = nextToken(sql, pos);
        tokens.push_back({kind, sql.substr(pos, length)});
        pos += length;
    }
    return tokens;
}

std::string unquotedName(const Token& token) {
    std::string_view t = token.text;
    if (token.kind == TokenKind::Word || t.size() < 2)
        return std::string(t);
    const char close = t.front() == '[' ? ']' : t.front();
    std::string name;
    const size_t end = t.back() == close ? t.size() - 1 : t.size();
    for (size_t i = 1; i < end; ++i) {
        name += t[i];
        if (close != ']' && t[i] == close && i + 1 < end && t[i + 1] == close)
            ++i;
    }
    return name;
}

}  // namespace brimo::data::sql
