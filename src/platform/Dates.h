#pragma once

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Locale.h"

namespace brimo::platform {

// Raised when a text is not a date; what() is "'<text>' is not a valid date".
class DateConversionError : public std::runtime_error {
  public:
    explicit DateConversionError(std::string_view text);
};

// Every routine that depends on the user's settings comes twice: without a
// LocaleSettings argument it uses currentLocale(), the overload is pure.

// 0 when the short date format puts the month first, 1 for the day, 2 for
// the year; a format naming none of them gives 0.
int dateOrder();
int dateOrder(const LocaleSettings& locale);

// Entry mask for date fields: "##/##/####" (month or day first) or
// "####/##/##" (year first), with the user's separator in place of '/'.
std::string dateMask();
std::string dateMask(const LocaleSettings& locale);

// The date as mm/dd/yyyy, dd/mm/yyyy or yyyy/mm/dd by dateOrder(), with the
// user's separator in place of '/'.
std::string formatOrderedDate(std::chrono::year_month_day date);
std::string formatOrderedDate(std::chrono::year_month_day date, const LocaleSettings& locale);

// The date written in the user's short date format.
std::string formatShortDate(std::chrono::year_month_day date);
std::string formatShortDate(std::chrono::year_month_day date, const LocaleSettings& locale);

// Today by the local clock, and the first day of today's month.
std::chrono::year_month_day today();
std::chrono::year_month_day firstOfMonth();
std::chrono::year_month_day firstOfMonth(std::chrono::year_month_day day);

// True when the country code is 1.
bool isUSCountry();
bool isUSCountry(const LocaleSettings& locale);

// Reads a typed date. Blanks around numbers and separators are ignored. Two
// or three numbers separated by the user's separator; a number is a run of
// digits that ends at a non-digit or once its value reaches 1000; one
// separator may follow a third number. Three numbers come in the order of
// dateOrder(); two numbers are month and day (day and month when the short
// date format begins with the day) of the current year. Years 0 to 99 lie in
// the current century. The result must be a calendar date in the years 1 to
// 9999. Nothing when the text is not such a date.
std::optional<std::chrono::year_month_day> tryReadDate(std::string_view text);
std::optional<std::chrono::year_month_day> tryReadDate(std::string_view text, const LocaleSettings& locale,
                                                       std::chrono::year_month_day today);

// As tryReadDate, but throws DateConversionError when the text is no date.
std::chrono::year_month_day readDate(std::string_view text);

}  // namespace brimo::platform
