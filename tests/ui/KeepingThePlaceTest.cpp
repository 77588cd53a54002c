// The window keeps the person's place: the focus after a command that closes a cell editor, boxes
// that give the focus back to the control that had it, windows centred with their frames, and box
// titles, dates and the grid shown whole.
#include <QApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <string>

#include "Recorders.h"
#include "WindowState.h"
#include "loan/ScheduleGrid.h"
#include "text/DateText.h"
#include "text/LocaleFormats.h"
#include "ui/MortAbout.h"
#include "ui/Mortgage.h"
#include "ui/QtBoxes.h"
#include "ui/StartUp.h"
#include "ui/SystemLocale.h"
#include "ui/WindowFrame.h"

namespace ui {

using testing::Controls;
using testing::Find;
using testing::Type;
using testing::TypeLoan;

namespace {

QString Extra(const TfrmMortMain& window, int row) {
    return QString::fromStdString(window.Grid().Cell(row, loan::kColExtra));
}

QStringList EditBoxTexts(const Controls& controls) {
    return {controls.edPrincipal->text(), controls.edRate->text(), controls.edTerm->text()};
}

void ShowAndActivate(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) {
        qFatal("the window never became active");
    }
}

}  // namespace

class KeepingThePlaceTest : public QObject {
    Q_OBJECT

  private:
    testing::RecordingBoxes boxes_;
    testing::RecordingDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> folder_;

    static void CalculateLoan(TfrmMortMain& window) {
        TypeLoan(window, "100000", "6", "30");
        QVERIFY(window.Button1Click());
    }

