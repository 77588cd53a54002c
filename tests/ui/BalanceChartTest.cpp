// The balance chart: the points and axes it builds from a grid, and its window following the grid
// through the main window's commands.
#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QScatterSeries>
#include <QTest>
#include <memory>

#include "Recorders.h"
#include "WindowState.h"
#include "loan/Schedule.h"
#include "text/Calendar.h"
#include "ui/BalanceChart.h"
#include "ui/BalanceChartData.h"
#include "ui/Mortgage.h"
#include "ui/StartUp.h"

namespace ui {

using testing::Find;
using testing::TypeLoan;

namespace {

template <typename Series>
Series* SeriesNamed(const QChart& chart, const char* name) {
    for (QAbstractSeries* const series : chart.series()) {
        if (series->objectName() == QLatin1String(name)) {
            return qobject_cast<Series*>(series);
        }
    }
    qFatal("the chart draws no series named %s", name);
}

QStringList Labels(const AxisScale& scale) {
    QStringList labels;
    for (const AxisTick& tick : scale.ticks) {
        labels.append(tick.label);
    }
    return labels;
}

double Day(int year, int month, int day) {
    return static_cast<double>(text::DayNumber(year, month, day));
}

}  // namespace

class BalanceChartTest : public QObject {
    Q_OBJECT

  private:
    testing::RecordingBoxes boxes_;
    testing::RecordingDialogs dialogs_;
    std::unique_ptr<TfrmMortMain> window_;

    // The chart window as the View menu opens it, with its drawing done.
    TfrmBalanceChart& OpenChart() {
        Find<QAction>(*window_, "BalanceChart1")->trigger();
        auto& chart = *Find<TfrmBalanceChart>(*window_, "frmBalanceChart");
        if (!QTest::qWaitForWindowExposed(&chart)) {
            qFatal("the chart window was never shown");
        }
        QCoreApplication::processEvents();
        return chart;
    }

    QChart& Chart() { return *Find<QChartView>(*window_, "chartView")->chart(); }
    QList<QPointF> Balance() { return SeriesNamed<QLineSeries>(Chart(), "srBalance")->points(); }
    bool SaysNothingToDraw() {
        return Find<QLabel>(*window_, "lbNothingToDraw")->isVisible() &&
               !Find<QChartView>(*window_, "chartView")->isVisible();
    }

  private slots:
    void initTestCase() { PrepareApplication(); }

    void init() {
        boxes_.Clear();
        window_ = std::make_unique<TfrmMortMain>(boxes_, dialogs_);
        window_->show();
    }

    void cleanup() { window_.reset(); }

