#include "ui/QtBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "ui/StartUp.h"

namespace ui {

namespace {

// A message box that stands in the middle of the screen, frame included, once it has taken the
// size its text needs.
class CentredBox final : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        CenterOnScreen(*this);
    }
};

// Both boxes belong to the application rather than to one window: every window of the program
// waits while one shows, and the box stands in the middle of the screen.
void RunBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
    CentredBox box(icon, title, text, QMessageBox::NoButton);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    QPushButton* const ok = box.addButton(QMessageBox::Ok);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    // The window that was active gets the keyboard back, and with it the control that had it,
    // whatever the window manager would choose.
    const QPointer<QWidget> active = QApplication::activeWindow();
    box.exec();
    if (active != nullptr) {
        active->activateWindow();
    }
}

}  // namespace

void QtBoxes::ShowInfoBox(const QString& message) {
    RunBox(QMessageBox::Information, QStringLiteral("Information"), message);
}

void QtBoxes::ShowErrorBox(const QString& title, const QString& text) {
    // A drag or a press in progress must not keep the mouse from the box.
    if (QWidget* const grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    RunBox(QMessageBox::Critical, title, text);
}

}  // namespace ui
