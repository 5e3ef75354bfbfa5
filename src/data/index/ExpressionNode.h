#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/index/Expression.h"

namespace brimo::data::index::detail {

using Type = Expression::Type;

// A value during evaluation. Only the member of its type is meaningful;
// dates are Julian day numbers, 0 for a blank date.
struct Value {
    Type type = Type::Logical;
    std::string text;
    double number = 0;
    int32_t date = 0;
    bool logical = false;

    static Value ofText(std::string text) { return {Type::Character, std::move(text), 0, 0, false}; }
    static Value ofNumber(double n) { return {Type::Numeric, {}, n, 0, false}; }
    static Value ofDate(int32_t d) { return {Type::Date, {}, 0, d, false}; }
    static Value ofLogical(bool b) { return {Type::Logical, {}, 0, 0, b}; }
};

struct EvalContext {
    std::span<const std::byte> record;
    uint32_t recno = 0;
};

// One node of a compiled expression. `width` is the fixed width of a
// character result.
struct ExpressionNode {
    Type type = Type::Logical;
    uint16_t width = 0;

    virtual ~ExpressionNode() = default;
    virtual Value eval(const EvalContext& ctx) const = 0;
    // The value of a node that does not depend on the record (a literal).
    virtual std::optional<Value> constant() const { return std::nullopt; }
};

using NodePtr = std::unique_ptr<ExpressionNode>;

// Thrown by the compiler; Expression::compile adds the expression text.
[[noreturn]] void compileError(const std::string& message);

NodePtr makeField(const FieldDef& field);
NodePtr makeLiteral(Value value);
NodePtr makeUnary(std::string_view op, NodePtr operand);
NodePtr makeBinary(std::string_view op, NodePtr left, NodePtr right);
// A function call; `name` is upper case. Sets `usesDeleted` for DELETED().
NodePtr makeCall(const std::string& name, std::vector<NodePtr> args, bool& usesDeleted);

// Helpers shared by the nodes.
double parseNumber(std::string_view text);
int32_t parseDbfDate(std::string_view text);
std::string formatDtos(int32_t julianDay);
const char* typeName(Type type);

}  // namespace brimo::data::index::detail
