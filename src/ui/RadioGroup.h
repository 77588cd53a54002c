// A radio group without a caption: its items in one column, one tab stop for the whole group
// (the checked item), the arrow keys moving between the items.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QAbstractButton;
class QButtonGroup;

namespace ui {

class RadioGroup final : public QGroupBox {
    Q_OBJECT

  public:
    RadioGroup(const QStringList& items, QWidget* parent = nullptr);

    // The checked item, -1 when none is.
    int ItemIndex() const;
    // Any index that names no item leaves none checked.
    void SetItemIndex(int index);
    // The items in order, for the window's tab order.
    QList<QAbstractButton*> Items() const;

  private:
    void KeepOneTabStop();

    QButtonGroup* buttons_ = nullptr;
};

}  // namespace ui
