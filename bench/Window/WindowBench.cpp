// Times the window where the person waits: from Calculate until the grid has painted the new rows
// (a 30-year monthly loan, and a loan that runs to the row bound), and from the program's start
// until the main window has painted for the first time. Prints the median of each.
//
//   bench_WindowBench              all three, start-up measured in fresh processes
//   bench_WindowBench --start-up   one start-up, printed in milliseconds (used by the above)
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Recorders.h"
#include "WindowState.h"
#include "loan/ScheduleGrid.h"
#include "ui/Mortgage.h"
#include "ui/Program.h"
#include "ui/ScheduleTableView.h"
#include "ui/StartUp.h"

namespace {

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

// Notes the first paint of a widget.
class FirstPaint final : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

double TimeCalculate(ui::TfrmMortMain& window, const QString& principal, const QString& rate,
                     const QString& term, int runs, int& rows) {
    ui::testing::TypeLoan(window, principal, rate, term);
    ui::ScheduleTableView& grid = *ui::testing::Find<ui::ScheduleTableView>(window, "sgTable");
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.Button1Click();
        grid.viewport()->repaint();
        samples.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        QCoreApplication::processEvents();
    }
    rows = window.Grid().RowCount() - 1;
    return Median(samples);
}

int StartUpOnce(int argc, char* argv[]) {
    QElapsedTimer timer;
    timer.start();
    QApplication application(argc, argv);
    ui::PrepareApplication();
    ui::Program program;
    FirstPaint paint;
    program.frmMortMain.installEventFilter(&paint);
    program.Show();
    while (!paint.painted) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    std::printf("%.3f\n", static_cast<double>(timer.nsecsElapsed()) / 1e6);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 2 && std::strcmp(argv[1], "--start-up") == 0) {
        return StartUpOnce(argc, argv);
    }
    QApplication application(argc, argv);
    ui::PrepareApplication();
    ui::testing::RecordingBoxes boxes;
    ui::testing::RecordingDialogs dialogs;
    ui::TfrmMortMain window(boxes, dialogs);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }

    int rows = 0;
    const double monthly = TimeCalculate(window, "100000", "6", "30", 41, rows);
    std::printf("Calculate to rows painted, 30-year monthly (%d rows): median %.3f ms\n", rows,
                monthly);
    // At 150 percent a year the payment only covers the interest: the schedule runs to its bound.
    const double bound = TimeCalculate(window, "100000", "150", "30", 11, rows);
    std::printf("Calculate to rows painted, row bound (%d rows): median %.3f ms\n", rows, bound);

    // From launching a fresh process (loading included) until it reports its first paint.
    std::vector<double> launches;
    std::vector<double> inProcess;
    for (int run = 0; run < 11; ++run) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--start-up")});
        if (!child.waitForReadyRead(30000)) {
            std::fprintf(stderr, "start-up run failed\n");
            return 1;
        }
        launches.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        child.waitForFinished(30000);
        inProcess.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    std::printf("Start-up to first paint, from launch: median %.3f ms\n", Median(launches));
    std::printf("Start-up to first paint, from QApplication: median %.3f ms\n", Median(inProcess));
    return 0;
}
