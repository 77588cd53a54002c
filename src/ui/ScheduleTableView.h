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

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void RememberCurrentCell();
    void CloseEditorKeepingFocus();
    void ShowCellsAfterReset();
    bool PaintCorner(QWidget& corner) const;

    QWidget* corner_ = nullptr;
    int currentRow_ = 1;
    int currentColumn_ = 1;
    int scrolledDown_ = 0;
    int scrolledRight_ = 0;
};

}  // namespace ui
