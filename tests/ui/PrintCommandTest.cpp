// The Print command driven from the window: its dialog answered at once onto a PDF printer, the
// job read back from the PDF, and the two refusals.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <tuple>
#include <vector>

#include "Recorders.h"
#include "WindowState.h"
#include "loan/ScheduleGrid.h"
#include "print/Printout.h"
#include "ui/Mortgage.h"
#include "ui/PrintCommand.h"
#include "ui/StartUp.h"

namespace ui {

using testing::Find;
using testing::RecordingBoxes;

namespace {

constexpr double kPointsPerInch = 72;
constexpr double kMarginInches = 0.25;

// The print dialog as a person answers it: each confirm points the printer at the next queued PDF
// file on Letter paper with quarter-inch margins; with none queued the person cancels.
class PdfPrintDialogs final : public Dialogs {
  public:
    struct Shown {
        const QPrinter* printer;
        QString outputFileName;  // as the dialog found it
        bool whilePrinting;
    };

    bool ExecuteOpen(QWidget*, FileDialogSettings&) override { return false; }
    bool ExecuteSave(QWidget*, FileDialogSettings&) override { return false; }
    bool ExecutePrint(QWidget*, QPrinter& printer) override {
        shown.push_back({&printer, printer.outputFileName(), print::IsPrinting()});
        if (onShow) {
            onShow(shown.size());
        }
        if (outputs.empty()) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputs.front());
        outputs.pop_front();
        printer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                        QMarginsF(kMarginInches, kMarginInches, kMarginInches, kMarginInches),
                        QPageLayout::Inch));
        return true;
    }

    std::deque<QString> outputs;
    std::vector<Shown> shown;
    // Runs inside the dialog, with the number of dialogs shown so far.
    std::function<void(std::size_t)> onShow;
};

// One printed line as pdftotext finds it: its words joined by single spaces.
struct PrintedLine {
    int page;
    double top;  // points from the top of the paper
    QString text;
};

QStringList WordsOf(const QString& text) {
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The words of the PDF gathered into lines: same page and same top, read left to right (the
// printout draws a column at a time, so the file holds them in another order).
std::vector<PrintedLine> ReadLines(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(-1) || pdftotext.exitCode() != 0) {
        qWarning("pdftotext failed on %s", qPrintable(pdf));
        return {};
    }
    static const QRegularExpression item(
        QStringLiteral(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    struct Word {
        int page;
        double top;
        double left;
        QString text;
    };
    std::vector<Word> words;
    int page = 0;
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (auto match = item.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        if (found.captured(0) == QStringLiteral("<page ")) {
            ++page;
            continue;
        }
        QString text = found.captured(3);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.push_back({page, found.captured(2).toDouble(), found.captured(1).toDouble(), text});
    }
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        return std::tie(a.page, a.top, a.left) < std::tie(b.page, b.top, b.left);
    });
    std::vector<PrintedLine> lines;
    for (const Word& word : words) {
        if (!lines.empty() && lines.back().page == word.page &&
            std::abs(lines.back().top - word.top) < 1) {
            lines.back().text += QLatin1Char(' ') + word.text;
        } else {
            lines.push_back({word.page, word.top, word.text});
        }
    }
    return lines;
}

QString Line(const QStringList& cells) {
    QStringList words;
    for (const QString& cell : cells) {
        words += WordsOf(cell);
    }
    return words.join(QLatin1Char(' '));
}

// What the window shows, in the printout's order: the summary, then every shown grid row that
// has any text.
QStringList ShownLines(const TfrmMortMain& window) {
    const testing::Controls shown(window);
    QStringList lines{
        Line({QStringLiteral("Principal:"), shown.edPrincipal->text()}),
        Line({QStringLiteral("Rate:"), shown.edRate->text()}),
        Line({QStringLiteral("Term:"), shown.edTerm->text()}),
        Line({QStringLiteral("Payment:"), shown.lbPayment->text()}),
        Line({QStringLiteral("Total Payments:"), shown.lbTotalPayments->text()}),
        Line({QStringLiteral("Total Interest:"), shown.lbInterest->text()}),
        Line({QStringLiteral("Interest Saved:"), shown.lbIntSaved->text()}),
    };
    const loan::ScheduleGrid& grid = window.Grid();
    for (int row = 0; row < grid.RowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < loan::ScheduleGrid::kColumnCount; ++column) {
            cells.append(QString::fromStdString(grid.Cell(row, column)));
        }
        const QString line = Line(cells);
        if (!line.isEmpty()) {
            lines.append(line);
        }
    }
    return lines;
}

