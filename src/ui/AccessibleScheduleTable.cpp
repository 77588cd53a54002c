#include "ui/AccessibleScheduleTable.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QTableView>
#include <QWindow>
#include <algorithm>

namespace ui {

namespace {

// The grid's rows and columns less the caption row and the payment-number column.
int TableColumns(const QAbstractItemModel& model) {
    return std::max(0, model.columnCount() - 1);
}
int TableRows(const QAbstractItemModel& model) {
    return std::max(0, model.rowCount() - 1);
}

// Row -1 holds the column headers, column -1 the row headers.
int ChildIndex(int columns, int row, int column) {
    return row < 0 ? column : columns + row * (columns + 1) + column + 1;
}

QRect OnScreen(const QWidget& widget, const QRect& rect) {
    return rect.translated(widget.mapToGlobal(QPoint(0, 0)));
}

enum class CellKind { Cell, ColumnHeader, RowHeader };

// A cell, a column header or a row header. Its text is the model's: the captions are row 0's
// cells and the payment numbers column 0's, which is where a header finds its text. The payment
// numbers' own caption, which the view shows in its corner, describes each row header.
class ScheduleCell final : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleActionInterface {
  public:
    ScheduleCell(QTableView* view, CellKind kind, int row, int column)
        : view_(view), kind_(kind), row_(row), column_(column) {}

    const QTableView* View() const { return view_; }
    int Index() const { return ChildIndex(TableColumns(*view_->model()), row_, column_); }

    bool isValid() const override {
        return view_ != nullptr && view_->model() != nullptr && row_ >= -1 &&
               row_ < TableRows(*view_->model()) && column_ >= -1 &&
               column_ < TableColumns(*view_->model());
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return view_ != nullptr ? view_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) {
            return {};
        }
        if (t == QAccessible::Name) {
            return view_->model()->data(ModelIndex(), Qt::DisplayRole).toString();
        }
        if (t == QAccessible::Description && kind_ == CellKind::RowHeader) {
            return view_->model()->headerData(0, Qt::Horizontal).toString();
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        switch (kind_) {
            case CellKind::Cell:
                return OnScreen(*view_->viewport(), view_->visualRect(ModelIndex()));
            case CellKind::ColumnHeader: {
                const QHeaderView& header = *view_->horizontalHeader();
                const int section = column_ + 1;
                return OnScreen(*header.viewport(),
                                QRect(header.sectionViewportPosition(section), 0,
                                      header.sectionSize(section), header.height()));
            }
            case CellKind::RowHeader: {
                const QHeaderView& header = *view_->verticalHeader();
                const int section = row_ + 1;
                return OnScreen(*header.viewport(),
                                QRect(0, header.sectionViewportPosition(section), header.width(),
                                      header.sectionSize(section)));
            }
        }
        return {};
    }

