// The file dialogs and the print dialog that commands show, behind an interface so that tests can
// answer with a path, a cancel, or a printer of their own.
#pragma once

class QPrinter;
class QWidget;

namespace ui {

struct FileDialogSettings;

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Each returns false when the person cancels. On a choice, the open and save dialogs store
    // the full path in settings.fileName and the chosen filter in settings.filter.
    virtual bool ExecuteOpen(QWidget* parent, FileDialogSettings& settings) = 0;
    virtual bool ExecuteSave(QWidget* parent, FileDialogSettings& settings) = 0;
    // On a confirm the printer carries the person's choice of printer, settings and copies.
    virtual bool ExecutePrint(QWidget* parent, QPrinter& printer) = 0;
};

}  // namespace ui
