#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "data/FieldDef.h"
#include "data/index/KeyEncoding.h"

namespace brimo::data::index {

namespace detail {
struct ExpressionNode;
}

// A compiled dBASE expression over the fields of one table.
//
// Compiling checks names, argument counts and types against the table's
// fields and throws DatabaseError with a message naming the problem and the
// expression. Evaluation never throws for data found in a record: blank or
// malformed field contents evaluate to blank values (empty text, 0, blank
// date), as dBASE treats them.
//
// Evaluation reads only the record buffer passed in (delete flag at byte 0,
// fields at their FieldDef offsets); the buffer must be at least as long as
// the record length implied by the fields. Objects are immutable after
// compiling and may be shared between threads.
class Expression {
  public:
    enum class Type : char { Character = 'C', Numeric = 'N', Date = 'D', Logical = 'L' };

    static constexpr size_t kMaxLength = 255;
    static Expression compile(std::string_view text, std::span<const FieldDef> fields);

    const std::string& text() const { return text_; }
    Type type() const;
    // For character results: the fixed width of the result, which is the key
    // length of a character tag. Trimming functions keep the width of their
    // argument; their results are padded back with blanks.
    uint16_t width() const;

    // The tag key of `record`. `out` has the tag's key length; character
    // results are padded with blanks or cut to it. Throws DatabaseError when
    // the expression's type is logical.
    void evaluateKey(std::span<const std::byte> record, uint32_t recno, std::span<std::byte> out) const;
    Key evaluateKey(std::span<const std::byte> record, uint32_t recno) const;
    // The value of a logical expression (a FOR condition).
    bool evaluateCondition(std::span<const std::byte> record, uint32_t recno) const;

    // The key type for this expression's result; throws DatabaseError for a
    // logical result.
    KeyType keyType() const;
    // Throws DatabaseError when the result is not the kind of key a tag of
    // `tagType` holds, as in a damaged or foreign-written tag header.
    void requireKeyType(KeyType tagType) const;
    // True when the expression mentions DELETED(), i.e. its result can change
    // when a record is deleted or recalled.
    bool mentionsDeleted() const;

  private:
    Expression(std::string text, std::shared_ptr<const detail::ExpressionNode> root, bool mentionsDeleted);

    std::string text_;
    std::shared_ptr<const detail::ExpressionNode> root_;
    bool mentionsDeleted_ = false;
};

}  // namespace brimo::data::index
