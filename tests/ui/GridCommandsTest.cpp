// The grid's context menu and clipboard keys, driven in the real window: the extra payments they
// write are checked against the same amounts typed cell by cell.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "Recorders.h"
#include "WindowState.h"
#include "loan/ScheduleGrid.h"
#include "ui/Mortgage.h"
#include "ui/ScheduleTableView.h"
#include "ui/StartUp.h"

namespace ui {

using testing::Controls;
using testing::Find;
using testing::RecordingBoxes;
using testing::RecordingDialogs;
using testing::Shown;
using testing::Type;
using testing::TypeLoan;
using testing::WhatIsShown;

namespace {

// A window of its own, shown and active, with its grid.
struct Window {
    RecordingBoxes boxes;
    RecordingDialogs dialogs;
    TfrmMortMain window{boxes, dialogs};
    Controls controls{window};

    Window() {
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window)) {
            qFatal("the main window never became active");
        }
    }

    QModelIndex Index(int row, int column) const {
        return controls.sgTable->model()->index(row, column);
    }

    void Select(int row, int column) {
        controls.sgTable->setFocus();
        controls.sgTable->scrollTo(Index(row, column));
        controls.sgTable->setCurrentIndex(Index(row, column));
    }

    void TypeExtra(int row, const QString& text) {
        Select(row, loan::kColExtra);
        Type(text);
    }

    QString Extra(int row) const {
        return QString::fromStdString(window.Grid().Cell(row, loan::kColExtra));
    }

