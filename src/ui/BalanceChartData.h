// What the balance chart draws, from the schedule's series as read from the grid: the points of its
// lines and areas in day numbers and money, and the ticks of its axes labelled with the program's
// own date and money texts.
#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "loan/ScheduleSeries.h"

namespace ui {

// x is the payment date's day number, y money.
struct ChartPoints {
    QList<QPointF> balance;        // the "Remaining" line
    QList<QPointF> interest;       // the top of the interest area, which stands on zero
    QList<QPointF> payment;        // interest + principal: the top of the principal area above it
    QList<QPointF> zero;           // the foot of the interest area
    QList<QPointF> extraPayments;  // rows with an extra payment, on the balance line
    std::optional<QPointF> payoff;
};

// The drawn points of a series, in the order of the axis.
ChartPoints BuildChartPoints(const loan::ScheduleSeries& series, const loan::DrawnPoints& drawn);

struct AxisTick {
    double value = 0;
    QString label;
};

// An axis' range and its labelled ticks, ascending, inside the range.
struct AxisScale {
    double low = 0;
    double high = 0;
    std::vector<AxisTick> ticks;
};

// The date axis over the payment days: ticks on the first of a month, every 1, 2, 3 or 6 months or
// 1, 2 or 5 × 10ⁿ years, at most mostTicks of them, labelled "mmm yyyy" in the locale's month
// names. A span shorter than a month is widened to one around its middle; either end gets a
// fiftieth of the span (a day at least) as room.
AxisScale DateScale(std::int64_t firstDay, std::int64_t lastDay, int mostTicks);

// A money axis from low to high (widened to whole steps of 1, 2 or 5 × 10ⁿ, no finer than a
// cent), about mostTicks ticks labelled as the schedule writes money.
AxisScale MoneyScale(double low, double high, int mostTicks);

// The ranges the chart's two money axes must show: the balance with zero, and the interest part
// with the interest and principal parts stacked on it, with zero.
struct MoneyRanges {
    double balanceLow = 0;
    double balanceHigh = 0;
    double paymentLow = 0;
    double paymentHigh = 0;
};
MoneyRanges MoneyRangesOf(const loan::ScheduleSeries& series);

}  // namespace ui
