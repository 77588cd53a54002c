// The locale settings of the conversions, taken from the system's locale.
#pragma once

#include <QLocale>

#include "text/LocaleFormats.h"

namespace ui {

// The decimal and grouping marks where each is one plain character, the abbreviated month names
// where the locale has them; the defaults elsewhere.
text::LocaleFormats LocaleFormatsFrom(const QLocale& locale);

// At start-up: every setting, from QLocale::system().
void ReadSystemLocaleFormats();

// When the system announces a change: the two marks only; the month names keep their values.
void ReadSystemLocaleMarks();

}  // namespace ui
