// The start date picker: every date from the year 1 to 9999, the year in four digits, its keys,
// its calendar, and the time of day it carries along.
#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <limits>

#include "text/Calendar.h"
#include "ui/DateDisplayFormat.h"
#include "ui/DatePicker.h"

namespace ui {

namespace {

double Day(qint64 year, int month, int day) {
    return static_cast<double>(text::DayNumber(year, month, day));
}

}  // namespace

class DatePickerTest : public QObject {
    Q_OBJECT

  private slots:
    void shortFormatsShowTheWholeYear_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("shown");
        QTest::newRow("US two-digit year") << "M/d/yy"
                                           << "2/1/2024";
        QTest::newRow("German two-digit year") << "dd.MM.yy"
                                               << "01.02.2024";
        QTest::newRow("ISO") << "yyyy-MM-dd"
                             << "2024-02-01";
        QTest::newRow("month name") << "d MMM yyyy"
                                    << "1 Feb 2024";
        QTest::newRow("quoted text") << "d 'of' MMMM y"
                                     << "1 of February 2024";
    }
    void shortFormatsShowTheWholeYear() {
        QFETCH(QString, pattern);
        QFETCH(QString, shown);
        const DateDisplayFormat format = DateDisplayFormat::FromPattern(pattern);
        QCOMPARE(format.Render(text::CivilDate{2024, 2, 1}, QLocale(QLocale::English)), shown);
    }

