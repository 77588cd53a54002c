#include "ui/DateDisplayFormat.h"

#include <algorithm>

namespace ui {

namespace {

void AddLiteral(std::vector<DateField>& fields, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    if (!fields.empty() && fields.back().kind == DateField::Kind::Literal) {
        fields.back().literal += text;
        return;
    }
    fields.push_back({DateField::Kind::Literal, 0, text});
}

QString Padded(qint64 value, int digits) {
    return QString::number(value).rightJustified(digits, QLatin1Char('0'));
}

// Monday is 1, as in QDate; from the day number, since QDate's own range is not the picker's.
int DayOfWeek(const text::CivilDate& date) {
    const qint64 day = text::DayNumber(date.year, date.month, date.day);
    // Day 0, 30 December 1899, was a Saturday.
    const qint64 fromMonday = ((day + 5) % 7 + 7) % 7;
    return static_cast<int>(fromMonday) + 1;
}

}  // namespace

DateDisplayFormat DateDisplayFormat::FromPattern(const QString& pattern) {
    DateDisplayFormat format;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            // Quoted text; two quotes stand for one.
            QString quoted;
            ++i;
            while (i < pattern.size()) {
                if (pattern.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < pattern.size() && pattern.at(i + 1) == QLatin1Char('\'')) {
                        quoted += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                quoted += pattern.at(i);
                ++i;
            }
            AddLiteral(format.fields_, quoted.isEmpty() ? QStringLiteral("'") : quoted);
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run) == c) {
            ++run;
        }
        const int letters = static_cast<int>(run);
        if (c == QLatin1Char('d')) {
            format.fields_.push_back(
                {letters <= 2 ? DateField::Kind::Day : DateField::Kind::Weekday,
                 std::min(letters, 4),
                 {}});
        } else if (c == QLatin1Char('M')) {
            format.fields_.push_back({DateField::Kind::Month, std::min(letters, 4), {}});
        } else if (c == QLatin1Char('y')) {
            format.fields_.push_back({DateField::Kind::Year, 4, {}});
        } else {
            AddLiteral(format.fields_, pattern.mid(i, run));
        }
        i += run;
    }
    return format;
}

DateDisplayFormat DateDisplayFormat::ShortFormat(const QLocale& locale) {
    return FromPattern(locale.dateFormat(QLocale::ShortFormat));
}

QString DateDisplayFormat::Render(const text::CivilDate& date, const QLocale& locale,
                                  std::vector<FieldSpan>* spans) const {
    QString out;
    if (spans != nullptr) {
        spans->clear();
    }
    for (const DateField& field : fields_) {
        QString piece;
        switch (field.kind) {
            case DateField::Kind::Day:
                piece = Padded(date.day, field.letters);
                break;
            case DateField::Kind::Month:
                if (field.letters <= 2) {
                    piece = Padded(date.month, field.letters);
                } else {
                    piece = locale.monthName(date.month, field.letters == 3 ? QLocale::ShortFormat
                                                                            : QLocale::LongFormat);
                }
                break;
            case DateField::Kind::Year:
                piece = Padded(date.year, 4);
                break;
            case DateField::Kind::Weekday:
                piece = locale.dayName(DayOfWeek(date), field.letters == 3 ? QLocale::ShortFormat
                                                                           : QLocale::LongFormat);
                break;
            case DateField::Kind::Literal:
                piece = field.literal;
                break;
        }
        if (spans != nullptr) {
            spans->push_back({static_cast<int>(out.size()), static_cast<int>(piece.size())});
        }
        out += piece;
    }
    return out;
}

}  // namespace ui
