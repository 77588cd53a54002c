// The grid's own commands, run from its context menu and from Ctrl+C and Ctrl+V in the grid: copy
// the selected cells or the whole schedule to the clipboard, and paste, repeat or clear extra
// payments. The extra payments are written as if typed: nothing is calculated until Calculate.
#pragma once

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QModelIndex;
class QPoint;

namespace ui {

class Boxes;
class ScheduleTableModel;
class ScheduleTableView;

class GridCommands final : public QObject {
    Q_OBJECT

  public:
    // Failures are shown in the boxes' error box, as for the window's commands.
    GridCommands(ScheduleTableView& view, ScheduleTableModel& model, Boxes& boxes, QObject* parent);

  private:
    void ShowMenu(const QModelIndex& cell, const QPoint& where);
    void CopySelection();
    void CopySchedule();
    void Paste(int row);
    void Repeat(int row);
    void ClearAll();
    bool IsExtraPayment(const QModelIndex& cell) const;
    void Run(const std::function<void()>& command);

    ScheduleTableView& view_;
    ScheduleTableModel& model_;
    Boxes& boxes_;
    QMenu* PopupMenu1_ = nullptr;
    QAction* Copy1_ = nullptr;
    QAction* Paste1_ = nullptr;
    QAction* CopySchedule1_ = nullptr;
    QAction* RepeattotheLastPayment1_ = nullptr;
    QAction* ClearExtraPayments1_ = nullptr;
    // The payment row the menu was opened on.
    int menuRow_ = 0;
};

}  // namespace ui
