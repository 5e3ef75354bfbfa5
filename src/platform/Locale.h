#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brimo::platform {

// The user's regional settings in the form the rest of the library works
// with: a short date format in the Windows notation ("M/d/yyyy",
// "dd.MM.yyyy", "yyyy-MM-dd"; d, dd, M, MM, yy and yyyy are the fields, '/'
// stands for the date separator, anything else is literal), the date
// separator, and the country's international telephone prefix (1 for the
// United States and Canada).
struct LocaleSettings {
    std::string shortDateFormat;
    char dateSeparator = '/';
    int countryCode = 1;

    bool operator==(const LocaleSettings&) const = default;
};

// The settings of the user's locale. When the process has chosen a locale
// with setlocale (its LC_TIME is not "C"/"POSIX"), that one is used;
// otherwise the locale named by the environment (LC_ALL, LC_TIME, LANG), the
// one setlocale(LC_ALL, "") would pick, without changing the process's own
// locale. Read again whenever the process's locale or those variables
// changed; the reference stays valid until the next call.
const LocaleSettings& currentLocale();

// The settings of a named C library locale, or nothing when that locale is
// not installed.
std::optional<LocaleSettings> localeSettingsFor(const std::string& localeName);

// Converts a C library date format (nl_langinfo(D_FMT), strftime notation)
// to the Windows notation, and picks its separator.
LocaleSettings dateSettingsFromStrftime(std::string_view strftimeFormat);

// Makes currentLocale() return the given settings until called with nothing.
void overrideLocaleForTesting(std::optional<LocaleSettings> settings);

}  // namespace brimo::platform
