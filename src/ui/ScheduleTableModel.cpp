#include "ui/ScheduleTableModel.h"

#include <algorithm>

namespace ui {

ScheduleTableModel::ScheduleTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int ScheduleTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.RowCount();
}

int ScheduleTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : loan::ScheduleGrid::kColumnCount;
}

bool ScheduleTableModel::IsShown(int row, int column) const {
    return row >= 0 && row < grid_.RowCount() && column >= 0 &&
           column < loan::ScheduleGrid::kColumnCount;
}

QVariant ScheduleTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !IsShown(index.row(), index.column()) ||
        (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return QString::fromStdString(grid_.Cell(index.row(), index.column()));
}

bool ScheduleTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    grid_.SetCell(index.row(), index.column(), value.toString().toStdString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void ScheduleTableModel::CellsChanged(int column, int firstRow, int lastRow) {
    firstRow = std::max(firstRow, 1);
    lastRow = std::min(lastRow, grid_.RowCount() - 1);
    if (firstRow <= lastRow) {
        emit dataChanged(index(firstRow, column), index(lastRow, column),
                         {Qt::DisplayRole, Qt::EditRole});
    }
}

Qt::ItemFlags ScheduleTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !IsShown(index.row(), index.column())) {
        return Qt::NoItemFlags;
    }
    // The caption row and the payment-number column are never selected nor edited.
    if (index.row() == 0 || index.column() == loan::kColPayNumber) {
        return Qt::ItemNeverHasChildren;
    }
    Qt::ItemFlags itemFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    // Only the extra payments are the person's to type; the rest is the calculation's.
    if (index.column() == loan::kColExtra) {
        itemFlags |= Qt::ItemIsEditable;
    }
    return itemFlags;
}

QVariant ScheduleTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= loan::ScheduleGrid::kColumnCount) {
            return {};
        }
        return QString::fromStdString(grid_.Cell(0, section));
    }
    if (section < 0 || section >= grid_.RowCount()) {
        return {};
    }
    return QString::fromStdString(grid_.Cell(section, loan::kColPayNumber));
}

}  // namespace ui
