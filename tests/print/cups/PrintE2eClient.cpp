// The real window printing through whatever printing service CUPS_SERVER names, for
// print_e2e.sh, in two steps:
//   print_e2e_client print EXPECTED   types a loan, calculates, confirms Print on the default
//                                     printer, and writes where every text must stand
//   print_e2e_client check EXPECTED JOB
//                                     finds the PDF inside the job's file and checks every text
//                                     against EXPECTED
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "RecordingSurface.h"
#include "WindowState.h"
#include "print/Printout.h"
#include "print/qt/QtPrintSurface.h"
#include "ui/Boxes.h"
#include "ui/Dialogs.h"
#include "ui/Mortgage.h"
#include "ui/StartUp.h"

namespace {

constexpr double kPointsPerInch = 72;

void Complain(const QString& message) {
    std::fprintf(stderr, "print_e2e_client: %s\n", qPrintable(message));
}

// Any box the window shows is a failure of the run.
class ReportingBoxes final : public ui::Boxes {
  public:
    void ShowInfoBox(const QString& message) override { Fail(message); }
    void ShowErrorBox(const QString& title, const QString& text) override {
        Fail(title + QStringLiteral(": ") + text);
    }
    bool failed = false;

  private:
    void Fail(const QString& message) {
        Complain(QStringLiteral("the window showed ") + message);
        failed = true;
    }
};

// The person confirms the print dialog at once, on the printer it offers: the default one.
class ConfirmingDialogs final : public ui::Dialogs {
  public:
    bool ExecuteOpen(QWidget*, ui::FileDialogSettings&) override { return false; }
    bool ExecuteSave(QWidget*, ui::FileDialogSettings&) override { return false; }
    bool ExecutePrint(QWidget*, QPrinter& printer) override {
        chosen = &printer;
        return true;
    }
    QPrinter* chosen = nullptr;
};

// EXPECTED: "dpiX dpiY originX originY pages", then one "page x y text" line a drawn text, all
// in printer pixels; the origin is the printable area's top-left on the paper.
bool WriteExpected(const QString& path, QPrinter& printer, const print::PrintoutTexts& texts) {
    print::qt::QtPrintSurface measuring(printer);
    const print::PrinterMetrics metrics = measuring.Metrics();
    print::RecordingSurface layout(measuring.TextHeight(print::PrintFont::kRegular, "Tq"));
    print::DrawPrintout(layout, metrics, texts);
    const QPoint origin = printer.pageLayout().paintRectPixels(printer.resolution()).topLeft();

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        Complain(QStringLiteral("cannot write ") + path);
        return false;
    }
    QTextStream out(&file);
    out << metrics.dpiX << ' ' << metrics.dpiY << ' ' << origin.x() << ' ' << origin.y() << ' '
        << layout.Calls().back().page << '\n';
    for (const print::SurfaceCall& draw : layout.Draws()) {
        out << draw.page << ' ' << draw.x << ' ' << draw.y << ' '
            << QString::fromStdString(draw.text) << '\n';
    }
    std::printf("printer %s: %d x %d dpi, printable %d x %d from (%d, %d), %d pages\n",
                qPrintable(printer.printerName()), metrics.dpiX, metrics.dpiY, metrics.pageWidth,
                metrics.pageHeight, origin.x(), origin.y(), layout.Calls().back().page);
    return true;
}

int Print(const QString& expectedPath) {
    ReportingBoxes boxes;
    ConfirmingDialogs dialogs;
    ui::TfrmMortMain window(boxes, dialogs);
    ui::testing::TypeLoan(window, QStringLiteral("100000"), QStringLiteral("6"),
                          QStringLiteral("30"));
    window.Button1Click();
    window.Print1Click();
    if (boxes.failed || dialogs.chosen == nullptr) {
        Complain(QStringLiteral("nothing was printed"));
        return 1;
    }
    return WriteExpected(expectedPath, *dialogs.chosen, window.TextsToPrint()) ? 0 : 1;
}

struct PdfWord {
    int page;
    double left;
    double top;
    QString text;
};

