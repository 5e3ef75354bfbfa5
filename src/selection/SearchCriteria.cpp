#include "selection/SearchCriteria.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "data/DatabaseError.h"
#include "data/FieldKind.h"
#include "data/Table.h"
#include "platform/AsciiCase.h"
#include "platform/Dates.h"

namespace brimo::selection {

std::string foldCase(std::string_view text) {
    std::string folded(text);
    for (size_t i = 0; i < folded.size(); ++i) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        if (byte < 0x80) {
            folded[i] = platform::toUpperAscii(folded[i]);
        } else if (byte == 0xC3 && i + 1 < folded.size()) {
            // U+00E0..U+00FE are the lower-case partners of U+00C0..U+00DE,
            // except the division sign U+00F7.
            const auto second = static_cast<unsigned char>(folded[i + 1]);
            if (second >= 0xA0 && second <= 0xBE && second != 0xB7) {
                folded[i + 1] = static_cast<char>(second - 0x20);
            }
            ++i;
        }
    }
    return folded;
}

const FieldCriterion* SearchCriteria::find(std::string_view field) const {
    for (const FieldCriterion& criterion : criteria_) {
        if (platform::equalsIgnoringAsciiCase(criterion.field, field)) {
            return &criterion;
        }
    }
    return nullptr;
}

void SearchCriteria::set(const FieldCriterion& criterion) {
    std::erase_if(criteria_,
                  [&](const FieldCriterion& c) { return platform::equalsIgnoringAsciiCase(c.field, criterion.field); });
    if (criterion.isSet()) {
        criteria_.push_back(criterion);
    }
}

namespace {

std::optional<double> parseNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) {
        return std::nullopt;
    }
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> parseLogical(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    switch (platform::toUpperAscii(text.front())) {
        case 'T':
        case 'Y':
            return true;
        case 'F':
        case 'N':
            return false;
        default:
            return std::nullopt;
    }
}

// Days since the epoch: dates compare as numbers.
std::optional<double> parseDate(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const auto date = platform::tryReadDate(text);
    if (!date) {
        return std::nullopt;
    }
    return std::chrono::sys_days(*date).time_since_epoch().count();
}

enum class Compare { text, number, date, logical };

Compare compareFor(const data::FieldDef& field) {
    switch (data::fieldKind(field)) {
        case data::FieldKind::SmallInt:
        case data::FieldKind::Integer:
        case data::FieldKind::AutoIncrement:
        case data::FieldKind::Float:
            return Compare::number;
        case data::FieldKind::Date:
            return Compare::date;
        case data::FieldKind::Logical:
            return Compare::logical;
        default:
            return Compare::text;
    }
}

}  // namespace

// A criterion bound to a field, with its values prepared once.
struct CriteriaMatcher::Bound {
    int field = 0;
    Compare compare = Compare::text;
    FieldCriterion criterion;
    std::string value;  // folded unless case-sensitive
    std::string start;
    std::string end;
    std::optional<double> valueNumber;
    std::optional<double> startNumber;
    std::optional<double> endNumber;
    std::optional<bool> valueLogical;

    std::string prepare(std::string_view text) const {
        return criterion.caseSensitive ? std::string(text) : foldCase(text);
    }

    std::optional<double> numberOf(const data::Table& table) const {
        if (compare == Compare::number) {
            return table.asNumber(field);
        }
        const auto date = table.asDate(field);
        if (!date.ok()) {
            return std::nullopt;
        }
        return std::chrono::sys_days(date).time_since_epoch().count();
    }

    std::string textOf(const data::Table& table) const {
        if (compare == Compare::date) {
            const auto date = table.asDate(field);
            return date.ok() ? platform::formatShortDate(date) : std::string();
        }
        return prepare(table.asString(field));
    }

    bool valueHolds(const data::Table& table) const {
        if (criterion.value.empty()) {
            return true;
        }
        if (compare == Compare::logical) {
            return valueLogical && table.asBool(field) == *valueLogical;
        }
        if (valueNumber && criterion.type == SearchType::exactMatch) {
            const auto number = numberOf(table);
            return number && *number == *valueNumber;
        }
        const std::string text = textOf(table);
        switch (criterion.type) {
            case SearchType::exactMatch:
                return text == value;
            case SearchType::partialAtBeginning:
                return text.starts_with(value);
            case SearchType::partialAnywhere:
                return text.find(value) != std::string::npos;
        }
        return false;
    }

    bool rangeHolds(const data::Table& table) const {
        if (criterion.rangeStart.empty() && criterion.rangeEnd.empty()) {
            return true;
        }
        if (compare == Compare::logical) {
            return true;
        }
        const bool numericRange =
            (criterion.rangeStart.empty() || startNumber) && (criterion.rangeEnd.empty() || endNumber);
        if (compare != Compare::text && numericRange) {
            const auto number = numberOf(table);
            if (!number) {
                return false;
            }
            return (!startNumber || *number >= *startNumber) && (!endNumber || *number <= *endNumber);
        }
        const std::string text = textOf(table);
        if (!start.empty() && text < start) {
            return false;
        }
        return end.empty() || text.compare(0, end.size(), end) <= 0;
    }

    bool holds(const data::Table& table) const {
        return (valueHolds(table) && rangeHolds(table)) != criterion.nonMatching;
    }
};

CriteriaMatcher::CriteriaMatcher(const SearchCriteria& criteria, const data::Table& table) {
    for (const FieldCriterion& criterion : criteria.all()) {
        const int field = table.fieldIndex(criterion.field);
        if (field < 0) {
            throw data::DatabaseError("Table " + table.name() + " has no field " + criterion.field + ".");
        }
        Bound bound;
        bound.field = field;
        bound.compare = compareFor(table.fields()[static_cast<size_t>(field)]);
        bound.criterion = criterion;
        bound.value = bound.prepare(criterion.value);
        bound.start = bound.prepare(criterion.rangeStart);
        bound.end = bound.prepare(criterion.rangeEnd);
        if (bound.compare == Compare::number) {
            bound.valueNumber = parseNumber(criterion.value);
            bound.startNumber = parseNumber(criterion.rangeStart);
            bound.endNumber = parseNumber(criterion.rangeEnd);
        } else if (bound.compare == Compare::date) {
            bound.valueNumber = parseDate(criterion.value);
            bound.startNumber = parseDate(criterion.rangeStart);
            bound.endNumber = parseDate(criterion.rangeEnd);
        } else if (bound.compare == Compare::logical) {
            bound.valueLogical = parseLogical(criterion.value);
        }
        bound_.push_back(std::move(bound));
    }
}

CriteriaMatcher::~CriteriaMatcher() = default;
CriteriaMatcher::CriteriaMatcher(CriteriaMatcher&&) noexcept = default;
CriteriaMatcher& CriteriaMatcher::operator=(CriteriaMatcher&&) noexcept = default;

bool CriteriaMatcher::matches(const data::Table& table) const {
    return std::all_of(bound_.begin(), bound_.end(), [&](const Bound& b) { return b.holds(table); });
}

}  // namespace brimo::selection
