#pragma once

#include <string_view>
#include <vector>

namespace brimo::data::sql {

// The lexical classes of SQLite's SQL that the dialect rewrite has to tell apart.
enum class TokenKind {
    Space,        // blanks and line breaks
    Comment,      // -- to the end of the line, or /* ... */
    Word,         // a bare identifier or keyword
    QuotedName,   // "..." (an identifier in SQLite, sometimes a text in the old dialect)
    BracketName,  // [...] or `...`
    String,       // '...'
    Blob,         // x'...'
    Number,       // 12, 1.5e3, 0x1F
    Parameter,    // :name, @name, $name, ?, ?7
    Operator,     // punctuation and operators, e.g. = <> || ( ) , . ;
};

struct Token {
    TokenKind kind;
    std::string_view text;  // a view into the tokenized text

    bool significant() const { return kind != TokenKind::Space && kind != TokenKind::Comment; }
    // A bare word equal to `keyword` without regard to ASCII case.
    bool isWord(std::string_view keyword) const;
    bool isOperator(std::string_view op) const { return kind == TokenKind::Operator && text == op; }
    bool isName() const {
        return kind == TokenKind::Word || kind == TokenKind::QuotedName || kind == TokenKind::BracketName;
    }
};

// Splits `sql` into tokens that together give back the text exactly. Never fails:
// an unterminated literal or comment runs to the end of the text (SQLite then
// reports the error when the statement is prepared).
std::vector<Token> tokenize(std::string_view sql);

// The name a Word, QuotedName or BracketName token stands for, quotes removed.
std::string unquotedName(const Token& token);

bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace brimo::data::sql
