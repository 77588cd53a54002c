// The window as a screen reader reads it through Qt's accessibility interfaces: the grid as a
// table of payment rows under their headers, the date picker, the totals with their captions and
// the tool buttons.
#include <QAccessible>
#include <QCalendarWidget>
#include <QKeySequence>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <utility>

#include "Recorders.h"
#include "WindowState.h"
#include "ui/AccessibleScheduleTable.h"
#include "ui/Mortgage.h"
#include "ui/StartUp.h"

namespace ui {

using testing::Controls;
using testing::Find;
using testing::RecordingBoxes;
using testing::RecordingDialogs;
using testing::TypeLoan;

namespace {

QAccessibleInterface* Accessible(QObject* object) {
    QAccessibleInterface* const accessible = QAccessible::queryAccessibleInterface(object);
    if (accessible == nullptr) {
        qFatal("%s has no accessible interface", qPrintable(object->objectName()));
    }
    return accessible;
}

QString Name(QAccessibleInterface* accessible) {
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QStringLiteral("(none)");
}

QString AllText(QAccessibleInterface* accessible) {
    QAccessibleTextInterface* const text = accessible->textInterface();
    return text != nullptr ? text->text(0, text->characterCount()) : QStringLiteral("(no text)");
}

}  // namespace

class AccessibleInterfacesTest : public QObject {
    Q_OBJECT

  private:
    RecordingBoxes boxes_;
    RecordingDialogs dialogs_;
    std::unique_ptr<TfrmMortMain> window_;
    Controls controls_;

    void Calculate(const QString& term) {
        TypeLoan(*window_, QStringLiteral("100000"), QStringLiteral("6"), term);
        QVERIFY(window_->Button1Click());
    }

  private slots:
    void initTestCase() { PrepareApplication(); }

