#include "ui/BalanceChart.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QScreen>
#include <QStackedLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "ui/BalanceChartData.h"
#include "ui/Controls.h"
#include "ui/ScheduleTableModel.h"

namespace ui {

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 480;
// Room a tick's label needs along each axis.
constexpr int kDateLabelWidth = 90;
constexpr int kMoneyLabelHeight = 50;
constexpr double kPaymentHeadroom = 1.25;

QString Title(const loan::LoanInputs& loan) {
    QString term = QString::fromStdString(loan.term);
    if (loan.termUnit == loan::kTermUnitYears) {
        term += QStringLiteral(" Years");
    } else if (loan.termUnit == loan::kTermUnitMonths) {
        term += QStringLiteral(" Months");
    }
    // The title is rich text: what was typed is shown as it stands, and blanks keep it apart.
    const QString gap = QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;");
    return QStringLiteral("Principal: %1%4Int. Rate: %2%4Term: %3")
        .arg(QString::fromStdString(loan.principal).toHtmlEscaped(),
             QString::fromStdString(loan.rate).toHtmlEscaped(), term.toHtmlEscaped(), gap);
}

void SetScale(QCategoryAxis& axis, const AxisScale& scale) {
    for (const QString& label : axis.categoriesLabels()) {
        axis.remove(label);
    }
    // A category ends at its tick, where its label stands; the first must end above the start.
    axis.setStartValue(std::nextafter(scale.low, -std::numeric_limits<double>::infinity()));
    for (const AxisTick& tick : scale.ticks) {
        axis.append(tick.label, tick.value);
    }
    axis.setRange(scale.low, scale.high);
}

QCategoryAxis* Axis(const char* name, const QString& title) {
    auto* const axis = Named(new QCategoryAxis, name);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTitleText(title);
    return axis;
}

template <typename Series>
Series* Drawn(Series* series, const char* name, const QString& caption) {
    series->setObjectName(QString::fromLatin1(name));
    series->setName(caption);
    return series;
}

// To the right of the main window, moved in as far as the screen needs: the numbers stay in view
// beside the chart where the screen has room for both.
void PlaceBeside(QWidget& window, const QWidget& owner) {
    const QRect screen = owner.screen()->availableGeometry();
    const QRect ownerFrame = owner.frameGeometry();
    const QSize frame = window.size() + (ownerFrame.size() - owner.size());
    const int left = std::max(screen.left(),
                              std::min(ownerFrame.right() + 1, screen.right() + 1 - frame.width()));
    const int top =
        std::max(screen.top(), std::min(ownerFrame.top(), screen.bottom() + 1 - frame.height()));
    window.move(left, top);
}

void ShowInLegend(QChart& chart, QAbstractSeries* series, bool shown) {
    for (QLegendMarker* const marker : chart.legend()->markers(series)) {
        marker->setVisible(shown);
    }
}

}  // namespace

TfrmBalanceChart::TfrmBalanceChart(const ScheduleTableModel& model,
                                   std::function<loan::LoanInputs()> inputs, QWidget& owner)
    : QWidget(&owner, Qt::Window), model_(model), inputs_(std::move(inputs)) {
    setObjectName(QStringLiteral("frmBalanceChart"));
    setWindowTitle(QStringLiteral("Balance Chart"));

    pages_ = new QStackedLayout(this);
    lbNothingToDraw_ =
        Named(new QLabel(QStringLiteral("No schedule to draw: calculate a loan first."), this),
              "lbNothingToDraw");
    lbNothingToDraw_->setAlignment(Qt::AlignCenter);
    pages_->addWidget(lbNothingToDraw_);
    BuildChart();
    pages_->addWidget(view_);

    // The grid's model says when any command, or typing, changed the cells. Typing changes only
    // extra payments, which move no figure until Calculate: only their marks are read again.
    connect(&model_, &QAbstractItemModel::modelReset, this, &TfrmBalanceChart::GridChanged);
    connect(
        &model_, &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
            if (topLeft.column() == loan::kColExtra && bottomRight.column() == loan::kColExtra) {
                ExtraPaymentsChanged(topLeft.row(), bottomRight.row());
            } else {
                GridChanged();
            }
        });
    // The chart is the main window's and goes when it is closed.
    owner.installEventFilter(this);
}

