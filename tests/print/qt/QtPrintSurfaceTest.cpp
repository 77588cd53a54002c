#include "print/qt/QtPrintSurface.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "RecordingSurface.h"
#include "print/Printout.h"
#include "print/qt/DefaultPrinter.h"
#include "print/qt/PrintJob.h"
#include "text/Exceptions.h"

namespace print::qt {
namespace {

constexpr int kResolution = 600;

// A word as pdftotext finds it, in points from the paper's top-left.
struct PdfWord {
    int page;
    double xMin, yMin, xMax;
    std::string text;
};

QByteArray RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed";
        return {};
    }
    return process.readAllStandardOutput();
}

QStringList Words(const QString& text) {
    QString plain = text;
    plain.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
    return plain.split(' ', Qt::SkipEmptyParts);
}

std::vector<PdfWord> ReadWords(const QString& pdf) {
    static const QRegularExpression item(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
    const QString html = QString::fromUtf8(RunTool("pdftotext", {"-bbox", pdf, "-"}));
    std::vector<PdfWord> words;
    int page = 0;
    for (auto match = item.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        if (found.captured(0) == "<page ") {
            ++page;
        } else {
            words.push_back({page, found.captured(1).toDouble(), found.captured(2).toDouble(),
                             found.captured(3).toDouble(),
                             Words(found.captured(4)).join(' ').toStdString()});
        }
    }
    return words;
}

// The words that pdftohtml marks bold, that is set in a bold font, in reading order.
QStringList BoldWords(const QString& pdf) {
    static const QRegularExpression bold("<b>([^<]*)</b>");
    const QString xml =
        QString::fromUtf8(RunTool("pdftohtml", {"-xml", "-i", "-q", "-stdout", pdf}));
    QStringList words;
    for (auto match = bold.globalMatch(xml); match.hasNext();) {
        words += Words(match.next().captured(1));
    }
    return words;
}

// Whether a pixel row of the area (printer pixels from the paper's top-left) is at least nine
// tenths dark, as pdftoppm renders it at the printer's resolution.
bool HasDarkRow(const QString& pdf, int page, const QRect& area) {
    const QString p = QString::number(page);
    const QByteArray image = RunTool(
        "pdftoppm", {"-r", QString::number(kResolution), "-gray", "-f", p, "-l", p, "-x",
                     QString::number(area.x()), "-y", QString::number(area.y()), "-W",
                     QString::number(area.width()), "-H", QString::number(area.height()), pdf});
    // A binary PGM: a short text head, then one byte a pixel.
    const qsizetype pixels = static_cast<qsizetype>(area.width()) * area.height();
    EXPECT_TRUE(image.startsWith("P5") && image.size() > pixels);
    const QByteArray raster = image.right(pixels);
    for (int row = 0; row < area.height(); ++row) {
        const auto line = raster.begin() + row * area.width();
        const auto dark = std::count_if(line, line + area.width(),
                                        [](char pixel) { return static_cast<uchar>(pixel) < 128; });
        if (dark >= area.width() * 9 / 10) {
            return true;
        }
    }
    return false;
}

PrintoutTexts Loan(int payments) {
    PrintoutTexts texts;
    texts.principal = "100000";
    texts.rate = "6";
    texts.term = "30";
    texts.payment = "$599.55";
    texts.totalPayments = "$215,838.19";
    texts.totalInterest = "$115,838.19";
    texts.interestSaved = "$0.00";
    texts.rows.push_back(
        {"Pay. #", "Date", "Interest Pmt.", "Principal Pmt.", "Extra Pmt.", "Remaining"});
    for (int payment = 1; payment <= payments; ++payment) {
        const std::string n = std::to_string(payment);
        texts.rows.push_back({n, "Mar " + n + ", 2024", "$" + n + "00.00", "$99." + n,
                              payment % 7 == 0 ? "$1,000.00" : "", "$9" + n + ",900.45"});
    }
    return texts;
}

class QtPrintSurfaceTest : public testing::Test {
  protected:
    // A PDF printer at the worked resolution on Letter paper with quarter-inch margins.
    void MakePdfPrinter(QPrinter& printer, const QString& name) const {
        ASSERT_TRUE(folder_.isValid());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder_.filePath(name));
        printer.setResolution(kResolution);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
    }

    QTemporaryDir folder_;
};

TEST_F(QtPrintSurfaceTest, MetricsAndFont) {
    QPrinter printer(QPrinter::HighResolution);
    MakePdfPrinter(printer, "metrics.pdf");
    const QtPrintSurface surface(printer);
    const PrinterMetrics metrics = surface.Metrics();
    EXPECT_EQ(metrics.dpiX, 600);
    EXPECT_EQ(metrics.dpiY, 600);
    EXPECT_EQ(metrics.pageWidth, 4800);   // 8.5 in less two quarter-inch margins
    EXPECT_EQ(metrics.pageHeight, 6300);  // 11 in likewise

    // fontconfig stands Liberation Sans, of the same widths, in for a missing Arial; any other
    // face would move every text on the page.
    const QFontInfo regular(surface.Font(PrintFont::kRegular));
    EXPECT_TRUE(regular.family() == "Arial" || regular.family() == "Liberation Sans")
        << regular.family().toStdString();
    EXPECT_EQ(regular.pixelSize(), 83);  // 10 × 600 / 72
    EXPECT_TRUE(QFontInfo(surface.Font(PrintFont::kHeader)).bold());
}

