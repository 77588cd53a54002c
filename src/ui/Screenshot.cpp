// Developer tool for the README's picture: builds the real window, types a loan, calculates, and
// saves what the window shows. Run it under a display server (scripts/screenshot.sh uses Xvfb).
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <cstdio>

#include "ui/Program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mortgage-screenshot OUTPUT.png\n");
        return 2;
    }
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
    QTest::qWait(200);
    if (!frmMortMain.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
