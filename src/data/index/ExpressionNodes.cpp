#include <algorithm>
#include <bit>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstring>

#include "data/DatabaseError.h"
#include "data/index/ExpressionNode.h"

namespace brimo::data::index::detail {

void compileError(const std::string& message) {
    throw DatabaseError(message);
}

const char* typeName(Type type) {
    switch (type) {
        case Type::Character:
            return "character";
        case Type::Numeric:
            return "numeric";
        case Type::Date:
            return "date";
        case Type::Logical:
            return "logical";
    }
    return "unknown";
}

double parseNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '+')) text.remove_prefix(1);
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{})
        return 0;
    return value;
}

int32_t parseDbfDate(std::string_view text) {
    if (text.size() < 8)
        return 0;
    int parts[3] = {0, 0, 0};
    const size_t lengths[3] = {4, 2, 2};
    size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        for (size_t j = 0; j < lengths[i]; ++j, ++pos) {
            char c = text[pos];
            if (c < '0' || c > '9')
                return 0;
            parts[i] = parts[i] * 10 + (c - '0');
        }
    }
    return julianDay(parts[0], static_cast<unsigned>(parts[1]), static_cast<unsigned>(parts[2]));
}

std::string formatDtos(int32_t julianDay) {
    if (julianDay == 0)
        return std::string(8, ' ');
    constexpr int32_t kJulianDayOf1970 = 2440588;
    std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::days{julianDay - kJulianDayOf1970}}};
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                  static_cast<unsigned>(ymd.day()));
    return text;
}

namespace {

// Level 7 integers: big-endian with the sign bit inverted.
double readLevel7Integer(std::span<const std::byte> bytes) {
    uint32_t raw = 0;
    for (std::byte b : bytes.first(4)) raw = (raw << 8) | std::to_integer<uint32_t>(b);
    return static_cast<double>(static_cast<int32_t>(raw ^ 0x80000000u));
}

// Level 7 doubles: big-endian, made byte-sortable (sign bit set for values
// >= 0, every bit inverted for negative values).
double readLevel7Double(std::span<const std::byte> bytes) {
    uint64_t raw = 0;
    for (std::byte b : bytes.first(8)) raw = (raw << 8) | std::to_integer<uint64_t>(b);
    if (raw == 0)
        return 0;
    raw = (raw & 0x8000000000000000ull) ? raw ^ 0x8000000000000000ull : ~raw;
    return std::bit_cast<double>(raw);
}

class FieldNode : public ExpressionNode {
  public:
    explicit FieldNode(const FieldDef& field) : field_(field) {
        switch (field.type) {
            case 'C':
                type = Type::Character;
                width = field.length;
                break;
            case 'N':
            case 'F':
            case 'I':
            case '+':
            case 'O':
                type = Type::Numeric;
                break;
            case 'D':
                type = Type::Date;
                break;
            case 'L':
                type = Type::Logical;
                break;
            default:
                compileError("field " + field.name + " of type " + std::string(1, field.type) +
                             " cannot be used in an expression");
        }
    }

    Value eval(const EvalContext& ctx) const override {
        std::span<const std::byte> raw;
        if (size_t(field_.offset) + field_.length <= ctx.record.size()) {
            raw = ctx.record.subspan(field_.offset, field_.length);
        }
        std::string_view text(reinterpret_cast<const char*>(raw.data()), raw.size());
        switch (type) {
            case Type::Character:
                return Value::ofText(raw.empty() ? std::string(width, ' ') : std::string(text));
            case Type::Numeric:
                if (raw.empty())
                    return Value::ofNumber(0);
                if (field_.type == 'I' || field_.type == '+')
                    return Value::ofNumber(readLevel7Integer(raw));
                if (field_.type == 'O')
                    return Value::ofNumber(readLevel7Double(raw));
                return Value::ofNumber(parseNumber(text));
            case Type::Date:
                return Value::ofDate(parseDbfDate(text));
            case Type::Logical:
                return Value::ofLogical(!text.empty() && std::strchr("TtYy", text[0]) != nullptr && text[0] != 0);
        }
        return {};
    }

  private:
    FieldDef field_;
};

class LiteralNode : public ExpressionNode {
  public:
    explicit LiteralNode(Value value) : value_(std::move(value)) {
        type = value_.type;
        width = static_cast<uint16_t>(value_.text.size());
    }
    Value eval(const EvalContext&) const override { return value_; }
    std::optional<Value> constant() const override { return value_; }

