// The main window: the loan's inputs on the left, the schedule grid, the totals at the bottom, the
// menu and the tool bar that run the commands. It holds all of the program's state in its controls
// and offers the commands the few operations they need; the controls themselves stay inside.
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>

#include "loan/LoanInputs.h"
#include "loan/ScheduleGrid.h"
#include "print/PrintoutTexts.h"
#include "ui/DocumentCommands.h"
#include "ui/PrintCommand.h"

class QDropEvent;
class QFrame;
class QKeyEvent;
class QMenu;
class QPrinter;

namespace ui {

class Boxes;
class Dialogs;
class InputPanel;
class TfrmBalanceChart;
class ScheduleTableModel;
class ScheduleTableView;
class TfrmAbout;
class TotalsPanel;

// How Calculate ended when it returned: with the schedule built (perhaps with a message about it
// too), or stopped after showing one of its input messages. A fault is raised instead.
enum class CalculateResult { Completed, Stopped };

class TfrmMortMain final : public QMainWindow {
    Q_OBJECT

  public:
    // The boxes and dialogs are the program's own ones, or a test's recorders.
    TfrmMortMain(Boxes& boxes, Dialogs& dialogs, QWidget* parent = nullptr);

    // The About box is made after the main window and lives as long.
    void SetAboutBox(TfrmAbout* aboutBox) { frmAbout_ = aboutBox; }

    // Commands, as the menu and the tool bar run them: each to its end, a failure it does not
    // handle shown in the error box.
    bool Button1Click();  // Calculate; false when a fault ended it
    void New1Click();
    void Open1Click();
    void N1Click();  // Save
    void SaveAs1Click();
    void Print1Click();
    void About1Click();
    // Shows the balance chart, made the first time it is asked for.
    void BalanceChart1Click();

    // The activation check: grows the window where the frequency box would be cut off.
    void FormActivate();

    // Calculate as a step of a command: shows its own input message and returns; raises faults.
    CalculateResult Calculate();

    // The loan as typed, and its inverse, which puts a loan into the input controls.
    loan::LoanInputs ReadInputs() const;
    void ShowInputs(const loan::LoanInputs& inputs);
    // The four totals back to "$0.00".
    void ClearTotals();
    const loan::ScheduleGrid& Grid() const;
    // A change of the whole grid (New, Open), shown by the grid afterwards even on an exception.
    void ChangeGrid(const std::function<void(loan::ScheduleGrid&)>& change);
    // What Print puts on paper, as the window shows it now.
    print::PrintoutTexts TextsToPrint() const;

    // The full path of the current loan file, empty while the loan has none.
    const QString& DocumentName() const { return documents_.DocumentName(); }
    PrintCommand& printCommand() { return print_; }

  protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QFrame* BuildCommands();
    void BuildLayout(QFrame& pnToolBar);
    void FormCreate();
    void sgTableSelectCell(int column, int row);
    // Print's step after the dialog: one job on the printer chosen there; raises what fails.
    void btPrintClick(QPrinter& printer);
    bool RunCommand(const std::function<void()>& command);
    bool IsMenuShortcut(const QKeyEvent& key) const;
    bool TakeFileDrag(QDropEvent& drag);
    void OpenDroppedFile(const QString& path);

    Boxes& boxes_;
    Dialogs& dialogs_;
    DocumentCommands documents_;
    PrintCommand print_;
    TfrmAbout* frmAbout_ = nullptr;
    TfrmBalanceChart* frmBalanceChart_ = nullptr;

    QMenu* File1_ = nullptr;
    InputPanel* pnTerms_ = nullptr;
    ScheduleTableModel* model_ = nullptr;
    ScheduleTableView* sgTable_ = nullptr;
    TotalsPanel* pnTotals_ = nullptr;
    // The layout's client width, or more where the font needs it to show every grid column.
    int clientWidth_ = 0;
    // True until the window is first activated, and while the focus is in another of the
    // program's own windows.
    bool activationFromOwnWindow_ = true;
};

}  // namespace ui
