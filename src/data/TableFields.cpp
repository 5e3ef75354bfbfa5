#include "data/DatabaseError.h"
#include "data/Table.h"
#include "data/TableImpl.h"
#include "data/dbf/FieldCodec.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace brimo::data {
namespace {

std::string asText(std::span<const std::byte> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::span<const std::byte> asByteSpan(std::string_view text) { return std::as_bytes(std::span(text.data(), text.size())); }

bool isNumericType(char type) { return type == 'N' || type == 'F'; }
bool isMemoType(char type) { return type == 'M' || type == 'B' || type == 'G'; }

std::string formatDouble(double v) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc{} ? std::string(buf, end) : std::string();
}

}  // namespace

// ---- reading ----

namespace {

struct FieldReader {
    const Table::Impl& d;
    int index;
    const FieldDef& f;
    std::span<const std::byte> raw;

    FieldReader(const Table::Impl& impl, int i)
        : d(impl), index(i), f(impl.field(i)), raw(dbf::fieldBytes(std::span<const std::byte>(impl.buffer), f)) {
        if (impl.recno == 0 && impl.state == TableState::Browse)
            throw DatabaseError("Table " + impl.name + " has no current record.");
    }

    [[noreturn]] void wrongType(const char* wanted) const {
        throw DatabaseError("Field " + f.name + " of table " + d.name + " cannot be read as " + wanted + ".");
    }

    std::optional<double> number() const {
        switch (f.type) {
            case 'N':
            case 'F': return dbf::parseNumber(raw);
            case 'I':
            case '+': return dbf::isAllZero(raw) ? std::nullopt : std::optional<double>(dbf::decodeLong(raw));
            case 'O': return dbf::isAllZero(raw) ? std::nullopt : std::optional<double>(dbf::decodeDouble(raw));
            case 'L': return dbf::parseLogical(raw).value_or(false) ? 1.0 : 0.0;
            case 'C': {
                if (dbf::isBlank(raw)) return std::nullopt;
                auto v = dbf::parseNumber(raw);
                if (!v) wrongType("a number");
                return v;
            }
            default: wrongType("a number");
        }
    }

    std::vector<std::byte> memo() const {
        if (auto pending = d.pendingMemos.find(index); pending != d.pendingMemos.end())
            return pending->second.value_or(std::vector<std::byte>{});
        auto block = dbf::parseBlockNumber(raw);
        if (!block) throw DatabaseError("Field " + f.name + " of table " + d.name + " holds no valid memo reference.");
        if (*block == 0) return {};
        if (!d.memo) throw DatabaseError("The memo file of table " + d.name + " is missing.");
        return d.memo->read(*block);
    }

    bool empty() const {
        switch (f.type) {
            case 'I':
            case '+':
            case 'O':
            case '@': return dbf::isAllZero(raw);
            case 'L': return !dbf::parseLogical(raw).has_value();
            case 'M':
            case 'B':
            case 'G':
                if (auto pending = d.pendingMemos.find(index); pending != d.pendingMemos.end())
                    return !pending->second || pending->second->empty();
                return dbf::parseBlockNumber(raw).value_or(0) == 0;
            default: return dbf::isBlank(raw);
        }
    }
};

}  // namespace

std::string Table::asString(int i) const {
    FieldReader r(*impl_, i);
    switch (r.f.type) {
        case 'C': return platform::decodeText(impl_->codePage, dbf::trimmedText(r.raw));
        case 'M': {
            auto text = r.memo();
            return platform::decodeText(impl_->codePage, asText(text));
        }
        case 'B':
        case 'G': return asText(r.memo());
        case 'L': {
            auto v = dbf::parseLogical(r.raw);
            return v ? (*v ? "T" : "F") : "";
        }
        case 'I':
        case '+':
        case 'O': {
            auto v = r.number();
            return v ? formatDouble(*v) : "";
        }
        default: {
            std::string_view text = dbf::trimmedText(r.raw);
            while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
            return std::string(text);
        }
    }
}