void TfrmBalanceChart::BuildChart() {
    chart_ = new QChart;
    view_ = Named(new QChartView(chart_, this), "chartView");
    view_->setRenderHint(QPainter::Antialiasing);
    chart_->legend()->setAlignment(Qt::AlignBottom);

    dates_ = Axis("axDates", QString());
    balanceAxis_ = Axis("axBalance", QStringLiteral("Remaining"));
    paymentAxis_ = Axis("axPayment", QStringLiteral("Payment"));
    chart_->addAxis(dates_, Qt::AlignBottom);
    chart_->addAxis(balanceAxis_, Qt::AlignLeft);
    chart_->addAxis(paymentAxis_, Qt::AlignRight);

    // The areas' edges: drawn only as the areas' borders, so kept by this window, not the chart.
    interestTop_ = new QLineSeries(this);
    paymentTop_ = new QLineSeries(this);
    zero_ = new QLineSeries(this);
    interest_ =
        Drawn(new QAreaSeries(interestTop_, zero_), "srInterest", QStringLiteral("Interest Pmt."));
    principal_ = Drawn(new QAreaSeries(paymentTop_, interestTop_), "srPrincipal",
                       QStringLiteral("Principal Pmt."));
    balance_ = Drawn(new QLineSeries, "srBalance", QStringLiteral("Remaining"));
    extraPayments_ = Drawn(new QScatterSeries, "srExtraPayments", QStringLiteral("Extra Pmt."));
    payoff_ = Drawn(new QLineSeries, "srPayoff", QString());

    interest_->setColor(QColor(232, 132, 48, 150));
    interest_->setBorderColor(QColor(232, 132, 48));
    principal_->setColor(QColor(64, 160, 96, 150));
    principal_->setBorderColor(QColor(64, 160, 96));
    balance_->setPen(QPen(QColor(31, 95, 168), 2));
    extraPayments_->setMarkerSize(9);
    extraPayments_->setColor(QColor(208, 32, 32));
    extraPayments_->setBorderColor(Qt::white);
    payoff_->setPen(QPen(QColor(24, 24, 24), 1.5, Qt::DashLine));

    // Later series are drawn over earlier ones: the line and its marks over the areas.
    for (QAbstractSeries* const series :
         std::initializer_list<QAbstractSeries*>{interest_, principal_}) {
        chart_->addSeries(series);
        series->attachAxis(dates_);
        series->attachAxis(paymentAxis_);
    }
    for (QAbstractSeries* const series :
         std::initializer_list<QAbstractSeries*>{balance_, extraPayments_, payoff_}) {
        chart_->addSeries(series);
        series->attachAxis(dates_);
        series->attachAxis(balanceAxis_);
    }

    // A new width shows a different number of points.
    connect(chart_, &QChart::plotAreaChanged, this, [this] {
        if (drawnColumns_ != 0 && PlotColumns() != drawnColumns_) {
            ShowPoints();
        }
    });
}

