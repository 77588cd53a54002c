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
#include "ui/MortAbout.h"
#include "ui/Mortgage.h"
#include "ui/StartUp.h"

namespace ui {

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
                about_->Button1->click();
            }
        });
        window_->About1->trigger();
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
        QCOMPARE(about_->objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about_->windowTitle(), QStringLiteral("About"));
        QVERIFY(about_->Label1->text().startsWith(
            QStringLiteral("Mortgage / Loan Calculator, version ")));
        QCOMPARE(about_->Label1->pos(), QPoint(16, 48));
        QCOMPARE(about_->Label2->text(), QStringLiteral("corvala software"));
        QCOMPARE(about_->Label2->pos(), QPoint(16, 72));
        QCOMPARE(about_->Label2->font().pixelSize(), 32);
        QCOMPARE(about_->Label2->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(about_->Label3->text(),
                 QStringLiteral("This product is sold as-is without any warranty or guarantee "
                                "of any kind"));
        QVERIFY(about_->Label3->wordWrap());
        QCOMPARE(about_->Label3->width(), 175);
        QVERIFY(about_->Label3->height() >= about_->Label3->heightForWidth(175));
        QCOMPARE(about_->Button1->text(), QStringLiteral("&OK"));
        QCOMPARE(about_->Button1->geometry(), QRect(240, 32, 75, 25));
        QVERIFY(about_->Button1->isDefault());
        QVERIFY(!about_->isVisible());
        // Nothing is cut: every label shows its whole text inside the box.
        for (const QLabel* const label : {about_->Label1, about_->Label2, about_->Label3}) {
            QVERIFY(about_->rect().contains(label->geometry()));
            QVERIFY(label->width() >= label->minimumSizeHint().width());
            QVERIFY(!label->geometry().intersects(about_->Button1->geometry()));
        }
    }

    void okHasTheFocusAndEnterPressesIt() {
        QWidget* focused = nullptr;
        RunAbout([&] {
            focused = QApplication::focusWidget();
            QTest::keyClick(focused, Qt::Key_Return);
            QVERIFY(!about_->isVisible());
        });
        QCOMPARE(focused, about_->Button1);
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
            secondText = about_->Label2->text();
        });
        QCOMPARE(secondSize, firstSize);
        QCOMPARE(secondText, QStringLiteral("corvala software"));
    }

    void mainWindowChecksItsHeightOnTheReturn() {
        window_->resize(window_->width(), 200);
        QTRY_VERIFY(window_->pnTerms->height() < window_->cbSchedule->geometry().bottom());
        const int frequencyBottom = window_->cbSchedule->y() + window_->cbSchedule->height();
        RunAbout([] {});
        QTRY_COMPARE(window_->pnTerms->height(), frequencyBottom + 25);
    }
};

}  // namespace ui

QTEST_MAIN(ui::AboutBoxTest)
#include "AboutBoxTest.moc"
