// The schedule grid as a screen reader meets it: a table of the payment rows whose column headers
// are the captions and whose row headers are the payment numbers.
//
// The grid's model keeps the captions in row 0 and the payment numbers in column 0, and the view
// shows them in its header bars instead of as cells; so does this table. Model row r, column c is
// the table's row r - 1, column c - 1. The table's children are the column headers, then each row's
// header followed by its cells.
#pragma once

#include <QAccessibleObject>
#include <QItemSelection>
#include <unordered_map>

class QTableView;

namespace ui {

class AccessibleScheduleTable final : public QAccessibleObject, public QAccessibleTableInterface {
  public:
    explicit AccessibleScheduleTable(QTableView* view);

    // The child that stands for a model cell; -1 for a caption or a payment number.
    static int ChildIndexOf(const QModelIndex& index);
    // The header cells, which the view's header bars show.
    QAccessibleInterface* ColumnHeader(int column) const;
    QAccessibleInterface* RowHeader(int row) const;

    // QAccessibleInterface
    bool isValid() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QWindow* window() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedCellCount() const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    // Whole rows and columns are chosen with the mouse or the keyboard, not through the table.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

  protected:
    // Qt's cache of accessible interfaces deletes it along with the grid.
    ~AccessibleScheduleTable() override;

  private:
    QTableView* view() const;
    void ForgetChildren();

    mutable std::unordered_map<int, QAccessible::Id> children_;
};

// What the grid tells a screen reader as the person moves through it: the current cell while the
// grid has the focus, and the cells that join or leave the selection.
void AnnounceCurrentCell(QTableView& view, const QModelIndex& current);
void AnnounceSelection(QTableView& view, const QItemSelection& selected,
                       const QItemSelection& deselected);

}  // namespace ui
