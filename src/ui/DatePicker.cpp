#include "ui/DatePicker.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr int kButtonWidth = 16;

QDate ToQDate(const text::CivilDate& date) {
    return QDate(static_cast<int>(date.year), date.month, date.day);
}

}  // namespace

const qint64 DatePicker::kFirstDay = text::kFirstDay;
const qint64 DatePicker::kLastDay = text::kLastDay;

bool DatePicker::CanHold(text::DateTime value) {
    return text::CanHold(value);
}

DatePicker::DatePicker(QWidget* parent)
    : QLineEdit(parent), format_(DateDisplayFormat::ShortFormat(QLocale())) {
    // The text is the picker's own: no free typing, pasting or dropping.
    setReadOnly(true);
    setDragEnabled(false);
    setAcceptDrops(false);
    setTextMargins(0, 0, kButtonWidth + 2, 0);

    dropButton_ = new QToolButton(this);
    dropButton_->setObjectName(QStringLiteral("edDateDropDown"));
    dropButton_->setArrowType(Qt::DownArrow);
    dropButton_->setFocusPolicy(Qt::NoFocus);
    dropButton_->setCursor(Qt::ArrowCursor);
    connect(dropButton_, &QToolButton::clicked, this, &DatePicker::ShowCalendar);

    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName(QStringLiteral("edDateCalendar"));
    calendar_->setWindowFlags(Qt::Popup);
    calendar_->setDateRange(ToQDate(text::DateOfDay(kFirstDay)),
                            ToQDate(text::DateOfDay(kLastDay)));
    const auto pick = [this](QDate date) {
        calendar_->hide();
        SetDate(text::CivilDate{date.year(), date.month(), date.day()});
        setFocus(Qt::PopupFocusReason);
    };
    connect(calendar_, &QCalendarWidget::clicked, this, pick);
    connect(calendar_, &QCalendarWidget::activated, this, pick);

    SelectField(FieldAt(0));
    Refresh();
}

void DatePicker::SetDateTime(text::DateTime value) {
    value = text::NearestHeld(value);
    // Not a number is no date at all: the picker keeps the one it shows.
    if (std::isnan(value) || value == value_) {
        return;
    }
    value_ = value;
    typed_.clear();
    Refresh();
    emit DateTimeChanged();
}

void DatePicker::SetDisplayFormat(const DateDisplayFormat& format) {
    format_ = format;
    field_ = -1;
    Refresh();
    SelectField(FieldAt(0));
}

text::CivilDate DatePicker::Date() const {
    return text::DateOfDay(text::ShownDay(value_));
}

// The new date keeps the time of day the value carried.
void DatePicker::SetDate(text::CivilDate date) {
    date.year = std::clamp(date.year, text::kFirstYear, text::kLastYear);
    date.month = std::clamp(date.month, 1, 12);
    date.day = std::clamp(date.day, 1, text::DaysInMonth(date.year, date.month));
    const double value = text::WithDay(value_, text::DayNumber(date.year, date.month, date.day));
    if (value == value_) {
        return;
    }
    value_ = value;
    Refresh();
    emit DateTimeChanged();
}

void DatePicker::Refresh() {
    setText(format_.Render(Date(), locale(), &spans_));
    if (field_ >= 0 && field_ < static_cast<int>(spans_.size())) {
        setSelection(spans_[field_].start, spans_[field_].length);
    }
}

bool DatePicker::IsEditable(int field) const {
    if (field < 0 || field >= static_cast<int>(format_.Fields().size())) {
        return false;
    }
    const DateField::Kind kind = format_.Fields()[field].kind;
    return kind == DateField::Kind::Day || kind == DateField::Kind::Month ||
           kind == DateField::Kind::Year;
}

int DatePicker::FieldAt(int position) const {
    int best = -1;
    int bestDistance = 0;
    for (int field = 0; field < static_cast<int>(spans_.size()); ++field) {
        if (!IsEditable(field)) {
            continue;
        }
        const FieldSpan& span = spans_[field];
        const int distance = position < span.start ? span.start - position
                             : position > span.start + span.length
                                 ? position - span.start - span.length
                                 : 0;
        if (best < 0 || distance < bestDistance) {
            best = field;
            bestDistance = distance;
        }
    }
    return best;
}

void DatePicker::SelectField(int field) {
    if (field < 0) {
        return;
    }
    field_ = field;
    typed_.clear();
    if (field_ < static_cast<int>(spans_.size())) {
        setSelection(spans_[field_].start, spans_[field_].length);
    }
}

