// The About box: who made the calculator, and that it comes without a warranty. Made once at
// start-up, hidden, and shown modally by the main window's About command.
#pragma once

#include <QDialog>

class QPushButton;

namespace ui {

class TfrmAbout final : public QDialog {
    Q_OBJECT

  public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    // Shows the box in the middle of the screen and waits until it is closed.
    void ShowModal();
    void Button1Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QPushButton* Button1_ = nullptr;
};

}  // namespace ui
