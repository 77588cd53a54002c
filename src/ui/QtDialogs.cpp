#include "ui/QtDialogs.h"

#include <QFileDialog>
#include <QPrinter>

#include "ui/FileDialogSettings.h"

namespace ui {

namespace {

bool RunFileDialog(QWidget* parent, FileDialogSettings& settings, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, settings.title);
    dialog.setAcceptMode(mode);
    // Open accepts a name that does not exist yet: the loan then keeps its inputs and takes the
    // name, so the next Save creates the file.
    dialog.setFileMode(QFileDialog::AnyFile);
    // Saving over a loan file is the ordinary way to update it: no question asked.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(settings.filters);
    if (!settings.filter.isEmpty()) {
        dialog.selectNameFilter(settings.filter);
    }
    dialog.setDefaultSuffix(settings.defaultSuffix);
    if (!settings.fileName.isEmpty()) {
        dialog.selectFile(settings.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    settings.fileName = dialog.selectedFiles().constFirst();
    settings.filter = dialog.selectedNameFilter();
    return true;
}

}  // namespace

// Without a window to go with, the kept print dialog is left to this object.
QtDialogs::~QtDialogs() {
    delete printDialog_.data();
}

bool QtDialogs::ExecuteOpen(QWidget* parent, FileDialogSettings& settings) {
    return RunFileDialog(parent, settings, QFileDialog::AcceptOpen);
}

bool QtDialogs::ExecuteSave(QWidget* parent, FileDialogSettings& settings) {
    return RunFileDialog(parent, settings, QFileDialog::AcceptSave);
}

bool QtDialogs::ExecutePrint(QWidget* parent, QPrinter& printer) {
    // The first printer asked about is the Print command's own, kept for the run; its dialog is
    // kept too, so that the next Print starts from everything chosen there (the paper, the
    // printer's settings). A printer of another Print, confirmed during a job, asks once.
    if (printDialog_.isNull()) {
        printDialog_ = new PrintDialog(&printer, parent);
    }
    if (printDialog_->printer() == &printer) {
        return printDialog_->exec() == QDialog::Accepted;
    }
    PrintDialog once(&printer, parent);
    return once.exec() == QDialog::Accepted;
}

}  // namespace ui
