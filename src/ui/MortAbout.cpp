#include "ui/MortAbout.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "ui/StartUp.h"
#include "ui/WindowFonts.h"

namespace ui {

namespace {

// The client area inside a 340 × 230 frame.
constexpr int kClientWidth = 332;
constexpr int kClientHeight = 203;
constexpr int kDisclaimerWidth = 175;
constexpr int kDisclaimerHeight = 26;
// The application icon, above the notice.
constexpr int kIconSize = 32;

}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setFont(DesignFont());
    resize(kClientWidth, kClientHeight);

    auto* const Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QIcon(QString::fromLatin1(kApplicationIcon)).pixmap(kIconSize, kIconSize));
    Image1->setGeometry(16, 8, kIconSize, kIconSize);

    auto* const Label1 = new QLabel(
        QStringLiteral("Mortgage / Loan Calculator, version %1").arg(MORTGAGE_VERSION), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 48);
    Label1->adjustSize();

    auto* const Label2 = new QLabel(QStringLiteral("corvala software"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(MakerFont());
    QPalette navy = Label2->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label2->setPalette(navy);
    Label2->move(16, 72);
    Label2->adjustSize();

    auto* const Label3 = new QLabel(
        QStringLiteral("This product is sold as-is without any warranty or guarantee of any kind"),
        this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    Label3->setGeometry(16, 120, kDisclaimerWidth,
                        std::max(kDisclaimerHeight, Label3->heightForWidth(kDisclaimerWidth)));

    Button1_ = new QPushButton(QStringLiteral("&OK"), this);
    Button1_->setObjectName(QStringLiteral("Button1"));
    Button1_->setGeometry(240, 32, 75, 25);
    Button1_->setDefault(true);
    connect(Button1_, &QPushButton::clicked, this, &TfrmAbout::Button1Click);

    // Grown, never cut, where the mapped fonts are wider than the layout's.
    resize(std::max(kClientWidth, childrenRect().right() + 16),
           std::max(kClientHeight, childrenRect().bottom() + 16));
}

void TfrmAbout::ShowModal() {
    CenterOnScreen(*this);
    Button1_->setFocus(Qt::OtherFocusReason);
    exec();
}

void TfrmAbout::Button1Click() {
    reject();
}

// A modal box takes the focus from the window that opened it, whatever the window manager does.
void TfrmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
}

// No button is the cancel button, so Escape leaves the box open.
void TfrmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace ui
