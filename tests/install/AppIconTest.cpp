// The windows, the About box and the installed launcher show one and the same picture, and the
// program names the launcher that is installed.
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "Recorders.h"
#include "WindowState.h"
#include "ui/MortAbout.h"
#include "ui/Mortgage.h"
#include "ui/StartUp.h"

namespace ui {

namespace {

// The largest difference in any channel of any pixel; two draws of one SVG differ by rounding.
int LargestDifference(const QImage& left, const QImage& right) {
    const QImage a = left.convertToFormat(QImage::Format_ARGB32);
    const QImage b = right.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest =
                std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

// A picture with nothing on it would pass every comparison with another empty one.
bool IsDrawn(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

class AppIconTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareApplication(); }

    // Each installed PNG is the window icon drawn at that size.
    void windowIconIsTheInstalledIcon_data() {
        QTest::addColumn<int>("size");
        for (const int size : {16, 32, 48, 256}) {
            QTest::addRow("%dx%d", size, size) << size;
        }
    }
    void windowIconIsTheInstalledIcon() {
        QFETCH(const int, size);
        const QString path = QStringLiteral(MORTGAGE_BUILT_ICONS "/%1x%1/%2.png")
                                 .arg(size)
                                 .arg(QString::fromLatin1(kDesktopFileName));
        const QImage installed(path);
        QVERIFY2(!installed.isNull(), qPrintable(path));
        QCOMPARE(installed.size(), QSize(size, size));

        const QImage shown = QApplication::windowIcon().pixmap(size, size).toImage();
        QCOMPARE(shown.size(), QSize(size, size));
        QVERIFY(IsDrawn(shown));
        const int difference = LargestDifference(shown, installed);
        QVERIFY2(difference <= 2, qPrintable(QStringLiteral("differs by %1").arg(difference)));
    }

    void windowsAndAboutBoxShowTheApplicationIcon() {
        testing::RecordingBoxes boxes;
        testing::RecordingDialogs dialogs;
        const auto window = std::make_unique<TfrmMortMain>(boxes, dialogs);
        const TfrmAbout* const about = new TfrmAbout(window.get());

        const qint64 application = QApplication::windowIcon().cacheKey();
        QCOMPARE(window->windowIcon().cacheKey(), application);
        QCOMPARE(about->windowIcon().cacheKey(), application);

        const QLabel* const picture = testing::Find<QLabel>(*about, "Image1");
        const QImage drawn = picture->pixmap().toImage();
        QCOMPARE(drawn.size(), QSize(32, 32));
        QVERIFY(IsDrawn(drawn));
        QVERIFY(LargestDifference(drawn, QApplication::windowIcon().pixmap(32, 32).toImage()) <= 2);

        // The picture sits inside the box, clear of the texts and the button, and takes no focus.
        QVERIFY(about->rect().contains(picture->geometry()));
        for (const char* const other : {"Label1", "Label2", "Label3", "Button1"}) {
            QVERIFY(
                !picture->geometry().intersects(testing::Find<QWidget>(*about, other)->geometry()));
        }
        QCOMPARE(picture->focusPolicy(), Qt::NoFocus);
    }

    void desktopFileNameIsTheInstalledLauncher() {
        const QString launcher = QStringLiteral(MORTGAGE_PACKAGING_DIR "/%1.desktop")
                                     .arg(QGuiApplication::desktopFileName());
        QVERIFY2(QFileInfo::exists(launcher), qPrintable(launcher));
    }
};

}  // namespace ui

QTEST_MAIN(ui::AppIconTest)
#include "AppIconTest.moc"