    QAccessible::Role role() const override {
        switch (kind_) {
            case CellKind::ColumnHeader:
                return QAccessible::ColumnHeader;
            case CellKind::RowHeader:
                return QAccessible::RowHeader;
            case CellKind::Cell:
                break;
        }
        return QAccessible::Cell;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        // Scrolled out of sight, or behind a header bar that is not shown.
        const QWidget& shownIn = kind_ == CellKind::Cell           ? *view_->viewport()
                                 : kind_ == CellKind::ColumnHeader ? *view_->horizontalHeader()
                                                                   : *view_->verticalHeader();
        state.invisible =
            !shownIn.isVisible() || !OnScreen(shownIn, shownIn.rect()).intersects(rect());
        if (kind_ != CellKind::Cell) {
            return state;
        }
        const QModelIndex index = ModelIndex();
        const Qt::ItemFlags flags = index.flags();
        state.selectable = state.focusable = (flags & Qt::ItemIsSelectable) != 0;
        state.editable = (flags & Qt::ItemIsEditable) != 0;
        state.selected = view_->selectionModel()->isSelected(index);
        state.focused = view_->hasFocus() && view_->currentIndex() == index;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (kind_ != CellKind::Cell) {
            return nullptr;
        }
        if (type == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        if (type == QAccessible::ActionInterface) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }

    bool isSelected() const override {
        return isValid() && view_->selectionModel()->isSelected(ModelIndex());
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        const AccessibleScheduleTable* const owner = Table();
        return owner != nullptr ? QList<QAccessibleInterface*>{owner->ColumnHeader(column_)}
                                : QList<QAccessibleInterface*>{};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override {
        const AccessibleScheduleTable* const owner = Table();
        return owner != nullptr ? QList<QAccessibleInterface*>{owner->RowHeader(row_)}
                                : QList<QAccessibleInterface*>{};
    }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // A screen reader moves the current cell here, as the arrow keys would.
    QStringList actionNames() const override {
        return isValid() && (ModelIndex().flags() & Qt::ItemIsSelectable)
                   ? QStringList{setFocusAction()}
                   : QStringList{};
    }
    void doAction(const QString& name) override {
        if (name != setFocusAction() || actionNames().isEmpty()) {
            return;
        }
        view_->activateWindow();
        view_->setFocus(Qt::OtherFocusReason);
        view_->setCurrentIndex(ModelIndex());
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QModelIndex ModelIndex() const { return view_->model()->index(row_ + 1, column_ + 1); }

    const AccessibleScheduleTable* Table() const {
        return dynamic_cast<const AccessibleScheduleTable*>(
            QAccessible::queryAccessibleInterface(view_));
    }

    QPointer<QTableView> view_;
    CellKind kind_;
    int row_;
    int column_;
};

}  // namespace

AccessibleScheduleTable::AccessibleScheduleTable(QTableView* view) : QAccessibleObject(view) {}

AccessibleScheduleTable::~AccessibleScheduleTable() {
    ForgetChildren();
}

QTableView* AccessibleScheduleTable::view() const {
    return qobject_cast<QTableView*>(object());
}

int AccessibleScheduleTable::ChildIndexOf(const QModelIndex& index) {
    if (!index.isValid() || index.row() < 1 || index.column() < 1) {
        return -1;
    }
    return ChildIndex(TableColumns(*index.model()), index.row() - 1, index.column() - 1);
}

QAccessibleInterface* AccessibleScheduleTable::ColumnHeader(int column) const {
    return column >= 0 && column < columnCount() ? child(ChildIndex(columnCount(), -1, column))
                                                 : nullptr;
}

QAccessibleInterface* AccessibleScheduleTable::RowHeader(int row) const {
    return row >= 0 && row < rowCount() ? child(ChildIndex(columnCount(), row, -1)) : nullptr;
}

bool AccessibleScheduleTable::isValid() const {
    return view() != nullptr && view()->model() != nullptr;
}

QAccessibleInterface* AccessibleScheduleTable::parent() const {
    return QAccessible::queryAccessibleInterface(view()->parentWidget());
}

QAccessibleInterface* AccessibleScheduleTable::child(int index) const {
    const auto known = children_.find(index);
    if (known != children_.end()) {
        return QAccessible::accessibleInterface(known->second);
    }
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    const int columns = columnCount();
    ScheduleCell* cell = nullptr;
    if (index < columns) {
        cell = new ScheduleCell(view(), CellKind::ColumnHeader, -1, index);
    } else {
        const int row = (index - columns) / (columns + 1);
        const int column = (index - columns) % (columns + 1) - 1;
        cell = new ScheduleCell(view(), column < 0 ? CellKind::RowHeader : CellKind::Cell, row,
                                column);
    }
    children_.emplace(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int AccessibleScheduleTable::childCount() const {
    return isValid() ? columnCount() + rowCount() * (columnCount() + 1) : 0;
}

int AccessibleScheduleTable::indexOfChild(const QAccessibleInterface* child) const {
    const auto* const cell = dynamic_cast<const ScheduleCell*>(child);
    return cell != nullptr && cell->View() == view() && cell->isValid() ? cell->Index() : -1;
}

QAccessibleInterface* AccessibleScheduleTable::childAt(int x, int y) const {
    const QWidget& viewport = *view()->viewport();
    const int index = ChildIndexOf(view()->indexAt(viewport.mapFromGlobal(QPoint(x, y))));
    return index >= 0 ? child(index) : nullptr;
}

QAccessibleInterface* AccessibleScheduleTable::focusChild() const {
    const int index = ChildIndexOf(view()->currentIndex());
    return index >= 0 ? child(index) : nullptr;
}

QWindow* AccessibleScheduleTable::window() const {
    return view()->window()->windowHandle();
}

QString AccessibleScheduleTable::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Name:
            return view()->accessibleName();
        case QAccessible::Description:
            return view()->accessibleDescription();
        default:
            return {};
    }
}

QRect AccessibleScheduleTable::rect() const {
    return view()->isVisible() ? OnScreen(*view(), view()->rect()) : QRect();
}

QAccessible::Role AccessibleScheduleTable::role() const {
    return QAccessible::Table;
}

QAccessible::State AccessibleScheduleTable::state() const {
    QAccessible::State state;
    const QTableView& grid = *view();
    state.invisible = !grid.isVisible();
    state.focusable = grid.focusPolicy() != Qt::NoFocus;
    state.focused = grid.hasFocus();
    state.disabled = !grid.isEnabled();
    return state;
}

void* AccessibleScheduleTable::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                               : nullptr;
}

QAccessibleInterface* AccessibleScheduleTable::cellAt(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    return child(ChildIndex(columnCount(), row, column));
}

QString AccessibleScheduleTable::columnDescription(int column) const {
    return view()->model()->headerData(column + 1, Qt::Horizontal).toString();
}

QString AccessibleScheduleTable::rowDescription(int row) const {
    return view()->model()->headerData(row + 1, Qt::Vertical).toString();
}

int AccessibleScheduleTable::columnCount() const {
    return TableColumns(*view()->model());
}

int AccessibleScheduleTable::rowCount() const {
    return TableRows(*view()->model());
}

int AccessibleScheduleTable::selectedCellCount() const {
    const QModelIndexList selected = view()->selectionModel()->selectedIndexes();
    return static_cast<int>(
        std::count_if(selected.begin(), selected.end(),
                      [](const QModelIndex& index) { return ChildIndexOf(index) >= 0; }));
}

QList<QAccessibleInterface*> AccessibleScheduleTable::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (const QModelIndex& index : view()->selectionModel()->selectedIndexes()) {
        if (const int shown = ChildIndexOf(index); shown >= 0) {
            cells.append(child(shown));
        }
    }
    return cells;
}

int AccessibleScheduleTable::selectedColumnCount() const {
    return static_cast<int>(selectedColumns().size());
}

int AccessibleScheduleTable::selectedRowCount() const {
    return static_cast<int>(selectedRows().size());
}

QList<int> AccessibleScheduleTable::selectedColumns() const {
    QList<int> columns;
    for (int column = 0; column < columnCount(); ++column) {
        if (isColumnSelected(column)) {
            columns.append(column);
        }
    }
    return columns;
}

QList<int> AccessibleScheduleTable::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : view()->selectionModel()->selectedRows(1)) {
        if (index.row() >= 1) {
            rows.append(index.row() - 1);
        }
    }
    return rows;
}

