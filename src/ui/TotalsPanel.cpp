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

// A total in its box, bold and sized to its text whenever it changes, after its caption, which
// names it for screen readers.
QLabel* CaptionedTotal(const char* captionName, const QString& caption, const char* name,
                       QWidget* box, int captionRight, int left, int top) {
    QLabel* const captionLabel = RightAlignedCaption(captionName, caption, box, captionRight, top);
    auto* const label = Caption(name, QString(), box, left, top);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    captionLabel->setBuddy(label);
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

    lbPayment_ =
        CaptionedTotal("Label4", QStringLiteral("Payment:"), "lbPayment", panel1, 100, 112, 8);
    lbTotalPayments_ = CaptionedTotal("Label7", QStringLiteral("Total Payments:"),
                                      "lbTotalPayments", panel1, 100, 112, 24);
    lbInterest_ = CaptionedTotal("Label6", QStringLiteral("Total Interest:"), "lbInterest", panel2,
                                 92, 104, 8);
    lbIntSaved_ = CaptionedTotal("Label8", QStringLiteral("Interest Saved:"), "lbIntSaved", panel2,
                                 92, 104, 24);
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
