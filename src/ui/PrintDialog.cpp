#include "ui/PrintDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QPrinterInfo>

namespace ui {

PrintDialog::PrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {
    setOption(QAbstractPrintDialog::PrintToFile, false);
    setOption(QAbstractPrintDialog::PrintSelection, false);
    setOption(QAbstractPrintDialog::PrintPageRange, false);
    setOption(QAbstractPrintDialog::PrintCurrentPage, false);
}

void PrintDialog::setVisible(bool visible) {
    if (visible) {
        ListPrinters();
    }
    QPrintDialog::setVisible(visible);
    if (visible) {
        OfferNoChoiceOfPages();
    }
}

// A dialog shown again keeps the list it was made with: printers added since join it, and those
// removed leave it (the dialog then moves to another printer, as when the person picks one).
void PrintDialog::ListPrinters() {
    auto* const printers = findChild<QComboBox*>(QStringLiteral("printers"));
    if (printers == nullptr) {
        return;
    }
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (names.isEmpty()) {
        return;  // the service did not answer; its printers are not known to be gone
    }
    for (int i = printers->count() - 1; i >= 0; --i) {
        if (!names.contains(printers->itemText(i))) {
            printers->removeItem(i);
        }
    }
    for (const QString& name : names) {
        if (printers->findText(name) < 0) {
            printers->addItem(name);
        }
    }
}

// Qt's print range group, under "Options >>", offers the service's own page range and odd or even
// pages even with PrintPageRange off; the printout is always printed whole.
void PrintDialog::OfferNoChoiceOfPages() {
    if (auto* const all = findChild<QAbstractButton*>(QStringLiteral("printAll"))) {
        all->setChecked(true);
    }
    if (auto* const pageSet = findChild<QComboBox*>(QStringLiteral("pageSetCombo"))) {
        pageSet->setCurrentIndex(0);
    }
    if (auto* const range = findChild<QWidget*>(QStringLiteral("gbPrintRange"))) {
        range->hide();
    }
}

}  // namespace ui
