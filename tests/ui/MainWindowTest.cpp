// The main window driven as the person drives it: by keys, clicks and its commands.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "Recorders.h"
#include "WindowState.h"
#include "loan/ScheduleGrid.h"
#include "text/DateText.h"
#include "text/LocaleFormats.h"
#include "ui/DatePicker.h"
#include "ui/Mortgage.h"
#include "ui/RadioGroup.h"
#include "ui/ScheduleTableView.h"
#include "ui/StartUp.h"
#include "ui/SystemLocale.h"

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

QString Cell(const TfrmMortMain& window, int row, int column) {
    return QString::fromStdString(window.Grid().Cell(row, column));
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    RecordingBoxes boxes_;
    RecordingDialogs dialogs_;
    std::unique_ptr<TfrmMortMain> window_;
    Controls controls_;

    TfrmMortMain& ShowWindow() {
        window_->show();
        window_->activateWindow();
        QApplication::setActiveWindow(window_.get());
        if (!QTest::qWaitForWindowActive(window_.get())) {
            qFatal("the main window never became active");
        }
        return *window_;
    }

    void SelectCell(int row, int column) {
        controls_.sgTable->setFocus();
        controls_.sgTable->setCurrentIndex(controls_.sgTable->model()->index(row, column));
    }

  private slots:
    void initTestCase() { PrepareApplication(); }

    void init() {
        boxes_.Clear();
        window_ = std::make_unique<TfrmMortMain>(boxes_, dialogs_);
        controls_ = Controls(*window_);
    }

    void cleanup() { window_.reset(); }

    void startState() {
        const TfrmMortMain& window = *window_;
        QCOMPARE(window.objectName(), QStringLiteral("frmMortMain"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Corvala Mortgage / Loan Calculator"));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Mortgage / Loan Calculator"));
        QVERIFY(controls_.edPrincipal->text().isEmpty());
        QVERIFY(controls_.edRate->text().isEmpty());
        QVERIFY(controls_.edTerm->text().isEmpty());
        QCOMPARE(controls_.rgTerm->ItemIndex(), 0);
        QCOMPARE(controls_.cbSchedule->currentIndex(), 3);
        QCOMPARE(controls_.cbSchedule->currentText(), QStringLiteral("Monthly"));
        QCOMPARE(controls_.edDate->DateTime(), text::Today());
        for (const QLabel* const total : {controls_.lbPayment, controls_.lbTotalPayments,
                                          controls_.lbInterest, controls_.lbIntSaved}) {
            QCOMPARE(total->text(), QStringLiteral("$0.00"));
        }
        QCOMPARE(window.Grid().RowCount(), 2);
        QCOMPARE(controls_.sgTable->model()->rowCount(), 2);
        const QAbstractItemModel& model = *controls_.sgTable->model();
        for (int column = 0; column < loan::ScheduleGrid::kColumnCount; ++column) {
            const QString header =
                QString::fromUtf8(loan::kScheduleHeaders[static_cast<std::size_t>(column)].data(),
                                  static_cast<qsizetype>(loan::kScheduleHeaders[column].size()));
            QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), header);
            QVERIFY(Cell(window, 1, column).isEmpty());
        }
        // The caption row and the payment-number column are the view's fixed headers.
        QVERIFY(controls_.sgTable->isRowHidden(0));
        QVERIFY(controls_.sgTable->isColumnHidden(loan::kColPayNumber));
        QVERIFY(!controls_.sgTable->Editing());
    }

    void controlsByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessibleName");
        QTest::newRow("principal") << "edPrincipal"
                                   << "Principal";
        QTest::newRow("rate") << "edRate"
                              << "Int. Rate";
        QTest::newRow("term") << "edTerm"
                              << "Term";
        QTest::newRow("start date") << "edDate"
                                    << "Start Date";
        QTest::newRow("frequency") << "cbSchedule"
                                   << "Frequency";
        QTest::newRow("term unit") << "rgTerm"
                                   << "Term in years or months";
        QTest::newRow("grid") << "sgTable"
                              << "Schedule";
    }
    void controlsByName() {
        QFETCH(QString, name);
        QFETCH(QString, accessibleName);
        const auto* const control = window_->findChild<QWidget*>(name);
        QVERIFY2(control != nullptr, qPrintable(name));
        QCOMPARE(control->accessibleName(), accessibleName);
    }

    void layoutAtTheDesignSize() {
        const TfrmMortMain& window = ShowWindow();
        QCOMPARE(Find<QWidget>(window, "pnToolBar")->height(), 33);
        QCOMPARE(Find<QWidget>(window, "pnTotals")->height(), 45);
        QCOMPARE(Find<QWidget>(window, "Panel1")->width(), 209);
        QVERIFY(Find<QWidget>(window, "pnTerms")->width() >= 105);
        QCOMPARE(Find<QSplitter>(window, "Splitter1")->handleWidth(), 3);
        QVERIFY(window.centralWidget()->width() >= 581);
        QCOMPARE(window.centralWidget()->height(), 383);
        QCOMPARE(controls_.sgTable->verticalHeader()->defaultSectionSize(), 24);
        QVERIFY(controls_.sgTable->horizontalHeader()->sectionSize(1) >= 72);
        QCOMPARE(controls_.sgTable->horizontalHeader()->sectionResizeMode(1), QHeaderView::Fixed);
        QVERIFY(!controls_.sgTable->horizontalHeader()->sectionsMovable());
        // Captions of the totals end at the same right edge, and no text is cut.
        QCOMPARE(Find<QWidget>(window, "Label4")->geometry().right(),
                 Find<QWidget>(window, "Label7")->geometry().right());
        QCOMPARE(Find<QWidget>(window, "Label6")->geometry().right(),
                 Find<QWidget>(window, "Label8")->geometry().right());
        for (const QLabel* const label : window.findChildren<QLabel*>()) {
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        }
        QVERIFY(controls_.edDate->width() >= controls_.edDate->sizeHint().width());
        QVERIFY(controls_.cbSchedule->width() >= controls_.cbSchedule->sizeHint().width());
    }

    void splitterKeepsThirtyPixels() {
        TfrmMortMain& window = ShowWindow();
        Find<QSplitter>(window, "Splitter1")->setSizes({0, window.width()});
        QCOMPARE(Find<QWidget>(window, "pnTerms")->width(), 30);
    }

    void toolButtons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("traces");  // in the recorders, each time the command runs
        QTest::newRow("new") << "btNew"
                             << "New" << 8 << "New1" << 0;
        QTest::newRow("open") << "btOpen"
                              << "Open" << 33 << "Open1" << 1;
        QTest::newRow("save") << "btSave"
                              << "Save" << 58 << "N1" << 1;
        QTest::newRow("save as") << "btSaveAs"
                                 << "Save As" << 83 << "SaveAs1" << 1;
        QTest::newRow("print") << "btPrint"
                               << "Print" << 108 << "Print1" << 1;
        QTest::newRow("calculate") << "btCalculate"
                                   << "Calculate" << 133 << "Calculate1" << 1;
    }
    // A tool button runs its menu item's action, so either runs the command once: an empty loan
    // calculated shows one message, Open and Save one dialog, Print one dialog or one error.
    void toolButtons() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(int, left);
        QFETCH(QString, action);
        QFETCH(int, traces);
        auto* const button = Find<QWidget>(*window_, "pnToolBar")->findChild<QToolButton*>(name);
        QVERIFY(button != nullptr);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->geometry(), QRect(left, 5, 25, 25));
        QVERIFY(button->autoRaise());
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        const QPixmap picture = button->icon().pixmap(16, 16);
        QCOMPARE(picture.size(), QSize(16, 16));
        QVERIFY(!picture.toImage().allGray() || name == QStringLiteral("btNew"));

        QCOMPARE(button->defaultAction(), Find<QAction>(*window_, action));
        const auto recorded = [this] {
            return boxes_.infos.size() + boxes_.errors.size() + dialogs_.opens + dialogs_.saves +
                   dialogs_.prints;
        };
        const qsizetype before = recorded();
        button->click();
        QCOMPARE(recorded(), before + traces);
        Find<QAction>(*window_, action)->trigger();
        QCOMPARE(recorded(), before + 2 * traces);
    }

    // The picture stays with the button when its action changes, here disabled.
    void calculatorHasAGreyedPicture() {
        Find<QAction>(*window_, "Calculate1")->setEnabled(false);
        const QToolButton* const button = Find<QToolButton>(*window_, "btCalculate");
        QVERIFY(!button->isEnabled());
        const QIcon icon = button->icon();
        const QImage normal = icon.pixmap(16, 16, QIcon::Normal).toImage();
        const QImage disabled = icon.pixmap(16, 16, QIcon::Disabled).toImage();
        QVERIFY(!normal.allGray());
        QVERIFY(disabled.allGray());
    }

    void menu_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("new") << "New1"
                             << "&New" << QKeySequence();
        QTest::newRow("open") << "Open1"
                              << "&Open" << QKeySequence(QStringLiteral("Ctrl+O"));
        QTest::newRow("save") << "N1"
                              << "&Save" << QKeySequence(QStringLiteral("Ctrl+S"));
        QTest::newRow("save as") << "SaveAs1"
                                 << "Save &As" << QKeySequence(QStringLiteral("Ctrl+A"));
        QTest::newRow("print") << "Print1"
                               << "&Print" << QKeySequence(QStringLiteral("Ctrl+P"));
        QTest::newRow("calculate") << "Calculate1"
                                   << "&Calculate" << QKeySequence();
        QTest::newRow("exit") << "Exit1"
                              << "E&xit" << QKeySequence();
        QTest::newRow("about") << "About1"
                               << "&About" << QKeySequence();
    }
    void menu() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        const auto* const action = window_->findChild<QAction*>(name);
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
        QVERIFY(action->isEnabled());
    }

    void menuOrder() {
        QStringList names;
        for (const QAction* const action : Find<QMenu>(*window_, "File1")->actions()) {
            names.append(action->objectName());
        }
        QCOMPARE(names, QStringList({"New1", "Open1", "N1", "SaveAs1", "N3", "Print1", "Calculate1",
                                     "N2", "Exit1"}));
        QCOMPARE(Find<QMenuBar>(*window_, "MainMenu1")->actions().last(),
                 Find<QAction>(*window_, "About1"));
        QVERIFY(Find<QAction>(*window_, "About1")->menu() == nullptr);
    }

    void tabOrder_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("unitItem");
        QTest::newRow("years chosen") << 0 << "Years";
        QTest::newRow("months chosen") << 1 << "Months";
    }
    void tabOrder() {
        QFETCH(int, unit);
        QFETCH(QString, unitItem);
        ShowWindow();
        controls_.rgTerm->SetItemIndex(unit);
        controls_.edPrincipal->setFocus();
        QStringList visited;
        for (int step = 0; step < 8; ++step) {
            QWidget* const focus = QApplication::focusWidget();
            QVERIFY(focus != nullptr);
            const auto* const item = qobject_cast<QAbstractButton*>(focus);
            visited.append(item != nullptr ? item->text() : focus->objectName());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(visited, QStringList({"edPrincipal", "edRate", "edTerm", unitItem, "cbSchedule",
                                       "edDate", "sgTable", "edPrincipal"}));
    }

    void arrowKeysMoveWithinTheTermUnit() {
        ShowWindow();
        controls_.rgTerm->Items().at(0)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(controls_.rgTerm->ItemIndex(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(controls_.rgTerm->ItemIndex(), 0);
    }

    void typingOnlyInTheExtraPaymentColumn_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("takesTyping");
        QTest::newRow("date") << 1 << false;
        QTest::newRow("interest") << 2 << false;
        QTest::newRow("principal") << 3 << false;
        QTest::newRow("extra payment") << 4 << true;
        QTest::newRow("remaining") << 5 << false;
    }
    void typingOnlyInTheExtraPaymentColumn() {
        QFETCH(int, column);
        QFETCH(bool, takesTyping);
        TfrmMortMain& window = ShowWindow();
        SelectCell(1, column);
        QCOMPARE(controls_.sgTable->Editing(), takesTyping);
        Type(QStringLiteral("250"));
        QCOMPARE(Cell(window, 1, column), takesTyping ? QStringLiteral("250") : QString());
    }

    void editingFollowsTheSelectedCellByKeyboard() {
        ShowWindow();
        SelectCell(1, 3);
        QVERIFY(!controls_.sgTable->Editing());
        QTest::keyClick(controls_.sgTable, Qt::Key_Right);
        QCOMPARE(controls_.sgTable->currentIndex().column(), 4);
        QVERIFY(controls_.sgTable->Editing());
        QTest::keyClick(controls_.sgTable, Qt::Key_Right);
        QVERIFY(!controls_.sgTable->Editing());
    }

    void fixedRowAndColumnTakeNoSelection() {
        const QAbstractItemModel& model = *controls_.sgTable->model();
        QVERIFY(!(model.flags(model.index(0, 4)) & Qt::ItemIsSelectable));
        QVERIFY(!(model.flags(model.index(1, 0)) & Qt::ItemIsSelectable));
        QVERIFY(!(model.flags(model.index(1, 0)) & Qt::ItemIsEditable));
        QVERIFY(!(model.flags(model.index(1, 2)) & Qt::ItemIsEditable));
        QVERIFY(model.flags(model.index(1, 4)) & Qt::ItemIsEditable);
    }

    void thirtyYearMonthlyLoan() {
        TfrmMortMain& window = ShowWindow();
        TypeLoan(*window_, "100000", "6", "30");
        QTest::mouseClick(Find<QToolButton>(window, "btCalculate"), Qt::LeftButton);
        QVERIFY(boxes_.infos.isEmpty());
        QVERIFY(boxes_.errors.isEmpty());
        QCOMPARE(controls_.lbPayment->text(), QStringLiteral("$599.55"));
        QCOMPARE(controls_.lbTotalPayments->text(), QStringLiteral("$215838.19"));
        QCOMPARE(controls_.lbInterest->text(), QStringLiteral("$115838.19"));
        QCOMPARE(controls_.lbIntSaved->text(), QStringLiteral("$0.00"));
        QCOMPARE(window.Grid().RowCount(), 361);
        const QAbstractItemModel& model = *controls_.sgTable->model();
        QCOMPARE(model.rowCount(), 361);
        QCOMPARE(model.data(model.index(1, 2)).toString(), QStringLiteral("$500.00"));
        QCOMPARE(model.data(model.index(1, 3)).toString(), QStringLiteral("$99.55"));
        QCOMPARE(model.data(model.index(1, 4)).toString(), QStringLiteral("0.00"));
        QCOMPARE(model.data(model.index(1, 5)).toString(), QStringLiteral("$99900.45"));
        QCOMPARE(model.data(model.index(360, 5)).toString(), QStringLiteral("$0.00"));
        QCOMPARE(model.headerData(360, Qt::Vertical).toString(), QStringLiteral("360"));
        // The value labels size themselves to their new text.
        QVERIFY(controls_.lbTotalPayments->width() >=
                controls_.lbTotalPayments->sizeHint().width());
        QVERIFY(controls_.sgTable->isRowHidden(0));
    }

    void calculateFromTheMenu() {
        TypeLoan(*window_, "1200", "0", "12");
        controls_.rgTerm->SetItemIndex(1);
        Find<QAction>(*window_, "Calculate1")->trigger();
        QCOMPARE(window_->Grid().RowCount(), 13);
        QCOMPARE(controls_.lbPayment->text(), QStringLiteral("$100.00"));
    }

    // The person types into the cell and presses the tool button, which takes no focus: the
    // cell editor is still open, and Calculate must see what it holds.
    void extraPaymentTypedThenCalculated() {
        TfrmMortMain& window = ShowWindow();
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window.Button1Click());
        SelectCell(1, loan::kColExtra);
        Type(QStringLiteral("1000"));
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
        QTest::mouseClick(Find<QToolButton>(window, "btCalculate"), Qt::LeftButton);
        QVERIFY(boxes_.errors.isEmpty());
        QCOMPARE(window.Grid().RowCount(), 352);
        QCOMPARE(Cell(window, 1, 4), QStringLiteral("1000.00"));
        QCOMPARE(Cell(window, 1, 5), QStringLiteral("$98900.45"));
        QCOMPARE(Cell(window, 351, 5), QStringLiteral("$0.00"));
        QCOMPARE(controls_.lbTotalPayments->text(), QStringLiteral("$210975.50"));
        QCOMPARE(controls_.lbInterest->text(), QStringLiteral("$110976.16"));
        QCOMPARE(controls_.lbIntSaved->text(), QStringLiteral("$4862.69"));
        // The selected cell stays where the person left it.
        QCOMPARE(controls_.sgTable->currentIndex().row(), 1);
        QCOMPARE(controls_.sgTable->currentIndex().column(), 4);
    }

    void recalculationKeepsTheRowsInView() {
        TfrmMortMain& window = ShowWindow();
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window.Button1Click());
        SelectCell(2, loan::kColExtra);
        controls_.sgTable->scrollTo(controls_.sgTable->model()->index(300, loan::kColExtra),
                                    QAbstractItemView::PositionAtTop);
        const int scrolled = controls_.sgTable->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        QVERIFY(window.Button1Click());
        QCOMPARE(controls_.sgTable->verticalScrollBar()->value(), scrolled);
        QCOMPARE(controls_.sgTable->currentIndex().row(), 2);
    }

    void inputMessages_data() {
        QTest::addColumn<QString>("principal");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("term");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty principal") << ""
                                         << "6"
                                         << "30"
                                         << "Principal is invalid";
        QTest::newRow("grouped principal") << "100,000"
                                           << "6"
                                           << "30"
                                           << "Principal is invalid";
        QTest::newRow("principal before rate") << "x"
                                               << "y"
                                               << "30"
                                               << "Principal is invalid";
        QTest::newRow("percent sign") << "100000"
                                      << "6%"
                                      << "30"
                                      << "Rate is invalid";
        QTest::newRow("fractional term") << "100000"
                                         << "6"
                                         << "30.5"
                                         << "Term is invalid";
        QTest::newRow("blank after term") << "100000"
                                          << "6"
                                          << "30 "
                                          << "Term is invalid";
    }
    void inputMessages() {
        QFETCH(QString, principal);
        QFETCH(QString, rate);
        QFETCH(QString, term);
        QFETCH(QString, message);
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        const Shown before = WhatIsShown(*window_);
        TypeLoan(*window_, principal, rate, term);
        QVERIFY(window_->Button1Click());
        QCOMPARE(boxes_.infos, QStringList{message});
        QVERIFY(boxes_.errors.isEmpty());
        QVERIFY(WhatIsShown(*window_) == before);
    }

    void zeroTermEndsInTheErrorBox() {
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        const Shown before = WhatIsShown(*window_);
        TypeLoan(*window_, "100000", "6", "0");
        QVERIFY(!window_->Button1Click());
        QCOMPARE(boxes_.errors, QStringList{"Floating point division by zero."});
        QCOMPARE(boxes_.errorTitles, QStringList{"Mortgage / Loan Calculator"});
        QVERIFY(boxes_.infos.isEmpty());
        QVERIFY(WhatIsShown(*window_) == before);
    }

    // A fault while the rows are being built leaves the rows written so far, and the grid shows
    // them; the labels keep what they held.
    void faultPartWayShowsTheRowsWritten() {
        TypeLoan(*window_, "100000", "1000", "-1");
        const QStringList totalsBefore = WhatIsShown(*window_).totals;
        QVERIFY(!window_->Button1Click());
        QCOMPARE(boxes_.errors, QStringList{"Floating point overflow."});
        const int rows = window_->Grid().RowCount();
        QVERIFY(rows > 2);
        QCOMPARE(controls_.sgTable->model()->rowCount(), rows);
        QCOMPARE(controls_.sgTable->model()->data(controls_.sgTable->model()->index(rows - 1, 0)),
                 QVariant(QString::fromStdString(window_->Grid().Cell(rows - 1, 0))));
        QCOMPARE(WhatIsShown(*window_).totals, totalsBefore);
    }

    void menuShortcutsWinWhereverTheFocusIs_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("action");
        QTest::newRow("Ctrl+A in the principal") << "edPrincipal" << int(Qt::Key_A) << "SaveAs1";
        QTest::newRow("Ctrl+A in the term") << "edTerm" << int(Qt::Key_A) << "SaveAs1";
        QTest::newRow("Ctrl+A in the grid") << "sgTable" << int(Qt::Key_A) << "SaveAs1";
        QTest::newRow("Ctrl+A in a cell editor") << "sgTableEditor" << int(Qt::Key_A) << "SaveAs1";
        QTest::newRow("Ctrl+A in the start date") << "edDate" << int(Qt::Key_A) << "SaveAs1";
        QTest::newRow("Ctrl+O in the rate") << "edRate" << int(Qt::Key_O) << "Open1";
        QTest::newRow("Ctrl+S in a cell editor") << "sgTableEditor" << int(Qt::Key_S) << "N1";
        QTest::newRow("Ctrl+P in the frequency") << "cbSchedule" << int(Qt::Key_P) << "Print1";
    }
    void menuShortcutsWinWhereverTheFocusIs() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, action);
        TfrmMortMain& window = ShowWindow();
        controls_.edPrincipal->setText(QStringLiteral("100000"));
        controls_.edPrincipal->deselect();
        if (focus == QStringLiteral("sgTableEditor")) {
            SelectCell(1, loan::kColExtra);
            Type(QStringLiteral("5"));
        } else {
            window.findChild<QWidget*>(focus)->setFocus();
        }
        QWidget* const focused = QApplication::focusWidget();
        QCOMPARE(focused->objectName(), focus);
        QSignalSpy triggered(window.findChild<QAction*>(action), &QAction::triggered);
        QTest::keyClick(focused, static_cast<Qt::Key>(key), Qt::ControlModifier);
        QCOMPARE(triggered.count(), 1);
        QVERIFY(controls_.edPrincipal->selectedText().isEmpty());
    }

    // The window made so short that the frequency box is cut off grows back when the focus
    // returns from another of the program's windows, and only then.
    void growthRuleOnActivation() {
        TfrmMortMain& window = ShowWindow();
        window.resize(window.width(), 200);
        QTRY_VERIFY(Find<QWidget>(window, "pnTerms")->height() <
                    controls_.cbSchedule->geometry().bottom());
        const int shortHeight = window.height();
        const int frequencyBottom = controls_.cbSchedule->y() + controls_.cbSchedule->height();
        const int cutBy = frequencyBottom - Find<QWidget>(window, "pnTerms")->height();

        QDialog other(&window);
        for (int visit = 0; visit < 2; ++visit) {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            other.hide();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QTRY_COMPARE(window.height(), shortHeight + cutBy + 25);
            QTRY_COMPARE(Find<QWidget>(window, "pnTerms")->height(), frequencyBottom + 25);
        }
    }

    void tallWindowIsLeftAlone() {
        TfrmMortMain& window = ShowWindow();
        const QSize size = window.size();
        window.FormActivate();
        QCOMPARE(window.size(), size);
    }

    // The marks follow the system's locale, whichever it is; the month names stay as they were.
    void localeChangeRereadsTheMarks() {
        const text::LocaleFormats system = LocaleFormatsFrom(QLocale::system());
        text::LocaleFormats odd;
        odd.decimalMark = '#';
        odd.thousandsMark = '#';
        odd.monthAbbrevs[0] = "Jx";
        const text::ScopedLocaleFormats scoped(odd);
        QEvent change(QEvent::LocaleChange);
        QApplication::sendEvent(window_.get(), &change);
        QCOMPARE(text::CurrentLocaleFormats().decimalMark, system.decimalMark);
        QCOMPARE(text::CurrentLocaleFormats().thousandsMark, system.thousandsMark);
        QCOMPARE(text::CurrentLocaleFormats().monthAbbrevs[0], std::string("Jx"));
    }

    void exitClosesTheWindow() {
        TfrmMortMain& window = ShowWindow();
        Find<QAction>(window, "Exit1")->trigger();
        QVERIFY(!window.isVisible());
    }
};

}  // namespace ui

QTEST_MAIN(ui::MainWindowTest)
#include "MainWindowTest.moc"