// The printer's control lines wrap the document: it runs from "%PDF" to the last "%%EOF".
bool CutPdf(const QString& jobPath, const QString& pdfPath) {
    QFile job(jobPath);
    if (!job.open(QIODevice::ReadOnly)) {
        Complain(QStringLiteral("no job file ") + jobPath);
        return false;
    }
    const QByteArray data = job.readAll();
    const qsizetype begin = data.indexOf("%PDF");
    const qsizetype end = data.lastIndexOf("%%EOF");
    if (begin < 0 || end < begin) {
        Complain(QStringLiteral("the job file holds no PDF"));
        return false;
    }
    QFile pdf(pdfPath);
    return pdf.open(QIODevice::WriteOnly) && pdf.write(data.mid(begin, end + 5 - begin) + '\n') > 0;
}

std::vector<PdfWord> ReadWords(const QString& pdf, int& pages) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(-1) || pdftotext.exitCode() != 0) {
        Complain(QStringLiteral("pdftotext cannot read the job's PDF"));
        return {};
    }
    static const QRegularExpression item(
        QStringLiteral(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    std::vector<PdfWord> words;
    pages = 0;
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (auto match = item.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        if (found.captured(0) == QStringLiteral("<page ")) {
            ++pages;
        } else {
            QString text = found.captured(3);
            text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            words.push_back(
                {pages, found.captured(1).toDouble(), found.captured(2).toDouble(), text});
        }
    }
    return words;
}

// Every expected text's first word on its page within a printer pixel of its place, and no
// word more or less than the texts hold.
int Check(const QString& expectedPath, const QString& jobPath) {
    const QString pdf = jobPath + QStringLiteral(".pdf");
    if (!CutPdf(jobPath, pdf)) {
        return 1;
    }
    int pages = 0;
    const std::vector<PdfWord> words = ReadWords(pdf, pages);

    QFile file(expectedPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Complain(QStringLiteral("cannot read ") + expectedPath);
        return 1;
    }
    QTextStream in(&file);
    double dpiX = 0;
    double dpiY = 0;
    int originX = 0;
    int originY = 0;
    int expectedPages = 0;
    in >> dpiX >> dpiY >> originX >> originY >> expectedPages;
    in.readLine();
    int failures = 0;
    if (pages != expectedPages) {
        Complain(QStringLiteral("%1 pages printed, %2 expected").arg(pages).arg(expectedPages));
        ++failures;
    }
    qsizetype expectedWords = 0;
    int texts = 0;
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 4) {
            continue;
        }
        ++texts;
        const int page = fields.at(0).toInt();
        const double left = (originX + fields.at(1).toInt()) * kPointsPerInch / dpiX;
        const double top = (originY + fields.at(2).toInt()) * kPointsPerInch / dpiY;
        expectedWords += fields.size() - 3;
        bool found = false;
        for (const PdfWord& word : words) {
            found = found || (word.page == page && word.text == fields.at(3) &&
                              std::abs(word.left - left) * dpiX / kPointsPerInch <= 1 &&
                              std::abs(word.top - top) * dpiY / kPointsPerInch <= 1);
        }
        if (!found) {
            Complain(QStringLiteral("\"%1\" is not on page %2 at %3, %4 pt")
                         .arg(fields.mid(3).join(QLatin1Char(' ')))
                         .arg(page)
                         .arg(left)
                         .arg(top));
            ++failures;
        }
    }
    if (static_cast<qsizetype>(words.size()) != expectedWords) {
        Complain(
            QStringLiteral("%1 words printed, %2 expected").arg(words.size()).arg(expectedWords));
        ++failures;
    }
    std::printf("%d texts checked on %d pages, %d misplaced or missing\n", texts, pages, failures);
    return failures == 0 && texts > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::PrepareApplication();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 3 && arguments.at(1) == QStringLiteral("print")) {
        return Print(arguments.at(2));
    }
    if (arguments.size() == 4 && arguments.at(1) == QStringLiteral("check")) {
        return Check(arguments.at(2), arguments.at(3));
    }
    Complain(QStringLiteral("usage: print_e2e_client print EXPECTED | check EXPECTED JOB"));
    return 2;
}
