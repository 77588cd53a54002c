// Developer tool for the README's pictures: builds the real window, types a loan, calculates, and
// saves what the window shows; with --menu, also an extra payment typed into the grid and the
// grid's context menu opened on it. Run it under a display server (scripts/screenshot.sh uses
// Xvfb).
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "loan/ScheduleGrid.h"
#include "ui/Program.h"
#include "ui/ScheduleTableView.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool menu = argc == 3 && QLatin1String(argv[1]) == QLatin1String("--menu");
    if (argc != 2 && !menu) {
        std::fprintf(stderr, "usage: mortgage-screenshot [--menu] OUTPUT.png\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[argc - 1]);
    ui::PrepareApplication();
    ui::Program program;
    ui::TfrmMortMain& frmMortMain = program.frmMortMain;
    program.Show();
    if (!QTest::qWaitForWindowExposed(&frmMortMain)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }

    // Typed as a person types, into the boxes found by their names.
    const auto type = [&frmMortMain](const char* box, const char* text) {
        QTest::keyClicks(frmMortMain.findChild<QLineEdit*>(QLatin1String(box)),
                         QLatin1String(text));
    };
    type("edPrincipal", "100000");
    type("edRate", "6");
    type("edTerm", "30");
    if (!frmMortMain.Button1Click()) {
        return 1;
    }
    QPixmap picture;
    if (menu) {
        // The menu is a window of its own: the picture is the screen around the two.
        auto* const grid = frmMortMain.findChild<ui::ScheduleTableView*>(QStringLiteral("sgTable"));
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(2, loan::kColExtra));
        // Each key where the focus is: the first opens the cell's editor, which takes the rest.
        for (const QChar key : QStringLiteral("200")) {
            QTest::keyClicks(QApplication::focusWidget(), QString(key));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
        auto* const popup = frmMortMain.findChild<QMenu*>(QStringLiteral("PopupMenu1"));
        if (!QTest::qWaitForWindowExposed(popup)) {
            std::fprintf(stderr, "the menu was never shown\n");
            return 1;
        }
        QTest::qWait(200);
        const QRect around = frmMortMain.frameGeometry().united(popup->geometry());
        picture = frmMortMain.screen()->grabWindow(0, around.x(), around.y(), around.width(),
                                                   around.height());
    } else {
        QTest::qWait(200);
        picture = frmMortMain.grab();
    }
    if (!picture.save(output)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
