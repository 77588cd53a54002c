// What the layout needs to know of the chosen printer, in its own device pixels.
#pragma once

namespace print {

struct PrinterMetrics {
    int dpiX = 0;        // horizontal pixels per inch
    int dpiY = 0;        // vertical pixels per inch
    int pageWidth = 0;   // width of the printable area
    int pageHeight = 0;  // height of the printable area
};

}  // namespace print