double Table::asNumber(int i) const { return FieldReader(*impl_, i).number().value_or(0.0); }

int32_t Table::asInteger(int i) const {
    double v = asNumber(i);
    if (!(v >= INT32_MIN && v <= INT32_MAX))
        throw DatabaseError("Field " + impl_->field(i).name + " holds a number too large for an integer.");
    return static_cast<int32_t>(std::llround(v));
}

bool Table::asBool(int i) const {
    FieldReader r(*impl_, i);
    if (r.f.type == 'L') return dbf::parseLogical(r.raw).value_or(false);
    if (isNumericType(r.f.type) || r.f.type == 'I') return r.number().value_or(0) != 0;
    r.wrongType("a logical value");
}

std::chrono::year_month_day Table::asDate(int i) const {
    FieldReader r(*impl_, i);
    if (r.f.type != 'D') r.wrongType("a date");
    return dbf::parseDate(r.raw).value_or(std::chrono::year_month_day{});
}

std::vector<std::byte> Table::asBytes(int i) const {
    FieldReader r(*impl_, i);
    if (isMemoType(r.f.type)) return r.memo();
    return {r.raw.begin(), r.raw.end()};
}

bool Table::isEmpty(int i) const { return FieldReader(*impl_, i).empty(); }

std::string Table::asString(std::string_view n) const { return asString(impl_->requireField(n)); }
double Table::asNumber(std::string_view n) const { return asNumber(impl_->requireField(n)); }
int32_t Table::asInteger(std::string_view n) const { return asInteger(impl_->requireField(n)); }
bool Table::asBool(std::string_view n) const { return asBool(impl_->requireField(n)); }
std::chrono::year_month_day Table::asDate(std::string_view n) const { return asDate(impl_->requireField(n)); }
std::vector<std::byte> Table::asBytes(std::string_view n) const { return asBytes(impl_->requireField(n)); }
bool Table::isEmpty(std::string_view n) const { return isEmpty(impl_->requireField(n)); }

std::span<const std::byte> Table::rawRecord() const {
    return std::span<const std::byte>(impl_->buffer).first(impl_->header.recordLength);
}

// ---- writing ----

namespace {

struct FieldWriter {
    Table::Impl& d;
    int index;
    const FieldDef& f;
    std::span<std::byte> raw;

    FieldWriter(Table::Impl& impl, int i)
        : d(impl), index(i), f(impl.field(i)), raw(dbf::fieldBytes(std::span<std::byte>(impl.buffer), f)) {
        const bool calculated = static_cast<size_t>(i) >= impl.storedFieldCount;
        if (!calculated && impl.state == TableState::Browse)
            throw DatabaseError("Table " + impl.name + " is not in edit mode.");
        if (f.type == '+' && !calculated)
            throw DatabaseError("Field " + f.name + " of table " + impl.name + " is numbered automatically.");
    }

    [[noreturn]] void wrongType(const char* given) const {
        throw DatabaseError("Field " + f.name + " of table " + d.name + " cannot hold " + given + ".");
    }

    void blank() {
        switch (f.type) {
            case 'I':
            case '+':
            case 'O':
            case '@': std::fill(raw.begin(), raw.end(), std::byte{0}); break;
            case 'M':
            case 'B':
            case 'G': d.pendingMemos[index] = std::nullopt; break;
            default: std::fill(raw.begin(), raw.end(), std::byte{' '});
        }
    }

    void number(double v) {
        switch (f.type) {
            case 'N':
            case 'F':
                if (!dbf::formatNumber(raw, v, f.decimals))
                    throw DatabaseError("The value " + formatDouble(v) + " does not fit field " + f.name + " of table " +
                                        d.name + ".");
                break;
            case 'I':
            case '+':
                if (v != std::trunc(v) || v < INT32_MIN || v > INT32_MAX) wrongType(("the value " + formatDouble(v)).c_str());
                dbf::encodeLong(raw, static_cast<int32_t>(v));
                break;
            case 'O': dbf::encodeDouble(raw, v); break;
            case 'L': raw[0] = std::byte(v != 0 ? 'T' : 'F'); break;
            default: wrongType("a number");
        }
    }

