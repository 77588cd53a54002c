// New, Open, Save and Save As driven through the real window against real loan files.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "Recorders.h"
#include "WindowState.h"
#include "loan/ScheduleGrid.h"
#include "text/DateText.h"
#include "text/NumberText.h"
#include "ui/DatePicker.h"
#include "ui/Mortgage.h"
#include "ui/RadioGroup.h"
#include "ui/ScheduleTableView.h"
#include "ui/StartUp.h"

namespace ui {

using testing::Controls;
using testing::Find;
using testing::RecordingBoxes;
using testing::RecordingDialogs;
using testing::Shown;
using testing::Type;
using testing::TypeLoan;
using testing::WhatIsShown;

namespace {

const QString kLoanFilter = QStringLiteral("Tessary Loan (*.tsl)");
const QString kAllFilesFilter = QStringLiteral("All Files (*)");

struct Inputs {
    QString principal;
    QString rate;
    QString term;
    int termUnit = 0;
    QString frequency;
    double startDate = 0;
    bool operator==(const Inputs&) const = default;
};

Inputs InputsShown(const TfrmMortMain& window) {
    const Controls shown(window);
    return {shown.edPrincipal->text(),
            shown.edRate->text(),
            shown.edTerm->text(),
            shown.rgTerm->ItemIndex(),
            shown.cbSchedule->currentText(),
            shown.edDate->DateTime()};
}

QString Extra(const TfrmMortMain& window, int row) {
    return QString::fromStdString(window.Grid().Cell(row, loan::kColExtra));
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The "Loan" section as the program writes it, the start date being the one the window shows.
QByteArray LoanSection(const TfrmMortMain& window, const QByteArray& principal,
                       const QByteArray& rate, const QByteArray& term, const QByteArray& years) {
    const Controls shown(window);
    return "[Loan]\r\nPrincipal=" + principal + "\r\nRate=" + rate + "\r\nTerm=" + term +
           "\r\nSchedule=" + shown.cbSchedule->currentText().toLatin1() + "\r\nYears=" + years +
           "\r\nDate=" + QByteArray::fromStdString(text::NumberToText(shown.edDate->DateTime())) +
           "\r\n";
}

}  // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT

  private:
    RecordingBoxes boxes_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<TfrmMortMain> window_;
    Controls controls_;
    std::unique_ptr<QTemporaryDir> folder_;

    QString PathOf(const QString& name) const { return folder_->filePath(name); }

    QString WriteFile(const QString& name, const QByteArray& bytes) const {
        const QString path = PathOf(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) < 0) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }

    // Types into a payment row's "Extra Pmt." cell and leaves its editor open.
    void TypeExtra(int row, const QString& text) {
        const QModelIndex cell = controls_.sgTable->model()->index(row, loan::kColExtra);
        controls_.sgTable->setFocus();
        controls_.sgTable->scrollTo(cell);
        controls_.sgTable->setCurrentIndex(cell);
        Type(text);
    }

    void Open(const QString& path) {
        dialogs_->paths.push_back(path);
        window_->Open1Click();
    }

    void SaveAs(const QString& path) {
        dialogs_->paths.push_back(path);
        window_->SaveAs1Click();
    }

  private slots:
    void initTestCase() { PrepareApplication(); }

    void init() {
        boxes_.Clear();
        dialogs_ = std::make_unique<RecordingDialogs>();
        // Named here: the default name would start with the application title, which holds "/".
        folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/loan-XXXXXX");
        QVERIFY(folder_->isValid());
        window_ = std::make_unique<TfrmMortMain>(boxes_, *dialogs_);
        controls_ = Controls(*window_);
        window_->show();
        QApplication::setActiveWindow(window_.get());
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
        folder_.reset();
    }