    void canHold_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("held");
        QTest::newRow("1 January 1") << Day(1, 1, 1) << true;
        QTest::newRow("the day before") << Day(1, 1, 1) - 1 << false;
        QTest::newRow("31 December 9999") << Day(9999, 12, 31) << true;
        QTest::newRow("last moment of 9999") << Day(9999, 12, 31) + 0.99999 << true;
        QTest::newRow("the day after") << Day(9999, 12, 31) + 1 << false;
        QTest::newRow("1E300") << 1e300 << false;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << false;
    }
    void canHold() {
        QFETCH(double, value);
        QFETCH(bool, held);
        QCOMPARE(DatePicker::CanHold(value), held);
    }

    void reachesTheFirstAndLastDates() {
        DatePicker picker;
        picker.SetDisplayFormat(DateDisplayFormat::FromPattern(QStringLiteral("M/d/yy")));
        picker.SetDateTime(Day(1, 1, 1));
        QCOMPARE(picker.text(), QStringLiteral("1/1/0001"));
        QCOMPARE(picker.DateTime(), Day(1, 1, 1));
        picker.SetDateTime(Day(9999, 12, 31));
        QCOMPARE(picker.text(), QStringLiteral("12/31/9999"));
        QCOMPARE(picker.Calendar()->minimumDate(), QDate(1, 1, 1));
        QCOMPARE(picker.Calendar()->maximumDate(), QDate(9999, 12, 31));
    }

    void keysChangeTheSelectedField_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<QString>("keys");  // r right, l left, u up, d down, or digits
        QTest::addColumn<double>("expected");
        QTest::newRow("month up") << Day(2024, 2, 1) << "u" << Day(2024, 3, 1);
        QTest::newRow("month wraps in its year") << Day(2024, 12, 5) << "u" << Day(2024, 1, 5);
        QTest::newRow("day wraps in its month") << Day(2024, 1, 31) << "ru" << Day(2024, 1, 1);
        QTest::newRow("shorter month keeps a real day")
            << Day(2024, 1, 31) << "u" << Day(2024, 2, 29);
        QTest::newRow("leap day, next year") << Day(2024, 2, 29) << "rru" << Day(2025, 2, 28);
        QTest::newRow("year stops at 9999") << Day(9999, 6, 1) << "rru" << Day(9999, 6, 1);
        QTest::newRow("year stops at 1") << Day(1, 6, 1) << "rrd" << Day(1, 6, 1);
        QTest::newRow("typed year") << Day(2024, 2, 1) << "rr1998" << Day(1998, 2, 1);
        QTest::newRow("typed early year") << Day(2024, 2, 1) << "rr0005" << Day(5, 2, 1);
        QTest::newRow("typed day") << Day(2024, 2, 1) << "r15" << Day(2024, 2, 15);
        QTest::newRow("typed month too big starts again")
            << Day(2024, 2, 1) << "13" << Day(2024, 3, 1);
        QTest::newRow("left from the day") << Day(2024, 2, 1) << "rlu" << Day(2024, 3, 1);
    }
    void keysChangeTheSelectedField() {
        QFETCH(double, start);
        QFETCH(QString, keys);
        QFETCH(double, expected);
        DatePicker picker;
        picker.SetDisplayFormat(DateDisplayFormat::FromPattern(QStringLiteral("M/d/yyyy")));
        picker.SetDateTime(start);
        for (const QChar key : keys) {
            switch (key.unicode()) {
                case u'r':
                    QTest::keyClick(&picker, Qt::Key_Right);
                    break;
                case u'l':
                    QTest::keyClick(&picker, Qt::Key_Left);
                    break;
                case u'u':
                    QTest::keyClick(&picker, Qt::Key_Up);
                    break;
                case u'd':
                    QTest::keyClick(&picker, Qt::Key_Down);
                    break;
                default:
                    QTest::keyClicks(&picker, QString(key));
            }
        }
        QCOMPARE(picker.DateTime(), expected);
    }

    void freeTextIsNotTaken() {
        DatePicker picker;
        picker.SetDateTime(Day(2024, 2, 1));
        const QString before = picker.text();
        QTest::keyClicks(&picker, QStringLiteral("abc"));
        QTest::keyClick(&picker, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(&picker, Qt::Key_Backspace);
        QCOMPARE(picker.text(), before);
        QCOMPARE(picker.DateTime(), Day(2024, 2, 1));
    }

    void timeOfDayIsKept() {
        DatePicker picker;
        picker.SetDisplayFormat(DateDisplayFormat::FromPattern(QStringLiteral("M/d/yyyy")));
        picker.SetDateTime(45323.6603582176);
        QTest::keyClick(&picker, Qt::Key_Up);
        QCOMPARE(text::ShownDay(picker.DateTime()), text::DayNumber(2024, 3, 1));
        QCOMPARE(picker.DateTime() - std::floor(picker.DateTime()), 45323.6603582176 - 45323.0);
    }

    void calendarPicksADate() {
        DatePicker picker;
        QSignalSpy changed(&picker, &DatePicker::DateTimeChanged);
        picker.SetDateTime(Day(2024, 2, 1));
        picker.ShowCalendar();
        QVERIFY(picker.Calendar()->isVisible());
        QCOMPARE(picker.Calendar()->selectedDate(), QDate(2024, 2, 1));
        emit picker.Calendar()->clicked(QDate(1, 1, 1));
        QVERIFY(!picker.Calendar()->isVisible());
        QCOMPARE(picker.DateTime(), Day(1, 1, 1));
        QCOMPARE(changed.count(), 2);
    }

    void outOfRangeValuesAreBroughtIn() {
        DatePicker picker;
        picker.SetDateTime(1e300);
        QCOMPARE(picker.DateTime(), Day(9999, 12, 31));
        picker.SetDateTime(-1e300);
        QCOMPARE(picker.DateTime(), Day(1, 1, 1));
        picker.SetDateTime(std::numeric_limits<double>::infinity());
        QCOMPARE(picker.DateTime(), Day(9999, 12, 31));
        picker.SetDateTime(std::numeric_limits<double>::quiet_NaN());  // no date: nothing changes
        QCOMPARE(picker.DateTime(), Day(9999, 12, 31));
    }
};

}  // namespace ui

QTEST_MAIN(ui::DatePickerTest)
#include "DatePickerTest.moc"
