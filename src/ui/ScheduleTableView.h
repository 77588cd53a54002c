// The schedule grid: the caption row and the payment-number column stay in place as the headers,
// every cell is 72 × 24, and typing can be switched on and off as the selected cell moves.
#pragma once

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

    // The width that shows every column beside the payment numbers and a vertical scroll bar.
    int WidthForAllColumns() const;

    // Puts the open cell editor's text into its cell and closes it; the focus stays in the grid.
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

  private:
    void RememberCurrentCell();
    void ShowCellsAfterReset();
    bool PaintCorner(QWidget& corner) const;
    QPoint MenuPointForCurrentCell() const;

    QWidget* corner_ = nullptr;
    int currentRow_ = 1;
    int currentColumn_ = 1;
    int scrolledDown_ = 0;
    int scrolledRight_ = 0;
};

}  // namespace ui
