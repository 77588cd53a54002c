#include "ui/QtDialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
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

bool QtDialogs::ExecuteOpen(QWidget* parent, FileDialogSettings& settings) {
    return RunFileDialog(parent, settings, QFileDialog::AcceptOpen);
}

bool QtDialogs::ExecuteSave(QWidget* parent, FileDialogSettings& settings) {
    return RunFileDialog(parent, settings, QFileDialog::AcceptSave);
}

bool QtDialogs::ExecutePrint(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace ui