    void init() {
        boxes_.Clear();
        window_ = std::make_unique<TfrmMortMain>(boxes_, dialogs_);
        controls_ = Controls(*window_);
        window_->show();
        QApplication::setActiveWindow(window_.get());
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() { window_.reset(); }

    // Model row r, column c is the table's row r - 1, column c - 1; the captions and the payment
    // numbers are only headers. A new schedule renumbers the table.
    void gridIsATableOfPaymentRows() {
        QAccessibleInterface* const grid = Accessible(controls_.sgTable);
        QAccessibleTableInterface* const table = grid->tableInterface();
        QVERIFY(table != nullptr);
        const std::pair<QString, int> schedules[] = {{"30", 360}, {"15", 180}};
        for (const auto& [term, rows] : schedules) {
            Calculate(term);
            QCOMPARE(table->rowCount(), rows);
            QCOMPARE(table->columnCount(), 5);
            QCOMPARE(grid->childCount(), 5 + rows * 6);
            QVERIFY(table->cellAt(rows, 0) == nullptr);
            const QStringList headers{"Date", "Interest Pmt.", "Principal Pmt.", "Extra Pmt.",
                                      "Remaining"};
            for (int column = 0; column < 5; ++column) {
                const auto heads =
                    table->cellAt(0, column)->tableCellInterface()->columnHeaderCells();
                QCOMPARE(heads.size(), 1);
                QCOMPARE(heads.front()->role(), QAccessible::ColumnHeader);
                QCOMPARE(Name(heads.front()), headers.at(column));
            }
            for (const int row : {0, 1, rows - 1}) {
                const auto heads = table->cellAt(row, 2)->tableCellInterface()->rowHeaderCells();
                QCOMPARE(Name(heads.value(0)), QString::number(row + 1));
                QCOMPARE(heads.value(0)->text(QAccessible::Description), QStringLiteral("Pay. #"));
                for (int column = 0; column < 5; ++column) {
                    QAccessibleInterface* const cell = table->cellAt(row, column);
                    QCOMPARE(Name(cell),
                             QString::fromStdString(window_->Grid().Cell(row + 1, column + 1)));
                    QCOMPARE(grid->child(grid->indexOfChild(cell)), cell);
                    QCOMPARE(cell->tableCellInterface()->rowIndex(), row);
                    QCOMPARE(cell->tableCellInterface()->columnIndex(), column);
                }
            }
        }
        Calculate(QStringLiteral("30"));
        QCOMPARE(Name(table->cellAt(0, 4)), QStringLiteral("$99900.45"));
    }

    // The keys and a screen reader move the same current cell, which is the table's focused child
    // and the child the grid announces.
    void currentCellIsTheFocusedChild() {
        Calculate(QStringLiteral("30"));
        QAccessibleInterface* const grid = Accessible(controls_.sgTable);
        controls_.sgTable->setFocus();
        QTest::keyClick(controls_.sgTable, Qt::Key_Down);
        const QModelIndex current = controls_.sgTable->currentIndex();
        QAccessibleInterface* const focused = grid->focusChild();
        QVERIFY(focused != nullptr && focused->state().focused);
        QCOMPARE(focused->tableCellInterface()->rowIndex(), current.row() - 1);
        QCOMPARE(grid->indexOfChild(focused), AccessibleScheduleTable::ChildIndexOf(current));

        QAccessibleInterface* const extra = grid->tableInterface()->cellAt(5, 3);
        QVERIFY(extra->state().editable && !focused->state().editable);
        extra->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
        QCOMPARE(controls_.sgTable->currentIndex(), controls_.sgTable->model()->index(6, 4));
        QVERIFY(controls_.sgTable->Editing());
        QVERIFY(extra->state().focused && !focused->state().focused);
        QTest::keyClick(controls_.sgTable, Qt::Key_5);
        QCOMPARE(QApplication::focusWidget()->accessibleName(), QStringLiteral("Extra Pmt."));
    }

    // Its value is the date as shown, the selected part the text's selection; its actions are its
    // keys.
    void datePickerReadsAsShown() {
        DatePicker& picker = *controls_.edDate;
        picker.SetDisplayFormat(DateDisplayFormat::FromPattern(QStringLiteral("M/d/yyyy")));
        picker.SetDateTime(static_cast<double>(text::DayNumber(2024, 2, 1)));
        picker.setFocus();
        QAccessibleInterface* const accessible = Accessible(&picker);
        QCOMPARE(accessible->role(), QAccessible::SpinBox);
        QCOMPARE(Name(accessible), QStringLiteral("Start Date"));
        QCOMPARE(accessible->text(QAccessible::Value), QStringLiteral("2/1/2024"));
        QCOMPARE(AllText(accessible), QStringLiteral("2/1/2024"));

        QTest::keyClick(&picker, Qt::Key_Right);
        int start = 0;
        int end = 0;
        accessible->textInterface()->selection(0, &start, &end);
        QCOMPARE(AllText(accessible).mid(start, end - start), QStringLiteral("1"));
        accessible->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
        QCOMPARE(accessible->text(QAccessible::Value), QStringLiteral("2/2/2024"));

        QCOMPARE(accessible->childCount(), 1);
        QCOMPARE(accessible->child(0)->role(), QAccessible::PushButton);
        QCOMPARE(Name(accessible->child(0)), QStringLiteral("Calendar"));
        accessible->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QVERIFY(picker.Calendar()->isVisible());
    }

    void totalsReadWithTheirCaptions_data() {
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("caption");
        QTest::newRow("payment") << "lbPayment"
                                 << "Payment:";
        QTest::newRow("total payments") << "lbTotalPayments"
                                        << "Total Payments:";
        QTest::newRow("total interest") << "lbInterest"
                                        << "Total Interest:";
        QTest::newRow("interest saved") << "lbIntSaved"
                                        << "Interest Saved:";
    }
    void totalsReadWithTheirCaptions() {
        QFETCH(QString, total);
        QFETCH(QString, caption);
        Calculate(QStringLiteral("30"));
        auto* const label = Find<QLabel>(*window_, total);
        QAccessibleInterface* const accessible = Accessible(label);
        QCOMPARE(Name(accessible), caption);
        QCOMPARE(AllText(accessible), label->text());
        QCOMPARE(accessible->text(QAccessible::Value), label->text());
        const auto labelledBy = accessible->relations(QAccessible::Label);
        QCOMPARE(labelledBy.size(), 1);
        QCOMPARE(labelledBy.front().first->text(QAccessible::Name), caption);
    }

    // Pressed through a screen reader, a command answers first and then runs: its box must not
    // keep the screen reader waiting.
    void toolButtonRunsItsCommandAfterThePress() {
        QAccessibleInterface* const calculate =
            Accessible(Find<QToolButton>(*window_, "btCalculate"));
        QCOMPARE(calculate->role(), QAccessible::PushButton);
        QCOMPARE(Name(calculate), QStringLiteral("Calculate"));
        calculate->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(boxes_.infos.isEmpty());
        QTRY_COMPARE(boxes_.infos, QStringList{QStringLiteral("Principal is invalid")});

        QAccessibleInterface* const open = Accessible(Find<QToolButton>(*window_, "btOpen"));
        QCOMPARE(
            open->actionInterface()->keyBindingsForAction(
                QAccessibleActionInterface::pressAction()),
            QStringList{QKeySequence(Qt::CTRL | Qt::Key_O).toString(QKeySequence::NativeText)});
    }
};

}  // namespace ui

QTEST_MAIN(ui::AccessibleInterfacesTest)
#include "AccessibleInterfacesTest.moc"
