#include "print/qt/QtPrintSurface.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QString>

#include <algorithm>

#include "print/PageGeometry.h"
#include "text/Exceptions.h"

namespace print::qt {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtPrintSurface::QtPrintSurface(QPagedPaintDevice& device) : device_(device) {
    regular_ = QFont(QStringLiteral("Arial"));
    regular_.setPixelSize(std::max(1, PrintFontPixelSize(device_.logicalDpiY())));
    // Glyph outlines as designed, not bent to a screen grid, so the paper keeps the font's widths.
    regular_.setHintingPreference(QFont::PreferNoHinting);
    header_ = regular_;
    header_.setBold(true);
    header_.setUnderline(true);
}

PrinterMetrics QtPrintSurface::Metrics() const {
    // Without full-page mode the painter's origin is the top-left of the printable area, and the
    // device's width and height are that area's size.
    return PrinterMetrics{device_.logicalDpiX(), device_.logicalDpiY(), device_.width(),
                          device_.height()};
}

QFont QtPrintSurface::Font(PrintFont font) const {
    return font == PrintFont::kHeader ? header_ : regular_;
}

int QtPrintSurface::TextHeight(PrintFont font, std::string_view text) {
    const QFontMetrics metrics(Font(font), &device_);
    return metrics.size(Qt::TextSingleLine, ToQString(text)).height();
}

void QtPrintSurface::BeginDocument() {
    painter_.emplace();
    if (!painter_->begin(&device_)) {
        painter_.reset();
        throw text::EPrinter("The printer could not begin the document");
    }
}

void QtPrintSurface::SetFont(PrintFont font) {
    painter_->setFont(Font(font));
    ascent_ = painter_->fontMetrics().ascent();
}

void QtPrintSurface::DrawText(int x, int y, std::string_view text) {
    painter_->drawText(QPoint(x, y + ascent_), ToQString(text));
}

void QtPrintSurface::NewPage() {
    if (!device_.newPage()) {
        throw text::EPrinter("The printer could not begin a new page");
    }
    // The window stays responsive while the job is spooled page by page.
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::processEvents();
    }
}

void QtPrintSurface::EndDocument() {
    const bool ended = painter_->end();
    painter_.reset();
    if (!ended) {
        throw text::EPrinter("The printer could not finish the document");
    }
}

}  // namespace print::qt