// The selection model passes over the captions and payment numbers, which are never selected.
bool AccessibleScheduleTable::isColumnSelected(int column) const {
    return column >= 0 && column < columnCount() &&
           view()->selectionModel()->isColumnSelected(column + 1);
}

bool AccessibleScheduleTable::isRowSelected(int row) const {
    return row >= 0 && row < rowCount() && view()->selectionModel()->isRowSelected(row + 1);
}

// Cells read the model as it is now, so new texts need nothing; a change of the rows renumbers
// the children.
void AccessibleScheduleTable::modelChange(QAccessibleTableModelChangeEvent* event) {
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged) {
        ForgetChildren();
    }
}

void AccessibleScheduleTable::ForgetChildren() {
    for (const auto& [index, id] : children_) {
        QAccessible::deleteAccessibleInterface(id);
    }
    children_.clear();
}

void AnnounceCurrentCell(QTableView& view, const QModelIndex& current) {
    const int child = AccessibleScheduleTable::ChildIndexOf(current);
    if (!QAccessible::isActive() || child < 0 || !view.hasFocus()) {
        return;
    }
    QAccessibleEvent event(&view, QAccessible::Focus);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

// As Qt's own views do, the first cell of a change stands for all of it.
void AnnounceSelection(QTableView& view, const QItemSelection& selected,
                       const QItemSelection& deselected) {
    if (!QAccessible::isActive()) {
        return;
    }
    const auto announce = [&view](const QItemSelection& change, QAccessible::Event type) {
        const int child =
            change.isEmpty() ? -1 : AccessibleScheduleTable::ChildIndexOf(change.first().topLeft());
        if (child >= 0) {
            QAccessibleEvent event(&view, type);
            event.setChild(child);
            QAccessible::updateAccessibility(&event);
        }
    };
    announce(selected, QAccessible::SelectionAdd);
    announce(deselected, QAccessible::SelectionRemove);
}

}  // namespace ui
