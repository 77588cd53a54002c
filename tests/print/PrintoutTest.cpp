#include "print/Printout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "RecordingSurface.h"
#include "text/Exceptions.h"

namespace print {
namespace {

const PrinterMetrics kWorkedPrinter{600, 600, 4800, 6360};
constexpr int kWorkedTextHeight = 94;
const PrintRow kHeader{"Pay. #",         "Date",       "Interest Pmt.",
                       "Principal Pmt.", "Extra Pmt.", "Remaining"};

// The header and payment rows 1 to count, every cell a text of its own.
PrintoutTexts Loan(int count) {
    PrintoutTexts texts;
    texts.principal = "100000";
    texts.rate = "6";
    texts.term = "30";
    texts.payment = texts.totalPayments = texts.totalInterest = texts.interestSaved = "$0.00";
    texts.rows.push_back(kHeader);
    for (int payment = 1; payment <= count; ++payment) {
        const std::string n = std::to_string(payment);
        texts.rows.push_back({n, "date " + n, "interest " + n, "principal " + n, "", "rest " + n});
    }
    return texts;
}

// The draw of a row's date cell, unique to the row.
SurfaceCall DateDraw(const RecordingSurface& surface, const PrintRow& row) {
    for (const SurfaceCall& draw : surface.Draws()) {
        if (draw.text == row[1]) {
            return draw;
        }
    }
    ADD_FAILURE() << row[1] << " not drawn";
    return {};
}

TEST(Printout, WorkedFigures) {
    const PrintoutTexts texts = Loan(60);
    RecordingSurface surface(kWorkedTextHeight);
    DrawPrintout(surface, kWorkedPrinter, texts);
    const std::vector<SurfaceCall>& calls = surface.Calls();

    // "Tq" is measured in the regular font before the one document begins.
    EXPECT_EQ(calls.front(),
              (SurfaceCall{SurfaceCall::kMeasure, 0, PrintFont::kRegular, 0, 0, "Tq"}));
    EXPECT_EQ(calls[1].kind, SurfaceCall::kBegin);
    EXPECT_EQ(surface.Count(SurfaceCall::kBegin), 1);
    EXPECT_EQ(surface.Count(SurfaceCall::kEnd), 1);
    EXPECT_EQ(calls.back().kind, SurfaceCall::kEnd);

    // The header, bold and underlined, at y = 600 + 9 × 118 in the six columns; nothing else bold.
    std::vector<SurfaceCall> header;
    for (const SurfaceCall& draw : surface.Draws()) {
        if (draw.font == PrintFont::kHeader) {
            header.push_back(draw);
        }
    }
    ASSERT_EQ(header.size(), 6u);
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(header[column], (SurfaceCall{SurfaceCall::kDraw, 1, PrintFont::kHeader,
                                               600 * (column + 1), 1662, kHeader[column]}));
    }

