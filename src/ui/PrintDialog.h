// The system's print dialog as the Print command offers it: the printer, that printer's own
// settings and the number of copies, and no choice of pages.
#pragma once

#include <QPrintDialog>

namespace ui {

class PrintDialog final : public QPrintDialog {
  public:
    PrintDialog(QPrinter* printer, QWidget* parent);

    // Each time it is shown, it lists the system's printers as they are then and leaves out the
    // page range that Qt offers on a printing service's queue whatever the options say.
    void setVisible(bool visible) override;

  private:
    void ListPrinters();
    void OfferNoChoiceOfPages();
};

}  // namespace ui
