// The grid's table model: a thin adapter over the window's one ScheduleGrid, cell for cell.
//
// Model row r and column c are the grid's row r and column c. Row 0 holds the column captions and
// column 0 the payment numbers; the view shows them as its headers, so they come back through
// headerData as well.
#pragma once

#include <QAbstractTableModel>
#include <utility>

#include "loan/ScheduleGrid.h"

namespace ui {

class ScheduleTableModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit ScheduleTableModel(QObject* parent = nullptr);

    const loan::ScheduleGrid& Grid() const { return grid_; }

    // Runs a change of the whole grid (rows rewritten, the row count changed). The views are told
    // afterwards also when the change ends by an exception, so that they show the cells written
    // before it.
    template <typename Change>
    decltype(auto) ChangeGrid(Change&& change) {
        const ResetScope scope(*this);
        return std::forward<Change>(change)(grid_);
    }

    // Runs a change of texts in one column that keeps the row count, hidden rows perhaps included.
    // The change returns the last row it wrote from firstRow on; the views repaint the shown ones.
    template <typename Change>
    void ChangeColumn(int column, int firstRow, Change&& change) {
        const int lastRow = std::forward<Change>(change)(grid_);
        CellsChanged(column, firstRow, lastRow);
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    class ResetScope {
      public:
        explicit ResetScope(ScheduleTableModel& model) : model_(model) { model_.beginResetModel(); }
        ~ResetScope() { model_.endResetModel(); }
        ResetScope(const ResetScope&) = delete;
        ResetScope& operator=(const ResetScope&) = delete;

      private:
        ScheduleTableModel& model_;
    };

    bool IsShown(int row, int column) const;
    void CellsChanged(int column, int firstRow, int lastRow);

    loan::ScheduleGrid grid_;
};

}  // namespace ui
