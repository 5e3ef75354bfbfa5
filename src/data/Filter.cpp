#include "data/DatabaseError.h"
#include "data/Table.h"
#include "platform/AsciiCase.h"

#include <cctype>
#include <charconv>

namespace brimo::data {
namespace {

class FilterParser {
public:
    explicit FilterParser(std::string_view text) : text_(text) {}

    std::vector<FilterCondition> parse() {
        std::vector<FilterCondition> conditions;
        skipBlanks();
        if (pos_ == text_.size()) return conditions;
        for (;;) {
            conditions.push_back(condition());
            skipBlanks();
            if (pos_ == text_.size()) return conditions;
            if (!platform::equalsIgnoringAsciiCase(word(), "and")) fail("expected 'and'");
        }
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw DatabaseError("The filter \"" + std::string(text_) + "\" is invalid: " + what + ".");
    }

    void skipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }

    std::string_view word() {
        skipBlanks();
        size_t start = pos_;
        while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    FilterCondition condition() {
        FilterCondition c;
        c.field = std::string(word());
        if (c.field.empty()) fail("expected a field name");
        skipBlanks();
        if (text_.compare(pos_, 2, "<>") == 0) {
            c.op = CompareOp::NotEqual;
            pos_ += 2;
        } else if (pos_ < text_.size() && (text_[pos_] == '=' || text_[pos_] == '<' || text_[pos_] == '>')) {
            c.op = text_[pos_] == '=' ? CompareOp::Equal : text_[pos_] == '<' ? CompareOp::Less : CompareOp::Greater;
            ++pos_;
        } else {
            fail("expected =, <>, < or > after " + c.field);
        }
        c.value = constant();
        return c;
    }

    FilterValue constant() {
        skipBlanks();
        if (pos_ == text_.size()) fail("a constant is missing");
        char quote = text_[pos_];
        if (quote == '\'' || quote == '"') {
            size_t end = text_.find(quote, pos_ + 1);
            if (end == std::string_view::npos) fail("a text is not closed");
            std::string value(text_.substr(pos_ + 1, end - pos_ - 1));
            pos_ = end + 1;
            return value;
        }
        if (std::isalpha(static_cast<unsigned char>(quote))) {
            std::string_view w = word();
            if (platform::equalsIgnoringAsciiCase(w, "true")) return true;
            if (platform::equalsIgnoringAsciiCase(w, "false")) return false;
            fail("unknown constant " + std::string(w));
        }
        double value = 0;
        auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), value);
        if (ec != std::errc{}) fail("expected a constant");
        pos_ = static_cast<size_t>(end - text_.data());
        return value;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

std::vector<FilterCondition> parseFilter(std::string_view text) { return FilterParser(text).parse(); }

}  // namespace brimo::data
