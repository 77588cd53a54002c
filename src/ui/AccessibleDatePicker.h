// The start date picker as a screen reader meets it: a spin box named by its caption whose value
// and text are the date as shown, with the selected part (day, month or year) as the text's
// selection. Its actions are its keys: Up and Down change the selected part, Alt+Down opens the
// calendar. Its child is the button that drops the calendar down.
#pragma once

#include <QAccessibleWidget>

#include "ui/AccessibleText.h"

namespace ui {

class DatePicker;

class AccessibleDatePicker final : public QAccessibleWidget, public ReadOnlyAccessibleText {
  public:
    explicit AccessibleDatePicker(DatePicker* picker);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString& name) const override;

    // The selected part of the date is the text's one selection, the caret at its end.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    int cursorPosition() const override;
    int offsetAtPoint(const QPoint& point) const override;
    using ReadOnlyAccessibleText::text;

  protected:
    QString ShownText() const override;
    const QWidget& TextWidget() const override;
    QRect TextArea() const override;

  private:
    DatePicker& Picker() const;
};

}  // namespace ui
