#include "ui/AccessibleDatePicker.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>

#include "ui/DatePicker.h"

namespace ui {

namespace {

QString KeyName(QKeyCombination keys) {
    return QKeySequence(keys).toString(QKeySequence::NativeText);
}

}  // namespace

AccessibleDatePicker::AccessibleDatePicker(DatePicker* picker)
    : QAccessibleWidget(picker, QAccessible::SpinBox) {}

DatePicker& AccessibleDatePicker::Picker() const {
    return *static_cast<DatePicker*>(widget());
}

QString AccessibleDatePicker::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Value:
            return ShownText();
        case QAccessible::Description:
            if (widget()->accessibleDescription().isEmpty()) {
                return QStringLiteral(
                    "Left and Right choose the day, month or year; Up and Down change it; "
                    "Alt+Down opens the calendar");
            }
            break;
        default:
            break;
    }
    return QAccessibleWidget::text(t);
}

void* AccessibleDatePicker::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QStringList AccessibleDatePicker::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled()) {
        names << increaseAction() << decreaseAction() << showMenuAction();
    }
    return names;
}

// The same keys a person presses, so that the picker's own rules decide what they do.
void AccessibleDatePicker::doAction(const QString& name) {
    if (!widget()->isEnabled()) {
        return;
    }
    const auto press = [this](Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(widget(), &event);
    };
    if (name == increaseAction()) {
        press(Qt::Key_Up);
    } else if (name == decreaseAction()) {
        press(Qt::Key_Down);
    } else if (name == showMenuAction()) {
        Picker().ShowCalendar();
    } else {
        QAccessibleWidget::doAction(name);
    }
}

QStringList AccessibleDatePicker::keyBindingsForAction(const QString& name) const {
    if (name == increaseAction()) {
        return {KeyName(Qt::Key_Up)};
    }
    if (name == decreaseAction()) {
        return {KeyName(Qt::Key_Down)};
    }
    if (name == showMenuAction()) {
        return {KeyName(Qt::ALT | Qt::Key_Down), KeyName(Qt::Key_F4)};
    }
    return QAccessibleWidget::keyBindingsForAction(name);
}

void AccessibleDatePicker::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && Picker().hasSelectedText()) {
        *startOffset = Picker().selectionStart();
        *endOffset = *startOffset + Picker().selectionLength();
    }
}

int AccessibleDatePicker::selectionCount() const {
    return Picker().hasSelectedText() ? 1 : 0;
}

int AccessibleDatePicker::cursorPosition() const {
    return Picker().cursorPosition();
}

int AccessibleDatePicker::offsetAtPoint(const QPoint& point) const {
    return Picker().cursorPositionAt(Picker().mapFromGlobal(point));
}

QString AccessibleDatePicker::ShownText() const {
    return Picker().text();
}

const QWidget& AccessibleDatePicker::TextWidget() const {
    return *widget();
}

// An edit box keeps a small margin inside its frame and the picker's text margins.
QRect AccessibleDatePicker::TextArea() const {
    constexpr int kEditMargin = 2;
    return widget()
        ->contentsRect()
        .marginsRemoved(Picker().textMargins())
        .adjusted(kEditMargin, 0, 0, 0);
}

}  // namespace ui
