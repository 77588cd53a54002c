#include "ui/SystemLocale.h"

#include <cstddef>

namespace ui {

namespace {

// The conversions compare single bytes of UTF-8 text, so a mark must be one ASCII character.
char MarkOr(const QString& mark, char fallback) {
    if (mark.size() != 1 || mark.front().unicode() >= 0x80 || mark.front().unicode() < 0x20) {
        return fallback;
    }
    return static_cast<char>(mark.front().unicode());
}

}  // namespace

text::LocaleFormats LocaleFormatsFrom(const QLocale& locale) {
    text::LocaleFormats formats;
    formats.decimalMark = MarkOr(locale.decimalPoint(), formats.decimalMark);
    formats.thousandsMark = MarkOr(locale.groupSeparator(), formats.thousandsMark);
    for (std::size_t month = 0; month < formats.monthAbbrevs.size(); ++month) {
        const QString name = locale.monthName(static_cast<int>(month) + 1, QLocale::ShortFormat);
        if (!name.isEmpty()) {
            formats.monthAbbrevs[month] = name.toStdString();
        }
    }
    return formats;
}

void ReadSystemLocaleFormats() {
    text::CurrentLocaleFormats() = LocaleFormatsFrom(QLocale::system());
}

void ReadSystemLocaleMarks() {
    const text::LocaleFormats system = LocaleFormatsFrom(QLocale::system());
    text::LocaleFormats& current = text::CurrentLocaleFormats();
    current.decimalMark = system.decimalMark;
    current.thousandsMark = system.thousandsMark;
}

}  // namespace ui
