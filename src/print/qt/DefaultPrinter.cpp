#include "print/qt/DefaultPrinter.h"

#include <QPrinterInfo>

#include "text/Exceptions.h"

namespace print::qt {

void RequireDefaultPrinter() {
    if (QPrinterInfo::defaultPrinter().isNull()) {
        throw text::EPrinter("There is no default printer currently selected");
    }
}

}  // namespace print::qt
