// What the window shows of a loan's results (the schedule and the totals, compared before and
// after a command that must leave them as they were), and typing into it as a person does.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QStringList>
#include <QTest>
#include <string>
#include <vector>

#include "loan/ScheduleGrid.h"
#include "ui/Mortgage.h"

namespace ui::testing {

struct Shown {
    int rowCount = 0;
    std::vector<std::string> cells;
    QStringList totals;
    bool operator==(const Shown&) const = default;
};

inline Shown WhatIsShown(const TfrmMortMain& window) {
    Shown shown;
    const loan::ScheduleGrid& grid = window.Grid();
    shown.rowCount = grid.RowCount();
    for (int row = 0; row < grid.RowCount(); ++row) {
        for (int column = 0; column < loan::ScheduleGrid::kColumnCount; ++column) {
            shown.cells.push_back(grid.Cell(row, column));
        }
    }
    shown.totals = {window.lbPayment->text(), window.lbTotalPayments->text(),
                    window.lbInterest->text(), window.lbIntSaved->text()};
    return shown;
}

// Keys go where the focus is, as they do for a person (an opened cell editor takes the rest).
inline void Type(const QString& keys) {
    for (const QChar key : keys) {
        QTest::keyClicks(QApplication::focusWidget(), QString(key));
    }
}

}  // namespace ui::testing
