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

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void RememberCurrentCell();
    void CloseEditorKeepingFocus();
    void ShowCellsAfterReset();
    bool PaintCorner(QWidget& corner) const;
    int CellWidthFor(const QStringList& texts) const;

    QWidget* corner_ = nullptr;
    int currentRow_ = 1;
    int currentColumn_ = 1;
    int scrolledDown_ = 0;
    int scrolledRight_ = 0;
};

}  // namespace ui
