#include "print/PageGeometry.h"

namespace print {

int DivideRoundHalfEven(int numerator, int denominator) {
    // Floor division first, so that the remainder is never negative and one rule serves both
    // signs (a page narrower than its margins has a negative usable width).
    int quotient = numerator / denominator;
    int remainder = numerator % denominator;
    if (remainder < 0) {
        quotient -= 1;
        remainder += denominator;
    }
    const int twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) {
        quotient += 1;
    }
    return quotient;
}

PageGeometry ComputePageGeometry(const PrinterMetrics& metrics, int textHeight) {
    PageGeometry page;
    page.x0 = metrics.dpiX;
    page.y0 = metrics.dpiY;
    const int usableWidth = metrics.pageWidth - 2 * metrics.dpiX;
    page.columnWidth = DivideRoundHalfEven(usableWidth, kPrintColumns);
    for (int column = 0; column < kPrintColumns; ++column) {
        page.columnStarts[column] = page.x0 + column * page.columnWidth;
    }
    page.bottomLimit = metrics.pageHeight - metrics.dpiY;
    page.textHeight = textHeight;
    page.lineHeight = textHeight + DivideRoundHalfEven(textHeight, 4);
    return page;
}

int PrintFontPixelSize(int dpiY) {
    return (10 * dpiY + 36) / 72;
}

}  // namespace print
