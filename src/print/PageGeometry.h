// Where everything stands on a printed page: one-inch margins, six equal columns and the line
// height, all in whole printer pixels.
#pragma once

#include <array>

#include "print/PrinterMetrics.h"

namespace print {

inline constexpr int kPrintColumns = 6;

struct PageGeometry {
    int x0 = 0;           // left edge of column 0
    int y0 = 0;           // top line of every page
    int columnWidth = 0;  // one sixth of the usable width
    std::array<int, kPrintColumns> columnStarts{};
    int bottomLimit = 0;  // a line reaching this starts a new page
    int textHeight = 0;   // height of "Tq" in the print font
    int lineHeight = 0;   // text height and a quarter
};

// numerator / denominator to the nearest whole number, exact halves to the even neighbour.
// The denominator must be positive; the numerator may be of either sign.
int DivideRoundHalfEven(int numerator, int denominator);

PageGeometry ComputePageGeometry(const PrinterMetrics& metrics, int textHeight);

// The print font's character height in pixels: 10 points at the vertical resolution, to the
// nearest whole pixel (halves up).
int PrintFontPixelSize(int dpiY);

}  // namespace print
