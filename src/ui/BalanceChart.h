// The balance chart: a window of its own beside the main window that draws the schedule the grid
// shows, read from the grid's texts: the remaining balance as a line over the payment dates, the
// interest and principal parts of each payment as stacked areas on a second axis, the extra
// payments and the payoff marked. It follows every change of the grid while it is shown, and does
// no work while it is not.
#pragma once

#include <QWidget>
#include <functional>

#include "loan/LoanInputs.h"
#include "loan/ScheduleSeries.h"

class QAreaSeries;
class QCategoryAxis;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QStackedLayout;

namespace ui {

class ScheduleTableModel;

class TfrmBalanceChart final : public QWidget {
    Q_OBJECT

  public:
    // Draws model's grid; the title takes the loan as typed from inputs. A top-level window that
    // owner keeps and that closes with it.
    TfrmBalanceChart(const ScheduleTableModel& model, std::function<loan::LoanInputs()> inputs,
                     QWidget& owner);

    // Shows the window (the first time beside the main window), brought to the front when already
    // open.
    void ShowAndRaise();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildChart();
    // Notes what changed: the whole grid, or only the extra payments of some rows.
    void GridChanged();
    void ExtraPaymentsChanged(int firstRow, int lastRow);
    void PostRedraw();
    void RedrawIfStale();
    void Redraw();
    void RereadExtraPayments();
    void SetAxes();
    void ShowPoints();
    int PlotColumns() const;

    const ScheduleTableModel& model_;
    std::function<loan::LoanInputs()> inputs_;

    QStackedLayout* pages_ = nullptr;
    QLabel* lbNothingToDraw_ = nullptr;
    QChartView* view_ = nullptr;
    QChart* chart_ = nullptr;
    QCategoryAxis* dates_ = nullptr;
    QCategoryAxis* balanceAxis_ = nullptr;
    QCategoryAxis* paymentAxis_ = nullptr;
    QLineSeries* balance_ = nullptr;
    QLineSeries* interestTop_ = nullptr;
    QLineSeries* paymentTop_ = nullptr;
    QLineSeries* zero_ = nullptr;
    QAreaSeries* interest_ = nullptr;
    QAreaSeries* principal_ = nullptr;
    QScatterSeries* extraPayments_ = nullptr;
    QLineSeries* payoff_ = nullptr;

    // The schedule as last read, kept for drawing it again at another width.
    loan::ScheduleSeries series_;
    int drawnColumns_ = 0;
    // What changed since the last drawing: the whole grid, or the extra payments of these rows.
    bool stale_ = true;
    int extraFirstRow_ = 0;
    int extraLastRow_ = -1;
    bool redrawPosted_ = false;
    bool placed_ = false;
};

}  // namespace ui
