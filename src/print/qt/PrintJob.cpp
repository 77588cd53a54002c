#include "print/qt/PrintJob.h"

#include "print/Printout.h"
#include "print/qt/QtPrintSurface.h"

namespace print::qt {

void RunPrintJob(QPrinter& printer, const PrintoutTexts& texts) {
    QtPrintSurface surface(printer);
    DrawPrintout(surface, surface.Metrics(), texts);
}

}  // namespace print::qt
