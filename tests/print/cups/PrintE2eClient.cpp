// The real window printing through whatever printing service CUPS_SERVER names, for
// print_e2e.sh:
//   print_e2e_client print EXPECTED   types a loan, calculates, confirms Print on the default
//                                     printer, and writes where every text must stand
//   print_e2e_client check EXPECTED JOB
//                                     finds the PDF inside the job's file and checks every text
//                                     against EXPECTED
//   print_e2e_client refused COMMAND…  confirms Print after running COMMAND (the dialog is open
//                                     meanwhile) and prints the one error box that must follow
//   print_e2e_client paper JOB OUT     prints twice through the real print dialog, choosing two
//                                     copies and A4 under Properties the first time only; copies
//                                     each job's file, once printed, to OUT-1 and OUT-2
#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QComboBox>
#include <QFile>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "RecordingSurface.h"
#include "WindowState.h"
#include "print/Printout.h"
#include "print/qt/QtPrintSurface.h"
#include "ui/Boxes.h"
#include "ui/Dialogs.h"
#include "ui/Mortgage.h"
#include "ui/QtDialogs.h"
#include "ui/StartUp.h"

namespace {

constexpr double kPointsPerInch = 72;

void Complain(const QString& message) {
    std::fprintf(stderr, "print_e2e_client: %s\n", qPrintable(message));
}

// Unless a run expects one, any box the window shows is a failure of the run.
class ReportingBoxes final : public ui::Boxes {
  public:
    void ShowInfoBox(const QString& message) override { Fail(message); }
    void ShowErrorBox(const QString& title, const QString& text) override {
        errors.append(text);
        Fail(title + QStringLiteral(": ") + text);
    }
    bool failed = false;
    bool quiet = false;
    QStringList errors;

  private:
    void Fail(const QString& message) {
        if (!quiet) {
            Complain(QStringLiteral("the window showed ") + message);
        }
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
        if (whileOpen) {
            whileOpen();
        }
        return true;
    }
    QPrinter* chosen = nullptr;
    std::function<void()> whileOpen;
};

// The window with the loan of every run typed and calculated.
void TypeAndCalculate(ui::TfrmMortMain& window) {
    ui::testing::TypeLoan(window, QStringLiteral("100000"), QStringLiteral("6"),
                          QStringLiteral("30"));
    window.Button1Click();
}

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
    TypeAndCalculate(window);
    window.Print1Click();
    if (boxes.failed || dialogs.chosen == nullptr) {
        Complain(QStringLiteral("nothing was printed"));
        return 1;
    }
    return WriteExpected(expectedPath, *dialogs.chosen, window.TextsToPrint()) ? 0 : 1;
}

// Something happens to the printing service while the dialog is open; the job that follows must
// end in the error box, and the window must go on working.
int Refused(const QStringList& command) {
    ReportingBoxes boxes;
    boxes.quiet = true;
    ConfirmingDialogs dialogs;
    dialogs.whileOpen = [&command] {
        if (!command.isEmpty() && QProcess::execute(command.front(), command.mid(1)) != 0) {
            Complain(QStringLiteral("the command failed: ") + command.join(QLatin1Char(' ')));
        }
    };
    ui::TfrmMortMain window(boxes, dialogs);
    TypeAndCalculate(window);
    window.Print1Click();
    for (const QString& error : boxes.errors) {
        std::printf("error box: %s\n", qPrintable(error));
    }
    const bool usable = window.Button1Click() && !print::IsPrinting();
    if (boxes.errors.size() != 1 || !usable) {
        Complain(QStringLiteral("one error box and a usable window expected"));
        return 1;
    }
    return 0;
}

// Until the printing service has no job left to print.
void WaitForQueue() {
    for (;;) {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"),
                     {QStringLiteral("-W"), QStringLiteral("not-completed"), QStringLiteral("-o")});
        lpstat.waitForFinished(-1);
        if (lpstat.readAllStandardOutput().trimmed().isEmpty()) {
            return;
        }
        QThread::msleep(200);
    }
}

// Answers the real print dialog as a person would: each step waits for its box to be on top,
// acts on it by the names of its controls, and reports what it missed; after a miss it cancels
// every box, so that the run ends.
class DialogPerson {
  public:
    using Step = std::function<void(QWidget& box)>;