    void menuItemsAndToolButtonsRunTheCommands_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("command");
        QTest::newRow("New1") << "New1"
                              << "new";
        QTest::newRow("btNew") << "btNew"
                               << "new";
        QTest::newRow("Open1") << "Open1"
                               << "open";
        QTest::newRow("btOpen") << "btOpen"
                                << "open";
        QTest::newRow("N1") << "N1"
                            << "save";
        QTest::newRow("btSave") << "btSave"
                                << "save";
        QTest::newRow("SaveAs1") << "SaveAs1"
                                 << "save";
        QTest::newRow("btSaveAs") << "btSaveAs"
                                  << "save";
    }
    void menuItemsAndToolButtonsRunTheCommands() {
        QFETCH(QString, control);
        QFETCH(QString, command);
        TypeLoan(*window_, "100000", "6", "30");
        if (auto* const button = window_->findChild<QToolButton*>(control)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            window_->findChild<QAction*>(control)->trigger();
        }
        QCOMPARE(controls_.edPrincipal->text().isEmpty(), command == "new");
        QCOMPARE(dialogs_->opens, command == "open" ? 1 : 0);
        QCOMPARE(dialogs_->saves, command == "save" ? 1 : 0);
    }

    void saveWithoutANameAsksAndACancelChangesNothing() {
        TypeLoan(*window_, "100000", "6", "30");
        const Shown before = WhatIsShown(*window_);
        window_->N1Click();
        QCOMPARE(dialogs_->saves, 1);
        QCOMPARE(dialogs_->saveAsked.title, QStringLiteral("Save Loan"));
        QVERIFY(dialogs_->saveAsked.fileName.isEmpty());
        // Not calculated: the payment still reads $0.00 over the one empty payment row.
        QVERIFY(WhatIsShown(*window_) == before);
        QCOMPARE(controls_.lbPayment->text(), QStringLiteral("$0.00"));
        QVERIFY(boxes_.infos.isEmpty());
        QVERIFY(boxes_.errors.isEmpty());
        QVERIFY(window_->DocumentName().isEmpty());
        QVERIFY(QDir(folder_->path()).isEmpty());

        // Answered, the same command names the document, calculates and writes.
        const QString path = PathOf("first.tsl");
        dialogs_->paths.push_back(path);
        window_->N1Click();
        QCOMPARE(dialogs_->saves, 2);
        QCOMPARE(window_->DocumentName(), path);
        QCOMPARE(controls_.lbPayment->text(), QStringLiteral("$599.55"));
        QCOMPARE(ReadFile(path), LoanSection(*window_, "100000", "6", "30", "0"));

        // Save As asks again, on the current name.
        window_->SaveAs1Click();
        QCOMPARE(dialogs_->saves, 3);
        QCOMPARE(dialogs_->saveAsked.fileName, path);
        QCOMPARE(window_->DocumentName(), path);
    }

    // Each dialog opens on its own last choice: the open dialog on the path last opened, the
    // save dialog on the current document name, each with the file type it was last closed with.
    void dialogsKeepTheirOwnMemories() {
        window_->Open1Click();
        QCOMPARE(dialogs_->openAsked.filters, QStringList({kLoanFilter, kAllFilesFilter}));
        QCOMPARE(dialogs_->openAsked.filter, kLoanFilter);
        QCOMPARE(dialogs_->openAsked.defaultSuffix, QStringLiteral("tsl"));
        QVERIFY(dialogs_->openAsked.title.isEmpty());
        QVERIFY(dialogs_->openAsked.fileName.isEmpty());

        const QString opened = PathOf("opened.tsl");
        dialogs_->chosenFilter = kAllFilesFilter;
        Open(opened);
        dialogs_->chosenFilter.clear();
        window_->SaveAs1Click();
        QCOMPARE(dialogs_->saveAsked.fileName, opened);
        QCOMPARE(dialogs_->saveAsked.filter, kLoanFilter);
        QCOMPARE(dialogs_->saveAsked.filters, QStringList({kLoanFilter, kAllFilesFilter}));
        QCOMPARE(dialogs_->saveAsked.defaultSuffix, QStringLiteral("tsl"));

        const QString saved = PathOf("saved.tsl");
        SaveAs(saved);
        window_->Open1Click();
        QCOMPARE(dialogs_->openAsked.fileName, opened);
        QCOMPARE(dialogs_->openAsked.filter, kAllFilesFilter);
        QCOMPARE(window_->DocumentName(), saved);
        window_->New1Click();
        QVERIFY(window_->DocumentName().isEmpty());
        window_->Open1Click();
        QCOMPARE(dialogs_->openAsked.fileName, opened);
    }

    void saveAsOntoALoanFileKeepsItsOtherSections() {
        const QString path =
            WriteFile("old.tsl",
                      "[Loan]\r\nPrincipal=5\r\n[ExtPayments]\r\n3=9.00\r\n[Notes]\r\nby=hand\r\n");
        TypeLoan(*window_, "1200", "0", "12");
        controls_.rgTerm->SetItemIndex(1);
        SaveAs(path);
        QVERIFY(boxes_.errors.isEmpty());
        QCOMPARE(ReadFile(path),
                 LoanSection(*window_, "1200", "0", "12", "1") + "[Notes]\r\nby=hand\r\n");
        QCOMPARE(window_->DocumentName(), path);
    }

    void openThenSaveWritesBackWithoutADialog() {
        const QByteArray extras = "[ExtPayments]\r\n1=500.00\r\n12=1000.00\r\n";
        const QString path = WriteFile("loan.tsl",
                                       "[Loan]\r\nPrincipal=150000\r\nRate=6.5\r\nTerm=30\r\n"
                                       "Schedule=Monthly\r\nYears=0\r\nDate=45292\r\n" +
                                           extras);
        Open(path);
        QVERIFY(boxes_.infos.isEmpty());
        QVERIFY(boxes_.errors.isEmpty());
        QCOMPARE(window_->DocumentName(), path);
        window_->Open1Click();
        QCOMPARE(dialogs_->openAsked.fileName, path);
        QCOMPARE(Extra(*window_, 1), QStringLiteral("500.00"));
        QCOMPARE(Extra(*window_, 12), QStringLiteral("1000.00"));
        QCOMPARE(controls_.edDate->DateTime(), 45292.0);

        controls_.edPrincipal->setText(QStringLiteral("160000"));
        QTest::mouseClick(Find<QToolButton>(*window_, "btSave"), Qt::LeftButton);
        QCOMPARE(dialogs_->saves, 0);
        QCOMPARE(ReadFile(path), LoanSection(*window_, "160000", "6.5", "30", "0") + extras);
    }

    void fileValuesShowInTheControls_data() {
        QTest::addColumn<QByteArray>("years");
        QTest::addColumn<int>("termUnit");
        QTest::addColumn<int>("payments");
        QTest::newRow("months") << QByteArray("1") << 1 << 52;
        QTest::newRow("neither unit counts months") << QByteArray("-5") << -1 << 52;
        QTest::newRow("not a number keeps years") << QByteArray("abc") << 0 << 624;
    }
    void fileValuesShowInTheControls() {
        QFETCH(QByteArray, years);
        QFETCH(int, termUnit);
        QFETCH(int, payments);
        Open(WriteFile("loan.tsl",
                       "[Loan]\r\nPrincipal=24000\r\nRate=0\r\nTerm=24\r\n"
                       "Schedule=Bi-Weekly\r\nYears=" +
                           years + "\r\nDate=45292.75\r\n"));
        QVERIFY(boxes_.errors.isEmpty());
        const Inputs expected{"24000", "0", "24", termUnit, "Bi-Weekly", 45292};
        QVERIFY(InputsShown(*window_) == expected);
        QCOMPARE(window_->Grid().RowCount(), payments + 1);
    }

    void extraPaymentsComeBackOnTheirOwnPaymentNumbers_data() {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("three payments")
            << QList<int>{1, 12, 100} << QStringList{"500", "1000", "2500.5"}
            << QStringList{"500.00", "1000.00", "2500.50"};
        QTest::newRow("paid off early") << QList<int>{5, 9} << QStringList{"90000", "4000"}
                                        << QStringList{"90000.00", "4000.00"};
    }
    void extraPaymentsComeBackOnTheirOwnPaymentNumbers() {
        QFETCH(QList<int>, rows);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, stored);
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            TypeExtra(rows.at(i), typed.at(i));
        }
        QVERIFY(window_->Button1Click());
        const Shown calculated = WhatIsShown(*window_);
        const QString path = PathOf("extras.tsl");
        SaveAs(path);
        window_->New1Click();
        QCOMPARE(window_->Grid().RowCount(), 2);

        Open(path);
        QVERIFY(boxes_.errors.isEmpty());
        QVERIFY(WhatIsShown(*window_) == calculated);
        QVERIFY(window_->Grid().RowCount() < 361);
        for (int row = 1; row < window_->Grid().RowCount(); ++row) {
            const qsizetype at = rows.indexOf(row);
            QCOMPARE(Extra(*window_, row), at < 0 ? QStringLiteral("0.00") : stored.at(at));
        }
    }

    void openOfAMissingFileNamesTheDocumentAndClearsTheExtraPayments() {
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        TypeExtra(3, "500");
        QVERIFY(window_->Button1Click());
        QVERIFY(controls_.lbIntSaved->text() != QStringLiteral("$0.00"));
        const Inputs before = InputsShown(*window_);

        const QString path = PathOf("new.tsl");
        Open(path);
        QVERIFY(boxes_.errors.isEmpty());
        QVERIFY(InputsShown(*window_) == before);
        QCOMPARE(window_->Grid().RowCount(), 361);
        for (int row = 1; row <= 360; ++row) {
            QCOMPARE(Extra(*window_, row), QStringLiteral("0.00"));
        }
        QCOMPARE(controls_.lbIntSaved->text(), QStringLiteral("$0.00"));
        QCOMPARE(controls_.lbPayment->text(), QStringLiteral("$599.55"));
        QCOMPARE(window_->DocumentName(), path);
        QVERIFY(!QFile::exists(path));

        window_->N1Click();
        QCOMPARE(dialogs_->saves, 0);
        QCOMPARE(ReadFile(path), LoanSection(*window_, "100000", "6", "30", "0"));
    }

    void newForgetsEverythingButTheUnitAndFrequency() {
        controls_.cbSchedule->setCurrentIndex(0);  // weekly: 1560 payments
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        TypeExtra(5, "100");
        TypeExtra(1500, "200");
        QVERIFY(window_->Button1Click());
        const QString path = PathOf("before.tsl");
        SaveAs(path);
        const QByteArray saved = ReadFile(path);
        controls_.edDate->SetDateTime(40000.5);

        QTest::mouseClick(Find<QToolButton>(*window_, "btNew"), Qt::LeftButton);
        QVERIFY(boxes_.errors.isEmpty());
        const Inputs cleared{"", "", "", 0, "Weekly", text::Today()};
        QVERIFY(InputsShown(*window_) == cleared);
        for (const QLabel* const total : {controls_.lbPayment, controls_.lbTotalPayments,
                                          controls_.lbInterest, controls_.lbIntSaved}) {
            QCOMPARE(total->text(), QStringLiteral("$0.00"));
        }
        QCOMPARE(window_->Grid().RowCount(), 2);
        QCOMPARE(controls_.sgTable->model()->rowCount(), 2);
        for (int row = 1; row <= 1560; ++row) {
            for (int column = 0; column < loan::ScheduleGrid::kColumnCount; ++column) {
                QVERIFY(window_->Grid().Cell(row, column).empty());
            }
        }
        QVERIFY(window_->DocumentName().isEmpty());
        QCOMPARE(ReadFile(path), saved);

        // A shorter loan, then one as long as the first: no extra payment of the first returns.
        TypeLoan(*window_, "50000", "5", "10");
        QVERIFY(window_->Button1Click());
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        QCOMPARE(window_->Grid().RowCount(), 1561);
        for (int row = 1; row <= 1560; ++row) {
            QCOMPARE(Extra(*window_, row), QStringLiteral("0.00"));
        }
        QCOMPARE(controls_.lbIntSaved->text(), QStringLiteral("$0.00"));

        window_->N1Click();
        QCOMPARE(dialogs_->saves, 2);
    }

    // The loan on screen has extra payments past the opened loan's length, hidden after the first
    // calculation of Open and then forgotten, or still shown, and kept, when that calculation
    // stopped at the file's principal.
    void openForgetsExtraPaymentsPastTheOpenedLoan_data() {
        QTest::addColumn<QByteArray>("principal");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("keptAt200");
        QTest::newRow("rows hidden") << QByteArray("150000") << QStringList() << QString();
        QTest::newRow("rows still shown")
            << QByteArray("x") << QStringList{"Principal is invalid", "Principal is invalid"}
            << QStringLiteral("400.00");
    }
    void openForgetsExtraPaymentsPastTheOpenedLoan() {
        QFETCH(QByteArray, principal);
        QFETCH(QStringList, messages);
        QFETCH(QString, keptAt200);
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        TypeExtra(10, "300");
        TypeExtra(200, "400");
        QVERIFY(window_->Button1Click());

        Open(WriteFile("short.tsl", "[Loan]\r\nPrincipal=" + principal +
                                        "\r\nRate=6\r\nTerm=5\r\nSchedule=Monthly\r\nYears=0\r\n"
                                        "[ExtPayments]\r\n2=100.00\r\n200=999.00\r\n"));
        QCOMPARE(boxes_.infos, messages);
        QVERIFY(boxes_.errors.isEmpty());
        QCOMPARE(Extra(*window_, 2), QStringLiteral("100.00"));
        QCOMPARE(Extra(*window_, 10), QStringLiteral("0.00"));
        QCOMPARE(Extra(*window_, 200), keptAt200);
        // No shown row is left without its extra payment.
        for (int row = 1; row < window_->Grid().RowCount(); ++row) {
            QVERIFY(!Extra(*window_, row).isEmpty());
        }

        TypeLoan(*window_, "150000", "6", "30");
        QVERIFY(window_->Button1Click());
        QVERIFY(window_->Grid().RowCount() > 200);
        for (int row = 1; row < window_->Grid().RowCount(); ++row) {
            QString extra = QStringLiteral("0.00");
            if (row == 2) {
                extra = QStringLiteral("100.00");
            } else if (row == 200 && !keptAt200.isEmpty()) {
                extra = keptAt200;
            }
            QCOMPARE(Extra(*window_, row), extra);
        }
    }

    void invalidDateEndsOpenAfterTheOtherInputs_data() {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<QString>("error");
        QTest::newRow("not a number")
            << QByteArray("abc") << "'abc' is not a valid floating point value.";
        QTest::newRow("after 9999") << QByteArray("1E300") << "'1E300' is not a valid date.";
        QTest::newRow("before year 1") << QByteArray("-693594") << "'-693594' is not a valid date.";
    }
    void invalidDateEndsOpenAfterTheOtherInputs() {
        QFETCH(QByteArray, date);
        QFETCH(QString, error);
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        const Shown before = WhatIsShown(*window_);
        const double startDate = controls_.edDate->DateTime();

        const QString path = WriteFile(
            "date.tsl",
            "[Loan]\r\nPrincipal=5000\r\nRate=7\r\nTerm=3\r\nSchedule=Weekly\r\nYears=1\r\n"
            "Date=" +
                date + "\r\n[ExtPayments]\r\n1=777.00\r\n");
        Open(path);
        QCOMPARE(boxes_.errors, QStringList{error});
        QCOMPARE(boxes_.errorTitles, QStringList{"Mortgage / Loan Calculator"});
        QVERIFY(boxes_.infos.isEmpty());
        const Inputs fromFile{"5000", "7", "3", 1, "Weekly", startDate};
        QVERIFY(InputsShown(*window_) == fromFile);
        QVERIFY(WhatIsShown(*window_) == before);
        QCOMPARE(window_->DocumentName(), path);
    }

    void termThatIsNotAWholeNumberEndsOpen_data() {
        QTest::addColumn<QByteArray>("principal");
        QTest::addColumn<QByteArray>("term");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("error");
        QTest::newRow("fraction") << QByteArray("5000") << QByteArray("12.5") << "Term is invalid"
                                  << "'12.5' is not a valid integer value.";
        QTest::newRow("stopped at the principal")
            << QByteArray("x") << QByteArray("abc") << "Principal is invalid"
            << "'abc' is not a valid integer value.";
    }
    void termThatIsNotAWholeNumberEndsOpen() {
        QFETCH(QByteArray, principal);
        QFETCH(QByteArray, term);
        QFETCH(QString, message);
        QFETCH(QString, error);
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        const Shown before = WhatIsShown(*window_);

        const QString path = WriteFile("term.tsl", "[Loan]\r\nPrincipal=" + principal +
                                                       "\r\nRate=7\r\nTerm=" + term +
                                                       "\r\n[ExtPayments]\r\n1=777.00\r\n");
        Open(path);
        QCOMPARE(boxes_.infos, QStringList{message});
        QCOMPARE(boxes_.errors, QStringList{error});
        QCOMPARE(controls_.edPrincipal->text(), QString::fromLatin1(principal));
        QCOMPARE(controls_.edTerm->text(), QString::fromLatin1(term));
        QVERIFY(WhatIsShown(*window_) == before);  // no extra payment read either
        QCOMPARE(window_->DocumentName(), path);
    }

    void zeroTermEndsOpenAfterTheFirstCalculation() {
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        const Shown before = WhatIsShown(*window_);
        const QString path = WriteFile(
            "zero.tsl", "[Loan]\r\nPrincipal=90000\r\nTerm=0\r\n[ExtPayments]\r\n1=777.00\r\n");
        Open(path);
        QCOMPARE(boxes_.errors, QStringList{"Floating point division by zero."});
        QVERIFY(boxes_.infos.isEmpty());
        QCOMPARE(controls_.edPrincipal->text(), QStringLiteral("90000"));
        QCOMPARE(controls_.edTerm->text(), QStringLiteral("0"));
        QVERIFY(WhatIsShown(*window_) == before);
        QCOMPARE(window_->DocumentName(), path);
    }

    void saveThatFailsLeavesTheFileAlone_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("openFirst");
        QTest::addColumn<QString>("term");
        QTest::addColumn<QString>("error");  // %1: the path
        QTest::newRow("save as onto a read-only file") << "locked.tsl" << true << false << "30"
                                                       << "Unable to write to %1.";
        QTest::newRow("save to the read-only file opened") << "locked.tsl" << true << true << "30"
                                                           << "Unable to write to %1.";
        QTest::newRow("missing folder") << "nowhere/loan.tsl" << false << false << "30"
                                        << "Unable to write to %1.";
        QTest::newRow("fault in the calculation") << "loan.tsl" << false << false << "0"
                                                  << "Floating point division by zero.";
    }
    void saveThatFailsLeavesTheFileAlone() {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        QFETCH(bool, openFirst);
        QFETCH(QString, term);
        QFETCH(QString, error);
        const QString path = PathOf(name);
        const bool exists = !name.contains('/');
        const QByteArray bytes = "[Loan]\r\nPrincipal=1\r\nRate=6\r\nTerm=30\r\n";
        if (exists) {
            WriteFile(name, bytes);
        }
        if (readOnly) {
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        }
        if (openFirst) {
            Open(path);
        }
        TypeLoan(*window_, "100000", "6", term);
        if (openFirst) {
            window_->N1Click();
        } else {
            SaveAs(path);
        }
        QCOMPARE(boxes_.errors, QStringList{QString(error).replace("%1", path)});
        QCOMPARE(window_->DocumentName(), path);
        QCOMPARE(QFile::exists(path), exists);
        QCOMPARE(ReadFile(path), exists ? bytes : QByteArray());
        QCOMPARE(QDir(folder_->path()).entryList(QDir::Files).size(), exists ? 1 : 0);
    }

    // Save calculates first: a typed extra payment is stored in the grid's two-decimal form, one
    // that does not read as none, and the input messages do not stop the write.
    void saveStoresWhatTheCalculationMadeOfTheTypedTexts() {
        TypeLoan(*window_, "100000", "6", "30");
        QVERIFY(window_->Button1Click());
        TypeExtra(1, "1000");
        TypeExtra(2, "abc");
        TypeExtra(3, "12.5");
        const QString path = PathOf("typed.tsl");
        dialogs_->paths.push_back(path);
        QTest::mouseClick(Find<QToolButton>(*window_, "btSaveAs"), Qt::LeftButton);
        QVERIFY(boxes_.errors.isEmpty());
        QCOMPARE(ReadFile(path), LoanSection(*window_, "100000", "6", "30", "0") +
                                     "[ExtPayments]\r\n1=1000.00\r\n3=12.50\r\n");

        TypeLoan(*window_, "100 000", "6", "30");
        window_->N1Click();
        QCOMPARE(boxes_.infos, QStringList{"Principal is invalid"});
        QVERIFY(boxes_.errors.isEmpty());
        QCOMPARE(ReadFile(path), LoanSection(*window_, "100 000", "6", "30", "0") +
                                     "[ExtPayments]\r\n1=1000.00\r\n3=12.50\r\n");
    }
};

}  // namespace ui

QTEST_MAIN(ui::DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
