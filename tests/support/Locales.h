#pragma once
// Tests that read numbers under a named POSIX locale skip, with a message, on a machine
// that lacks it (scripts/setup.sh generates en_US and de_DE):
//   if (!HasLocale("de_DE.UTF-8")) GTEST_SKIP() << MissingLocale("de_DE.UTF-8");

#include <locale.h>

#include <string>

namespace quantrel::test {

inline bool HasLocale(const char* name) {
    const locale_t locale = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr))
        return false;
    freelocale(locale);
    return true;
}

inline std::string MissingLocale(const char* name) {
    return std::string("the locale ") + name + " is not installed (scripts/setup.sh makes it)";
}

} // namespace quantrel::test
