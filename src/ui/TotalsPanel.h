// The totals panel at the window's bottom: the payment, the total of all payments, the total
// interest and the interest saved, in two sunken boxes.
#pragma once

#include <QFrame>

#include "loan/Schedule.h"

class QLabel;

namespace ui {

class TotalsPanel final : public QFrame {
    Q_OBJECT

  public:
    explicit TotalsPanel(QWidget* parent = nullptr);

    void ShowTotals(const loan::ScheduleTotals& totals);
    // Every total back to "$0.00", as at start.
    void ClearTotals();
    // The four totals as their labels read.
    loan::ScheduleTotals Totals() const;

  private:
    QLabel* lbPayment_ = nullptr;
    QLabel* lbTotalPayments_ = nullptr;
    QLabel* lbInterest_ = nullptr;
    QLabel* lbIntSaved_ = nullptr;
};

}  // namespace ui
