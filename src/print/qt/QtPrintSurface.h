// The printout's surface on a Qt printer or PDF writer: QPainter in the device's own pixels.
#pragma once

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

#include <optional>
#include <string_view>

#include "print/PrintSurface.h"
#include "print/PrinterMetrics.h"

namespace print::qt {

class QtPrintSurface final : public PrintSurface {
  public:
    // A printer should be made with QPrinter::HighResolution, and a PDF writer given the chosen
    // printer's resolution, so that a pixel is one of the printer's own dots and the layout's
    // whole-pixel arithmetic holds there.
    explicit QtPrintSurface(QPagedPaintDevice& device);

    // Resolution and printable area of the device as it stands now.
    PrinterMetrics Metrics() const;

    int TextHeight(PrintFont font, std::string_view text) override;
    void BeginDocument() override;
    void SetFont(PrintFont font) override;
    void DrawText(int x, int y, std::string_view text) override;
    void NewPage() override;
    void EndDocument() override;

    // "Arial", 10 points at the printer's vertical resolution; bold and underlined for the header.
    QFont Font(PrintFont font) const;

  private:
    QPagedPaintDevice& device_;
    QFont regular_;
    QFont header_;
    int ascent_ = 0;  // of the current font, to place a text by the top of its cell
    // Open from BeginDocument to EndDocument; a job left by an error is closed on destruction.
    std::optional<QPainter> painter_;
};

}  // namespace print::qt
