#include "ui/QtBoxes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>
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

// Keeps the box at least as wide as its title needs, which the box alone would not do.
void KeepTitleWhole(QMessageBox& box) {
    auto* const grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    const QMargins margins = grid->contentsMargins();
    grid->addItem(
        new QSpacerItem(BoxWidthForTitle(box.windowTitle()) - margins.left() - margins.right(), 0,
                        QSizePolicy::Fixed, QSizePolicy::Minimum),
        grid->rowCount(), 0, 1, grid->columnCount());
}

// Both boxes belong to the application rather than to one window: every window of the program
// waits while one shows, and the box stands in the middle of the screen.
void RunBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
    CentredBox box(icon, title, text, QMessageBox::NoButton);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    QPushButton* const ok = box.addButton(QMessageBox::Ok);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    KeepTitleWhole(box);
    // The window that was active gets the keyboard back, and with it the control that had it,
    // whatever the window manager would choose.
    const QPointer<QWidget> active = QApplication::activeWindow();
    box.exec();
    if (active != nullptr) {
        active->activateWindow();
    }
}

}  // namespace

int BoxWidthForTitle(const QString& title) {
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    return metrics.horizontalAdvance(title) + 8 * metrics.height();
}

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
