#include "platform/Locale.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace brimo::platform {
namespace {

std::optional<LocaleSettings>& testOverride() {
    static std::optional<LocaleSettings> settings;
    return settings;
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The Windows notation of one strftime conversion, or nothing for the
// conversions that have no place in a date format.
std::string_view windowsField(char conversion) {
    switch (conversion) {
        case 'd':
            return "dd";
        case 'e':
            return "d";
        case 'm':
            return "MM";
        case 'y':
            return "yy";
        case 'Y':
            return "yyyy";
        case 'D':
            return "MM/dd/yy";
        case 'F':
            return "yyyy-MM-dd";
        case 'b':
        case 'h':
            return "MMM";
        case 'B':
            return "MMMM";
        case 'a':
            return "ddd";
        case 'A':
            return "dddd";
        case '%':
            return "%";
        default:
            return {};
    }
}

// A telephone prefix such as "49" or "+49"; 1 when there is none.
int countryCodeFromPrefix(const char* prefix) {
    int code = 0;
    for (const char* p = prefix; p != nullptr && *p != '\0'; ++p) {
        if (std::isdigit(static_cast<unsigned char>(*p))) {
            code = code * 10 + (*p - '0');
            if (code > 9999) {
                return 1;
            }
        } else if (*p != '+') {
            break;
        }
    }
    return code == 0 ? 1 : code;
}

LocaleSettings settingsFrom(const char* dateFormat, const char* telephonePrefix) {
    LocaleSettings settings = dateSettingsFromStrftime(dateFormat == nullptr ? "" : dateFormat);
    settings.countryCode = countryCodeFromPrefix(telephonePrefix);
    return settings;
}

bool isPlainCLocale(const char* name) {
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

// nl_langinfo_l returns pointers into the locale; copy what is needed before
// the locale is freed.
std::optional<LocaleSettings> settingsOfNewLocale(const char* name) {
    locale_t locale = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        return std::nullopt;
    }
    LocaleSettings settings =
        settingsFrom(nl_langinfo_l(D_FMT, locale), nl_langinfo_l(_NL_TELEPHONE_INT_PREFIX, locale));
    freelocale(locale);
    return settings;
}

}  // namespace

LocaleSettings dateSettingsFromStrftime(std::string_view format) {
    LocaleSettings settings;
    settings.shortDateFormat.clear();
    settings.countryCode = 1;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%') {
            // Letters outside a conversion would read as date fields.
            if (isAsciiLetter(c)) {
                settings.shortDateFormat += '\'';
                settings.shortDateFormat += c;
                settings.shortDateFormat += '\'';
            } else {
                settings.shortDateFormat += c;
            }
            continue;
        }
        // glibc flags and modifiers: %-d and %-m drop the leading zero, the
        // others (%_d, %Ey, %Om, ...) change nothing that matters here.
        bool unpadded = false;
        while (i + 1 < format.size() && std::strchr("-_0^#EO", format[i + 1]) != nullptr) {
            unpadded = unpadded || format[i + 1] == '-';
            ++i;
        }
        if (i + 1 < format.size()) {
            const char conversion = format[++i];
            if (unpadded && (conversion == 'd' || conversion == 'm')) {
                settings.shortDateFormat += conversion == 'd' ? "d" : "M";
            } else {
                settings.shortDateFormat += windowsField(conversion);
            }
        }
    }
    settings.dateSeparator = '/';
    bool quoted = false;
    for (char c : settings.shortDateFormat) {
        if (c == '\'') {
            quoted = !quoted;
        } else if (!quoted && std::ispunct(static_cast<unsigned char>(c))) {
            settings.dateSeparator = c;
            break;
        }
    }
    if (settings.shortDateFormat.empty()) {
        settings.shortDateFormat = "MM/dd/yy";
    }
    return settings;
}

std::optional<LocaleSettings> localeSettingsFor(const std::string& localeName) {
    return settingsOfNewLocale(localeName.c_str());
}

// What decides the current settings: the process's locale and the variables
// that name the environment's locale. Reading a locale costs a few hundred
// microseconds, so the settings are only read again when one of these changed.
std::string localeSourceKey() {
    std::string key = setlocale(LC_ALL, nullptr);
    for (const char* variable : {"LC_ALL", "LC_TIME", "LC_TELEPHONE", "LANG", "LOCPATH"}) {
        const char* value = std::getenv(variable);
        key += '\n';
        key += value == nullptr ? "" : value;
    }
    return key;
}

const LocaleSettings& currentLocale() {
    if (testOverride()) {
        return *testOverride();
    }
    static LocaleSettings current;
    static std::string currentKey;
    std::string key = localeSourceKey();
    if (key == currentKey && !currentKey.empty()) {
        return current;
    }
    if (!isPlainCLocale(setlocale(LC_TIME, nullptr))) {
        current = settingsFrom(nl_langinfo(D_FMT), nl_langinfo(_NL_TELEPHONE_INT_PREFIX));
    } else {
        current = settingsOfNewLocale("").value_or(settingsOfNewLocale("C").value_or(LocaleSettings{"MM/dd/yy"}));
    }
    currentKey = std::move(key);
    return current;
}

void overrideLocaleForTesting(std::optional<LocaleSettings> settings) {
    testOverride() = std::move(settings);
}

}  // namespace brimo::platform
