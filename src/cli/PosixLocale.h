#pragma once
// The separators and currency format of a POSIX locale, as the C library's
// localeconv() gives them, turned into the core's NumberLocale.

#include "numeric/NumberLocale.h"

#include <optional>
#include <string>

namespace quantrel::cli {

/// Switches the process to the locale `name` ("" for the environment's) and reads its
/// number format. Nothing when no such locale exists.
std::optional<NumberLocale> UsePosixLocale(const std::string& name);

} // namespace quantrel::cli
