#include "print/qt/PrintJob.h"

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintEngine>

#include <cerrno>
#include <cstring>

#include "print/Printout.h"
#include "print/qt/QtPrintSurface.h"

namespace print::qt {

namespace {

// Where Qt's CUPS print engine keeps the settings chosen under Properties (its own key).
constexpr auto kChosenSettings = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The finished document before it is handed over: a file in the temporary folder that only its
// owner may read, unlinked as soon as it is made, so no other user sees the loan and nothing is
// left behind however the program ends.
class SpoolFile {
  public:
    SpoolFile() {
        QByteArray path = QFile::encodeName(QDir::tempPath() + QStringLiteral("/loan-XXXXXX"));
        descriptor_ = mkostemp(path.data(), O_CLOEXEC);
        if (descriptor_ < 0) {
            NotPrinted(std::strerror(errno));
        }
        unlink(path.constData());
    }
    ~SpoolFile() { close(descriptor_); }
    SpoolFile(const SpoolFile&) = delete;
    SpoolFile& operator=(const SpoolFile&) = delete;

    int Descriptor() const { return descriptor_; }

  private:
    int descriptor_;
};

// The pages as the chosen printer would take them: its resolution, paper and printable area.
void DrawIntoPdf(const QPrinter& printer, const PrintoutTexts& texts, int descriptor) {
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        NotPrinted(file.errorString().toStdString());
    }
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(printer.resolution());
        pdf.setPageLayout(printer.pageLayout());
        pdf.setTitle(printer.docName());
        pdf.setCreator(printer.creator());
        QtPrintSurface surface(pdf);
        DrawPrintout(surface, surface.Metrics(), texts);
    }
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        NotPrinted(file.errorString().toStdString());
    }
}

// A printer name may carry an instance after a slash; the queue is the part before it.
std::string QueueOf(const QPrinter& printer) {
    return printer.printerName().section(QLatin1Char('/'), 0, 0).toStdString();
}

std::string SidesOf(const QPrinter& printer) {
    switch (printer.duplex()) {
        case QPrinter::DuplexAuto:
            return printer.pageLayout().orientation() == QPageLayout::Portrait
                       ? "two-sided-long-edge"
                       : "two-sided-short-edge";
        case QPrinter::DuplexLongSide:
            return "two-sided-long-edge";
        case QPrinter::DuplexShortSide:
            return "two-sided-short-edge";
        case QPrinter::DuplexNone:
            break;
    }
    return "one-sided";
}

}  // namespace

void RunPrintJob(QPrinter& printer, const PrintoutTexts& texts) {
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        QtPrintSurface surface(printer);
        DrawPrintout(surface, surface.Metrics(), texts);
        return;
    }
    // Qt's own hand-over to the printing service reports success even when the service refuses
    // the job, so the document is finished here and handed over where the answer can be read.
    const SpoolFile spool;
    DrawIntoPdf(printer, texts, spool.Descriptor());
    SubmitPdfJob(QueueOf(printer), printer.docName().toStdString(), spool.Descriptor(),
                 JobOptionsOf(printer, ChosenSettingsOf(printer)));
}

QStringList ChosenSettingsOf(const QPrinter& printer) {
    return printer.printEngine()->property(kChosenSettings).toStringList();
}

std::vector<JobOption> JobOptionsOf(const QPrinter& printer, const QStringList& chosenSettings) {
    std::vector<JobOption> options{{"media", printer.pageLayout().pageSize().key().toStdString()}};
    const int copies = printer.copyCount();
    if (copies > 1) {
        options.push_back({"copies", std::to_string(copies)});
        if (printer.collateCopies()) {
            options.push_back({"Collate", "True"});
        }
    }
    options.push_back({"sides", SidesOf(printer)});
    if (printer.pageLayout().orientation() == QPageLayout::Landscape) {
        options.push_back({"landscape", ""});
    }
    for (qsizetype i = 0; i + 1 < chosenSettings.size(); i += 2) {
        const QString& name = chosenSettings.at(i);
        if (name != QStringLiteral("page-ranges") && name != QStringLiteral("page-set")) {
            options.push_back({name.toStdString(), chosenSettings.at(i + 1).toStdString()});
        }
    }
    return options;
}

}  // namespace print::qt