QStringList Texts(const std::vector<PrintedLine>& lines) {
    QStringList texts;
    for (const PrintedLine& line : lines) {
        texts.append(line.text);
    }
    return texts;
}

}  // namespace

class PrintCommandTest : public QObject {
    Q_OBJECT

  private:
    RecordingBoxes boxes_;
    std::unique_ptr<PdfPrintDialogs> dialogs_;
    std::unique_ptr<TfrmMortMain> window_;
    std::unique_ptr<QTemporaryDir> folder_;

    // A window on a machine with a printer: the dialog's PDF printers stand in for it.
    TfrmMortMain& WindowWithPrinter() {
        window_->printCommand().SetPrinterCheck([] {});
        return *window_;
    }

    void Calculate(const QString& principal, const QString& rate, const QString& term) {
        const testing::Controls controls(*window_);
        controls.edPrincipal->setText(principal);
        controls.edRate->setText(rate);
        controls.edTerm->setText(term);
        QVERIFY(window_->Button1Click());
    }

    QString Output(const QString& name) const { return folder_->filePath(name); }

  private slots:
    void initTestCase() { PrepareApplication(); }

    void init() {
        boxes_.Clear();
        dialogs_ = std::make_unique<PdfPrintDialogs>();
        // The default pattern would take the application title, slash and all, for a folder.
        folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                  QStringLiteral("/print-command-XXXXXX"));
        QVERIFY(folder_->isValid());
        window_ = std::make_unique<TfrmMortMain>(boxes_, *dialogs_);
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
    }

    // The summary as typed and shown, then exactly the grid's shown rows, paged from the top
    // margin on every later page.
    void printsTheShownTexts_data() {
        QTest::addColumn<QStringList>("loans");  // calculated in turn, "principal rate term"
        QTest::addColumn<int>("tableLines");
        QTest::addColumn<bool>("severalPages");
        QTest::newRow("right after start: the header and an empty row")
            << QStringList() << 1 << false;
        QTest::newRow("one year after thirty: the hidden rows stay off the paper")
            << QStringList{"100000 6 30", "100000 6 1"} << 13 << false;
        QTest::newRow("thirty years over several pages")
            << QStringList{"100000 6 30"} << 361 << true;
    }
    void printsTheShownTexts() {
        QFETCH(QStringList, loans);
        QFETCH(int, tableLines);
        QFETCH(bool, severalPages);
        TfrmMortMain& window = WindowWithPrinter();
        for (const QString& loan : loans) {
            const QStringList inputs = loan.split(QLatin1Char(' '));
            Calculate(inputs.at(0), inputs.at(1), inputs.at(2));
        }
        dialogs_->outputs = {Output(QStringLiteral("loan.pdf"))};

        Find<QToolButton>(window, "btPrint")->click();

        QCOMPARE(boxes_.errors, QStringList());
        QCOMPARE(dialogs_->shown.size(), std::size_t{1});
        const std::vector<PrintedLine> printed = ReadLines(Output(QStringLiteral("loan.pdf")));
        const QStringList expected = ShownLines(window);
        QCOMPARE(expected.size(), qsizetype{7} + tableLines);
        QCOMPARE(Texts(printed), expected);
        QCOMPARE(printed.front().text,
                 QStringLiteral("Principal:") +
                     (loans.isEmpty() ? QString() : QStringLiteral(" 100000")));
        QCOMPARE(printed.back().page > 1, severalPages);
        const double topMargin = (kMarginInches + 1) * kPointsPerInch;
        for (std::size_t i = 1; i < printed.size(); ++i) {
            if (printed[i].page != printed[i - 1].page) {
                QCOMPARE(printed[i].page, printed[i - 1].page + 1);
                QVERIFY2(std::abs(printed[i].top - topMargin) < 0.5, qPrintable(printed[i].text));
            }
        }
    }

    void cancelPrintsNothing() {
        TfrmMortMain& window = WindowWithPrinter();
        Calculate(QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("30"));
        Find<QAction>(window, "Print1")->trigger();
        QCOMPARE(dialogs_->shown.size(), std::size_t{1});
        QCOMPARE(boxes_.errors, QStringList());
        QCOMPARE(boxes_.infos, QStringList());
        QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), QStringList());
    }

    // main points the printing service at nowhere, so this machine has no default printer.
    void noDefaultPrinterFailsBeforeTheDialog_data() {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("menu item") << true;
        QTest::newRow("tool button") << false;
    }
    void noDefaultPrinterFailsBeforeTheDialog() {
        QFETCH(bool, fromMenu);
        dialogs_->outputs = {Output(QStringLiteral("loan.pdf"))};
        if (fromMenu) {
            Find<QAction>(*window_, "Print1")->trigger();
        } else {
            Find<QToolButton>(*window_, "btPrint")->click();
        }
        QCOMPARE(boxes_.errors,
                 QStringList{QStringLiteral("There is no default printer currently selected.")});
        QCOMPARE(boxes_.errorTitles, QStringList{QString::fromLatin1(kApplicationTitle)});
        QVERIFY(dialogs_->shown.empty());
        QVERIFY(!QFile::exists(Output(QStringLiteral("loan.pdf"))));
    }

    // A second Print clicked while the first job's pages spool shows its dialog on a printer of
    // its own and is refused on confirm; the first job carries on to its last row. The printer
    // chosen before comes back to the next dialog, and prints the same loan the same way.
    void printConfirmedWhileAJobRunsIsRefused() {
        TfrmMortMain& window = WindowWithPrinter();
        Calculate(QStringLiteral("100000"), QStringLiteral("6"), QStringLiteral("30"));
        const QString first = Output(QStringLiteral("first.pdf"));
        const QString second = Output(QStringLiteral("second.pdf"));
        const QString third = Output(QStringLiteral("third.pdf"));
        dialogs_->outputs = {first, second};
        dialogs_->onShow = [&window](std::size_t shown) {
            if (shown == 1) {
                // Handled between the first job's pages.
                QTimer::singleShot(0, Find<QToolButton>(window, "btPrint"), &QToolButton::click);
            }
        };

        window.Print1Click();

        QCOMPARE(boxes_.errors, QStringList{QStringLiteral("Printing in progress.")});
        QCOMPARE(dialogs_->shown.size(), std::size_t{2});
        QVERIFY(!dialogs_->shown[0].whilePrinting);
        QVERIFY(dialogs_->shown[1].whilePrinting);
        QVERIFY(dialogs_->shown[1].printer != dialogs_->shown[0].printer);
        QVERIFY(!QFile::exists(second));
        const QStringList expected = ShownLines(window);
        QCOMPARE(Texts(ReadLines(first)), expected);
        QVERIFY(!print::IsPrinting());

        boxes_.Clear();
        dialogs_->outputs = {third};
        window.Print1Click();
        QCOMPARE(boxes_.errors, QStringList());
        QCOMPARE(dialogs_->shown.size(), std::size_t{3});
        QCOMPARE(dialogs_->shown[2].printer, dialogs_->shown[0].printer);
        QCOMPARE(dialogs_->shown[2].outputFileName, first);
        const std::vector<PrintedLine> again = ReadLines(third);
        const std::vector<PrintedLine> before = ReadLines(first);
        QCOMPARE(Texts(again), expected);
        QCOMPARE(again.size(), before.size());
        for (std::size_t i = 0; i < again.size(); ++i) {
            QCOMPARE(again[i].page, before[i].page);
            QCOMPARE(again[i].top, before[i].top);
        }
    }
};

}  // namespace ui

int main(int argc, char** argv) {
    // PDF printers need no printing service; the machine's own queues stay out of the tests.
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    const QApplication application(argc, argv);
    ui::PrintCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PrintCommandTest.moc"
