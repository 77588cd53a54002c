// The system's file and print dialogs.
#pragma once

#include "ui/Dialogs.h"

namespace ui {

class QtDialogs final : public Dialogs {
  public:
    bool ExecuteOpen(QWidget* parent, FileDialogSettings& settings) override;
    bool ExecuteSave(QWidget* parent, FileDialogSettings& settings) override;
    bool ExecutePrint(QWidget* parent, QPrinter& printer) override;
};

}  // namespace ui
