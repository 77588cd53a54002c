// The locale's marks and month names that the conversions read; one value for the whole process.
#pragma once

#include <array>
#include <string>

namespace text {

struct LocaleFormats {
    char decimalMark = '.';
    char thousandsMark = ',';
    std::array<std::string, 12> monthAbbrevs{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
};

namespace detail {
extern LocaleFormats currentLocaleFormats;
}

// The settings in force. The window fills them from the system; tests set and restore them.
// Inline: every conversion reads them.
inline LocaleFormats& CurrentLocaleFormats() {
    return detail::currentLocaleFormats;
}

// Sets the settings for a scope and restores the earlier ones at its end (tests).
class ScopedLocaleFormats {
  public:
    explicit ScopedLocaleFormats(const LocaleFormats& formats) : saved_(CurrentLocaleFormats()) {
        CurrentLocaleFormats() = formats;
    }
    ~ScopedLocaleFormats() { CurrentLocaleFormats() = saved_; }
    ScopedLocaleFormats(const ScopedLocaleFormats&) = delete;
    ScopedLocaleFormats& operator=(const ScopedLocaleFormats&) = delete;

  private:
    LocaleFormats saved_;
};

}  // namespace text
