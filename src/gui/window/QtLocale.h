#pragma once
// The core's NumberLocale filled from a QLocale: separators and the currency pattern.
//   QLocale("en_US") -> ".", ",", "$", "¤n", "-¤n", 2
//   QLocale("de_DE") -> ",", ".", "€", "n ¤", "-n ¤", 2

#include "numeric/NumberLocale.h"

#include <QLocale>

namespace quantrel::gui {

/// The number format of `locale`; parts the locale does not give keep the defaults.
NumberLocale NumberLocaleOf(const QLocale& locale);

} // namespace quantrel::gui
