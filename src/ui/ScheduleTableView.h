// The schedule grid: the caption row and the payment-number column stay in place as the headers,
// every cell is 72 × 24 (wider where a text needs it), and typing can be switched on and off as the
// selected cell moves.
#pragma once

#include <QStringList>
#include <QTableView>

namespace ui {

class ScheduleTableModel;

class ScheduleTableView final : public QTableView {
    Q_OBJECT

  public:
    explicit ScheduleTableView(QWidget* parent = nullptr);

    void SetScheduleModel(ScheduleTableModel* model);

    // The grid's editing option: when on, the selected cell takes typing in the usual ways.
    void SetEditing(bool editing);
    bool Editing() const;

    // Widens the columns where the font or the locale's month names need more than the layout's
    // width; the window asks again when the locale changes.
    void FitColumns();

    // The width that shows every column beside the payment numbers and a vertical scroll bar.
    int WidthForAllColumns() const;

    // Closes the open cell editor (its text is in the cell already); the focus stays in the grid.
    void FinishEditing();

  signals:
    // Ctrl+C and Ctrl+V in the grid itself; an open cell editor keeps them for its own text.
    void CopyPressed();
    void PastePressed();
    // The context menu, asked for at a cell (invalid outside the cells), to show at a point on
    // the screen.
    void MenuRequested(const QModelIndex& cell, const QPoint& where);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

  private:
    void RememberCurrentCell();
    void ShowCellsAfterReset();
    bool PaintCorner(QWidget& corner) const;
    QPoint MenuPointForCurrentCell() const;
    int CellWidthFor(const QStringList& texts) const;

    QWidget* corner_ = nullptr;
    int currentRow_ = 1;
    int currentColumn_ = 1;
    int scrolledDown_ = 0;
    int scrolledRight_ = 0;
};

}  // namespace ui
