// The grid's model adapts the one ScheduleGrid: checked by Qt's model tester while the grid
// changes, and for what the person may and may not edit.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

#include "loan/ScheduleGrid.h"
#include "ui/ScheduleTableModel.h"

namespace ui {

class ScheduleTableModelTest : public QObject {
    Q_OBJECT

  private slots:
    void passesTheModelTesterThroughChanges() {
        ScheduleTableModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.ChangeGrid([](loan::ScheduleGrid& grid) {
            grid.SetRowCount(400);
            for (int row = 1; row < 400; ++row) {
                grid.SetCell(row, loan::kColPayNumber, std::to_string(row));
            }
        });
        QCOMPARE(model.rowCount(), 400);
        model.ChangeGrid([](loan::ScheduleGrid& grid) { grid.SetRowCount(3); });
        QCOMPARE(model.rowCount(), 3);
        QVERIFY(model.setData(model.index(2, loan::kColExtra), QStringLiteral("12.5")));
        // A column written into hidden rows as well: only the shown ones are announced.
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.ChangeColumn(loan::kColExtra, 1, [](loan::ScheduleGrid& grid) {
            grid.SetCell(9, loan::kColExtra, "5");
            return 9;
        });
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(2, loan::kColExtra));
        model.ChangeGrid([](loan::ScheduleGrid& grid) { grid.ClearPaymentRows(); });
        QCOMPARE(model.rowCount(), 2);
    }

    void cellsAreTheGridsCells() {
        ScheduleTableModel model;
        model.ChangeGrid([](loan::ScheduleGrid& grid) {
            grid.SetRowCount(3);
            grid.SetCell(2, loan::kColDate, "Feb 01, 2024");
            grid.SetCell(2, loan::kColPayNumber, "2");
            grid.SetCell(5, loan::kColDate, "hidden");
        });
        QCOMPARE(model.data(model.index(2, loan::kColDate)).toString(),
                 QStringLiteral("Feb 01, 2024"));
        QCOMPARE(model.headerData(2, Qt::Vertical).toString(), QStringLiteral("2"));
        QCOMPARE(model.headerData(loan::kColExtra, Qt::Horizontal).toString(),
                 QStringLiteral("Extra Pmt."));
        // Rows beyond the row count are hidden, not shown.
        QVERIFY(!model.data(model.index(5, loan::kColDate)).isValid());
        QCOMPARE(model.Grid().Cell(5, loan::kColDate), std::string("hidden"));
    }

    void onlyExtraPaymentsAreEditable_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("editable");
        QTest::newRow("extra payment") << 1 << int(loan::kColExtra) << true;
        QTest::newRow("caption row") << 0 << int(loan::kColExtra) << false;
        QTest::newRow("payment number") << 1 << int(loan::kColPayNumber) << false;
        QTest::newRow("remaining") << 1 << int(loan::kColRemaining) << false;
        QTest::newRow("interest") << 1 << int(loan::kColInterest) << false;
    }
    void onlyExtraPaymentsAreEditable() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, editable);
        ScheduleTableModel model;
        const std::string before = model.Grid().Cell(row, column);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QCOMPARE(model.setData(model.index(row, column), QStringLiteral("250")), editable);
        QCOMPARE(model.Grid().Cell(row, column), editable ? std::string("250") : before);
        QCOMPARE(changed.count(), editable ? 1 : 0);
    }

    void failedChangeStillResetsTheViews() {
        ScheduleTableModel model;
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, model.ChangeGrid([](loan::ScheduleGrid& grid) {
            grid.SetRowCount(7);
            throw std::runtime_error("fault part way");
        }));
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 7);
    }
};

}  // namespace ui

QTEST_MAIN(ui::ScheduleTableModelTest)
#include "ScheduleTableModelTest.moc"
