// The document commands New, Open, Save and Save As: they move the loan and its extra payments
// between the window and a loan file. Each raises what it does not handle itself; the window's
// handlers run them through its command wrapper.
#pragma once

#include <QString>

#include "ui/FileDialogSettings.h"

namespace ui {

class Dialogs;
class TfrmMortMain;

class DocumentCommands {
  public:
    DocumentCommands(TfrmMortMain& window, Dialogs& dialogs);

    // Empties the loan, the totals, every payment row and the current document name; the term
    // unit and the frequency stay.
    void NewLoan();
    // Asks for a loan file, makes it the current document, and shows its loan calculated with its
    // extra payments.
    void OpenLoan();
    // Open for a path chosen without the dialog (a dropped file): the same reading, and the open
    // dialog remembers the path as if it had been chosen there.
    void OpenLoanFile(const QString& path);
    // Calculates and writes to the current document, or asks for a name first when there is none.
    void SaveLoan();
    // Asks for a name, makes it the current document, calculates and writes.
    void SaveLoanAs();

    // The full path of the current loan file, empty while the loan has none.
    const QString& DocumentName() const { return sdMain_.fileName; }

  private:
    TfrmMortMain& window_;
    Dialogs& dialogs_;
    // The open and save dialogs' memories; the save dialog's file name is the current document
    // name, so that the dialog always opens on it.
    FileDialogSettings odMain_;
    FileDialogSettings sdMain_;
};

}  // namespace ui