    void memo(std::span<const std::byte> bytes) {
        if (!d.memo) throw DatabaseError("The memo file of table " + d.name + " is missing.");
        d.pendingMemos[index] = std::vector<std::byte>(bytes.begin(), bytes.end());
    }
};

}  // namespace

void Table::setString(int i, std::string_view text) {
    FieldWriter w(*impl_, i);
    switch (w.f.type) {
        case 'C': {
            std::string encoded = platform::encodeText(impl_->codePage, text);
            std::fill(w.raw.begin(), w.raw.end(), std::byte{' '});
            std::copy_n(asByteSpan(encoded).begin(), std::min(encoded.size(), w.raw.size()), w.raw.begin());
            break;
        }
        case 'M': {
            std::string encoded = platform::encodeText(impl_->codePage, text);
            text.empty() ? w.blank() : w.memo(asByteSpan(encoded));
            break;
        }
        case 'B':
        case 'G': text.empty() ? w.blank() : w.memo(asByteSpan(text)); break;
        case 'L': {
            if (text.empty()) return w.blank();
            auto v = dbf::parseLogical(asByteSpan(text));
            if (!v) w.wrongType(("the text '" + std::string(text) + "'").c_str());
            w.raw[0] = std::byte(*v ? 'T' : 'F');
            break;
        }
        case 'D': {
            if (text.empty()) return w.blank();
            auto date = dbf::parseDate(asByteSpan(text));
            if (!date || text.size() != 8) w.wrongType(("the text '" + std::string(text) + "'").c_str());
            dbf::formatDate(w.raw, *date);
            break;
        }
        default: {
            if (text.find_first_not_of(' ') == std::string_view::npos) return w.blank();
            auto v = dbf::parseNumber(asByteSpan(text));
            if (!v) w.wrongType(("the text '" + std::string(text) + "'").c_str());
            w.number(*v);
        }
    }
}

void Table::setNumber(int i, double value) { FieldWriter(*impl_, i).number(value); }
void Table::setInteger(int i, int32_t value) { FieldWriter(*impl_, i).number(value); }

void Table::setBool(int i, bool value) {
    FieldWriter w(*impl_, i);
    if (w.f.type == 'L') {
        w.raw[0] = std::byte(value ? 'T' : 'F');
    } else {
        w.number(value ? 1 : 0);
    }
}

void Table::setDate(int i, std::chrono::year_month_day date) {
    FieldWriter w(*impl_, i);
    if (w.f.type != 'D') w.wrongType("a date");
    dbf::formatDate(w.raw, date);
}

void Table::setBytes(int i, std::span<const std::byte> data) {
    FieldWriter w(*impl_, i);
    if (isMemoType(w.f.type)) {
        data.empty() ? w.blank() : w.memo(data);
        return;
    }
    if (w.f.type != 'C') w.wrongType("binary data");
    std::fill(w.raw.begin(), w.raw.end(), std::byte{' '});
    std::copy_n(data.begin(), std::min(data.size(), w.raw.size()), w.raw.begin());
}

void Table::clear(int i) { FieldWriter(*impl_, i).blank(); }

void Table::setString(std::string_view n, std::string_view v) { setString(impl_->requireField(n), v); }
void Table::setNumber(std::string_view n, double v) { setNumber(impl_->requireField(n), v); }
void Table::setInteger(std::string_view n, int32_t v) { setInteger(impl_->requireField(n), v); }
void Table::setBool(std::string_view n, bool v) { setBool(impl_->requireField(n), v); }
void Table::setDate(std::string_view n, std::chrono::year_month_day v) { setDate(impl_->requireField(n), v); }
void Table::setBytes(std::string_view n, std::span<const std::byte> v) { setBytes(impl_->requireField(n), v); }
void Table::clear(std::string_view n) { clear(impl_->requireField(n)); }

}  // namespace brimo::data
