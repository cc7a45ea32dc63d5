#include "driver/console_encoding.hpp"

#include <cstdlib>
#include <string>
#include <string_view>

Encoding consoleEncodingOf(const char* localeName) {
    std::string_view name = localeName == nullptr ? "" : localeName;
    // "ru_RU.UTF-8" names its character set after the point; macOS sets
    // LC_CTYPE to a bare "UTF-8".
    std::size_t dot = name.find('.');
    std::string_view charset = dot == std::string_view::npos ? name : name.substr(dot + 1);
    charset = charset.substr(0, charset.find('@'));
    // "UTF-8", "utf8", "UTF8" and the like, compared without a locale.
    std::string folded;
    for (char c : charset)
        if (c != '-') folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return folded == "utf8" ? Encoding::Utf8 : Encoding::Cp1251;
}

Encoding consoleEncodingFromLocale() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return consoleEncodingOf(value);
    }
    return Encoding::Cp1251;
}
