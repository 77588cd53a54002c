#include "print/PageGeometry.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace print {
namespace {

struct GeometryCase {
    std::string name;
    PrinterMetrics metrics;
    int textHeight;
    int x0, y0, columnWidth, bottomLimit, lineHeight;
};

void PrintTo(const GeometryCase& c, std::ostream* out) {
    *out << c.name;
}

class PageGeometryTest : public testing::TestWithParam<GeometryCase> {};

TEST_P(PageGeometryTest, FollowsTheMetrics) {
    const GeometryCase& c = GetParam();
    const PageGeometry page = ComputePageGeometry(c.metrics, c.textHeight);
    EXPECT_EQ(page.x0, c.x0);
    EXPECT_EQ(page.y0, c.y0);
    EXPECT_EQ(page.columnWidth, c.columnWidth);
    for (int column = 0; column < kPrintColumns; ++column) {
        EXPECT_EQ(page.columnStarts[column], c.x0 + column * c.columnWidth) << column;
    }
    EXPECT_EQ(page.bottomLimit, c.bottomLimit);
    EXPECT_EQ(page.lineHeight, c.lineHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Printer, PageGeometryTest,
    testing::Values(
        GeometryCase{"WorkedFigures", {600, 600, 4800, 6360}, 94, 600, 600, 600, 5760, 118},
        // Usable widths 3603 and 3609: 600.5 and 601.5 go to the even neighbour.
        GeometryCase{"HalfWidthDown", {600, 600, 4803, 6360}, 94, 600, 600, 600, 5760, 118},
        GeometryCase{"HalfWidthUp", {600, 600, 4809, 6360}, 94, 600, 600, 602, 5760, 118},
        GeometryCase{"WidthAboveHalf", {600, 600, 4604, 6360}, 94, 600, 600, 567, 5760, 118},
        // A quarter of 90 is 22.5 (down to 22), of 93 is 23.25, of 94 is 23.5 (up to 24).
        GeometryCase{"QuarterHalfDown", {600, 600, 4800, 6360}, 90, 600, 600, 600, 5760, 112},
        GeometryCase{"QuarterBelowHalf", {600, 600, 4800, 6360}, 93, 600, 600, 600, 5760, 116},
        GeometryCase{"UnequalResolutions", {300, 600, 2400, 6360}, 94, 300, 600, 300, 5760, 118},
        // Narrower than its margins: -1.5 goes to -2, and the columns run leftwards.
        GeometryCase{"NarrowerThanMargins", {600, 600, 1191, 6360}, 94, 600, 600, -2, 5760, 118}),
    [](const testing::TestParamInfo<GeometryCase>& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace print