  private:
    Value value_;
};

class UnaryNode : public ExpressionNode {
  public:
    UnaryNode(bool negate, NodePtr operand) : negate_(negate), operand_(std::move(operand)) {
        type = negate_ ? Type::Numeric : Type::Logical;
        if (operand_->type != type) {
            compileError(std::string(negate_ ? "unary minus" : ".NOT.") + " needs a " + typeName(type) + " operand");
        }
    }
    Value eval(const EvalContext& ctx) const override {
        Value v = operand_->eval(ctx);
        return negate_ ? Value::ofNumber(-v.number) : Value::ofLogical(!v.logical);
    }
    std::optional<Value> constant() const override {
        auto v = operand_->constant();
        if (!v)
            return std::nullopt;
        return negate_ ? Value::ofNumber(-v->number) : Value::ofLogical(!v->logical);
    }

  private:
    bool negate_;
    NodePtr operand_;
};

enum class Op {
    Add,
    Subtract,
    Multiply,
    Divide,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Contains,
    And,
    Or
};

Op parseOp(std::string_view op) {
    static const std::pair<std::string_view, Op> table[] = {
        {"+", Op::Add},           {"-", Op::Subtract}, {"*", Op::Multiply},  {"/", Op::Divide},
        {"=", Op::Equal},         {"==", Op::Equal},   {"<>", Op::NotEqual}, {"#", Op::NotEqual},
        {"!=", Op::NotEqual},     {"<", Op::Less},     {">", Op::Greater},   {"<=", Op::LessEqual},
        {">=", Op::GreaterEqual}, {"$", Op::Contains}, {".AND.", Op::And},   {".OR.", Op::Or}};
    for (auto& [text, value] : table) {
        if (text == op)
            return value;
    }
    compileError("unknown operator " + std::string(op));
}

// Relational comparison of two values of one type: <0, 0, >0. Text compares
// as unsigned bytes, the shorter side padded with blanks.
int compareValues(const Value& a, const Value& b) {
    switch (a.type) {
        case Type::Character: {
            size_t n = std::max(a.text.size(), b.text.size());
            for (size_t i = 0; i < n; ++i) {
                auto ca = static_cast<unsigned char>(i < a.text.size() ? a.text[i] : ' ');
                auto cb = static_cast<unsigned char>(i < b.text.size() ? b.text[i] : ' ');
                if (ca != cb)
                    return ca < cb ? -1 : 1;
            }
            return 0;
        }
        case Type::Numeric:
            return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
        case Type::Date:
            return a.date < b.date ? -1 : (a.date > b.date ? 1 : 0);
        case Type::Logical:
            return int(a.logical) - int(b.logical);
    }
    return 0;
}

// Text equality in the dBASE default (inexact) mode: the left side equals the
// right when it begins with it.
bool textEquals(const std::string& left, const std::string& right) {
    if (right.size() > left.size())
        return compareValues(Value::ofText(left), Value::ofText(right)) == 0;
    return left.compare(0, right.size(), right) == 0;
}

class BinaryNode : public ExpressionNode {
  public:
    BinaryNode(Op op, NodePtr left, NodePtr right) : op_(op), left_(std::move(left)), right_(std::move(right)) {
        Type l = left_->type;
        Type r = right_->type;
        auto mismatch = [&](const char* what) {
            compileError(std::string("operator ") + what + " cannot combine " + typeName(l) + " and " + typeName(r));
        };
        switch (op_) {
            case Op::Add:
                if (l == Type::Character && r == Type::Character) {
                    type = Type::Character;
                    width = static_cast<uint16_t>(left_->width + right_->width);
                } else if (l == Type::Numeric && r == Type::Numeric) {
                    type = Type::Numeric;
                } else if ((l == Type::Date && r == Type::Numeric) || (l == Type::Numeric && r == Type::Date)) {
                    type = Type::Date;
                } else {
                    mismatch("+");
                }
                break;
            case Op::Subtract:
                if (l == Type::Character && r == Type::Character) {
                    type = Type::Character;
                    width = static_cast<uint16_t>(left_->width + right_->width);
                } else if (l == Type::Numeric && r == Type::Numeric) {
                    type = Type::Numeric;
                } else if (l == Type::Date && r == Type::Numeric) {
                    type = Type::Date;
                } else if (l == Type::Date && r == Type::Date) {
                    type = Type::Numeric;
                } else {
                    mismatch("-");
                }
                break;
            case Op::Multiply:
            case Op::Divide:
                if (l != Type::Numeric || r != Type::Numeric)
                    mismatch(op_ == Op::Multiply ? "*" : "/");
                type = Type::Numeric;
                break;
            case Op::And:
            case Op::Or:
                if (l != Type::Logical || r != Type::Logical)
                    mismatch(op_ == Op::And ? ".AND." : ".OR.");
                type = Type::Logical;
                break;
            case Op::Contains:
                if (l != Type::Character || r != Type::Character)
                    mismatch("$");
                type = Type::Logical;
                break;
            default:
                if (l != r)
                    mismatch("of comparison");
                type = Type::Logical;
                break;
        }
    }