    DialogPerson() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Act(); });
        timer_.start(50);
    }

    // A step for the print dialog, or with properties true for its printer's Properties.
    void Then(bool properties, Step step) { steps_.push_back({properties, std::move(step)}); }
    bool Done() const { return steps_.empty(); }

    bool failed = false;
    void Miss(const QString& what) {
        Complain(what);
        failed = true;
    }

    // Shows the options, checks that no choice of pages is among them, and confirms.
    void ConfirmOfferingNoPageRange(QWidget& box) {
        auto* const copies = box.findChild<QWidget*>(QStringLiteral("copies"));
        if (copies != nullptr && !copies->isVisible()) {
            for (auto* const button : box.findChildren<QAbstractButton*>()) {
                if (button->text().contains(QStringLiteral("Options"))) {
                    button->click();
                }
            }
        }
        if (copies == nullptr || !copies->isVisible()) {
            Miss(QStringLiteral("the dialog's options do not show the copies"));
        }
        for (const char* name : {"gbPrintRange", "printRange", "pagesRadioButton", "pageSetCombo",
                                 "printSelection", "printCurrentPage"}) {
            auto* const choice = box.findChild<QWidget*>(QString::fromLatin1(name));
            if (choice != nullptr && choice->isVisible()) {
                Miss(QStringLiteral("the dialog offers %1").arg(QString::fromLatin1(name)));
            }
        }
        static_cast<QDialog&>(box).accept();
    }

  private:
    void Act() {
        QWidget* const top = QApplication::activeModalWidget();
        if (failed && qobject_cast<QDialog*>(top) != nullptr) {
            static_cast<QDialog*>(top)->reject();
        }
        if (failed || steps_.empty() || top == nullptr) {
            return;
        }
        const bool properties = top->inherits("QPrintPropertiesDialog");
        if (properties != steps_.front().first ||
            (!properties && qobject_cast<QPrintDialog*>(top) == nullptr)) {
            return;
        }
        const Step step = steps_.front().second;
        steps_.pop_front();
        step(*top);
    }

    QTimer timer_;
    std::deque<std::pair<bool, Step>> steps_;
};

// Two copies and A4 under Properties chosen at the first Print only; both jobs must come out so,
// and the dialog must offer no choice of pages either time.
int Paper(const QString& jobPath, const QString& outPrefix) {
    ReportingBoxes boxes;
    ui::QtDialogs dialogs;
    ui::TfrmMortMain window(boxes, dialogs);
    TypeAndCalculate(window);

    DialogPerson person;
    person.Then(false, [&person](QWidget& box) {
        auto* const copies = box.findChild<QSpinBox*>(QStringLiteral("copies"));
        if (copies == nullptr) {
            person.Miss(QStringLiteral("the dialog offers no copies"));
        } else {
            copies->setValue(2);
        }
        auto* const properties = box.findChild<QAbstractButton*>(QStringLiteral("properties"));
        if (properties == nullptr) {
            person.Miss(QStringLiteral("the dialog offers no Properties"));
            return;
        }
        // Queued: the Properties box runs a loop of its own, in which the next step acts.
        QMetaObject::invokeMethod(properties, "click", Qt::QueuedConnection);
    });
    person.Then(true, [&person](QWidget& box) {
        auto* const paper = box.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
        const int a4 = paper == nullptr ? -1 : paper->findText(QStringLiteral("A4"));
        if (a4 < 0 || paper->currentIndex() == a4) {
            person.Miss(QStringLiteral("Properties offers no A4 to change to"));
        } else {
            paper->setCurrentIndex(a4);
        }
        static_cast<QDialog&>(box).accept();
    });
    person.Then(false, [&person](QWidget& box) { person.ConfirmOfferingNoPageRange(box); });
    person.Then(false, [&person](QWidget& box) { person.ConfirmOfferingNoPageRange(box); });

    for (int job = 1; job <= 2; ++job) {
        window.Print1Click();
        WaitForQueue();
        const QString copy = outPrefix + QLatin1Char('-') + QString::number(job);
        QFile::remove(copy);
        if (!QFile::copy(jobPath, copy)) {
            person.Miss(QStringLiteral("job %1 wrote no file").arg(job));
        }
    }
    if (!person.Done()) {
        person.Miss(QStringLiteral("the print dialog was not shown every time"));
    }
    return person.failed || boxes.failed ? 1 : 0;
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
    if (arguments.size() >= 2 && arguments.at(1) == QStringLiteral("refused")) {
        return Refused(arguments.mid(2));
    }
    if (arguments.size() == 4 && arguments.at(1) == QStringLiteral("paper")) {
        return Paper(arguments.at(2), arguments.at(3));
    }
    Complain(
        QStringLiteral("usage: print_e2e_client print EXPECTED | check EXPECTED JOB | "
                       "refused COMMAND… | paper JOB OUT"));
    return 2;
}
