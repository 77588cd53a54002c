#include "ui/GridCommands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <algorithm>
#include <climits>
#include <string>

#include "loan/ExtraPaymentColumn.h"
#include "loan/ScheduleClipboard.h"
#include "ui/RunCommand.h"
#include "ui/ScheduleTableModel.h"
#include "ui/ScheduleTableView.h"

namespace ui {

namespace {

void PutOnClipboard(const std::string& text) {
    if (!text.empty()) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    }
}

}  // namespace

GridCommands::GridCommands(ScheduleTableView& view, ScheduleTableModel& model, Boxes& boxes,
                           QObject* parent)
    : QObject(parent), view_(view), model_(model), boxes_(boxes) {
    PopupMenu1_ = new QMenu(&view);
    PopupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
    // A menu is a window of its own and would not take the grid's font by itself.
    PopupMenu1_->setFont(view.font());
    const auto item = [this](const char* name, const QString& caption) {
        QAction* const action = PopupMenu1_->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    Copy1_ = item("Copy1", QStringLiteral("&Copy"));
    Paste1_ = item("Paste1", QStringLiteral("&Paste"));
    CopySchedule1_ = item("CopySchedule1", QStringLiteral("Copy &Schedule"));
    PopupMenu1_->addSeparator();
    RepeattotheLastPayment1_ =
        item("RepeattotheLastPayment1", QStringLiteral("&Repeat to the Last Payment"));
    ClearExtraPayments1_ = item("ClearExtraPayments1", QStringLiteral("Clear &Extra Payments"));
    // Shown beside the items; the keys themselves are the grid's (ScheduleTableView).
    Copy1_->setShortcut(QKeySequence::Copy);
    Paste1_->setShortcut(QKeySequence::Paste);

    connect(Copy1_, &QAction::triggered, this, &GridCommands::CopySelection);
    connect(Paste1_, &QAction::triggered, this, [this] { Paste(menuRow_); });
    connect(CopySchedule1_, &QAction::triggered, this, &GridCommands::CopySchedule);
    connect(RepeattotheLastPayment1_, &QAction::triggered, this, [this] { Repeat(menuRow_); });
    connect(ClearExtraPayments1_, &QAction::triggered, this, &GridCommands::ClearAll);

    connect(&view, &ScheduleTableView::MenuRequested, this, &GridCommands::ShowMenu);
    connect(&view, &ScheduleTableView::CopyPressed, this, &GridCommands::CopySelection);
    connect(&view, &ScheduleTableView::PastePressed, this, [this] {
        if (IsExtraPayment(view_.currentIndex())) {
            Paste(view_.currentIndex().row());
        }
    });
}

bool GridCommands::IsExtraPayment(const QModelIndex& cell) const {
    return cell.isValid() && cell.row() >= 1 && cell.column() == loan::kColExtra;
}

// Every item is always there; those of the "Extra Pmt." column are greyed elsewhere.
void GridCommands::ShowMenu(const QModelIndex& cell, const QPoint& where) {
    const bool extra = IsExtraPayment(cell);
    menuRow_ = extra ? cell.row() : 0;
    Copy1_->setEnabled(view_.currentIndex().isValid());
    Paste1_->setEnabled(extra);
    RepeattotheLastPayment1_->setEnabled(extra && cell.row() < model_.rowCount() - 1);
    ClearExtraPayments1_->setEnabled(extra);
    PopupMenu1_->popup(where);
}

void GridCommands::Run(const std::function<void()>& command) {
    RunCommand(boxes_, command);
}

// The selected rectangle (one, as the grid selects), or the selected cell alone.
void GridCommands::CopySelection() {
    Run([this] {
        view_.FinishEditing();
        loan::CellRange range{INT_MAX, INT_MIN, INT_MAX, INT_MIN};
        QItemSelection selection = view_.selectionModel()->selection();
        if (selection.isEmpty() && view_.currentIndex().isValid()) {
            selection.select(view_.currentIndex(), view_.currentIndex());
        }
        if (selection.isEmpty()) {
            return;
        }
        for (const QItemSelectionRange& part : selection) {
            range.firstRow = std::min(range.firstRow, part.top());
            range.lastRow = std::max(range.lastRow, part.bottom());
            range.firstColumn = std::min(range.firstColumn, part.left());
            range.lastColumn = std::max(range.lastColumn, part.right());
        }
        PutOnClipboard(loan::CopyCells(model_.Grid(), range));
    });
}

void GridCommands::CopySchedule() {
    Run([this] {
        view_.FinishEditing();
        PutOnClipboard(loan::CopySchedule(model_.Grid()));
    });
}

void GridCommands::Paste(int row) {
    Run([this, row] {
        view_.FinishEditing();
        const std::string pasted = QGuiApplication::clipboard()->text().toStdString();
        model_.ChangeColumn(loan::kColExtra, row, [row, &pasted](loan::ScheduleGrid& grid) {
            return row - 1 + loan::PasteExtraPayments(grid, row, pasted).rowsWritten;
        });
    });
}

void GridCommands::Repeat(int row) {
    Run([this, row] {
        view_.FinishEditing();
        model_.ChangeColumn(loan::kColExtra, row + 1, [row](loan::ScheduleGrid& grid) {
            return row + loan::RepeatExtraPayment(grid, row);
        });
    });
}

void GridCommands::ClearAll() {
    Run([this] {
        view_.FinishEditing();
        model_.ChangeColumn(loan::kColExtra, 1, [](loan::ScheduleGrid& grid) {
            loan::ClearExtraPayments(grid);
            return grid.RowCount() - 1;
        });
    });
}

}  // namespace ui