    Value eval(const EvalContext& ctx) const override {
        if (op_ == Op::And || op_ == Op::Or) {
            bool left = left_->eval(ctx).logical;
            if (op_ == Op::And ? !left : left)
                return Value::ofLogical(left);
            return Value::ofLogical(right_->eval(ctx).logical);
        }
        Value a = left_->eval(ctx);
        Value b = right_->eval(ctx);
        switch (op_) {
            case Op::Add:
                if (type == Type::Character)
                    return Value::ofText(a.text + b.text);
                if (type == Type::Date)
                    return addDays(a.type == Type::Date ? a : b, a.type == Type::Date ? b : a, 1);
                return Value::ofNumber(a.number + b.number);
            case Op::Subtract:
                if (type == Type::Character) {
                    // Trailing blanks of the left side move to the end of the result.
                    size_t kept = a.text.find_last_not_of(' ') + 1;
                    return Value::ofText(a.text.substr(0, kept) + b.text + std::string(a.text.size() - kept, ' '));
                }
                if (type == Type::Date)
                    return addDays(a, b, -1);
                if (a.type == Type::Date) {
                    return Value::ofNumber(a.date == 0 || b.date == 0 ? 0 : double(a.date) - double(b.date));
                }
                return Value::ofNumber(a.number - b.number);
            case Op::Multiply:
                return Value::ofNumber(a.number * b.number);
            case Op::Divide:
                return Value::ofNumber(b.number == 0 ? 0 : a.number / b.number);
            case Op::Contains:
                return Value::ofLogical(b.text.find(a.text) != std::string::npos);
            case Op::Equal:
                return Value::ofLogical(a.type == Type::Character ? textEquals(a.text, b.text)
                                                                  : compareValues(a, b) == 0);
            case Op::NotEqual:
                return Value::ofLogical(a.type == Type::Character ? !textEquals(a.text, b.text)
                                                                  : compareValues(a, b) != 0);
            case Op::Less:
                return Value::ofLogical(compareValues(a, b) < 0);
            case Op::Greater:
                return Value::ofLogical(compareValues(a, b) > 0);
            case Op::LessEqual:
                return Value::ofLogical(compareValues(a, b) <= 0);
            case Op::GreaterEqual:
                return Value::ofLogical(compareValues(a, b) >= 0);
            default:
                return {};
        }
    }

  private:
    // Moves a date by whole days; a blank date stays blank, and a move out of
    // the years 1 to 9999 gives a blank date.
    static Value addDays(const Value& date, const Value& days, int sign) {
        static const double first = julianDay(1, 1, 1), last = julianDay(9999, 12, 31);
        if (date.date == 0)
            return Value::ofDate(0);
        double moved = date.date + sign * std::trunc(days.number);
        if (!(moved >= first && moved <= last))
            return Value::ofDate(0);
        return Value::ofDate(static_cast<int32_t>(moved));
    }

    Op op_;
    NodePtr left_;
    NodePtr right_;
};

}  // namespace

NodePtr makeField(const FieldDef& field) {
    return std::make_unique<FieldNode>(field);
}
NodePtr makeLiteral(Value value) {
    return std::make_unique<LiteralNode>(std::move(value));
}
NodePtr makeUnary(std::string_view op, NodePtr operand) {
    return std::make_unique<UnaryNode>(op == "-", std::move(operand));
}
NodePtr makeBinary(std::string_view op, NodePtr left, NodePtr right) {
    return std::make_unique<BinaryNode>(parseOp(op), std::move(left), std::move(right));
}

}  // namespace brimo::data::index::detail
