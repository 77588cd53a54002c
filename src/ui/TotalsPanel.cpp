#include "ui/TotalsPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>
#include <string>

#include "ui/Controls.h"

namespace ui {

namespace {

constexpr int kTotalsHeight = 45;
constexpr int kTotalsBoxWidth = 209;

// A caption label whose right edge stays where the layout puts it, however wide the font makes it.
QLabel* RightAlignedCaption(const char* name, const QString& text, QWidget* parent, int right,
                            int top) {
    auto* const label = Caption(name, text, parent, 0, top);
    label->move(std::max(0, right - label->width()), top);
    return label;
}

// Bold, and sized to its text whenever it changes. Its caption names it for screen readers.
QLabel* TotalLabel(const char* name, QLabel& caption, int left, int top) {
    auto* const label = Caption(name, QString(), caption.parentWidget(), left, top);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    caption.setBuddy(label);
    return label;
}

void Show(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

}  // namespace

TotalsPanel::TotalsPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pnTotals"));
    setAccessibleName(QStringLiteral("Totals"));
    setFixedHeight(kTotalsHeight);
    QFrame* const panel1 = Bevel("Panel1", QFrame::Sunken, this);
    panel1->setFixedWidth(kTotalsBoxWidth);
    QFrame* const panel2 = Bevel("Panel2", QFrame::Sunken, this);
    auto* const boxes = new QHBoxLayout(this);
    boxes->setContentsMargins(0, 0, 0, 0);
    boxes->setSpacing(0);
    boxes->addWidget(panel1);
    boxes->addWidget(panel2, 1);

    QLabel* const Label4 =
        RightAlignedCaption("Label4", QStringLiteral("Payment:"), panel1, 100, 8);
    lbPayment_ = TotalLabel("lbPayment", *Label4, 112, 8);
    QLabel* const Label7 =
        RightAlignedCaption("Label7", QStringLiteral("Total Payments:"), panel1, 100, 24);
    lbTotalPayments_ = TotalLabel("lbTotalPayments", *Label7, 112, 24);
    QLabel* const Label6 =
        RightAlignedCaption("Label6", QStringLiteral("Total Interest:"), panel2, 92, 8);
    lbInterest_ = TotalLabel("lbInterest", *Label6, 104, 8);
    QLabel* const Label8 =
        RightAlignedCaption("Label8", QStringLiteral("Interest Saved:"), panel2, 92, 24);
    lbIntSaved_ = TotalLabel("lbIntSaved", *Label8, 104, 24);
    ClearTotals();
}

void TotalsPanel::ShowTotals(const loan::ScheduleTotals& totals) {
    Show(lbPayment_, QString::fromStdString(totals.payment));
    Show(lbTotalPayments_, QString::fromStdString(totals.totalPayments));
    Show(lbInterest_, QString::fromStdString(totals.totalInterest));
    Show(lbIntSaved_, QString::fromStdString(totals.interestSaved));
}

void TotalsPanel::ClearTotals() {
    const std::string zero = "$0.00";
    ShowTotals({zero, zero, zero, zero});
}

loan::ScheduleTotals TotalsPanel::Totals() const {
    return {lbPayment_->text().toStdString(), lbTotalPayments_->text().toStdString(),
            lbInterest_->text().toStdString(), lbIntSaved_->text().toStdString()};
}

}  // namespace ui
