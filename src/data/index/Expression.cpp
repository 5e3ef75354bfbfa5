#include "data/index/Expression.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "data/DatabaseError.h"
#include "data/index/ExpressionNode.h"

namespace brimo::data::index {

namespace {

using detail::NodePtr;
using detail::Value;

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

enum class Tok { End, Name, Number, String, Symbol, Dotted, LParen, RParen, Comma };

struct Token {
    Tok kind = Tok::End;
    std::string text;  // names and dotted words upper case; string contents
    size_t pos = 0;
};

class Lexer {
  public:
    explicit Lexer(std::string_view src) : src_(src) {}

    Token next() {
        while (pos_ < src_.size() && std::isspace(static_cast<unsigned char>(src_[pos_]))) ++pos_;
        Token t;
        t.pos = pos_;
        if (pos_ >= src_.size())
            return t;
        char c = src_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            size_t start = pos_;
            while (pos_ < src_.size() && (std::isalnum(static_cast<unsigned char>(src_[pos_])) || src_[pos_] == '_')) {
                ++pos_;
            }
            t.kind = Tok::Name;
            t.text = upperAscii(src_.substr(start, pos_ - start));
            return t;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) ||
            (c == '.' && pos_ + 1 < src_.size() && std::isdigit(static_cast<unsigned char>(src_[pos_ + 1])))) {
            size_t start = pos_;
            while (pos_ < src_.size() && (std::isdigit(static_cast<unsigned char>(src_[pos_])) || src_[pos_] == '.')) {
                ++pos_;
            }
            t.kind = Tok::Number;
            t.text = std::string(src_.substr(start, pos_ - start));
            return t;
        }
        if (c == '"' || c == '\'' || c == '[') {
            char close = c == '[' ? ']' : c;
            size_t end = src_.find(close, pos_ + 1);
            if (end == std::string_view::npos)
                fail("unterminated text constant", pos_);
            t.kind = Tok::String;
            t.text = std::string(src_.substr(pos_ + 1, end - pos_ - 1));
            pos_ = end + 1;
            return t;
        }
        if (c == '.') {
            size_t end = src_.find('.', pos_ + 1);
            if (end != std::string_view::npos) {
                std::string word = upperAscii(src_.substr(pos_, end - pos_ + 1));
                if (word == ".AND." || word == ".OR." || word == ".NOT." || word == ".T." || word == ".F." ||
                    word == ".Y." || word == ".N.") {
                    pos_ = end + 1;
                    t.kind = Tok::Dotted;
                    t.text = word;
                    return t;
                }
            }
            fail("unexpected '.'", pos_);
        }
        ++pos_;
        t.text = std::string(1, c);
        switch (c) {
            case '(':
                t.kind = Tok::LParen;
                return t;
            case ')':
                t.kind = Tok::RParen;
                return t;
            case ',':
                t.kind = Tok::Comma;
                return t;
            default:
                break;
        }
        static const char* twoChar[] = {"->", "<>", "<=", ">=", "!=", "=="};
        for (const char* op : twoChar) {
            if (c == op[0] && pos_ < src_.size() && src_[pos_] == op[1]) {
                ++pos_;
                t.kind = Tok::Symbol;
                t.text = op;
                return t;
            }
        }
        if (std::strchr("+-*/=<>#$!", c) != nullptr) {
            t.kind = Tok::Symbol;
            t.text = std::string(1, c);
            return t;
        }
        fail(std::string("unexpected character '") + c + "'", t.pos);
    }

    [[noreturn]] static void fail(const std::string& what, size_t pos) {
        detail::compileError(what + " at position " + std::to_string(pos + 1));
    }

  private:
    std::string_view src_;
    size_t pos_ = 0;
};

// Precedence, lowest first: .OR., .AND., .NOT., comparisons, + -, * /, unary.
class Parser {
  public:
    Parser(std::string_view text, std::span<const FieldDef> fields) : lexer_(text), fields_(fields) { advance(); }

