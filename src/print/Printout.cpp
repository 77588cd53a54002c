#include "print/Printout.h"

#include <string_view>

#include "print/PageGeometry.h"
#include "text/Exceptions.h"

namespace print {

namespace {

// One GUI thread prints; the flag only guards against a job begun from inside another.
bool printing = false;

class PrintingScope {
  public:
    PrintingScope() {
        if (printing) {
            throw text::EPrinter("Printing in progress");
        }
        printing = true;
    }
    ~PrintingScope() { printing = false; }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;
};

constexpr int kSummaryLines = 7;
constexpr int kSummaryValueColumn = 2;
// The summary and the two empty lines below it come before the table.
constexpr int kTableFirstLine = kSummaryLines + 2;

// Empty texts draw nothing; their line still counts.
void DrawCell(PrintSurface& surface, int x, int y, std::string_view text) {
    if (!text.empty()) {
        surface.DrawText(x, y, text);
    }
}

void DrawSummary(PrintSurface& surface, const PageGeometry& page, const PrintoutTexts& texts) {
    const std::string_view lines[kSummaryLines][2] = {
        {"Principal:", texts.principal},
        {"Rate:", texts.rate},
        {"Term:", texts.term},
        {"Payment:", texts.payment},
        {"Total Payments:", texts.totalPayments},
        {"Total Interest:", texts.totalInterest},
        {"Interest Saved:", texts.interestSaved},
    };
    for (int line = 0; line < kSummaryLines; ++line) {
        const int y = page.y0 + line * page.lineHeight;
        DrawCell(surface, page.columnStarts[0], y, lines[line][0]);
        DrawCell(surface, page.columnStarts[kSummaryValueColumn], y, lines[line][1]);
    }
}

}  // namespace

void DrawPrintout(PrintSurface& surface, const PrinterMetrics& metrics,
                  const PrintoutTexts& texts) {
    const PrintingScope scope;
    const int textHeight = surface.TextHeight(PrintFont::kRegular, "Tq");
    const PageGeometry page = ComputePageGeometry(metrics, textHeight);

    surface.BeginDocument();
    surface.SetFont(PrintFont::kRegular);
    DrawSummary(surface, page, texts);

    // The summary is taken to fit on page 1; only table rows are tested against the bottom, each
    // one after it is drawn, the last included.
    int y = page.y0 + kTableFirstLine * page.lineHeight;
    bool header = true;
    for (const PrintRow& row : texts.rows) {
        surface.SetFont(header ? PrintFont::kHeader : PrintFont::kRegular);
        header = false;
        for (int column = 0; column < kPrintColumns; ++column) {
            DrawCell(surface, page.columnStarts[column], y, row[column]);
        }
        y += page.lineHeight;
        if (y >= page.bottomLimit) {
            surface.NewPage();
            y = page.y0;
        }
    }
    surface.EndDocument();
}

bool IsPrinting() {
    return printing;
}

}  // namespace print