    // Typed into row 3's "Extra Pmt." cell, its editor left open.
    static void EditRowThree(const Controls& controls, const QString& text) {
        controls.sgTable->setFocus();
        controls.sgTable->setCurrentIndex(controls.sgTable->model()->index(3, loan::kColExtra));
        Type(text);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("sgTableEditor"));
    }

  private slots:
    void initTestCase() {
        PrepareApplication();
        folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/loan-XXXXXX");
        QVERIFY(folder_->isValid());
    }

    void init() {
        boxes_.Clear();
        dialogs_.paths.clear();
    }

    void commandsLeaveTheFocusInTheGrid_data() {
        QTest::addColumn<QString>("entry");  // a tool button, a menu item or a shortcut
        QTest::addColumn<int>("row");        // where the typed key lands
        for (const char* calculate : {"btCalculate", "Calculate1", "Alt+F C"}) {
            QTest::newRow(calculate) << calculate << 3;
        }
        for (const char* entry : {"btNew", "New1"}) {
            QTest::newRow(entry) << entry << 1;
        }
        for (const char* entry : {"btOpen", "Open1", "Ctrl+O", "btSave", "N1", "Ctrl+S", "btSaveAs",
                                  "SaveAs1", "Ctrl+A", "btPrint", "Print1", "Ctrl+P", "About1"}) {
            QTest::newRow(entry) << entry << 3;
        }
    }
    void commandsLeaveTheFocusInTheGrid() {
        QFETCH(QString, entry);
        QFETCH(int, row);
        TfrmMortMain window(boxes_, dialogs_);
        TfrmAbout about(&window);
        window.SetAboutBox(&about);
        const Controls controls(window);
        ShowAndActivate(window);
        CalculateLoan(window);
        // Open reads back the loan on screen, Save writes it there, Save As is asked for it.
        const QString path = folder_->filePath(QStringLiteral("loan.tsl"));
        dialogs_.paths.push_back(path);
        window.SaveAs1Click();
        dialogs_.paths.push_back(path);
        EditRowThree(controls, QStringLiteral("300"));
        if (entry == QStringLiteral("About1")) {
            QTimer::singleShot(0, &about, [&about] {
                QTRY_VERIFY(about.isVisible());
                about.Button1Click();
            });
        }

        if (entry.startsWith(QStringLiteral("bt"))) {
            QTest::mouseClick(Find<QToolButton>(window, entry), Qt::LeftButton);
        } else if (entry.startsWith(QStringLiteral("Alt+"))) {
            // The menu bar borrows the keyboard, and its menu runs the item of the access letter.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_C);
        } else if (entry.startsWith(QStringLiteral("Ctrl+"))) {
            const QKeySequence keys(entry);
            QTest::keyClick(QApplication::focusWidget(), keys[0].key(), Qt::ControlModifier);
        } else {
            Find<QAction>(window, entry)->trigger();
        }
        QTRY_VERIFY(QApplication::activeWindow() == &window);
        const QStringList shown = EditBoxTexts(controls);
        QCOMPARE(controls.sgTable->currentIndex().row(), row);
        QCOMPARE(controls.sgTable->currentIndex().column(), loan::kColExtra);

        Type(QStringLiteral("7"));
        QVERIFY(controls.sgTable->isAncestorOf(QApplication::focusWidget()));
        QVERIFY2(Extra(window, row).endsWith(QLatin1Char('7')), qPrintable(Extra(window, row)));
        QCOMPARE(EditBoxTexts(controls), shown);
    }

    // The real boxes: each at least as wide as its title needs, and the focus back where it was.
    void boxesShowTheirTitlesAndGiveTheFocusBack_data() {
        QTest::addColumn<bool>("editing");  // in a cell, or in the rate
        QTest::addColumn<QString>("rate");  // "x" is refused; 1000 over a negative term overflows
        QTest::newRow("information, from a cell editor") << true << "x";
        QTest::newRow("information, from the rate") << false << "x";
        QTest::newRow("error, from a cell editor") << true << "1000";
        QTest::newRow("error, from the rate") << false << "1000";
    }
    void boxesShowTheirTitlesAndGiveTheFocusBack() {
        QFETCH(bool, editing);
        QFETCH(QString, rate);
        const QString title = rate == QStringLiteral("x")
                                  ? QStringLiteral("Information")
                                  : QStringLiteral("Mortgage / Loan Calculator");
        QtBoxes boxes;
        TfrmMortMain window(boxes, dialogs_);
        const Controls controls(window);
        ShowAndActivate(window);
        CalculateLoan(window);
        TypeLoan(window, "100000", rate, "-1");
        if (editing) {
            EditRowThree(controls, QStringLiteral("5"));
        } else {
            controls.edRate->setFocus();
        }
        QString shownTitle;
        int width = 0;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            auto* const box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            shownTitle = box->windowTitle();
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        });
        Find<QAction>(window, "Calculate1")->trigger();
        QCOMPARE(shownTitle, title);
        QFont titleFont = QApplication::font();
        titleFont.setBold(true);
        const QFontMetrics metrics(titleFont);
        // A centred title between the frame's icon and three buttons.
        QVERIFY(width >= metrics.horizontalAdvance(title) + 8 * metrics.height());

        QTRY_VERIFY(QApplication::focusWidget() != nullptr);
        QWidget* const focusAfter =
            editing ? static_cast<QWidget*>(controls.sgTable) : controls.edRate;
        QVERIFY2(QApplication::focusWidget() == focusAfter,
                 qPrintable(QApplication::focusWidget()->objectName()));
    }

    void centredFrameIncluded_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QPoint>("client");
        QTest::newRow("no frame") << QRect(0, 0, 1280, 1024) << QMargins() << QPoint(349, 311);
        QTest::newRow("title bar and borders")
            << QRect(0, 0, 1280, 1024) << QMargins(1, 20, 1, 5) << QPoint(349, 319);
        QTest::newRow("below a panel")
            << QRect(0, 30, 1280, 994) << QMargins(1, 20, 1, 5) << QPoint(349, 334);
    }
    void centredFrameIncluded() {
        QFETCH(QRect, screen);
        QFETCH(QMargins, frame);
        QFETCH(QPoint, client);
        QCOMPARE(CentredClientPosition(screen, QSize(581, 401), frame), client);
    }

    // Under the locale's month names, every date up to a five-digit year shows whole.
    void datesShowWhole_data() {
        QTest::addColumn<QString>("locale");
        QTest::newRow("de_DE") << "de_DE";
        QTest::newRow("C") << "C";
    }
    void datesShowWhole() {
        QFETCH(QString, locale);
        const text::ScopedLocaleFormats formats(LocaleFormatsFrom(QLocale(locale)));
        TfrmMortMain window(boxes_, dialogs_);
        const Controls controls(window);
        CalculateLoan(window);
        // The room the style leaves for an item's text inside the cell.
        const QStyle* const style = controls.sgTable->style();
        const int textRoom =
            controls.sgTable->visualRect(controls.sgTable->model()->index(1, loan::kColDate))
                .width() -
            2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, controls.sgTable) + 1);
        const QFontMetricsF metrics(controls.sgTable->font());
        std::string date;
        for (int month = 1; month <= 12; ++month) {
            text::FormatScheduleDateInto(date, text::CivilDate{10333, month, 1});
            const QString shown = QString::fromStdString(date);
            QVERIFY2(metrics.horizontalAdvance(shown) <= textRoom, qPrintable(shown));
        }
        // The other columns keep their width.
        QCOMPARE(controls.sgTable->columnWidth(loan::kColRemaining),
                 controls.sgTable->horizontalHeader()->defaultSectionSize());
    }

    // Right of the last column and below the last row the grid is empty, not a header.
    void emptyAreaLooksLikeTheGrid() {
        TfrmMortMain window(boxes_, dialogs_);
        window.resize(1000, window.height());
        ShowAndActivate(window);
        QHeaderView* const columns = Find<QTableView>(window, "sgTable")->horizontalHeader();
        QHeaderView* const rows = Find<QTableView>(window, "sgTable")->verticalHeader();
        QVERIFY(columns->length() < columns->width() - 4);
        QVERIFY(rows->length() < rows->height() - 4);
        const QColor empty = columns->palette().color(QPalette::Base);
        QCOMPARE(columns->grab().toImage().pixelColor(columns->width() - 2, columns->height() / 2),
                 empty);
        QCOMPARE(rows->grab().toImage().pixelColor(rows->width() / 2, rows->height() - 2), empty);
    }
};

}  // namespace ui

QTEST_MAIN(ui::KeepingThePlaceTest)
#include "KeepingThePlaceTest.moc"
