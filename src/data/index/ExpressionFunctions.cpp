#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>

#include "data/index/ExpressionNode.h"

namespace brimo::data::index::detail {

namespace {

using Args = std::vector<Value>;
using Body = std::function<Value(const Args&, const EvalContext&)>;

class CallNode : public ExpressionNode {
  public:
    CallNode(Type resultType, uint16_t resultWidth, std::vector<NodePtr> args, Body body)
        : args_(std::move(args)), body_(std::move(body)) {
        type = resultType;
        width = resultWidth;
    }
    Value eval(const EvalContext& ctx) const override {
        Args values;
        values.reserve(args_.size());
        for (const auto& a : args_) values.push_back(a->eval(ctx));
        return body_(values, ctx);
    }

  private:
    std::vector<NodePtr> args_;
    Body body_;
};

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string rtrim(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::string ltrim(std::string s) {
    s.erase(0, std::min(s.find_first_not_of(' '), s.size()));
    return s;
}

// dBASE STR(): rounded to `decimals`, right-aligned in `length`; asterisks
// when the number does not fit.
std::string formatStr(double value, int length, int decimals) {
    if (length <= 0)
        return {};
    char buffer[400];
    // Halves round away from zero (printf would round them to even); the
    // nudge absorbs binary representation error such as 2.675 * 100.
    double scale = std::pow(10.0, std::max(0, decimals));
    double scaled = value * scale;
    value = std::round(scaled + (scaled >= 0 ? 1e-9 : -1e-9)) / scale;
    int n = std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, decimals), value);
    if (n < 0 || n > length) {
        if (decimals > 0 && n > 0) {
            // Fewer decimals before giving up, as dBASE does.
            int intDigits = n - decimals - 1;
            if (intDigits <= length) {
                int dec = std::max(0, length - intDigits - 1);
                n = std::snprintf(buffer, sizeof buffer, "%.*f", dec, value);
                if (n > 0 && n <= length)
                    return std::string(static_cast<size_t>(length - n), ' ') + buffer;
            }
        }
        return std::string(static_cast<size_t>(length), '*');
    }
    return std::string(static_cast<size_t>(length - n), ' ') + buffer;
}

int32_t ymdPart(int32_t julianDay, int part) {
    if (julianDay == 0)
        return 0;
    constexpr int32_t kJulianDayOf1970 = 2440588;
    std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::days{julianDay - kJulianDayOf1970}}};
    if (part == 0)
        return static_cast<int>(ymd.year());
    return static_cast<int32_t>(part == 1 ? static_cast<unsigned>(ymd.month()) : static_cast<unsigned>(ymd.day()));
}

// MM/DD/YY, the dBASE default date format.
std::string formatDtoc(int32_t julianDay) {
    if (julianDay == 0)
        return "  /  /  ";
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", ymdPart(julianDay, 1), ymdPart(julianDay, 2),
                  ymdPart(julianDay, 0) % 100);
    return text;
}

int32_t parseDtoc(const std::string& text) {
    int m = 0, d = 0, y = 0;
    if (std::sscanf(text.c_str(), "%d/%d/%d", &m, &d, &y) != 3)
        return 0;
    if (y < 100)
        y += 1900;
    return julianDay(y, static_cast<unsigned>(m), static_cast<unsigned>(d));
}

// A whole-number argument that must be known when the expression is compiled
// (it fixes the width of the key).
// A number as a whole count, clamped so that huge or undefined values cannot
// overflow the conversion.
long wholeNumber(double v) {
    return v == v ? static_cast<long>(std::clamp(v, -1e9, 1e9)) : 0;
}

int constantInt(const std::string& function, const NodePtr& arg) {
    auto v = arg->constant();
    if (!v || v->type != Type::Numeric)
        compileError(function + "() needs a constant number here");
    return static_cast<int>(wholeNumber(v->number));
}

uint16_t clampWidth(long w) {
    return static_cast<uint16_t>(std::clamp<long>(w, 0, 65535));
}

