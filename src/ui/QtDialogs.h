// The system's file and print dialogs.
#pragma once

#include <QPointer>

#include "ui/Dialogs.h"
#include "ui/PrintDialog.h"

namespace ui {

class QtDialogs final : public Dialogs {
  public:
    QtDialogs() = default;
    ~QtDialogs() override;
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;

    bool ExecuteOpen(QWidget* parent, FileDialogSettings& settings) override;
    bool ExecuteSave(QWidget* parent, FileDialogSettings& settings) override;
    bool ExecutePrint(QWidget* parent, QPrinter& printer) override;

  private:
    // The print dialog of the Print command's own printer, kept for the run with its window.
    QPointer<PrintDialog> printDialog_;
};

}  // namespace ui
