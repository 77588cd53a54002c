// The window as a person and their tools meet it: its controls found by their object names, what
// it shows of a loan's results (compared before and after a command that must leave them as they
// were), and typing into it. Shared by the window tests and the window benchmark.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <string>
#include <vector>

#include "loan/ScheduleGrid.h"
#include "ui/DatePicker.h"
#include "ui/Mortgage.h"
#include "ui/RadioGroup.h"
#include "ui/ScheduleTableView.h"

namespace ui::testing {

// A control by its object name; a name the window does not hold ends the run.
template <typename Widget>
Widget* Find(const QObject& window, const QString& name) {
    auto* const found = window.findChild<Widget*>(name);
    if (found == nullptr) {
        qFatal("the window holds no %s named %s", Widget::staticMetaObject.className(),
               qPrintable(name));
    }
    return found;
}

// The controls that hold the loan, its schedule and its totals.
struct Controls {
    Controls() = default;
    explicit Controls(const QObject& window)
        : edPrincipal(Find<QLineEdit>(window, "edPrincipal")),
          edRate(Find<QLineEdit>(window, "edRate")),
          edTerm(Find<QLineEdit>(window, "edTerm")),
          rgTerm(Find<RadioGroup>(window, "rgTerm")),
          cbSchedule(Find<QComboBox>(window, "cbSchedule")),
          edDate(Find<DatePicker>(window, "edDate")),
          sgTable(Find<ScheduleTableView>(window, "sgTable")),
          lbPayment(Find<QLabel>(window, "lbPayment")),
          lbTotalPayments(Find<QLabel>(window, "lbTotalPayments")),
          lbInterest(Find<QLabel>(window, "lbInterest")),
          lbIntSaved(Find<QLabel>(window, "lbIntSaved")) {}

    QLineEdit* edPrincipal = nullptr;
    QLineEdit* edRate = nullptr;
    QLineEdit* edTerm = nullptr;
    RadioGroup* rgTerm = nullptr;
    QComboBox* cbSchedule = nullptr;
    DatePicker* edDate = nullptr;
    ScheduleTableView* sgTable = nullptr;
    QLabel* lbPayment = nullptr;
    QLabel* lbTotalPayments = nullptr;
    QLabel* lbInterest = nullptr;
    QLabel* lbIntSaved = nullptr;
};

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
    const Controls controls(window);
    shown.totals = {controls.lbPayment->text(), controls.lbTotalPayments->text(),
                    controls.lbInterest->text(), controls.lbIntSaved->text()};
    return shown;
}

// Keys go where the focus is, as they do for a person (an opened cell editor takes the rest).
inline void Type(const QString& keys) {
    for (const QChar key : keys) {
        QTest::keyClicks(QApplication::focusWidget(), QString(key));
    }
}

// A loan typed over whatever the three boxes held.
inline void TypeLoan(const QObject& window, const QString& principal, const QString& rate,
                     const QString& term) {
    const Controls controls(window);
    for (QLineEdit* const edit : {controls.edPrincipal, controls.edRate, controls.edTerm}) {
        edit->clear();
    }
    QTest::keyClicks(controls.edPrincipal, principal);
    QTest::keyClicks(controls.edRate, rate);
    QTest::keyClicks(controls.edTerm, term);
}

}  // namespace ui::testing
