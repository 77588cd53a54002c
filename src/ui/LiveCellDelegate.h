// The grid's cell editor: every keystroke goes straight into the cell, so a command run from the
// menu or a tool button (neither takes the focus) reads the text as typed so far.
#pragma once

#include <QStyledItemDelegate>

namespace ui {

class LiveCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  protected:
    bool eventFilter(QObject* editor, QEvent* event) override;
};

}  // namespace ui