    NodePtr parseAll() {
        NodePtr node = parseOr();
        if (tok_.kind != Tok::End)
            Lexer::fail("unexpected '" + tokenText() + "'", tok_.pos);
        return node;
    }

    bool usesDeleted = false;

  private:
    void advance() { tok_ = lexer_.next(); }
    std::string tokenText() const { return tok_.kind == Tok::End ? "end" : tok_.text.empty() ? "symbol" : tok_.text; }
    bool isSymbol(const char* s) const { return tok_.kind == Tok::Symbol && tok_.text == s; }
    bool isDotted(const char* s) const { return tok_.kind == Tok::Dotted && tok_.text == s; }

    NodePtr parseOr() {
        NodePtr left = parseAnd();
        while (isDotted(".OR.")) {
            advance();
            left = detail::makeBinary(".OR.", std::move(left), parseAnd());
        }
        return left;
    }
    NodePtr parseAnd() {
        NodePtr left = parseNot();
        while (isDotted(".AND.")) {
            advance();
            left = detail::makeBinary(".AND.", std::move(left), parseNot());
        }
        return left;
    }
    NodePtr parseNot() {
        if (isDotted(".NOT.") || isSymbol("!")) {
            advance();
            return detail::makeUnary(".NOT.", parseNot());
        }
        return parseComparison();
    }
    NodePtr parseComparison() {
        NodePtr left = parseSum();
        static const char* ops[] = {"=", "==", "<>", "#", "!=", "<", ">", "<=", ">=", "$"};
        for (const char* op : ops) {
            if (isSymbol(op)) {
                advance();
                return detail::makeBinary(op, std::move(left), parseSum());
            }
        }
        return left;
    }
    NodePtr parseSum() {
        NodePtr left = parseProduct();
        while (isSymbol("+") || isSymbol("-")) {
            std::string op = tok_.text;
            advance();
            left = detail::makeBinary(op, std::move(left), parseProduct());
        }
        return left;
    }
    NodePtr parseProduct() {
        NodePtr left = parseUnary();
        while (isSymbol("*") || isSymbol("/")) {
            std::string op = tok_.text;
            advance();
            left = detail::makeBinary(op, std::move(left), parseUnary());
        }
        return left;
    }
    NodePtr parseUnary() {
        if (isSymbol("-")) {
            advance();
            return detail::makeUnary("-", parseUnary());
        }
        if (isSymbol("+"))
            advance();
        return parsePrimary();
    }
    NodePtr parsePrimary() {
        Token t = tok_;
        switch (t.kind) {
            case Tok::Number: {
                advance();
                if (t.text.find('.') != t.text.rfind('.'))
                    Lexer::fail("malformed number " + t.text, t.pos);
                return detail::makeLiteral(Value::ofNumber(detail::parseNumber(t.text)));
            }
            case Tok::String:
                advance();
                return detail::makeLiteral(Value::ofText(t.text));
            case Tok::Dotted:
                if (t.text == ".T." || t.text == ".Y." || t.text == ".F." || t.text == ".N.") {
                    advance();
                    return detail::makeLiteral(Value::ofLogical(t.text == ".T." || t.text == ".Y."));
                }
                break;
            case Tok::LParen: {
                advance();
                NodePtr inner = parseOr();
                expectClose();
                return inner;
            }
            case Tok::Name:
                advance();
                return parseName(t);
            default:
                break;
        }
        Lexer::fail(t.kind == Tok::End ? "expression ends too early" : "unexpected '" + t.text + "'", t.pos);
    }
    NodePtr parseName(const Token& name) {
        if (tok_.kind == Tok::LParen) {
            advance();
            std::vector<NodePtr> args;
            if (tok_.kind != Tok::RParen) {
                args.push_back(parseOr());
                while (tok_.kind == Tok::Comma) {
                    advance();
                    args.push_back(parseOr());
                }
            }
            expectClose();
            return detail::makeCall(name.text, std::move(args), usesDeleted);
        }
        if (isSymbol("->")) {  // alias->field: the alias is the table itself
            advance();
            if (tok_.kind != Tok::Name)
                Lexer::fail("field name expected after ->", tok_.pos);
            Token field = tok_;
            advance();
            return fieldNode(field);
        }
        return fieldNode(name);
    }
    NodePtr fieldNode(const Token& name) {
        for (const FieldDef& f : fields_) {
            if (upperAscii(f.name) == name.text)
                return detail::makeField(f);
        }
        Lexer::fail("unknown field " + name.text, name.pos);
    }
    void expectClose() {
        if (tok_.kind != Tok::RParen)
            Lexer::fail("')' expected", tok_.pos);
        advance();
    }