    // Data: the axes' ticks, labelled as the schedule writes money and dates.
    void moneyScale_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("most");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("a principal")
            << 0.0 << 100000.0 << 6 << QStringList{"$0.00",     "$20000.00", "$40000.00",
                                                   "$60000.00", "$80000.00", "$100000.00"};
        QTest::newRow("ends widened to whole steps")
            << 0.0 << 599.55 << 4 << QStringList{"$0.00", "$200.00", "$400.00", "$600.00"};
        QTest::newRow("below zero")
            << -130.0 << 40.0 << 5
            << QStringList{"-$150.00", "-$100.00", "-$50.00", "$0.00", "$50.00"};
        QTest::newRow("one value") << 5.0 << 5.0 << 3 << QStringList{"$5.00", "$5.50", "$6.00"};
        QTest::newRow("never finer than a cent")
            << 0.0 << 0.001 << 5 << QStringList{"$0.00", "$0.01"};
    }
    void moneyScale() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, most);
        QFETCH(QStringList, labels);
        const AxisScale scale = MoneyScale(low, high, most);
        QCOMPARE(Labels(scale), labels);
        QCOMPARE(scale.low, scale.ticks.front().value);
        QCOMPARE(scale.high, scale.ticks.back().value);
        QVERIFY(scale.low <= low && scale.high >= high);
    }

    void dateScale_data() {
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("last");
        QTest::addColumn<int>("most");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("thirty years in five-year steps")
            << Day(2024, 2, 1) << Day(2054, 1, 1) << 7
            << QStringList{"Jan 2025", "Jan 2030", "Jan 2035", "Jan 2040", "Jan 2045", "Jan 2050"};
        QTest::newRow("a year in quarters")
            << Day(2024, 2, 1) << Day(2025, 1, 1) << 6
            << QStringList{"Apr 2024", "Jul 2024", "Oct 2024", "Jan 2025"};
        QTest::newRow("one payment still gets a month")
            << Day(2024, 2, 20) << Day(2024, 2, 20) << 6 << QStringList{"Mar 2024"};
        QTest::newRow("before year one")
            << Day(-5, 3, 1) << Day(-3, 3, 1) << 3 << QStringList{"Jan -0004", "Jan -0003"};
    }
    void dateScale() {
        QFETCH(double, first);
        QFETCH(double, last);
        QFETCH(int, most);
        QFETCH(QStringList, labels);
        const AxisScale scale =
            DateScale(static_cast<std::int64_t>(first), static_cast<std::int64_t>(last), most);
        QCOMPARE(Labels(scale), labels);
        QVERIFY(scale.low < first && scale.high > last);
        for (const AxisTick& tick : scale.ticks) {
            QCOMPARE(text::DateOfDay(static_cast<std::int64_t>(tick.value)).day, 1);
            QVERIFY(tick.value >= scale.low && tick.value <= scale.high);
        }
    }

    // Data: the points drawn from a calculated grid, with extra payments.
    void pointsOfALoanWithExtraPayments() {
        loan::ScheduleGrid grid;
        loan::LoanInputs inputs{"100000",       "6", "30", loan::kTermUnitYears, "Monthly",
                                Day(2024, 2, 1)};
        loan::Calculate(inputs, grid);
        grid.SetCell(1, loan::kColExtra, "1000");
        grid.SetCell(5, loan::kColExtra, "250");
        loan::Calculate(inputs, grid);
        const loan::ScheduleSeries series = loan::ReadScheduleSeries(grid);
        const ChartPoints points = BuildChartPoints(series, loan::ReduceForDrawing(series, 1000));
        QCOMPARE(points.balance.size(), grid.RowCount() - 1);
        QCOMPARE(points.balance.front(), QPointF(Day(2024, 2, 1), 98900.45));
        QCOMPARE(points.interest.front(), QPointF(Day(2024, 2, 1), 500.0));
        // The principal part stands on the interest part.
        QCOMPARE(points.payment.front(), QPointF(Day(2024, 2, 1), 599.55));
        QCOMPARE(points.zero.size(), points.balance.size());
        QCOMPARE(points.extraPayments,
                 QList<QPointF>({points.balance.at(0), points.balance.at(4)}));
        QVERIFY(points.payoff.has_value());
        QCOMPARE(*points.payoff, points.balance.back());
        QCOMPARE(points.payoff->y(), 0.0);
    }

    // The window.
    void viewMenuBetweenFileAndAbout() {
        const QList<QAction*> bar = Find<QMenuBar>(*window_, "MainMenu1")->actions();
        QCOMPARE(bar.size(), 3);
        QCOMPARE(bar.at(0), Find<QMenu>(*window_, "File1")->menuAction());
        QCOMPARE(bar.at(1), Find<QMenu>(*window_, "View1")->menuAction());
        QCOMPARE(bar.at(1)->text(), QStringLiteral("&View"));
        QCOMPARE(bar.at(2), Find<QAction>(*window_, "About1"));
        const QList<QAction*> view = Find<QMenu>(*window_, "View1")->actions();
        QCOMPARE(view, QList<QAction*>{Find<QAction>(*window_, "BalanceChart1")});
        QCOMPARE(view.front()->text(), QStringLiteral("Balance &Chart"));
        QVERIFY(view.front()->shortcut().isEmpty());
    }

    void oneChartWindowThatClosesWithTheMainWindow() {
        TfrmBalanceChart& chart = OpenChart();
        QVERIFY(chart.isWindow());
        QCOMPARE(chart.windowTitle(), QStringLiteral("Balance Chart"));
        chart.showMinimized();
        OpenChart();
        QCOMPARE(window_->findChildren<TfrmBalanceChart*>().size(), 1);
        QVERIFY(!chart.isMinimized());
        window_->close();
        QVERIFY(!chart.isVisible());
    }

    void emptyGridSaysNothingToDraw() {
        OpenChart();
        QVERIFY(SaysNothingToDraw());
        QVERIFY(boxes_.errors.isEmpty());
    }

    void followsCalculateAndNew() {
        OpenChart();
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        QCoreApplication::processEvents();
        QVERIFY(!SaysNothingToDraw());
        const loan::ScheduleGrid& grid = window_->Grid();
        QCOMPARE(Balance().size(), 360);
        QCOMPARE(Balance().front().y(), 99900.45);
        QCOMPARE(Balance().back().y(), 0.0);
        QCOMPARE(Chart().title(),
                 QStringLiteral("Principal: 100000&nbsp;&nbsp;&nbsp;&nbsp;Int. Rate: 6"
                                "&nbsp;&nbsp;&nbsp;&nbsp;Term: 30 Years"));
        const auto* const payoff = SeriesNamed<QLineSeries>(Chart(), "srPayoff");
        QCOMPARE(payoff->name(),
                 "Paid off " + QString::fromStdString(grid.Cell(360, loan::kColDate)));
        QCOMPARE(payoff->points().front().x(), Balance().back().x());
        QCOMPARE(Find<QCategoryAxis>(Chart(), "axBalance")->categoriesLabels().back(),
                 QStringLiteral("$100000.00"));

        // An extra payment typed in shows at once; the balance follows at the next Calculate.
        auto& model = *Find<ScheduleTableView>(*window_, "sgTable")->model();
        model.setData(model.index(1, loan::kColExtra), QStringLiteral("1000"));
        QCoreApplication::processEvents();
        const auto* const marks = SeriesNamed<QScatterSeries>(Chart(), "srExtraPayments");
        QCOMPARE(marks->points(), QList<QPointF>{Balance().front()});
        QCOMPARE(Balance().front().y(), 99900.45);
        QVERIFY(window_->Button1Click());
        QCoreApplication::processEvents();
        QCOMPARE(Balance().size(), 351);
        QCOMPARE(marks->points(), QList<QPointF>{QPointF(Balance().front().x(), 98900.45)});

        window_->New1Click();
        QCoreApplication::processEvents();
        QVERIFY(SaysNothingToDraw());
        QVERIFY(Balance().isEmpty());
    }

    void calculationCutShortDrawsWhatReads() {
        OpenChart();
        TypeLoan(*window_, "100000", "1000", "-1");
        QVERIFY(!window_->Button1Click());
        QCoreApplication::processEvents();
        QCOMPARE(boxes_.errors.size(), 1);
        QVERIFY(!SaysNothingToDraw());
        QVERIFY(!Balance().isEmpty());
        QVERIFY(SeriesNamed<QLineSeries>(Chart(), "srPayoff")->points().isEmpty());
    }

    // The title is rich text; what was typed must not turn into markup.
    void titleShowsTheTypedTextAsItStands() {
        OpenChart();
        TypeLoan(*window_, "1200", "0", "1");
        QVERIFY(window_->Button1Click());
        TypeLoan(*window_, "<i>1200", "0", "1");
        QVERIFY(window_->Button1Click());
        QCoreApplication::processEvents();
        QCOMPARE(boxes_.infos, QStringList{"Principal is invalid"});
        QVERIFY(Chart().title().startsWith(QStringLiteral("Principal: &lt;i&gt;1200&nbsp;")));
    }

    // A closed chart does no work; it catches up when shown again.
    void closedChartWaitsUntilShown() {
        TfrmBalanceChart& chart = OpenChart();
        chart.close();
        TypeLoan(*window_, "1200", "0", "1");
        QVERIFY(window_->Button1Click());
        QCoreApplication::processEvents();
        QVERIFY(Balance().isEmpty());
        OpenChart();
        QCOMPARE(Balance().size(), 12);
    }

    // Past what the pixels show, the line keeps a few points per column of the plot.
    void rowBoundReducedToTheWidth() {
        TfrmBalanceChart& chart = OpenChart();
        TypeLoan(*window_, "100000", "150", "30");
        QVERIFY(window_->Button1Click());
        QCoreApplication::processEvents();
        QCOMPARE(window_->Grid().RowCount() - 1, 100000);
        const auto columns = [this] { return static_cast<qsizetype>(Chart().plotArea().width()); };
        QVERIFY(Balance().size() <= 9 * (columns() + 1));
        const qsizetype wide = Balance().size();
        chart.resize(chart.width() / 2, chart.height());
        QCoreApplication::processEvents();
        QVERIFY(Balance().size() <= 9 * (columns() + 1));
        QVERIFY(Balance().size() < wide);
    }
};

}  // namespace ui

QTEST_MAIN(ui::BalanceChartTest)
#include "BalanceChartTest.moc"