    // Each row one line below the one before, or at 600 on the next page; none at 5760 or lower.
    SurfaceCall previous = header[1];
    for (size_t row = 1; row < texts.rows.size(); ++row) {
        const SurfaceCall draw = DateDraw(surface, texts.rows[row]);
        const bool nextPage = draw.page != previous.page;
        EXPECT_EQ(draw.page, previous.page + (nextPage ? 1 : 0)) << row;
        EXPECT_EQ(draw.y, nextPage ? 600 : previous.y + 118) << row;
        EXPECT_LT(draw.y, 5760) << row;
        previous = draw;
    }
    // Row 34 is page 1's last, at 5674; row 35 is the first of page 2.
    EXPECT_EQ(DateDraw(surface, texts.rows[34]).y, 5674);
    EXPECT_EQ(DateDraw(surface, texts.rows[35]).page, 2);
}

struct PageBreakCase {
    std::string name;
    int pageHeight;
    int payments;
    int pages;
    bool lastPageBlank;
};

void PrintTo(const PageBreakCase& c, std::ostream* out) {
    *out << c.name;
}

class PageBreakTest : public testing::TestWithParam<PageBreakCase> {};

// The break test follows every row, the last one included.
TEST_P(PageBreakTest, PagesAndBlankLastPage) {
    const PageBreakCase& c = GetParam();
    RecordingSurface surface(kWorkedTextHeight);
    DrawPrintout(surface, {600, 600, 4800, c.pageHeight}, Loan(c.payments));
    EXPECT_EQ(surface.Count(SurfaceCall::kNewPage), c.pages - 1);
    EXPECT_EQ(surface.Calls().back(),
              (SurfaceCall{SurfaceCall::kEnd, c.pages, PrintFont::kRegular, 0, 0, ""}));
    EXPECT_EQ(surface.Draws().back().page < c.pages, c.lastPageBlank);
}

// On the worked printer page 1 holds the header and payments 1 to 34, later pages 44 rows each.
// A page 32 pixels taller puts the bottom limit exactly on the line after payment 34.
INSTANTIATE_TEST_SUITE_P(Printer, PageBreakTest,
                         testing::Values(PageBreakCase{"OneRowShort", 6360, 33, 1, false},
                                         PageBreakCase{"LastRowPassesTheLimit", 6360, 34, 2, true},
                                         PageBreakCase{"LastRowMeetsTheLimit", 6392, 34, 2, true},
                                         PageBreakCase{"LimitOnePixelFurther", 6393, 34, 1, false},
                                         PageBreakCase{"OneRowOnPageTwo", 6360, 35, 2, false},
                                         PageBreakCase{"PageTwoFull", 6360, 78, 3, true}),
                         [](const testing::TestParamInfo<PageBreakCase>& testInfo) {
                             return testInfo.param.name;
                         });

TEST(Printout, EmptyGridAfterNew) {
    PrintoutTexts texts;
    texts.payment = texts.totalPayments = texts.totalInterest = texts.interestSaved = "$0.00";
    texts.rows = {kHeader, PrintRow{}};
    RecordingSurface surface(kWorkedTextHeight);
    DrawPrintout(surface, kWorkedPrinter, texts);

    const auto draw = [](PrintFont font, int x, int y, const char* text) {
        return SurfaceCall{SurfaceCall::kDraw, 1, font, x, y, text};
    };
    const PrintFont regular = PrintFont::kRegular;
    const PrintFont bold = PrintFont::kHeader;
    const std::vector<SurfaceCall> expected{
        draw(regular, 600, 600, "Principal:"),    draw(regular, 600, 718, "Rate:"),
        draw(regular, 600, 836, "Term:"),         draw(regular, 600, 954, "Payment:"),
        draw(regular, 1800, 954, "$0.00"),        draw(regular, 600, 1072, "Total Payments:"),
        draw(regular, 1800, 1072, "$0.00"),       draw(regular, 600, 1190, "Total Interest:"),
        draw(regular, 1800, 1190, "$0.00"),       draw(regular, 600, 1308, "Interest Saved:"),
        draw(regular, 1800, 1308, "$0.00"),       draw(bold, 600, 1662, "Pay. #"),
        draw(bold, 1200, 1662, "Date"),           draw(bold, 1800, 1662, "Interest Pmt."),
        draw(bold, 2400, 1662, "Principal Pmt."), draw(bold, 3000, 1662, "Extra Pmt."),
        draw(bold, 3600, 1662, "Remaining"),
    };
    EXPECT_EQ(surface.Draws(), expected);
    EXPECT_EQ(surface.Count(SurfaceCall::kNewPage), 0);
}

TEST(Printout, TwoPrintsInARowAreIdentical) {
    const PrintoutTexts texts = Loan(100);
    RecordingSurface first(kWorkedTextHeight);
    RecordingSurface second(kWorkedTextHeight);
    DrawPrintout(first, kWorkedPrinter, texts);
    DrawPrintout(second, kWorkedPrinter, texts);
    EXPECT_EQ(first.Calls(), second.Calls());
}

// A job begun between pages of another is refused untouched; the running one carries on, and a
// job ended by an error does not block the next.
TEST(Printout, OneJobAtATime) {
    const PrintoutTexts texts = Loan(80);
    RecordingSurface surface(kWorkedTextHeight);
    int refused = 0;
    surface.onNewPage = [&] {
        RecordingSurface other(kWorkedTextHeight);
        try {
            DrawPrintout(other, kWorkedPrinter, texts);
        } catch (const text::EPrinter& error) {
            refused += error.Message() == "Printing in progress" ? 1 : 0;
        }
        EXPECT_TRUE(other.Calls().empty());
    };
    DrawPrintout(surface, kWorkedPrinter, texts);
    EXPECT_EQ(refused, 2);
    RecordingSurface alone(kWorkedTextHeight);
    DrawPrintout(alone, kWorkedPrinter, texts);
    EXPECT_EQ(surface.Calls(), alone.Calls());

    RecordingSurface failing(kWorkedTextHeight);
    failing.onNewPage = [] { throw std::runtime_error("paper jam"); };
    EXPECT_THROW(DrawPrintout(failing, kWorkedPrinter, texts), std::runtime_error);
    EXPECT_FALSE(IsPrinting());
    RecordingSurface next(kWorkedTextHeight);
    EXPECT_NO_THROW(DrawPrintout(next, kWorkedPrinter, texts));
}

}  // namespace
}  // namespace print
