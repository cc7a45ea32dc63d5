#pragma once
// The one thing the user's locale decides: how the console shows text.

#include "text/encoding.hpp"

// UTF-8 when the character set of the locale (the first of LC_ALL, LC_CTYPE
// and LANG that is set and not empty) is UTF-8; code page 1251 otherwise.
Encoding consoleEncodingFromLocale();

// The same decision for a locale name such as "ru_RU.UTF-8", "UTF-8" or "C".
Encoding consoleEncodingOf(const char* localeName);
