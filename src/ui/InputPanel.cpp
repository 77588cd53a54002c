#include "ui/InputPanel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <string>

#include "ui/Controls.h"
#include "ui/DateDisplayFormat.h"
#include "ui/DatePicker.h"
#include "ui/RadioGroup.h"

namespace ui {

namespace {

// A control gets its place and size from the layout, grown where the font needs more room: in
// height always, in width where it shows a text of its own (an edit box scrolls what is typed).
enum class Grow { HeightOnly, WidthAndHeight };
void Place(QWidget& control, int left, int top, int width, int height, Grow grow) {
    const QSize hint = control.sizeHint();
    const int grownWidth = grow == Grow::WidthAndHeight ? std::max(width, hint.width()) : width;
    control.setGeometry(left, top, grownWidth, std::max(height, hint.height()));
}

// The caption label above a control names it for screen readers and passes it the focus.
template <typename Control>
Control* Captioned(Control* control, QLabel& caption) {
    caption.setFocusPolicy(Qt::NoFocus);
    caption.setBuddy(control);
    control->setAccessibleName(caption.text());
    return control;
}

}  // namespace

InputPanel::InputPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pnTerms"));

    QLabel* const principal = Caption("Label1", QStringLiteral("Principal"), this, 8, 11);
    edPrincipal_ = Captioned(Named(new QLineEdit(this), "edPrincipal"), *principal);
    Place(*edPrincipal_, 8, 24, 89, 21, Grow::HeightOnly);

    QLabel* const startDate = Caption("Label3", QStringLiteral("Start Date"), this, 8, 51);
    edDate_ = Captioned(Named(new DatePicker(this), "edDate"), *startDate);
    Place(*edDate_, 8, 64, 89, 21, Grow::WidthAndHeight);

    QLabel* const rate = Caption("Label2", QStringLiteral("Int. Rate"), this, 8, 91);
    edRate_ = Captioned(Named(new QLineEdit(this), "edRate"), *rate);
    Place(*edRate_, 8, 104, 57, 21, Grow::HeightOnly);

    QLabel* const term = Caption("Term", QStringLiteral("Term"), this, 8, 131);
    edTerm_ = Captioned(Named(new QLineEdit(this), "edTerm"), *term);
    Place(*edTerm_, 8, 144, 73, 21, Grow::HeightOnly);

    rgTerm_ =
        Named(new RadioGroup({QStringLiteral("Years"), QStringLiteral("Months")}, this), "rgTerm");
    rgTerm_->setAccessibleName(QStringLiteral("Term in years or months"));
    rgTerm_->SetItemIndex(loan::kTermUnitYears);
    Place(*rgTerm_, 8, 168, 81, 49, Grow::WidthAndHeight);

    QLabel* const frequency = Caption("Label5", QStringLiteral("Frequency"), this, 8, 227);
    cbSchedule_ = Captioned(Named(new QComboBox(this), "cbSchedule"), *frequency);
    cbSchedule_->addItems({QStringLiteral("Weekly"), QStringLiteral("Bi-Weekly"),
                           QStringLiteral("Semi-Monthly"), QStringLiteral("Monthly")});
    Place(*cbSchedule_, 8, 240, 89, 21, Grow::WidthAndHeight);
}

loan::LoanInputs InputPanel::ReadInputs() const {
    loan::LoanInputs inputs;
    inputs.principal = edPrincipal_->text().toStdString();
    inputs.rate = edRate_->text().toStdString();
    inputs.term = edTerm_->text().toStdString();
    inputs.termUnit = rgTerm_->ItemIndex();
    inputs.frequency =
        cbSchedule_->currentIndex() >= 0 ? cbSchedule_->currentText().toStdString() : std::string();
    inputs.startDate = edDate_->DateTime();
    return inputs;
}

void InputPanel::ShowInputs(const loan::LoanInputs& inputs) {
    edPrincipal_->setText(QString::fromStdString(inputs.principal));
    edRate_->setText(QString::fromStdString(inputs.rate));
    edTerm_->setText(QString::fromStdString(inputs.term));
    const int frequency = cbSchedule_->findText(QString::fromStdString(inputs.frequency),
                                                Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (frequency >= 0) {
        cbSchedule_->setCurrentIndex(frequency);
    }
    rgTerm_->SetItemIndex(inputs.termUnit);
    edDate_->SetDateTime(inputs.startDate);
}

QList<QWidget*> InputPanel::TabChain() const {
    QList<QWidget*> chain{edPrincipal_, edRate_, edTerm_};
    for (QAbstractButton* const unit : rgTerm_->Items()) {
        chain.append(unit);
    }
    chain.append({cbSchedule_, edDate_});
    return chain;
}

int InputPanel::FrequencyBottom() const {
    return cbSchedule_->y() + cbSchedule_->height();
}

void InputPanel::FollowSystemDateFormat() {
    edDate_->SetDisplayFormat(DateDisplayFormat::ShortFormat(QLocale::system()));
}

}  // namespace ui
