// The grid's context menu and clipboard keys in the real window; the extra payments they write
// are checked against the same amounts typed cell by cell.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "Recorders.h"
#include "WindowState.h"
#include "loan/ScheduleGrid.h"
#include "ui/Mortgage.h"
#include "ui/ScheduleTableView.h"
#include "ui/StartUp.h"

namespace ui {

using testing::Find;
using testing::WhatIsShown;

namespace {

// A window of its own, shown, with a loan typed and calculated.
struct Window {
    testing::RecordingBoxes boxes;
    testing::RecordingDialogs dialogs;
    TfrmMortMain window{boxes, dialogs};
    testing::Controls controls{window};
    ScheduleTableView& grid = *controls.sgTable;

    Window(const char* principal, const char* rate, const char* term) {
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window)) {
            qFatal("the main window never became active");
        }
        testing::TypeLoan(window, principal, rate, term);
        window.Button1Click();
    }

    QModelIndex Index(int row, int column) const { return grid.model()->index(row, column); }
    QString Extra(int row) const {
        return QString::fromStdString(window.Grid().Cell(row, loan::kColExtra));
    }
    bool Enabled(const char* item) const { return Find<QAction>(window, item)->isEnabled(); }
    QMenu& Menu() const { return *Find<QMenu>(window, "PopupMenu1"); }

    void Select(int row, int column) {
        grid.setFocus();
        grid.scrollTo(Index(row, column));
        grid.setCurrentIndex(Index(row, column));
    }
    // Leaves the cell's editor open.
    void TypeExtra(int row, const QString& text) {
        Select(row, loan::kColExtra);
        testing::Type(text);
    }
    // The button press, then the platform's request for the menu.
    void RightClick(int row, int column) {
        grid.scrollTo(Index(row, column));
        const QPoint at = grid.visualRect(Index(row, column)).center();
        QTest::mousePress(grid.viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid.viewport(), &click);
    }
    void Choose(const char* item) {
        QMenu& menu = Menu();
        const QRect place = menu.actionGeometry(Find<QAction>(window, item));
        QTest::mouseClick(&menu, Qt::LeftButton, {}, place.center());
    }
};

}  // namespace

class GridCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareApplication(); }

    void menuOffersTheColumnItemsOnlyOnAnExtraPayment_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("extra");   // paste and clear
        QTest::addColumn<bool>("repeat");  // there are later rows
        QTest::newRow("extra payment") << 1 << int(loan::kColExtra) << true << true;
        QTest::newRow("last row's extra payment") << 12 << int(loan::kColExtra) << true << false;
        QTest::newRow("interest") << 1 << int(loan::kColInterest) << false << false;
    }
    void menuOffersTheColumnItemsOnlyOnAnExtraPayment() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, extra);
        QFETCH(bool, repeat);
        Window w("1200", "0", "1");
        w.Select(3, loan::kColRemaining);
        w.RightClick(row, column);
        QVERIFY(w.Menu().isVisible());
        QCOMPARE(w.grid.currentIndex(), w.Index(row, column));
        QVERIFY(w.Enabled("Copy1") && w.Enabled("CopySchedule1"));
        QCOMPARE(w.Enabled("Paste1"), extra);
        QCOMPARE(w.Enabled("ClearExtraPayments1"), extra);
        QCOMPARE(w.Enabled("RepeattotheLastPayment1"), repeat);
        w.Menu().hide();

        // From the keyboard (the menu key, Shift+F10) the menu is the selected cell's.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(&w.grid, &menuKey);
        QVERIFY(w.Menu().isVisible());
        QCOMPARE(w.Enabled("RepeattotheLastPayment1"), repeat);
        w.Menu().hide();
        QTest::keyClick(&w.grid, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(w.Menu().isVisible());
        QCOMPARE(w.Enabled("Paste1"), extra);
    }

    // Both from an open cell editor, whose text is taken first; the focus stays in the grid and
    // nothing is calculated until Calculate. Repeated, then calculated, is typing every row;
    // cleared, then calculated, is the plain schedule: the rows the shortened schedule hid are
    // cleared too.
    void repeatThenClear() {
        Window typed("100000", "6", "30");
        for (int row = 3; row <= 360; ++row) {
            typed.TypeExtra(row, "250");
        }
        QVERIFY(typed.window.Button1Click());

        Window w("100000", "6", "30");
        const testing::Shown plain = WhatIsShown(w.window);
        w.TypeExtra(3, "250");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
        w.Choose("RepeattotheLastPayment1");
        QCOMPARE(QApplication::focusWidget(), &w.grid);
        QCOMPARE(w.Extra(2), QStringLiteral("0.00"));
        QCOMPARE(w.Extra(360), QStringLiteral("250"));
        QCOMPARE(w.controls.lbIntSaved->text(), QStringLiteral("$0.00"));
        QVERIFY(w.window.Button1Click());
        QVERIFY(WhatIsShown(w.window) == WhatIsShown(typed.window));

        w.TypeExtra(2, "900");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
        w.Choose("ClearExtraPayments1");
        w.Select(4, loan::kColExtra);
        QCOMPARE(w.Extra(2), QString());
        QCOMPARE(w.Extra(360), QString());
        QVERIFY(w.window.Button1Click());
        QVERIFY(WhatIsShown(w.window) == plain);
    }

    // 400 lines from a spreadsheet onto 360 rows: the tail waits in hidden rows for a longer
    // term, a text that is no number counts as 0, and the grid keeps its place.
    void pastedColumnAppliesItsTailWhenTheTermGrows() {
        Window typed("100000", "6", "40");
        QString pasted;
        for (int row = 1; row <= 400; ++row) {
            const QString amount = row == 7 ? QStringLiteral("n/a") : QString::number(row % 9);
            typed.TypeExtra(row, amount);
            pasted += amount + QStringLiteral("\t$1.00\tnote\r\n");
        }
        QVERIFY(typed.window.Button1Click());

        Window w("100000", "6", "30");
        w.Select(1, loan::kColExtra);
        w.grid.scrollTo(w.Index(200, loan::kColExtra));
        const int scrolled = w.grid.verticalScrollBar()->value();
        QApplication::clipboard()->setText(pasted);
        QSignalSpy changed(w.grid.model(), &QAbstractItemModel::dataChanged);
        QTest::keyClick(&w.grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(1).toModelIndex(), w.Index(360, loan::kColExtra));
        QCOMPARE(w.grid.currentIndex(), w.Index(1, loan::kColExtra));
        QCOMPARE(w.grid.verticalScrollBar()->value(), scrolled);
        QCOMPARE(w.Extra(7), QStringLiteral("n/a"));
        QCOMPARE(w.Extra(400), QStringLiteral("4"));
        QCOMPARE(w.Extra(401), QString());

        w.controls.edTerm->setText(QStringLiteral("40"));
        QVERIFY(w.window.Button1Click());
        QVERIFY(WhatIsShown(w.window) == WhatIsShown(typed.window));
    }

    void copyGivesTheSelectedCellsOrTheWholeSchedule() {
        Window w("100000", "6", "30");
        w.Select(2, loan::kColPrincipal);
        w.grid.selectionModel()->select(
            QItemSelection(w.Index(1, loan::kColInterest), w.Index(2, loan::kColPrincipal)),
            QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(&w.grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("$500.00\t$99.55\n$499.50\t$100.05\n"));

        w.RightClick(4, loan::kColDate);
        w.Choose("CopySchedule1");
        const QStringList lines = QApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 362);  // the captions, 360 rows, and the empty end
        QCOMPARE(lines.at(0).split('\t').at(4), QStringLiteral("Extra Pmt."));
        QCOMPARE(lines.at(360).split('\t').mid(2),
                 QStringList({"$2.98", "$596.57", "0.00", "$0.00"}));
    }

    // Ctrl+V elsewhere than on an extra payment pastes nothing; an open cell editor keeps
    // Ctrl+C and Ctrl+V for its own text.
    void otherCellsAndTheEditorKeepTheirKeys() {
        Window w("1200", "0", "1");
        QApplication::clipboard()->setText(QStringLiteral("5\n6\n"));
        const testing::Shown before = WhatIsShown(w.window);
        w.Select(2, loan::kColInterest);
        QTest::keyClick(&w.grid, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(WhatIsShown(w.window) == before);

        w.TypeExtra(2, "1");
        auto* const editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(w.Extra(2).startsWith(QStringLiteral("15")));
        QCOMPARE(w.Extra(3), QStringLiteral("0.00"));
        editor->setSelection(0, 2);
        QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("15"));
    }
};

}  // namespace ui

QTEST_MAIN(ui::GridCommandsTest)
#include "GridCommandsTest.moc"