// A real job read back from the PDF: every text on its page where the layout put it, turned back
// into printer pixels; the header's words, and only they, bold and underlined.
TEST_F(QtPrintSurfaceTest, PdfHoldsEveryTextAtItsPosition) {
    const PrintoutTexts texts = Loan(70);
    QPrinter printer(QPrinter::HighResolution);
    MakePdfPrinter(printer, "job.pdf");
    const QPoint origin = printer.pageLayout().paintRectPixels(kResolution).topLeft();
    QtPrintSurface measuring(printer);
    const int textHeight = measuring.TextHeight(PrintFont::kRegular, "Tq");
    RecordingSurface expected(textHeight);
    DrawPrintout(expected, measuring.Metrics(), texts);

    RunPrintJob(printer, texts);
    const QString pdf = printer.outputFileName();
    const std::vector<PdfWord> words = ReadWords(pdf);

    ASSERT_EQ(expected.Calls().back().page, 2);
    qsizetype expectedWords = 0;
    for (const SurfaceCall& draw : expected.Draws()) {
        const QStringList parts = Words(QString::fromStdString(draw.text));
        expectedWords += parts.size();
        const auto found = std::find_if(words.begin(), words.end(), [&](const PdfWord& word) {
            const double x = word.xMin * kResolution / 72 - origin.x();
            const double y = word.yMin * kResolution / 72 - origin.y();
            return word.page == draw.page && word.text == parts.front().toStdString() &&
                   std::abs(x - draw.x) <= 1 && std::abs(y - draw.y) <= 1;
        });
        ASSERT_NE(found, words.end())
            << draw.text << " on page " << draw.page << " at " << draw.x << ", " << draw.y;
        // Underlining is a dark band across the text between its baseline and its cell's foot.
        const int baseline = draw.y + QFontMetrics(measuring.Font(draw.font), &printer).ascent();
        const QRect below(origin.x() + draw.x, origin.y() + baseline + 2,
                          static_cast<int>((found->xMax - found->xMin) * kResolution / 72),
                          draw.y + textHeight - baseline - 2);
        if (draw.text == "Date" || draw.text == "Rate:") {
            EXPECT_EQ(HasDarkRow(pdf, draw.page, below), draw.font == PrintFont::kHeader)
                << draw.text;
        }
    }
    EXPECT_EQ(static_cast<qsizetype>(words.size()), expectedWords);
    EXPECT_EQ(BoldWords(pdf).join(' '),
              "Pay. # Date Interest Pmt. Principal Pmt. Extra Pmt. Remaining");
}

// Events are handled between pages; a Print confirmed then is refused and the job carries on.
TEST_F(QtPrintSurfaceTest, JobBegunBetweenPagesIsRefused) {
    const PrintoutTexts texts = Loan(90);
    QPrinter printer(QPrinter::HighResolution);
    MakePdfPrinter(printer, "first.pdf");
    QPrinter second(QPrinter::HighResolution);
    MakePdfPrinter(second, "second.pdf");

    std::string refusal;
    QTimer::singleShot(0, [&] {
        try {
            RunPrintJob(second, texts);
        } catch (const text::EPrinter& error) {
            refusal = error.Message();
        }
    });
    RunPrintJob(printer, texts);

    EXPECT_EQ(refusal, "Printing in progress");
    EXPECT_FALSE(QFile::exists(second.outputFileName()));
    EXPECT_EQ(ReadWords(printer.outputFileName()).back().text, "$990,900.45");
    RunPrintJob(second, texts);
    EXPECT_TRUE(QFile::exists(second.outputFileName()));
}

TEST_F(QtPrintSurfaceTest, PrinterThatCannotBeginFailsTheCommand) {
    QPrinter printer(QPrinter::HighResolution);
    MakePdfPrinter(printer, "missing-folder/job.pdf");
    try {
        RunPrintJob(printer, Loan(3));
        ADD_FAILURE() << "no error";
    } catch (const text::EPrinter& error) {
        EXPECT_EQ(error.Message(), "The printer could not begin the document");
    }
    EXPECT_FALSE(IsPrinting());
}

std::string Texts(const std::vector<JobOption>& options) {
    std::string texts;
    for (const JobOption& option : options) {
        texts += option.name + "=" + option.value + " ";
    }
    return texts;
}

// What the dialog chose reaches the job in the printing service's names; a choice of pages that
// Qt keeps for the service never does, for the printout is printed whole. (Sides other than one
// are a native printer's, which this machine has none of.)
TEST(JobOptions, CarryTheDialogsChoicesButNoChoiceOfPages) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    EXPECT_EQ(Texts(JobOptionsOf(printer, {})), "media=Letter sides=one-sided ");

    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
    printer.setCopyCount(3);
    printer.setCollateCopies(true);
    const QStringList chosen{"page-ranges", "1-1", "job-priority", "80",
                             "page-set",    "odd", "Resolution",   "600dpi"};
    EXPECT_EQ(Texts(JobOptionsOf(printer, chosen)),
              "media=A4 copies=3 Collate=True sides=one-sided landscape= job-priority=80 "
              "Resolution=600dpi ");
}

// main points the printing service at nowhere, so this machine has no default printer.
TEST(DefaultPrinter, NoneFailsBeforeTheDialog) {
    try {
        RequireDefaultPrinter();
        ADD_FAILURE() << "no error";
    } catch (const text::EPrinter& error) {
        EXPECT_EQ(error.Message(), "There is no default printer currently selected");
    }
}

}  // namespace
}  // namespace print::qt

int main(int argc, char** argv) {
    // PDF output needs no print service; keep the machine's own queues out of the tests.
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    const QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
