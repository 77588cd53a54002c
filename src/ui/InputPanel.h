// The input panel on the window's left: the loan's principal, rate, term, term unit, frequency and
// start date, each under its caption.
#pragma once

#include <QFrame>
#include <QList>

#include "loan/LoanInputs.h"

class QComboBox;
class QLineEdit;

namespace ui {

class DatePicker;
class RadioGroup;

class InputPanel final : public QFrame {
    Q_OBJECT

  public:
    explicit InputPanel(QWidget* parent = nullptr);

    // The loan as typed.
    loan::LoanInputs ReadInputs() const;
    // The inverse: a unit index of -1 leaves neither unit chosen, a frequency the list does not
    // hold leaves the chosen one.
    void ShowInputs(const loan::LoanInputs& inputs);

    // The inputs in the order Tab walks them: the date picker last, although it stands second.
    QList<QWidget*> TabChain() const;
    // Where the frequency box ends, in the panel's coordinates.
    int FrequencyBottom() const;
    // The start date shown in the system's short date format, as it is now.
    void FollowSystemDateFormat();

  private:
    QLineEdit* edPrincipal_ = nullptr;
    DatePicker* edDate_ = nullptr;
    QLineEdit* edRate_ = nullptr;
    QLineEdit* edTerm_ = nullptr;
    RadioGroup* rgTerm_ = nullptr;
    QComboBox* cbSchedule_ = nullptr;
};

}  // namespace ui
