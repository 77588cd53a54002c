#include "ui/Accessibility.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "ui/AccessibleDatePicker.h"
#include "ui/AccessibleScheduleTable.h"
#include "ui/AccessibleText.h"
#include "ui/DatePicker.h"
#include "ui/ScheduleTableView.h"

namespace ui {

namespace {

// A label that shows a value another label names, as a total is named by its caption: the caption
// is its name and the value its text.
class AccessibleValueLabel final : public QAccessibleWidget, public ReadOnlyAccessibleText {
  public:
    explicit AccessibleValueLabel(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? ShownText() : QAccessibleWidget::text(t);
    }
    using ReadOnlyAccessibleText::text;
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

  protected:
    QString ShownText() const override { return static_cast<QLabel*>(widget())->text(); }
    const QWidget& TextWidget() const override { return *widget(); }
};

// The caption of a value is a label beside it whose buddy it is.
bool IsNamedByCaption(const QLabel& label) {
    const QWidget* const parent = label.parentWidget();
    if (parent == nullptr) {
        return false;
    }
    for (const QLabel* const sibling : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (sibling->buddy() == &label) {
            return true;
        }
    }
    return false;
}

// A tool button that runs a command. Pressed through a screen reader, the command runs after the
// press has been answered: it may show a modal box, and the screen reader must not wait for it.
class AccessibleCommandButton final : public QAccessibleWidget {
  public:
    explicit AccessibleCommandButton(QToolButton* button)
        : QAccessibleWidget(button, QAccessible::PushButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = Button().isDown();
        return state;
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled()) {
            names.prepend(pressAction());
        }
        return names;
    }
    void doAction(const QString& name) override {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
        } else if (widget()->isEnabled()) {
            Button().animateClick();
        }
    }
    // The command's shortcut, which the menu item shows.
    QStringList keyBindingsForAction(const QString& name) const override {
        const QKeySequence shortcut = Button().defaultAction()->shortcut();
        if (name != pressAction() || shortcut.isEmpty()) {
            return QAccessibleWidget::keyBindingsForAction(name);
        }
        return {shortcut.toString(QKeySequence::NativeText)};
    }

  private:
    QToolButton& Button() const { return *static_cast<QToolButton*>(widget()); }
};

QAccessibleInterface* ProgramInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(DatePicker::staticMetaObject.className())) {
        return new AccessibleDatePicker(static_cast<DatePicker*>(object));
    }
    if (className == QLatin1String(ScheduleTableView::staticMetaObject.className())) {
        return new AccessibleScheduleTable(static_cast<ScheduleTableView*>(object));
    }
    if (className == QLatin1String("QToolButton")) {
        auto* const button = static_cast<QToolButton*>(object);
        const bool runsACommand = button->defaultAction() != nullptr &&
                                  button->menu() == nullptr && !button->isCheckable();
        return runsACommand ? new AccessibleCommandButton(button) : nullptr;
    }
    if (className == QLatin1String("QLabel")) {
        auto* const label = static_cast<QLabel*>(object);
        return IsNamedByCaption(*label) ? new AccessibleValueLabel(label) : nullptr;
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
    QAccessible::installFactory(ProgramInterface);
}

}  // namespace ui
