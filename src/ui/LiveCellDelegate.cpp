#include "ui/LiveCellDelegate.h"

#include <QFocusEvent>
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

// Alt lends the keyboard to the menu bar, which gives it back when its menu closes. The editor
// stays open meanwhile, so the focus comes back to the cell and not to nowhere, whether a command
// ran from the menu or the menu was left.
bool LiveCellDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::MenuBarFocusReason) {
        return false;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

}  // namespace ui