    Lexer lexer_;
    std::span<const FieldDef> fields_;
    Token tok_;
};

}  // namespace

Expression::Expression(std::string text, std::shared_ptr<const detail::ExpressionNode> root, bool mentionsDeleted)
    : text_(std::move(text)), root_(std::move(root)), mentionsDeleted_(mentionsDeleted) {}

Expression Expression::compile(std::string_view text, std::span<const FieldDef> fields) {
    try {
        // A tag header holds at most 220 characters of expression, so the
        // limit costs nothing stored; it bounds how deep the parser and the
        // evaluation recurse.
        if (text.size() > kMaxLength)
            throw DatabaseError("longer than " + std::to_string(kMaxLength) + " characters");
        Parser parser(text, fields);
        NodePtr root = parser.parseAll();
        return Expression(std::string(text), std::shared_ptr<const detail::ExpressionNode>(std::move(root)),
                          parser.usesDeleted);
    } catch (const DatabaseError& e) {
        throw DatabaseError("Invalid expression \"" + std::string(text) + "\": " + e.what());
    }
}

Expression::Type Expression::type() const {
    return root_->type;
}
uint16_t Expression::width() const {
    return root_->width;
}
bool Expression::mentionsDeleted() const {
    return mentionsDeleted_;
}

KeyType Expression::keyType() const {
    switch (root_->type) {
        case Type::Character:
            return KeyType::Character;
        case Type::Numeric:
            return KeyType::Numeric;
        case Type::Date:
            return KeyType::Date;
        case Type::Logical:
            break;
    }
    throw DatabaseError("Expression \"" + text_ + "\" is logical and cannot be an index key");
}

void Expression::requireKeyType(KeyType tagType) const {
    if (keyType() != tagType)
        throw DatabaseError("the expression gives a different key type than the tag holds");
}

void Expression::evaluateKey(std::span<const std::byte> record, uint32_t recno, std::span<std::byte> out) const {
    KeyType kt = keyType();
    Value v = root_->eval({record, recno});
    switch (kt) {
        case KeyType::Character: {
            std::fill(out.begin(), out.end(), std::byte{' '});
            std::copy_n(reinterpret_cast<const std::byte*>(v.text.data()), std::min(v.text.size(), out.size()),
                        out.begin());
            return;
        }
        case KeyType::Numeric:
            encodeNumericKey(v.number, out);
            return;
        case KeyType::Date:
            encodeDateKey(v.date, out);
            return;
    }
}

Key Expression::evaluateKey(std::span<const std::byte> record, uint32_t recno) const {
    KeyType kt = keyType();
    Key key(kt == KeyType::Character ? width() : (kt == KeyType::Numeric ? kNumericKeyLength : kDateKeyLength));
    evaluateKey(record, recno, key);
    return key;
}

bool Expression::evaluateCondition(std::span<const std::byte> record, uint32_t recno) const {
    if (root_->type != Type::Logical) {
        throw DatabaseError("Expression \"" + text_ + "\" is not a condition (it gives a " +
                            detail::typeName(root_->type) + " value)");
    }
    return root_->eval({record, recno}).logical;
}

}  // namespace brimo::data::index
