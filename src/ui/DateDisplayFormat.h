// The person's short date format, taken apart into fields, with the year always shown in full so
// that no century can be mistaken.
#pragma once

#include <QLocale>
#include <QString>
#include <vector>

#include "text/Calendar.h"

namespace ui {

struct DateField {
    enum class Kind { Day, Month, Year, Weekday, Literal };
    Kind kind = Kind::Literal;
    int letters = 0;  // the run as written: d or dd, M to MMMM, ddd or dddd
    QString literal;  // the text of a literal field
};

// Where a field stands in a shown text.
struct FieldSpan {
    int start = 0;
    int length = 0;
};

class DateDisplayFormat {
  public:
    // Reads Qt's date pattern letters (d, M, y, quoted text); a year of any width shows in full.
    static DateDisplayFormat FromPattern(const QString& pattern);
    static DateDisplayFormat ShortFormat(const QLocale& locale);

    const std::vector<DateField>& Fields() const { return fields_; }

    // The date as text; spans, when given, receives one span for each field.
    QString Render(const text::CivilDate& date, const QLocale& locale,
                   std::vector<FieldSpan>* spans = nullptr) const;

  private:
    std::vector<DateField> fields_;
};

}  // namespace ui
