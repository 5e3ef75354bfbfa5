#include "reports/FormulaBuilder.h"

#include <chrono>

#include "platform/AsciiCase.h"
#include "platform/Dates.h"
#include "reports/TextFunctions.h"

namespace brimo::reports {
namespace {

using std::chrono::year_month_day;

std::string fieldReference(std::string_view table, std::string_view field) {
    return "{" + std::string(table) + "." + std::string(field) + "}";
}

std::string quoted(std::string_view value, char quote) {
    return quote + std::string(value) + quote;
}

// The range steps shared by both dialects; low and high are final (trimmed
// and folded as the dialect wants).
std::string rangeCriterion(const std::string& subject, std::string_view low, std::string_view high, char quote) {
    if (low.empty() && high.empty()) {
        return {};
    }
    if (low == high) {
        return subject + " = " + quoted(low, quote);
    }
    std::string criterion;
    if (!low.empty()) {
        if (high.empty() && low.back() == '?') {
            return subject + " startswith " + quoted(low.substr(0, low.size() - 1), quote);
        }
        criterion = subject + " >= " + quoted(low, quote);
    }
    if (!high.empty()) {
        if (!low.empty()) {
            criterion += " And ";
        }
        criterion += subject + " <= " + quoted(high, quote);
    }
    return criterion;
}

std::string flagCriterion(const std::string& subject, bool value, bool negate) {
    return subject + (negate ? " <> " : " = ") + (value ? "True" : "False");
}

// The date steps shared by both dialects: both texts are read before anything
// is built, so a bad one fails the whole criterion.
template <typename WriteDate>
std::string dateCriterion(const std::string& subject, std::string_view begin, std::string_view end,
                          WriteDate writeDate) {
    if (begin.empty() && end.empty()) {
        return {};
    }
    const year_month_day low = platform::readDate(begin);
    const year_month_day high = platform::readDate(end);
    if (low == high) {
        return subject + " = " + writeDate(low);
    }
    std::string criterion;
    if (!begin.empty()) {
        criterion = subject + " >= " + writeDate(low);
    }
    if (!end.empty()) {
        if (!begin.empty()) {
            criterion += " And ";
        }
        criterion += subject + " <= " + writeDate(high);
    }
    return criterion;
}

std::string formulaDate(year_month_day date) {
    return "Date(" + std::to_string(static_cast<int>(date.year())) + ", " +
           std::to_string(static_cast<unsigned>(date.month())) + ", " +
           std::to_string(static_cast<unsigned>(date.day())) + ")";
}

}  // namespace

CaseFolding caseFoldingFromMode(int mode) {
    switch (mode) {
        case 1:
            return CaseFolding::upper;
        case 2:
            return CaseFolding::lower;
        default:
            return CaseFolding::asTyped;
    }
}

std::string formatRangeCriterion(std::string_view table, std::string_view field, std::string_view begin,
                                 std::string_view end, CaseFolding folding) {
    std::string low = trimBlanks(begin);
    std::string high = trimBlanks(end);
    std::string subject = fieldReference(table, field);
    if (folding == CaseFolding::upper) {
        subject = "UpperCase(" + subject + ")";
        low = platform::toUpperAscii(low);
        high = platform::toUpperAscii(high);
    } else if (folding == CaseFolding::lower) {
        subject = "LowerCase(" + subject + ")";
        low = platform::toLowerAscii(low);
        high = platform::toLowerAscii(high);
    }
    return rangeCriterion(subject, low, high, '"');
}

std::string describeRangeCriterion(std::string_view label, std::string_view begin, std::string_view end) {
    return rangeCriterion(std::string(label), begin, end, '\'');
}

std::string formatFlagCriterion(std::string_view table, std::string_view field, bool value, bool negate) {
    return flagCriterion(fieldReference(table, field), value, negate);
}

std::string describeFlagCriterion(std::string_view label, bool value, bool negate) {
    return flagCriterion(std::string(label), value, negate);
}

std::string formatDateCriterion(std::string_view table, std::string_view field, std::string_view begin,
                                std::string_view end) {
    return dateCriterion(fieldReference(table, field), begin, end, formulaDate);
}

std::string describeDateCriterion(std::string_view label, std::string_view begin, std::string_view end) {
    return dateCriterion(std::string(label), begin, end,
                         [](year_month_day date) { return platform::formatShortDate(date); });
}

CriterionTooLongError::CriterionTooLongError()
    : std::runtime_error("A selection criterion may be at most " + std::to_string(maxCriterionLength) +
                         " characters long. Please shorten the values entered.") {}

void appendCriterion(std::string& destination, std::string_view criterion) {
    if (criterion.empty()) {
        return;
    }
    if (criterion.size() > maxCriterionLength) {
        throw CriterionTooLongError();
    }
    if (!destination.empty()) {
        destination += " And ";
    }
    destination += criterion;
}

}  // namespace brimo::reports
