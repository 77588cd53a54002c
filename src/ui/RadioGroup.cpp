#include "ui/RadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

RadioGroup::RadioGroup(const QStringList& items, QWidget* parent) : QGroupBox(parent) {
    buttons_ = new QButtonGroup(this);
    auto* const column = new QVBoxLayout(this);
    column->setContentsMargins(8, 4, 4, 4);
    column->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* const item = new QRadioButton(items.at(i), this);
        item->setAccessibleName(items.at(i));
        buttons_->addButton(item, i);
        column->addWidget(item);
    }
    connect(buttons_, &QButtonGroup::idToggled, this, [this] { KeepOneTabStop(); });
    KeepOneTabStop();
}

int RadioGroup::ItemIndex() const {
    return buttons_->checkedId();
}

void RadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* const item = buttons_->button(index)) {
        item->setChecked(true);
        return;
    }
    // No such item: none is chosen, which an exclusive group only allows while it is not exclusive.
    if (QAbstractButton* const checked = buttons_->checkedButton()) {
        buttons_->setExclusive(false);
        checked->setChecked(false);
        buttons_->setExclusive(true);
    }
}

QList<QAbstractButton*> RadioGroup::Items() const {
    return buttons_->buttons();
}

// Tab reaches the group once, on its checked item (the first one while none is checked).
void RadioGroup::KeepOneTabStop() {
    const QList<QAbstractButton*> items = buttons_->buttons();
    QAbstractButton* const stop =
        buttons_->checkedButton() != nullptr ? buttons_->checkedButton() : items.value(0);
    for (QAbstractButton* const item : items) {
        item->setFocusPolicy(item == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

}  // namespace ui