    // A right click on a cell: the button press, then the platform's request for the menu.
    QMenu& RightClick(int row, int column) {
        QWidget* const cells = controls.sgTable->viewport();
        controls.sgTable->scrollTo(Index(row, column));
        const QPoint at = controls.sgTable->visualRect(Index(row, column)).center();
        QTest::mousePress(cells, Qt::RightButton, {}, at);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, cells->mapToGlobal(at));
        QApplication::sendEvent(cells, &click);
        return *Find<QMenu>(window, "PopupMenu1");
    }

    void Choose(QMenu& menu, const char* item) {
        QAction* const action = Find<QAction>(window, item);
        QVERIFY(menu.isVisible());
        QVERIFY(action->isEnabled());
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
        QVERIFY(!menu.isVisible());
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
        QTest::newRow("date of the last row") << 12 << int(loan::kColDate) << false << false;
    }
    void menuOffersTheColumnItemsOnlyOnAnExtraPayment() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, extra);
        QFETCH(bool, repeat);
        Window w;
        TypeLoan(w.window, "1200", "0", "1");
        QVERIFY(w.window.Button1Click());
        w.Select(3, loan::kColRemaining);
        QMenu& menu = w.RightClick(row, column);
        QVERIFY(menu.isVisible());
        // The cell clicked is the selected one, so typing there follows the click.
        QCOMPARE(w.controls.sgTable->currentIndex(), w.Index(row, column));
        QCOMPARE(w.controls.sgTable->Editing(), extra);
        QVERIFY(Find<QAction>(w.window, "Copy1")->isEnabled());
        QVERIFY(Find<QAction>(w.window, "CopySchedule1")->isEnabled());
        QCOMPARE(Find<QAction>(w.window, "Paste1")->isEnabled(), extra);
        QCOMPARE(Find<QAction>(w.window, "ClearExtraPayments1")->isEnabled(), extra);
        QCOMPARE(Find<QAction>(w.window, "RepeattotheLastPayment1")->isEnabled(), repeat);
        menu.hide();

        // From the keyboard the menu is the selected cell's, by the menu key or Shift+F10.
        w.Select(row, column);
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(w.controls.sgTable, &menuKey);
        QVERIFY(menu.isVisible());
        QCOMPARE(Find<QAction>(w.window, "Paste1")->isEnabled(), extra);
        menu.hide();
        QTest::keyClick(w.controls.sgTable, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(menu.isVisible());
        QCOMPARE(Find<QAction>(w.window, "RepeattotheLastPayment1")->isEnabled(), repeat);
        menu.hide();
    }

    // Repeated from an open cell editor: the typed text is taken first, and the focus stays in
    // the grid. The calculation then matches the same amount typed into every row.
    void repeatThenCalculateIsTypingEveryRow() {
        Window typed;
        TypeLoan(typed.window, "100000", "6", "30");
        QVERIFY(typed.window.Button1Click());
        for (int row = 3; row <= 360; ++row) {
            typed.TypeExtra(row, "250");
        }
        QVERIFY(typed.window.Button1Click());

        Window w;
        TypeLoan(w.window, "100000", "6", "30");
        QVERIFY(w.window.Button1Click());
        w.TypeExtra(3, "250");
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
        w.Choose(*Find<QMenu>(w.window, "PopupMenu1"), "RepeattotheLastPayment1");
        QCOMPARE(QApplication::focusWidget(), w.controls.sgTable);
        QCOMPARE(w.Extra(2), QStringLiteral("0.00"));
        QCOMPARE(w.Extra(360), QStringLiteral("250"));
        QCOMPARE(w.controls.lbIntSaved->text(), QStringLiteral("$0.00"));  // not calculated
        QVERIFY(w.window.Button1Click());
        QVERIFY(w.window.Grid().RowCount() < 361);
        QVERIFY(WhatIsShown(w.window) == WhatIsShown(typed.window));
    }

    // Hidden rows too: an extra payment past the shortened schedule would come back with it. The
    // text in an open cell editor goes as well, and does not come back when the editor closes.
    void clearThenCalculateIsThePlainSchedule() {
        Window w;
        TypeLoan(w.window, "100000", "6", "30");
        QVERIFY(w.window.Button1Click());
        const Shown plain = WhatIsShown(w.window);
        w.TypeExtra(300, "700");
        w.TypeExtra(2, "50000");
        QVERIFY(w.window.Button1Click());
        QVERIFY(w.window.Grid().RowCount() < 300);

        w.Choose(w.RightClick(5, loan::kColExtra), "ClearExtraPayments1");
        QCOMPARE(w.Extra(2), QString());
        QCOMPARE(w.Extra(300), QString());
        w.TypeExtra(3, "900");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
        w.Choose(*Find<QMenu>(w.window, "PopupMenu1"), "ClearExtraPayments1");
        w.Select(4, loan::kColExtra);
        QCOMPARE(w.Extra(3), QString());
        QVERIFY(w.window.Button1Click());
        QVERIFY(WhatIsShown(w.window) == plain);
    }

    // 400 lines from a spreadsheet onto 360 rows: the tail waits in hidden rows for a longer
    // term, the text that is no number counts as 0, and the grid keeps its place.
    void pastedColumnAppliesItsTailWhenTheTermGrows() {
        Window typed;
        TypeLoan(typed.window, "100000", "6", "40");
        QVERIFY(typed.window.Button1Click());
        QString pasted;
        for (int row = 1; row <= 400; ++row) {
            const QString amount = row == 7 ? QStringLiteral("n/a") : QString::number(row % 9);
            typed.TypeExtra(row, amount);
            pasted += amount + QStringLiteral("\t$1.00\tnote\r\n");
        }
        QVERIFY(typed.window.Button1Click());

        Window w;
        TypeLoan(w.window, "100000", "6", "30");
        QVERIFY(w.window.Button1Click());
        w.Select(1, loan::kColExtra);
        w.controls.sgTable->scrollTo(w.Index(200, loan::kColExtra));
        const int scrolled = w.controls.sgTable->verticalScrollBar()->value();
        QApplication::clipboard()->setText(pasted);
        QSignalSpy changed(w.controls.sgTable->model(), &QAbstractItemModel::dataChanged);
        QTest::keyClick(w.controls.sgTable, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), w.Index(1, loan::kColExtra));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), w.Index(360, loan::kColExtra));
        QCOMPARE(w.controls.sgTable->currentIndex(), w.Index(1, loan::kColExtra));
        QCOMPARE(w.controls.sgTable->verticalScrollBar()->value(), scrolled);
        QCOMPARE(w.window.Grid().RowCount(), 361);
        QCOMPARE(w.Extra(7), QStringLiteral("n/a"));
        QCOMPARE(w.Extra(400), QStringLiteral("4"));
        QCOMPARE(w.Extra(401), QString());

        w.controls.edTerm->setText(QStringLiteral("40"));
        QVERIFY(w.window.Button1Click());
        QVERIFY(WhatIsShown(w.window) == WhatIsShown(typed.window));
    }

    // Ctrl+V on another column pastes nothing; in an open cell editor it is the editor's paste.
    void pasteWritesOnlyTheExtraPaymentColumn() {
        Window w;
        TypeLoan(w.window, "1200", "0", "12");
        QVERIFY(w.window.Button1Click());
        QApplication::clipboard()->setText(QStringLiteral("5\n6\n"));
        const Shown before = WhatIsShown(w.window);
        w.Select(2, loan::kColInterest);
        QTest::keyClick(w.controls.sgTable, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(WhatIsShown(w.window) == before);

        w.TypeExtra(2, "1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(w.Extra(2).startsWith(QStringLiteral("15")));
        QCOMPARE(w.Extra(3), QStringLiteral("0.00"));
    }

    void copyGivesTheSelectedCellsOrTheWholeSchedule() {
        Window w;
        TypeLoan(w.window, "100000", "6", "30");
        QVERIFY(w.window.Button1Click());
        w.Select(2, loan::kColPrincipal);
        w.controls.sgTable->selectionModel()->select(
            QItemSelection(w.Index(1, loan::kColInterest), w.Index(2, loan::kColPrincipal)),
            QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(w.controls.sgTable, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("$500.00\t$99.55\n$499.50\t$100.05\n"));

        w.Choose(w.RightClick(4, loan::kColDate), "CopySchedule1");
        const QStringList lines = QApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 362);  // the header, 360 rows, and the empty end
        QCOMPARE(lines.at(0), QStringLiteral("Pay. #\tDate\tInterest Pmt.\tPrincipal Pmt.\t"
                                             "Extra Pmt.\tRemaining"));
        QCOMPARE(lines.at(360).split('\t').mid(2),
                 QStringList({"$2.98", "$596.57", "0.00", "$0.00"}));

        // In an open cell editor Ctrl+C copies the editor's own selected text.
        w.TypeExtra(5, "123");
        auto* const editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        editor->setSelection(1, 2);
        QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("23"));
    }
};

}  // namespace ui

QTEST_MAIN(ui::GridCommandsTest)
#include "GridCommandsTest.moc"
