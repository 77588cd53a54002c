// The start date picker: a date without a time in the person's short date format, changed through
// its fields (arrow keys, digits) or a drop-down calendar, from 1 January of the year 1 to
// 31 December 9999. It holds a date-time value and keeps its time of day when the date changes.
#pragma once

#include <QLineEdit>
#include <vector>

#include "text/Calendar.h"
#include "text/Extended.h"
#include "ui/DateDisplayFormat.h"

class QCalendarWidget;
class QToolButton;

namespace ui {

class DatePicker final : public QLineEdit {
    Q_OBJECT

  public:
    explicit DatePicker(QWidget* parent = nullptr);

    // The day numbers of 1 January 1 and 31 December 9999.
    static const qint64 kFirstDay;
    static const qint64 kLastDay;
    // True when the value shows a date the picker can hold.
    static bool CanHold(text::DateTime value);

    text::DateTime DateTime() const { return value_; }
    // A value outside the picker's dates is brought to the nearest one it holds.
    void SetDateTime(text::DateTime value);

    void SetDisplayFormat(const DateDisplayFormat& format);

    void ShowCalendar();
    QCalendarWidget* Calendar() const { return calendar_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void DateTimeChanged();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    text::CivilDate Date() const;
    void SetDate(text::CivilDate date);
    void Refresh();
    void SelectField(int field);
    void MoveField(int step);
    void StepField(int step);
    void TypeDigit(int digit);
    int FieldAt(int position) const;
    bool IsEditable(int field) const;

    text::DateTime value_ = 0;
    DateDisplayFormat format_;
    std::vector<FieldSpan> spans_;
    int field_ = -1;
    QString typed_;  // digits typed into the selected field so far
    QToolButton* dropButton_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
};

}  // namespace ui
