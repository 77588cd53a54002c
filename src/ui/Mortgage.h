// The main window: the loan's inputs on the left, the schedule grid, the totals at the bottom, the
// menu and the tool bar that run the commands. It holds all of the program's state in its controls.
#pragma once

#include <QMainWindow>
#include <functional>

#include "loan/LoanInputs.h"
#include "loan/ScheduleGrid.h"
#include "ui/FileDialogSettings.h"
#include "ui/PrintCommand.h"

class QAction;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPrinter;
class QSplitter;
class QToolButton;

namespace loan {
struct ScheduleTotals;
}

namespace ui {

class Boxes;
class DatePicker;
class Dialogs;
class RadioGroup;
class ScheduleTableModel;
class ScheduleTableView;
class TfrmAbout;

// How Calculate ended when it returned: with the schedule built (perhaps with a message about it
// too), or stopped after showing one of its input messages. A fault is raised instead.
enum class CalculateResult { Completed, Stopped };

class TfrmMortMain final : public QMainWindow {
    Q_OBJECT

  public:
    // The boxes and dialogs are the program's own ones, or a test's recorders.
    TfrmMortMain(Boxes& boxes, Dialogs& dialogs, QWidget* parent = nullptr);

    // The About box is made after the main window and lives as long.
    void SetAboutBox(TfrmAbout* aboutBox) { frmAbout = aboutBox; }

    // Commands, each run to its end; a failure it does not handle goes to the error box.
    bool Button1Click();  // Calculate; false when a fault ended it
    void New1Click();
    void Open1Click();
    void N1Click();  // Save
    void SaveAs1Click();
    void Print1Click();
    void About1Click();

    // Print's step after the dialog: one job on the printer chosen there; raises what fails.
    void btPrintClick(QPrinter& printer);

    // Calculate as a step of a command: shows its own input message and returns; raises faults.
    CalculateResult Calculate();

    // The loan as typed, read from the input controls.
    loan::LoanInputs ReadInputs() const;
    const loan::ScheduleGrid& Grid() const;
    // A change of the whole grid (New, Open), shown by the grid afterwards even on an exception.
    void ChangeGrid(const std::function<void(loan::ScheduleGrid&)>& change);

    void FormCreate();
    void FormActivate();
    void sgTableSelectCell(int column, int row);

    // Runs a command through the one wrapper that shows its unhandled failures.
    bool RunCommand(const std::function<void()>& command);

    Boxes& boxes() { return boxes_; }
    Dialogs& dialogs() { return dialogs_; }
    PrintCommand& printCommand() { return print_; }

    // Menu.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* N1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* N3 = nullptr;
    QAction* Print1 = nullptr;
    QAction* Calculate1 = nullptr;
    QAction* N2 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* About1 = nullptr;

    // Tool bar.
    QFrame* pnToolBar = nullptr;
    QToolButton* btNew = nullptr;
    QToolButton* btOpen = nullptr;
    QToolButton* btSave = nullptr;
    QToolButton* btSaveAs = nullptr;
    QToolButton* btPrint = nullptr;
    QToolButton* btCalculate = nullptr;

    // Inputs.
    QFrame* pnTerms = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* edPrincipal = nullptr;
    QLabel* Label3 = nullptr;
    DatePicker* edDate = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edRate = nullptr;
    QLabel* Term = nullptr;
    QLineEdit* edTerm = nullptr;
    RadioGroup* rgTerm = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cbSchedule = nullptr;

    QSplitter* Splitter1 = nullptr;
    ScheduleTableView* sgTable = nullptr;

    // Totals.
    QFrame* pnTotals = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lbPayment = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* lbTotalPayments = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* lbInterest = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lbIntSaved = nullptr;

    // The open and save dialogs' memories; sdMain's file name is the current document name.
    FileDialogSettings odMain;
    FileDialogSettings sdMain;

    TfrmAbout* frmAbout = nullptr;

  protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenu();
    void BuildToolBar();
    void BuildInputs();
    void BuildTotals();
    void BuildLayout();
    void SetTabOrder();
    void ShowTotals(const loan::ScheduleTotals& totals);
    bool IsMenuShortcut(const QKeyEvent& key) const;

    Boxes& boxes_;
    Dialogs& dialogs_;
    PrintCommand print_;
    ScheduleTableModel* model_ = nullptr;
    // The layout's client width, or more where the font needs it to show every grid column.
    int clientWidth_ = 0;
    // True until the window is first activated, and while the focus is in another of the
    // program's own windows.
    bool activationFromOwnWindow_ = true;
};

}  // namespace ui