void DatePicker::MoveField(int step) {
    const int count = static_cast<int>(format_.Fields().size());
    for (int field = field_ + step; field >= 0 && field < count; field += step) {
        if (IsEditable(field)) {
            SelectField(field);
            return;
        }
    }
    SelectField(field_);
}

void DatePicker::StepField(int step) {
    if (!IsEditable(field_)) {
        return;
    }
    text::CivilDate date = Date();
    typed_.clear();
    switch (format_.Fields()[field_].kind) {
        case DateField::Kind::Day: {
            const int days = text::DaysInMonth(date.year, date.month);
            date.day = ((date.day - 1 + step) % days + days) % days + 1;
            break;
        }
        case DateField::Kind::Month:
            date.month = ((date.month - 1 + step) % 12 + 12) % 12 + 1;
            break;
        case DateField::Kind::Year:
            date.year += step;
            break;
        default:
            return;
    }
    SetDate(date);
}

// Digits build the field's number as typed; a digit that cannot continue it starts a new one.
void DatePicker::TypeDigit(int digit) {
    if (!IsEditable(field_)) {
        return;
    }
    text::CivilDate date = Date();
    const DateField::Kind kind = format_.Fields()[field_].kind;
    const int maximum = kind == DateField::Kind::Day     ? text::DaysInMonth(date.year, date.month)
                        : kind == DateField::Kind::Month ? 12
                                                         : static_cast<int>(text::kLastYear);
    const int maximumDigits = kind == DateField::Kind::Year ? 4 : 2;
    typed_ += QChar(u'0' + digit);
    int number = typed_.toInt();
    if (number > maximum) {
        typed_ = QString(QChar(u'0' + digit));
        number = digit;
    }
    if (number >= 1) {
        if (kind == DateField::Kind::Day) {
            date.day = number;
        } else if (kind == DateField::Kind::Month) {
            date.month = number;
        } else {
            date.year = number;
        }
        const QString typed = typed_;
        SetDate(date);
        typed_ = typed;
    }
    if (typed_.size() >= maximumDigits || number * 10 > maximum) {
        typed_.clear();
    }
}

void DatePicker::keyPressEvent(QKeyEvent* event) {
    const bool alt = (event->modifiers() & Qt::AltModifier) != 0;
    switch (event->key()) {
        case Qt::Key_Left:
            MoveField(-1);
            return;
        case Qt::Key_Right:
            MoveField(1);
            return;
        case Qt::Key_Home:
            SelectField(FieldAt(0));
            return;
        case Qt::Key_End:
            SelectField(FieldAt(static_cast<int>(text().size())));
            return;
        case Qt::Key_Up:
            StepField(1);
            return;
        case Qt::Key_Down:
            if (alt) {
                ShowCalendar();
            } else {
                StepField(-1);
            }
            return;
        case Qt::Key_F4:
            ShowCalendar();
            return;
        default:
            break;
    }
    if (event->matches(QKeySequence::Copy)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 &&
        (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0) {
        const QChar c = typed.front();
        if (c.isDigit() && c.digitValue() >= 0) {
            TypeDigit(c.digitValue());
            return;
        }
        if (c.isPunct() || c.isSpace()) {
            MoveField(1);
            return;
        }
    }
    // Enter, Escape and the rest belong to the window.
    event->ignore();
}

void DatePicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    SelectField(FieldAt(cursorPositionAt(event->position().toPoint())));
    event->accept();
}

void DatePicker::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void DatePicker::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void DatePicker::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    SelectField(field_ >= 0 ? field_ : FieldAt(0));
}

void DatePicker::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    dropButton_->setGeometry(width() - kButtonWidth - 2, 2, kButtonWidth, height() - 4);
}

void DatePicker::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

void DatePicker::ShowCalendar() {
    calendar_->setSelectedDate(ToQDate(Date()));
    calendar_->adjustSize();
    calendar_->move(mapToGlobal(QPoint(0, height())));
    calendar_->show();
    calendar_->setFocus(Qt::PopupFocusReason);
}

// Wide enough for the widest date of the format: a two-digit day, every month, a full year.
QSize DatePicker::sizeHint() const {
    int widest = 0;
    for (int month = 1; month <= 12; ++month) {
        const QString sample = format_.Render(text::CivilDate{8888, month, 28}, locale());
        widest = std::max(widest, fontMetrics().horizontalAdvance(sample));
    }
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QMargins margins = textMargins();
    const QSize contents(widest + margins.left() + margins.right() + 4, fontMetrics().height());
    const QSize framed = style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this);
    return QSize(framed.width(), QLineEdit::sizeHint().height());
}

QSize DatePicker::minimumSizeHint() const {
    return sizeHint();
}

}  // namespace ui
