#include "ui/LiveCellDelegate.h"

#include <QLineEdit>

namespace ui {

QWidget* LiveCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QWidget* const editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* const line = qobject_cast<QLineEdit*>(editor)) {
        line->setObjectName(QStringLiteral("sgTableEditor"));
        // A screen reader names the editor after its column.
        line->setAccessibleName(
            index.model()->headerData(index.column(), Qt::Horizontal).toString());
        auto* const self = const_cast<LiveCellDelegate*>(this);
        connect(line, &QLineEdit::textEdited, self, [self, line] { emit self->commitData(line); });
    }
    return editor;
}

}  // namespace ui