std::string substr(const std::string& s, long start, long length) {
    if (start < 1)
        start = 1;
    if (length <= 0 || size_t(start) > s.size())
        return {};
    return s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length));
}

}  // namespace

NodePtr makeCall(const std::string& name, std::vector<NodePtr> args, bool& usesDeleted) {
    auto arity = [&](size_t low, size_t high) {
        if (args.size() < low || args.size() > high) {
            compileError(name + "() takes " +
                         (low == high ? std::to_string(low) : std::to_string(low) + " to " + std::to_string(high)) +
                         " argument" + (high == 1 ? "" : "s"));
        }
    };
    auto expect = [&](size_t i, Type t) {
        if (args[i]->type != t) {
            compileError("argument " + std::to_string(i + 1) + " of " + name + "() must be " + typeName(t) + ", not " +
                         typeName(args[i]->type));
        }
    };
    auto make = [&](Type t, long width, Body body) -> NodePtr {
        return std::make_unique<CallNode>(t, clampWidth(width), std::move(args), std::move(body));
    };
    using T = Type;

    if (name == "UPPER" || name == "LOWER") {
        arity(1, 1);
        expect(0, T::Character);
        bool up = name == "UPPER";
        return make(T::Character, args[0]->width, [up](const Args& a, const EvalContext&) {
            return Value::ofText(up ? upper(a[0].text) : lower(a[0].text));
        });
    }
    if (name == "TRIM" || name == "RTRIM" || name == "LTRIM" || name == "ALLTRIM") {
        arity(1, 1);
        expect(0, T::Character);
        bool left = name == "LTRIM" || name == "ALLTRIM";
        bool right = name != "LTRIM";
        return make(T::Character, args[0]->width, [left, right](const Args& a, const EvalContext&) {
            std::string s = a[0].text;
            if (right)
                s = rtrim(std::move(s));
            if (left)
                s = ltrim(std::move(s));
            return Value::ofText(std::move(s));
        });
    }
    if (name == "SUBSTR") {
        arity(2, 3);
        expect(0, T::Character);
        expect(1, T::Numeric);
        if (args.size() == 3)
            expect(2, T::Numeric);
        long width = args[0]->width;
        if (args.size() == 3 && args[2]->constant()) {
            width = constantInt(name, args[2]);
        } else if (args[1]->constant()) {
            width = args[0]->width - constantInt(name, args[1]) + 1;
        }
        return make(T::Character, width, [](const Args& a, const EvalContext&) {
            long start = wholeNumber(a[1].number);
            long length = a.size() == 3 ? wholeNumber(a[2].number) : static_cast<long>(a[0].text.size());
            return Value::ofText(substr(a[0].text, start, length));
        });
    }
    if (name == "LEFT" || name == "RIGHT") {
        arity(2, 2);
        expect(0, T::Character);
        expect(1, T::Numeric);
        bool left = name == "LEFT";
        long width = args[1]->constant() ? constantInt(name, args[1]) : args[0]->width;
        return make(T::Character, width, [left](const Args& a, const EvalContext&) {
            long n = std::max(0L, wholeNumber(a[1].number));
            const std::string& s = a[0].text;
            size_t count = std::min(s.size(), static_cast<size_t>(n));
            return Value::ofText(left ? s.substr(0, count) : s.substr(s.size() - count));
        });
    }
    if (name == "STR") {
        arity(1, 3);
        expect(0, T::Numeric);
        int length = args.size() >= 2 ? constantInt(name, args[1]) : 10;
        int decimals = args.size() == 3 ? std::clamp(constantInt(name, args[2]), 0, 18) : 0;
        if (length < 1 || length > 255)
            compileError("STR() length must be 1 to 255");
        return make(T::Character, length, [length, decimals](const Args& a, const EvalContext&) {
            return Value::ofText(formatStr(a[0].number, length, decimals));
        });
    }
    if (name == "DTOS" || name == "DTOC") {
        arity(1, 1);
        expect(0, T::Date);
        bool sortable = name == "DTOS";
        return make(T::Character, 8, [sortable](const Args& a, const EvalContext&) {
            return Value::ofText(sortable ? formatDtos(a[0].date) : formatDtoc(a[0].date));
        });
    }
    if (name == "CTOD") {
        arity(1, 1);
        expect(0, T::Character);
        return make(T::Date, 0, [](const Args& a, const EvalContext&) { return Value::ofDate(parseDtoc(a[0].text)); });
    }
    if (name == "VAL") {
        arity(1, 1);
        expect(0, T::Character);
        return make(T::Numeric, 0,
                    [](const Args& a, const EvalContext&) { return Value::ofNumber(parseNumber(a[0].text)); });
    }
    if (name == "YEAR" || name == "MONTH" || name == "DAY") {
        arity(1, 1);
        expect(0, T::Date);
        int part = name == "YEAR" ? 0 : (name == "MONTH" ? 1 : 2);
        return make(T::Numeric, 0,
                    [part](const Args& a, const EvalContext&) { return Value::ofNumber(ymdPart(a[0].date, part)); });
    }
    if (name == "LEN") {
        arity(1, 1);
        expect(0, T::Character);
        return make(T::Numeric, 0,
                    [](const Args& a, const EvalContext&) { return Value::ofNumber(double(a[0].text.size())); });
    }
    if (name == "AT") {
        arity(2, 2);
        expect(0, T::Character);
        expect(1, T::Character);
        return make(T::Numeric, 0, [](const Args& a, const EvalContext&) {
            size_t pos = a[0].text.empty() ? std::string::npos : a[1].text.find(a[0].text);
            return Value::ofNumber(pos == std::string::npos ? 0 : double(pos + 1));
        });
    }
    if (name == "SPACE") {
        arity(1, 1);
        int n = std::max(0, constantInt(name, args[0]));
        if (n > 65535)
            compileError("SPACE() is limited to 65535 characters");
        return make(T::Character, n,
                    [n](const Args&, const EvalContext&) { return Value::ofText(std::string(size_t(n), ' ')); });
    }
    if (name == "REPLICATE") {
        arity(2, 2);
        expect(0, T::Character);
        int n = std::max(0, constantInt(name, args[1]));
        if (long(args[0]->width) * n > 65535)
            compileError("REPLICATE() is limited to 65535 characters");
        return make(T::Character, long(args[0]->width) * n, [n](const Args& a, const EvalContext&) {
            std::string s;
            for (int i = 0; i < n; ++i) s += a[0].text;
            return Value::ofText(std::move(s));
        });
    }
    if (name == "IIF") {
        arity(3, 3);
        expect(0, T::Logical);
        if (args[1]->type != args[2]->type)
            compileError("IIF() needs two results of the same type");
        Type t = args[1]->type;
        long width = std::max(args[1]->width, args[2]->width);
        return make(t, width, [](const Args& a, const EvalContext&) { return a[0].logical ? a[1] : a[2]; });
    }
    if (name == "ABS" || name == "INT") {
        arity(1, 1);
        expect(0, T::Numeric);
        bool absolute = name == "ABS";
        return make(T::Numeric, 0, [absolute](const Args& a, const EvalContext&) {
            return Value::ofNumber(absolute ? std::fabs(a[0].number) : std::trunc(a[0].number));
        });
    }
    if (name == "ROUND") {
        arity(2, 2);
        expect(0, T::Numeric);
        expect(1, T::Numeric);
        return make(T::Numeric, 0, [](const Args& a, const EvalContext&) {
            double scale = std::pow(10.0, a[1].number);
            return Value::ofNumber(std::round(a[0].number * scale) / scale);
        });
    }
    if (name == "DELETED") {
        arity(0, 0);
        usesDeleted = true;
        return make(T::Logical, 0, [](const Args&, const EvalContext& ctx) {
            return Value::ofLogical(!ctx.record.empty() && ctx.record[0] == std::byte{'*'});
        });
    }
    if (name == "RECNO") {
        arity(0, 0);
        return make(T::Numeric, 0, [](const Args&, const EvalContext& ctx) { return Value::ofNumber(ctx.recno); });
    }
    compileError("unknown function " + name + "()");
}

}  // namespace brimo::data::index::detail
