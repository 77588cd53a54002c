#include "loan/ScheduleSeries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "text/Calendar.h"
#include "text/DateText.h"
#include "text/Extended.h"
#include "text/LocaleFormats.h"
#include "text/NumberText.h"

namespace loan {

namespace {

// A money cell holds a Real6, which stays below 2^127 in size.
constexpr text::Extended kMoneyLimit = 0x1p127L;

// Years of up to 15 digits keep every day number well inside 64 bits.
constexpr std::size_t kMaxYearDigits = 15;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::int64_t DigitsValue(std::string_view digits) {
    std::int64_t value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

bool ReadRow(const ScheduleGrid& grid, int row, SchedulePoint& point) {
    const std::string& date = grid.Cell(row, kColDate);
    if (!ReadScheduleDate(date, point.day) ||
        !ReadMoneyText(grid.Cell(row, kColInterest), point.interest) ||
        !ReadMoneyText(grid.Cell(row, kColPrincipal), point.principal) ||
        !ReadMoneyText(grid.Cell(row, kColRemaining), point.balance)) {
        return false;
    }
    point.extraPayment = ReadsAsExtraPayment(grid.Cell(row, kColExtra));
    point.row = row;
    point.dateText = date;
    return true;
}

bool IsBlankRow(const ScheduleGrid& grid, int row) {
    for (int column = 0; column < ScheduleGrid::kColumnCount; ++column) {
        if (!grid.Cell(row, column).empty()) {
            return false;
        }
    }
    return true;
}

std::array<double, 3> ValuesOf(const SchedulePoint& point) {
    return {point.balance, point.interest, point.principal};
}

// The points one pixel column keeps.
class ColumnPicks {
  public:
    void Start(std::size_t index, const SchedulePoint& point) {
        first_ = last_ = index;
        lowest_.fill(index);
        highest_.fill(index);
        low_ = high_ = ValuesOf(point);
        mark_.reset();
        Mark(index, point);
    }

    void Add(std::size_t index, const SchedulePoint& point) {
        last_ = index;
        const std::array<double, 3> values = ValuesOf(point);
        for (std::size_t v = 0; v < values.size(); ++v) {
            if (values[v] < low_[v]) {
                low_[v] = values[v];
                lowest_[v] = index;
            }
            if (values[v] > high_[v]) {
                high_[v] = values[v];
                highest_[v] = index;
            }
        }
        Mark(index, point);
    }

    void AppendTo(DrawnPoints& drawn) const {
        std::array<std::size_t, 9> kept{first_, last_};
        std::size_t count = 2;
        for (std::size_t v = 0; v < lowest_.size(); ++v) {
            kept[count++] = lowest_[v];
            kept[count++] = highest_[v];
        }
        if (mark_) {
            kept[count++] = *mark_;
            drawn.marks.push_back(*mark_);
        }
        std::sort(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(count));
        const auto end =
            std::unique(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(count));
        drawn.line.insert(drawn.line.end(), kept.begin(), end);
    }

  private:
    void Mark(std::size_t index, const SchedulePoint& point) {
        if (point.extraPayment && !mark_) {
            mark_ = index;
        }
    }

    std::size_t first_ = 0;
    std::size_t last_ = 0;
    std::array<std::size_t, 3> lowest_{};
    std::array<std::size_t, 3> highest_{};
    std::array<double, 3> low_{};
    std::array<double, 3> high_{};
    std::optional<std::size_t> mark_;
};

}  // namespace

bool ReadsAsExtraPayment(std::string_view extraText) {
    text::Extended extra = 0;
    return text::TryTextToNumber(extraText, extra) && extra != 0;
}

bool ReadScheduleDate(std::string_view dateText, std::int64_t& day) {
    // From the end: the year's digits (a sign before them for a year before 1), ", ", the day's
    // two digits, a blank, and before that the month's name, which may hold anything.
    std::size_t yearBegin = dateText.size();
    while (yearBegin > 0 && IsDigit(dateText[yearBegin - 1])) {
        --yearBegin;
    }
    const std::size_t yearDigits = dateText.size() - yearBegin;
    if (yearDigits < 4 || yearDigits > kMaxYearDigits) {
        return false;
    }
    const bool beforeYearOne = yearBegin > 0 && dateText[yearBegin - 1] == '-';
    const std::size_t yearField = yearBegin - (beforeYearOne ? 1 : 0);
    if (yearField < 5) {
        return false;
    }
    const std::string_view dayField = dateText.substr(yearField - 5, 5);
    if (dayField[0] != ' ' || !IsDigit(dayField[1]) || !IsDigit(dayField[2]) ||
        dayField[3] != ',' || dayField[4] != ' ') {
        return false;
    }
    const std::string_view monthName = dateText.substr(0, yearField - 5);
    const std::int64_t yearValue = DigitsValue(dateText.substr(yearBegin));
    const text::CivilDate date{beforeYearOne ? -yearValue : yearValue, 0,
                               static_cast<int>(DigitsValue(dayField.substr(1, 2)))};
    const auto& names = text::CurrentLocaleFormats().monthAbbrevs;
    std::string written;
    for (std::size_t month = 0; month < names.size(); ++month) {
        if (names[month] != monthName) {
            continue;
        }
        text::CivilDate candidate = date;
        candidate.month = static_cast<int>(month + 1);
        // Only a text the schedule would write for that date: no extra zeros, no "-0000". (A
        // name two months share reads as the first in which the day exists.)
        if (!text::IsValidDate(candidate.year, candidate.month, candidate.day)) {
            continue;
        }
        text::FormatScheduleDateInto(written, candidate);
        if (written != dateText) {
            return false;
        }
        day = text::DayNumber(candidate.year, candidate.month, candidate.day);
        return true;
    }
    return false;
}

bool ReadMoneyText(std::string_view moneyText, double& value) {
    if (moneyText.empty() || moneyText.front() != '$') {
        return false;
    }
    text::Extended number = 0;
    if (!text::TryTextToNumber(moneyText.substr(1), number) || !(std::fabs(number) < kMoneyLimit)) {
        return false;
    }
    value = static_cast<double>(number);
    return true;
}

ScheduleSeries ReadScheduleSeries(const ScheduleGrid& grid) {
    ScheduleSeries series;
    series.shownRows = grid.RowCount() - 1;
    series.points.reserve(static_cast<std::size_t>(series.shownRows));
    for (int row = 1; row < grid.RowCount(); ++row) {
        SchedulePoint point;
        if (!ReadRow(grid, row, point)) {
            // A blank first row is a grid without a schedule, not a schedule that broke off.
            series.cutShort = !(row == 1 && IsBlankRow(grid, row));
            break;
        }
        series.points.push_back(std::move(point));
    }
    if (!series.cutShort && !series.points.empty() &&
        series.points.size() == static_cast<std::size_t>(series.shownRows) &&
        series.points.back().balance <= 0) {
        series.payoffDate = series.points.back().dateText;
    }
    return series;
}

DrawnPoints ReduceForDrawing(const ScheduleSeries& series, int columns) {
    DrawnPoints drawn;
    const std::vector<SchedulePoint>& points = series.points;
    if (points.empty()) {
        return drawn;
    }
    columns = std::max(columns, 1);
    // Columns by date, as the axis lays them out. In double: a day number times a column count
    // can pass 64 bits for the far years a date text may hold, and a pixel needs no more.
    const auto firstDay = static_cast<double>(points.front().day);
    const double span = static_cast<double>(points.back().day) - firstDay + 1;
    const double columnsPerDay = span > 0 ? columns / span : 0;
    const auto lastColumn = static_cast<double>(columns - 1);
    auto columnOf = [&](const SchedulePoint& point) {
        const double at = (static_cast<double>(point.day) - firstDay) * columnsPerDay;
        return static_cast<int>(std::clamp(at, 0.0, lastColumn));
    };

    ColumnPicks picks;
    int column = -1;
    for (std::size_t index = 0; index < points.size(); ++index) {
        // Never back to an earlier column, so the kept points stay in order along the axis.
        const int at = std::max(columnOf(points[index]), column);
        if (at != column) {
            if (column >= 0) {
                picks.AppendTo(drawn);
            }
            picks.Start(index, points[index]);
            column = at;
        } else {
            picks.Add(index, points[index]);
        }
    }
    picks.AppendTo(drawn);
    return drawn;
}

}  // namespace loan
