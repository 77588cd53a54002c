// The real window on an X display, for clipboard_x11.sh: the clipboard's text, which another X
// client (xclip) holds, pastes into the "Extra Pmt." column, and "Copy Schedule" gives xclip the
// schedule's text.
//   clipboard_x11_client PASTED   PASTED: the lines the script put on the clipboard
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <cstdio>
#include <string>

#include "Recorders.h"
#include "WindowState.h"
#include "loan/ScheduleClipboard.h"
#include "loan/ScheduleGrid.h"
#include "ui/Mortgage.h"
#include "ui/StartUp.h"

namespace {

int failures = 0;

void Check(bool holds, const QString& what) {
    if (!holds) {
        std::fprintf(stderr, "clipboard_x11_client: %s\n", qPrintable(what));
        ++failures;
    }
}

// What xclip reads from the clipboard; the window answers its request meanwhile.
QByteArray ReadWithXclip() {
    QProcess xclip;
    QEventLoop loop;
    QObject::connect(&xclip, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&xclip, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    xclip.start(QStringLiteral("xclip"), {"-o", "-selection", "clipboard"});
    loop.exec();
    Check(
        xclip.exitStatus() == QProcess::NormalExit && xclip.exitCode() == 0,
        QStringLiteral("xclip -o failed: ") + QString::fromLocal8Bit(xclip.readAllStandardError()));
    return xclip.readAllStandardOutput();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: clipboard_x11_client PASTED\n");
        return 2;
    }
    const QStringList pasted = QString::fromLocal8Bit(argv[1]).split('\n');
    ui::PrepareApplication();
    ui::testing::RecordingBoxes boxes;
    ui::testing::RecordingDialogs dialogs;
    ui::TfrmMortMain window(boxes, dialogs);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "clipboard_x11_client: the window was never shown\n");
        return 1;
    }
    const ui::testing::Controls controls(window);
    ui::testing::TypeLoan(window, "100000", "6", "30");
    window.Button1Click();

    controls.sgTable->setFocus();
    controls.sgTable->setCurrentIndex(controls.sgTable->model()->index(1, loan::kColExtra));
    QTest::keyClick(controls.sgTable, Qt::Key_V, Qt::ControlModifier);
    for (int row = 1; row <= pasted.size(); ++row) {
        const QString extra = QString::fromStdString(window.Grid().Cell(row, loan::kColExtra));
        Check(extra == pasted.at(row - 1).section('\t', 0, 0),
              QStringLiteral("row %1 holds '%2' after the paste").arg(row).arg(extra));
    }

    window.findChild<QAction*>(QStringLiteral("CopySchedule1"))->trigger();
    const QByteArray copied = ReadWithXclip();
    Check(copied == QByteArray::fromStdString(loan::CopySchedule(window.Grid())),
          QStringLiteral("xclip read %1 bytes, not the schedule").arg(copied.size()));
    Check(copied.count('\n') == 361, QStringLiteral("xclip read %1 lines").arg(copied.count('\n')));
    Check(boxes.infos.isEmpty() && boxes.errors.isEmpty(),
          QStringLiteral("the window showed a box"));
    return failures == 0 ? 0 : 1;
}