void TfrmBalanceChart::ShowAndRaise() {
    if (!placed_) {
        resize(kWidth, kHeight);
        PlaceBeside(*this, *parentWidget());
        placed_ = true;
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TfrmBalanceChart::GridChanged() {
    stale_ = true;
    PostRedraw();
}

void TfrmBalanceChart::ExtraPaymentsChanged(int firstRow, int lastRow) {
    if (extraFirstRow_ > extraLastRow_) {
        extraFirstRow_ = firstRow;
        extraLastRow_ = lastRow;
    } else {
        extraFirstRow_ = std::min(extraFirstRow_, firstRow);
        extraLastRow_ = std::max(extraLastRow_, lastRow);
    }
    PostRedraw();
}

void TfrmBalanceChart::PostRedraw() {
    // One drawing for however many changes a command makes; none while the window is closed.
    if (isVisible() && !redrawPosted_) {
        redrawPosted_ = true;
        QMetaObject::invokeMethod(this, &TfrmBalanceChart::RedrawIfStale, Qt::QueuedConnection);
    }
}

void TfrmBalanceChart::RedrawIfStale() {
    redrawPosted_ = false;
    if (!isVisible()) {
        return;
    }
    if (stale_) {
        stale_ = false;
        extraLastRow_ = -1;
        Redraw();
    } else if (extraFirstRow_ <= extraLastRow_) {
        RereadExtraPayments();
        extraLastRow_ = -1;
        if (!series_.points.empty()) {
            ShowPoints();
        }
    }
}

void TfrmBalanceChart::RereadExtraPayments() {
    // The points are the grid's rows from row 1 on, in order.
    const int last = std::min(extraLastRow_, static_cast<int>(series_.points.size()));
    for (int row = std::max(extraFirstRow_, 1); row <= last; ++row) {
        series_.points[static_cast<std::size_t>(row - 1)].extraPayment =
            loan::ReadsAsExtraPayment(model_.Grid().Cell(row, loan::kColExtra));
    }
}

void TfrmBalanceChart::Redraw() {
    series_ = loan::ReadScheduleSeries(model_.Grid());
    drawnColumns_ = 0;
    if (series_.points.empty()) {
        for (QXYSeries* const series : std::initializer_list<QXYSeries*>{
                 balance_, interestTop_, paymentTop_, zero_, extraPayments_, payoff_}) {
            series->clear();
        }
        pages_->setCurrentWidget(lbNothingToDraw_);
        return;
    }
    chart_->setTitle(Title(inputs_()));
    payoff_->setName(QStringLiteral("Paid off %1")
                         .arg(QString::fromStdString(series_.payoffDate).toHtmlEscaped()));
    SetAxes();
    ShowPoints();
    pages_->setCurrentWidget(view_);
}

void TfrmBalanceChart::SetAxes() {
    const MoneyRanges ranges = MoneyRangesOf(series_);
    // By the window's size, which the view fills: the view may not be laid out yet.
    const int dateTicks = std::max(2, width() / kDateLabelWidth);
    const int moneyTicks = std::max(2, height() / kMoneyLabelHeight);
    SetScale(*dates_, DateScale(series_.points.front().day, series_.points.back().day, dateTicks));
    SetScale(*balanceAxis_, MoneyScale(ranges.balanceLow, ranges.balanceHigh, moneyTicks));
    // Headroom above the payments keeps the top of the areas clear of the balance line's start.
    SetScale(*paymentAxis_,
             MoneyScale(ranges.paymentLow, ranges.paymentHigh * kPaymentHeadroom, moneyTicks));
}

void TfrmBalanceChart::ShowPoints() {
    drawnColumns_ = PlotColumns();
    const ChartPoints points =
        BuildChartPoints(series_, loan::ReduceForDrawing(series_, drawnColumns_));
    balance_->replace(points.balance);
    interestTop_->replace(points.interest);
    paymentTop_->replace(points.payment);
    zero_->replace(points.zero);
    extraPayments_->replace(points.extraPayments);
    // The payoff date as a line across the whole height.
    QList<QPointF> payoffLine;
    if (points.payoff) {
        payoffLine = {{points.payoff->x(), balanceAxis_->min()},
                      {points.payoff->x(), balanceAxis_->max()}};
    }
    payoff_->replace(payoffLine);
    ShowInLegend(*chart_, extraPayments_, !points.extraPayments.isEmpty());
    ShowInLegend(*chart_, payoff_, points.payoff.has_value());
}

int TfrmBalanceChart::PlotColumns() const {
    const double width = chart_->plotArea().width();
    // Before its first layout the chart has no plot area; the view's width comes close.
    return width >= 1 ? static_cast<int>(std::lround(width)) : std::max(1, view_->width());
}

void TfrmBalanceChart::showEvent(QShowEvent* event) {
    RedrawIfStale();
    QWidget::showEvent(event);
}

void TfrmBalanceChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (drawnColumns_ != 0) {
        SetAxes();
    }
}

bool TfrmBalanceChart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Hide && !event->spontaneous()) {
        close();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace ui
