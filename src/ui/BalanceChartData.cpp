#include "ui/BalanceChartData.h"

#include <algorithm>
#include <cmath>

#include "text/Calendar.h"
#include "text/DateText.h"
#include "text/NumberText.h"

namespace ui {

namespace {

// Whole months from year 0, and back.
std::int64_t MonthIndex(std::int64_t day) {
    const text::CivilDate date = text::DateOfDay(day);
    return date.year * 12 + (date.month - 1);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

std::int64_t FirstDayOfMonth(std::int64_t monthIndex) {
    const std::int64_t year = FloorDiv(monthIndex, 12);
    return text::DayNumber(year, static_cast<int>(monthIndex - year * 12) + 1, 1);
}

// The month step that shows a span of months in at most mostTicks ticks.
std::int64_t MonthStep(std::int64_t months, int mostTicks) {
    for (const std::int64_t step : {1, 2, 3, 6}) {
        if (months / step < mostTicks) {
            return step;
        }
    }
    for (std::int64_t years = 1;; years *= 10) {
        for (const std::int64_t factor : {1, 2, 5}) {
            const std::int64_t step = 12 * years * factor;
            if (months / step < mostTicks) {
                return step;
            }
        }
    }
}

QString MoneyLabel(double value) {
    return QString::fromStdString(text::FormatAmount(value, text::AmountPattern::Dollar));
}

}  // namespace

ChartPoints BuildChartPoints(const loan::ScheduleSeries& series, const loan::DrawnPoints& drawn) {
    ChartPoints chart;
    const auto count = static_cast<qsizetype>(drawn.line.size());
    for (QList<QPointF>* line : {&chart.balance, &chart.interest, &chart.payment, &chart.zero}) {
        line->reserve(count);
    }
    for (const std::size_t index : drawn.line) {
        const loan::SchedulePoint& point = series.points[index];
        const auto x = static_cast<double>(point.day);
        chart.balance.append({x, point.balance});
        chart.interest.append({x, point.interest});
        chart.payment.append({x, point.interest + point.principal});
        chart.zero.append({x, 0.0});
    }
    chart.extraPayments.reserve(static_cast<qsizetype>(drawn.marks.size()));
    for (const std::size_t index : drawn.marks) {
        const loan::SchedulePoint& point = series.points[index];
        chart.extraPayments.append({static_cast<double>(point.day), point.balance});
    }
    if (!series.payoffDate.empty() && !series.points.empty()) {
        const loan::SchedulePoint& last = series.points.back();
        chart.payoff = QPointF(static_cast<double>(last.day), last.balance);
    }
    return chart;
}

AxisScale DateScale(std::int64_t firstDay, std::int64_t lastDay, int mostTicks) {
    // A month is the finest step, so the axis spans at least one, and so holds a first of a month.
    constexpr std::int64_t kShortestSpan = 31;
    if (lastDay - firstDay < kShortestSpan) {
        const std::int64_t middle = firstDay + (lastDay - firstDay) / 2;
        firstDay = middle - kShortestSpan / 2;
        lastDay = firstDay + kShortestSpan;
    }
    // A little room at each end, so the first payment and the payoff mark stand clear of the
    // frame.
    const std::int64_t room = std::max<std::int64_t>(1, (lastDay - firstDay) / 50);
    firstDay -= room;
    lastDay += room;
    AxisScale scale{static_cast<double>(firstDay), static_cast<double>(lastDay), {}};
    const std::int64_t firstMonth = MonthIndex(firstDay);
    const std::int64_t lastMonth = MonthIndex(lastDay);
    const std::int64_t step = MonthStep(lastMonth - firstMonth + 1, std::max(mostTicks, 1));
    for (std::int64_t month = FloorDiv(firstMonth + step - 1, step) * step; month <= lastMonth;
         month += step) {
        const std::int64_t day = FirstDayOfMonth(month);
        if (day >= firstDay && day <= lastDay) {
            const auto at = static_cast<double>(day);
            scale.ticks.push_back({at, QString::fromStdString(text::FormatDate("mmm yyyy", at))});
        }
    }
    return scale;
}

AxisScale MoneyScale(double low, double high, int mostTicks) {
    if (!(high > low)) {
        high = low + 1;
    }
    const double wanted = (high - low) / std::max(mostTicks - 1, 1);
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    double step = 10 * power;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= wanted) {
            step = factor * power;
            break;
        }
    }
    step = std::max(step, 0.01);
    const double first = std::floor(low / step);
    const double last = std::ceil(high / step);
    AxisScale scale{first * step, last * step, {}};
    for (double tick = first; tick <= last; ++tick) {
        scale.ticks.push_back({tick * step, MoneyLabel(tick * step)});
    }
    return scale;
}

MoneyRanges MoneyRangesOf(const loan::ScheduleSeries& series) {
    MoneyRanges ranges;
    for (const loan::SchedulePoint& point : series.points) {
        const double paid = point.interest + point.principal;
        ranges.balanceLow = std::min(ranges.balanceLow, point.balance);
        ranges.balanceHigh = std::max(ranges.balanceHigh, point.balance);
        ranges.paymentLow = std::min({ranges.paymentLow, point.interest, paid});
        ranges.paymentHigh = std::max({ranges.paymentHigh, point.interest, paid});
    }
    return ranges;
}

}  // namespace ui
