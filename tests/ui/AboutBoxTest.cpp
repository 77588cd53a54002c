// The About box: its content, its keys, and the main window's check on the way back.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "Recorders.h"
#include "WindowState.h"
#include "ui/MortAbout.h"
#include "ui/Mortgage.h"
#include "ui/StartUp.h"

namespace ui {

using testing::Find;

class AboutBoxTest : public QObject {
    Q_OBJECT

  private:
    testing::RecordingBoxes boxes_;
    testing::RecordingDialogs dialogs_;
    std::unique_ptr<TfrmMortMain> window_;
    TfrmAbout* about_ = nullptr;

    // Runs the About command, doing the person's part once the box shows.
    void RunAbout(const std::function<void()>& whileShown) {
        QTimer::singleShot(0, this, [this, whileShown] {
            QVERIFY(QTest::qWaitForWindowActive(about_));
            QTRY_COMPARE(QApplication::activeWindow(), about_);
            whileShown();
            // Whatever the step left open, the command must end for the test to go on.
            if (about_->isVisible()) {
                Find<QPushButton>(*about_, "Button1")->click();
            }
        });
        Find<QAction>(*window_, "About1")->trigger();
        QVERIFY(!about_->isVisible());
    }

  private slots:
    void initTestCase() { PrepareApplication(); }

    void init() {
        window_ = std::make_unique<TfrmMortMain>(boxes_, dialogs_);
        about_ = new TfrmAbout(window_.get());
        window_->SetAboutBox(about_);
        window_->show();
        QApplication::setActiveWindow(window_.get());
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() { window_.reset(); }

    void content() {
        const QLabel* const label1 = Find<QLabel>(*about_, "Label1");
        const QLabel* const label2 = Find<QLabel>(*about_, "Label2");
        const QLabel* const label3 = Find<QLabel>(*about_, "Label3");
        const QPushButton* const ok = Find<QPushButton>(*about_, "Button1");
        QCOMPARE(about_->objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about_->windowTitle(), QStringLiteral("About"));
        QVERIFY(label1->text().startsWith(QStringLiteral("Mortgage / Loan Calculator, version ")));
        QCOMPARE(label1->pos(), QPoint(16, 48));
        QCOMPARE(label2->text(), QStringLiteral("corvala software"));
        QCOMPARE(label2->pos(), QPoint(16, 72));
        QCOMPARE(label2->font().pixelSize(), 32);
        QCOMPARE(label2->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(label3->text(),
                 QStringLiteral("This product is sold as-is without any warranty or guarantee "
                                "of any kind"));
        QVERIFY(label3->wordWrap());
        QCOMPARE(label3->width(), 175);
        QVERIFY(label3->height() >= label3->heightForWidth(175));
        QCOMPARE(ok->text(), QStringLiteral("&OK"));
        QCOMPARE(ok->geometry(), QRect(240, 32, 75, 25));
        QVERIFY(ok->isDefault());
        QVERIFY(!about_->isVisible());
        // Nothing is cut: every label shows its whole text inside the box.
        for (const QLabel* const label : {label1, label2, label3}) {
            QVERIFY(about_->rect().contains(label->geometry()));
            QVERIFY(label->width() >= label->minimumSizeHint().width());
            QVERIFY(!label->geometry().intersects(ok->geometry()));
        }
    }

    void okHasTheFocusAndEnterPressesIt() {
        QWidget* focused = nullptr;
        RunAbout([&] {
            focused = QApplication::focusWidget();
            QTest::keyClick(focused, Qt::Key_Return);
            QVERIFY(!about_->isVisible());
        });
        QCOMPARE(focused, Find<QPushButton>(*about_, "Button1"));
        QCOMPARE(about_->result(), int(QDialog::Rejected));
    }

    void escapeDoesNotClose() {
        bool openAfterEscape = false;
        RunAbout([&] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            openAfterEscape = about_->isVisible();
        });
        QVERIFY(openAfterEscape);
    }

    void closeButtonHidesItAndItComesBackTheSame() {
        QSize firstSize;
        RunAbout([&] {
            firstSize = about_->size();
            about_->close();
        });
        QVERIFY(about_->isHidden());
        QSize secondSize;
        QString secondText;
        RunAbout([&] {
            secondSize = about_->size();
            secondText = Find<QLabel>(*about_, "Label2")->text();
        });
        QCOMPARE(secondSize, firstSize);
        QCOMPARE(secondText, QStringLiteral("corvala software"));
    }

    void mainWindowChecksItsHeightOnTheReturn() {
        const QComboBox* const cbSchedule = Find<QComboBox>(*window_, "cbSchedule");
        window_->resize(window_->width(), 200);
        QTRY_VERIFY(Find<QWidget>(*window_, "pnTerms")->height() < cbSchedule->geometry().bottom());
        const int frequencyBottom = cbSchedule->y() + cbSchedule->height();
        RunAbout([] {});
        QTRY_COMPARE(Find<QWidget>(*window_, "pnTerms")->height(), frequencyBottom + 25);
    }
};

}  // namespace ui

QTEST_MAIN(ui::AboutBoxTest)
#include "AboutBoxTest.moc"
