#include "platform/Dates.h"

#include <ctime>

#include "platform/AsciiCase.h"

namespace brimo::platform {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr const char* monthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                      "July",    "August",   "September", "October", "November", "December"};
constexpr const char* weekdayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

std::string twoDigits(unsigned value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::string fourDigits(int value) {
    return twoDigits(static_cast<unsigned>(value) / 100) + twoDigits(value % 100);
}

bool isSpace(char c) {
    return c == ' ';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A cursor over a typed date text, for the reading rule of tryReadDate.
class DateScanner {
  public:
    DateScanner(std::string_view text, char separator) : text_(text), separator_(separator) {}

    std::optional<int> number() {
        skipBlanks();
        if (pos_ == text_.size() || !isDigit(text_[pos_])) {
            return std::nullopt;
        }
        int value = 0;
        while (pos_ < text_.size() && isDigit(text_[pos_]) && value < 1000) {
            value = value * 10 + (text_[pos_++] - '0');
        }
        return value;
    }

    bool separator() {
        // A blank separator is a run of blanks between two numbers; blanks at
        // the end of the text are just blanks.
        if (isSpace(separator_)) {
            return skipBlanks() > 0 && pos_ < text_.size();
        }
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == separator_) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool atEnd() {
        skipBlanks();
        return pos_ == text_.size();
    }

  private:
    std::size_t skipBlanks() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && isSpace(text_[pos_])) {
            ++pos_;
        }
        return pos_ - start;
    }

    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
};

bool formatBeginsWithDay(const LocaleSettings& locale) {
    for (char c : locale.shortDateFormat) {
        if (c != '\'' && c != '"') {
            return toUpperAscii(c) == 'D';
        }
    }
    return false;
}

}  // namespace

DateConversionError::DateConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid date") {}

int dateOrder(const LocaleSettings& locale) {
    for (char c : locale.shortDateFormat) {
        switch (toUpperAscii(c)) {
            case 'M':
                return 0;
            case 'D':
                return 1;
            case 'Y':
                return 2;
            default:
                break;
        }
    }
    return 0;
}

std::string dateMask(const LocaleSettings& locale) {
    const char s = locale.dateSeparator;
    return dateOrder(locale) == 2 ? std::string("####") + s + "##" + s + "##"
                                  : std::string("##") + s + "##" + s + "####";
}

std::string formatOrderedDate(year_month_day date, const LocaleSettings& locale) {
    const std::string y = fourDigits(static_cast<int>(date.year()));
    const std::string m = twoDigits(static_cast<unsigned>(date.month()));
    const std::string d = twoDigits(static_cast<unsigned>(date.day()));
    const char s = locale.dateSeparator;
    switch (dateOrder(locale)) {
        case 1:
            return d + s + m + s + y;
        case 2:
            return y + s + m + s + d;
        default:
            return m + s + d + s + y;
    }
}

std::string formatShortDate(year_month_day date, const LocaleSettings& locale) {
    const std::string& format = locale.shortDateFormat;
    const int y = static_cast<int>(date.year());
    const unsigned m = static_cast<unsigned>(date.month());
    const unsigned d = static_cast<unsigned>(date.day());
    std::string out;
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '\'' || c == '"') {
            const std::size_t close = format.find(c, i + 1);
            const std::size_t end = close == std::string::npos ? format.size() : close;
            out.append(format, i + 1, end - i - 1);
            i = end == format.size() ? end : end + 1;
            continue;
        }
        const char field = toUpperAscii(c);
        if (field != 'D' && field != 'M' && field != 'Y') {
            out += c == '/' ? locale.dateSeparator : c;
            ++i;
            continue;
        }
        std::size_t run = 0;
        while (i < format.size() && toUpperAscii(format[i]) == field) {
            ++run;
            ++i;
        }
        if (field == 'Y') {
            out += run <= 2 ? twoDigits(static_cast<unsigned>(y % 100)) : fourDigits(y);
        } else if (field == 'M') {
            const std::string name = monthNames[m - 1];
            out += run == 1 ? std::to_string(m) : run == 2 ? twoDigits(m) : run == 3 ? name.substr(0, 3) : name;
        } else {
            const std::string name = weekdayNames[std::chrono::weekday(std::chrono::sys_days(date)).c_encoding()];
            out += run == 1 ? std::to_string(d) : run == 2 ? twoDigits(d) : run == 3 ? name.substr(0, 3) : name;
        }
    }
    return out;
}

year_month_day firstOfMonth(year_month_day day) {
    return day.year() / day.month() / 1;
}

bool isUSCountry(const LocaleSettings& locale) {
    return locale.countryCode == 1;
}

std::optional<year_month_day> tryReadDate(std::string_view text, const LocaleSettings& locale, year_month_day today) {
    DateScanner scanner(text, locale.dateSeparator);
    std::optional<int> first = scanner.number();
    if (!first || !scanner.separator()) {
        return std::nullopt;
    }
    std::optional<int> second = scanner.number();
    if (!second) {
        return std::nullopt;
    }
    int y = 0;
    int m = 0;
    int d = 0;
    if (scanner.separator()) {
        std::optional<int> third = scanner.number();
        if (!third) {
            return std::nullopt;
        }
        scanner.separator();
        switch (dateOrder(locale)) {
            case 1:
                d = *first, m = *second, y = *third;
                break;
            case 2:
                y = *first, m = *second, d = *third;
                break;
            default:
                m = *first, d = *second, y = *third;
                break;
        }
        if (y <= 99) {
            y += static_cast<int>(today.year()) / 100 * 100;
        }
    } else {
        y = static_cast<int>(today.year());
        if (formatBeginsWithDay(locale)) {
            d = *first, m = *second;
        } else {
            m = *first, d = *second;
        }
    }
    if (!scanner.atEnd() || y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) {
        return std::nullopt;
    }
    const year_month_day date{year(y), month(static_cast<unsigned>(m)), day(static_cast<unsigned>(d))};
    if (!date.ok()) {
        return std::nullopt;
    }
    return date;
}

year_month_day today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return year(local.tm_year + 1900) / month(static_cast<unsigned>(local.tm_mon + 1)) /
           day(static_cast<unsigned>(local.tm_mday));
}

int dateOrder() {
    return dateOrder(currentLocale());
}
std::string dateMask() {
    return dateMask(currentLocale());
}
std::string formatOrderedDate(year_month_day date) {
    return formatOrderedDate(date, currentLocale());
}
std::string formatShortDate(year_month_day date) {
    return formatShortDate(date, currentLocale());
}
year_month_day firstOfMonth() {
    return firstOfMonth(today());
}
bool isUSCountry() {
    return isUSCountry(currentLocale());
}
std::optional<year_month_day> tryReadDate(std::string_view text) {
    return tryReadDate(text, currentLocale(), today());
}

year_month_day readDate(std::string_view text) {
    if (std::optional<year_month_day> date = tryReadDate(text)) {
        return *date;
    }
    throw DateConversionError(text);
}

}  // namespace brimo::platform
