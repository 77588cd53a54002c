// The conversions' settings read from a locale, and the one wrapper that shows failures.
#include <QCoreApplication>
#include <QTest>
#include <stdexcept>

#include "Recorders.h"
#include "text/Exceptions.h"
#include "ui/RunCommand.h"
#include "ui/StartUp.h"
#include "ui/SystemLocale.h"

namespace ui {

class SystemLocaleTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareApplication(); }

    void marksAndMonths_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<char>("decimalMark");
        QTest::addColumn<char>("thousandsMark");
        QTest::addColumn<QString>("february");
        QTest::newRow("US English") << "en_US" << '.' << ',' << "Feb";
        QTest::newRow("German") << "de_DE" << ',' << '.' << "Feb.";
        // A narrow no-break space is no single plain character: the comma stands in.
        QTest::newRow("French") << "fr_FR" << ',' << ',' << "févr.";
        // The Arabic decimal separator is no plain character either: the point stands in.
        QTest::newRow("Egyptian Arabic") << "ar_EG" << '.' << ',' << "فبراير";
    }
    void marksAndMonths() {
        QFETCH(QString, locale);
        QFETCH(char, decimalMark);
        QFETCH(char, thousandsMark);
        QFETCH(QString, february);
        const text::LocaleFormats formats = LocaleFormatsFrom(QLocale(locale));
        QCOMPARE(formats.decimalMark, decimalMark);
        QCOMPARE(formats.thousandsMark, thousandsMark);
        QCOMPARE(QString::fromStdString(formats.monthAbbrevs[1]), february);
    }

    void startUpReadsTheSystemLocale() {
        const text::ScopedLocaleFormats scoped(text::LocaleFormats{'#', '#', {}});
        ReadSystemLocaleFormats();
        // Whichever locale the tests run under.
        const text::LocaleFormats system = LocaleFormatsFrom(QLocale::system());
        QCOMPARE(text::CurrentLocaleFormats().decimalMark, system.decimalMark);
        QCOMPARE(text::CurrentLocaleFormats().monthAbbrevs[0], system.monthAbbrevs[0]);
    }

    void failuresReachTheErrorBox_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("shown");
        QTest::newRow("conversion") << 0 << "'abc' is not a valid floating point value.";
        QTest::newRow("closing parenthesis keeps its end") << 1 << "Unable to write to (x)";
        QTest::newRow("other failure") << 2 << "out of room.";
    }
    void failuresReachTheErrorBox() {
        QFETCH(int, kind);
        QFETCH(QString, shown);
        testing::RecordingBoxes boxes;
        const bool ended = RunCommand(boxes, [kind] {
            if (kind == 0) {
                throw text::EConvertError("'abc' is not a valid floating point value");
            }
            if (kind == 1) {
                throw text::WriteError("(x)");
            }
            throw std::length_error("out of room");
        });
        QVERIFY(!ended);
        QCOMPARE(boxes.errors, QStringList{shown});
        QCOMPARE(boxes.errorTitles, QStringList{"Mortgage / Loan Calculator"});
        QVERIFY(boxes.infos.isEmpty());
    }

    void aCommandThatEndsWellShowsNothing() {
        testing::RecordingBoxes boxes;
        int runs = 0;
        QVERIFY(RunCommand(boxes, [&runs] { ++runs; }));
        QCOMPARE(runs, 1);
        QVERIFY(boxes.errors.isEmpty());
    }
};

}  // namespace ui

QTEST_MAIN(ui::SystemLocaleTest)
#include "SystemLocaleTest.moc"
