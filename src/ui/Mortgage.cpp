#include "ui/Mortgage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstddef>

#include "loan/Schedule.h"
#include "print/qt/PrintJob.h"
#include "text/DateText.h"
#include "ui/Boxes.h"
#include "ui/DateDisplayFormat.h"
#include "ui/DatePicker.h"
#include "ui/DocumentCommands.h"
#include "ui/MortAbout.h"
#include "ui/RadioGroup.h"
#include "ui/RunCommand.h"
#include "ui/ScheduleTableModel.h"
#include "ui/ScheduleTableView.h"
#include "ui/SystemLocale.h"
#include "ui/WindowFonts.h"

// The pictures are compiled into the static library; a static library's resources are not
// registered until asked for (outside any namespace, as Qt requires).
static void RegisterPictures() {
    Q_INIT_RESOURCE(icons);
}

namespace ui {

namespace {

// The client area the layout was drawn for, below the menu bar.
constexpr int kClientWidth = 581;
constexpr int kClientHeight = 383;
constexpr int kToolBarHeight = 33;
constexpr int kTotalsHeight = 45;
constexpr int kTermsWidth = 105;
constexpr int kTermsMinimumWidth = 30;
constexpr int kSplitterWidth = 3;
constexpr int kTotalsBoxWidth = 209;
// Room the activation check leaves below the frequency box.
constexpr int kRoomBelowFrequency = 25;

const QString kLoanFilter = QStringLiteral("Tessary Loan (*.tsl)");
const QString kAllFilesFilter = QStringLiteral("All Files (*)");

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* Caption(const char* name, const QString& text, QWidget* parent, int left, int top) {
    auto* const label = Named(new QLabel(text, parent), name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// A caption label whose right edge stays where the layout puts it, however wide the font makes it.
QLabel* RightAlignedCaption(const char* name, const QString& text, QWidget* parent, int right,
                            int top) {
    auto* const label = Caption(name, text, parent, 0, top);
    label->move(std::max(0, right - label->width()), top);
    return label;
}

QLabel* TotalLabel(const char* name, QWidget* parent, int left, int top) {
    auto* const label = Caption(name, QStringLiteral("$0.00"), parent, left, top);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->adjustSize();
    return label;
}

// A control gets its place and size from the layout, grown where the font needs more room: in
// height always, in width where it shows a text of its own (an edit box scrolls what is typed).
enum class Grow { HeightOnly, WidthAndHeight };
void Place(QWidget& control, int left, int top, int width, int height, Grow grow) {
    const QSize hint = control.sizeHint();
    const int grownWidth = grow == Grow::WidthAndHeight ? std::max(width, hint.width()) : width;
    control.setGeometry(left, top, grownWidth, std::max(height, hint.height()));
}

// A tool button runs its command's menu item, the one action behind both; its hint is the item's
// caption without the access letter, and its picture stays out of the menu.
QToolButton* ToolButton(const char* name, QAction* command, const QIcon& picture, QWidget* parent,
                        int left) {
    command->setIcon(picture);
    command->setIconVisibleInMenu(false);
    auto* const button = Named(new QToolButton(parent), name);
    button->setDefaultAction(command);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(command->toolTip());
    button->setIconSize(QSize(16, 16));
    button->setGeometry(left, 5, 25, 25);
    return button;
}

QFrame* Bevel(const char* name, QFrame::Shadow shadow, QWidget* parent) {
    auto* const frame = Named(new QFrame(parent), name);
    frame->setFrameStyle(QFrame::Panel | shadow);
    frame->setLineWidth(1);
    return frame;
}

}  // namespace

TfrmMortMain::TfrmMortMain(Boxes& boxes, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), boxes_(boxes), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmMortMain"));
    setWindowTitle(QStringLiteral("Corvala Mortgage / Loan Calculator"));
    setFont(DesignFont());

    odMain.filters = {kLoanFilter, kAllFilesFilter};
    odMain.filter = kLoanFilter;
    odMain.defaultSuffix = QStringLiteral("tsl");
    sdMain = odMain;
    sdMain.title = QStringLiteral("Save Loan");

    BuildMenu();
    BuildToolBar();
    BuildInputs();
    BuildTotals();
    BuildLayout();
    SetTabOrder();
    resize(clientWidth_, kClientHeight + MainMenu1->sizeHint().height());

    // The window's shortcuts win over the edit boxes' and the grid's own use of the same keys.
    qApp->installEventFilter(this);

    FormCreate();
}

void TfrmMortMain::BuildMenu() {
    MainMenu1 = Named(new QMenuBar(this), "MainMenu1");
    setMenuBar(MainMenu1);
    File1 = Named(MainMenu1->addMenu(QStringLiteral("&File")), "File1");
    File1->setFont(font());
    const auto item = [this](const char* name, const QString& caption, const QKeySequence& keys) {
        QAction* const action = Named(File1->addAction(caption), name);
        action->setShortcut(keys);
        return action;
    };
    New1 = item("New1", QStringLiteral("&New"), {});
    Open1 = item("Open1", QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    N1 = item("N1", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1 = item("SaveAs1", QStringLiteral("Save &As"), QKeySequence(Qt::CTRL | Qt::Key_A));
    N3 = Named(File1->addSeparator(), "N3");
    Print1 = item("Print1", QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    Calculate1 = item("Calculate1", QStringLiteral("&Calculate"), {});
    N2 = Named(File1->addSeparator(), "N2");
    Exit1 = item("Exit1", QStringLiteral("E&xit"), {});
    About1 = Named(MainMenu1->addAction(QStringLiteral("&About")), "About1");

    connect(New1, &QAction::triggered, this, &TfrmMortMain::New1Click);
    connect(Open1, &QAction::triggered, this, &TfrmMortMain::Open1Click);
    connect(N1, &QAction::triggered, this, &TfrmMortMain::N1Click);
    connect(SaveAs1, &QAction::triggered, this, &TfrmMortMain::SaveAs1Click);
    connect(Print1, &QAction::triggered, this, &TfrmMortMain::Print1Click);
    connect(Calculate1, &QAction::triggered, this, &TfrmMortMain::Button1Click);
    // Exit closes the main window, which ends the program like closing it through its frame.
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    connect(About1, &QAction::triggered, this, &TfrmMortMain::About1Click);
}

void TfrmMortMain::BuildToolBar() {
    pnToolBar = Bevel("pnToolBar", QFrame::Sunken, this);
    pnToolBar->setFixedHeight(kToolBarHeight);
    auto* const inner = new QVBoxLayout(pnToolBar);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(Bevel("pnToolBarBevel", QFrame::Raised, pnToolBar));

    RegisterPictures();
    QIcon calculator(QStringLiteral(":/icons/calculate.svg"));
    calculator.addFile(QStringLiteral(":/icons/calculate-disabled.svg"), QSize(16, 16),
                       QIcon::Disabled);
    btNew = ToolButton("btNew", New1, QIcon(QStringLiteral(":/icons/new.svg")), pnToolBar, 8);
    btOpen = ToolButton("btOpen", Open1, QIcon(QStringLiteral(":/icons/open.svg")), pnToolBar, 33);
    btSave = ToolButton("btSave", N1, QIcon(QStringLiteral(":/icons/save.svg")), pnToolBar, 58);
    btSaveAs = ToolButton("btSaveAs", SaveAs1, QIcon(QStringLiteral(":/icons/save-as.svg")),
                          pnToolBar, 83);
    btPrint =
        ToolButton("btPrint", Print1, QIcon(QStringLiteral(":/icons/print.svg")), pnToolBar, 108);
    btCalculate = ToolButton("btCalculate", Calculate1, calculator, pnToolBar, 133);
}

void TfrmMortMain::BuildInputs() {
    pnTerms = Named(new QFrame(this), "pnTerms");
    pnTerms->setMinimumWidth(kTermsMinimumWidth);

    const auto edit = [this](const char* name, const QString& caption) {
        auto* const box = Named(new QLineEdit(pnTerms), name);
        box->setAccessibleName(caption);
        return box;
    };
    Label1 = Caption("Label1", QStringLiteral("Principal"), pnTerms, 8, 11);
    edPrincipal = edit("edPrincipal", QStringLiteral("Principal"));
    Place(*edPrincipal, 8, 24, 89, 21, Grow::HeightOnly);

    Label3 = Caption("Label3", QStringLiteral("Start Date"), pnTerms, 8, 51);
    edDate = Named(new DatePicker(pnTerms), "edDate");
    edDate->setAccessibleName(QStringLiteral("Start Date"));
    Place(*edDate, 8, 64, 89, 21, Grow::WidthAndHeight);

    Label2 = Caption("Label2", QStringLiteral("Int. Rate"), pnTerms, 8, 91);
    edRate = edit("edRate", QStringLiteral("Int. Rate"));
    Place(*edRate, 8, 104, 57, 21, Grow::HeightOnly);

    Term = Caption("Term", QStringLiteral("Term"), pnTerms, 8, 131);
    edTerm = edit("edTerm", QStringLiteral("Term"));
    Place(*edTerm, 8, 144, 73, 21, Grow::HeightOnly);

    rgTerm = Named(new RadioGroup({QStringLiteral("Years"), QStringLiteral("Months")}, pnTerms),
                   "rgTerm");
    rgTerm->setAccessibleName(QStringLiteral("Term in years or months"));
    rgTerm->SetItemIndex(loan::kTermUnitYears);
    Place(*rgTerm, 8, 168, 81, 49, Grow::WidthAndHeight);

    Label5 = Caption("Label5", QStringLiteral("Frequency"), pnTerms, 8, 227);
    cbSchedule = Named(new QComboBox(pnTerms), "cbSchedule");
    cbSchedule->setAccessibleName(QStringLiteral("Frequency"));
    cbSchedule->addItems({QStringLiteral("Weekly"), QStringLiteral("Bi-Weekly"),
                          QStringLiteral("Semi-Monthly"), QStringLiteral("Monthly")});
    Place(*cbSchedule, 8, 240, 89, 21, Grow::WidthAndHeight);

    for (QWidget* const label : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label3),
                                 static_cast<QWidget*>(Label2), static_cast<QWidget*>(Term),
                                 static_cast<QWidget*>(Label5)}) {
        label->setFocusPolicy(Qt::NoFocus);
    }
    Label1->setBuddy(edPrincipal);
    Label3->setBuddy(edDate);
    Label2->setBuddy(edRate);
    Term->setBuddy(edTerm);
    Label5->setBuddy(cbSchedule);
}

void TfrmMortMain::BuildTotals() {
    pnTotals = Named(new QFrame(this), "pnTotals");
    pnTotals->setFixedHeight(kTotalsHeight);
    Panel1 = Bevel("Panel1", QFrame::Sunken, pnTotals);
    Panel1->setFixedWidth(kTotalsBoxWidth);
    Panel2 = Bevel("Panel2", QFrame::Sunken, pnTotals);
    auto* const boxes = new QHBoxLayout(pnTotals);
    boxes->setContentsMargins(0, 0, 0, 0);
    boxes->setSpacing(0);
    boxes->addWidget(Panel1);
    boxes->addWidget(Panel2, 1);

    Label4 = RightAlignedCaption("Label4", QStringLiteral("Payment:"), Panel1, 100, 8);
    lbPayment = TotalLabel("lbPayment", Panel1, 112, 8);
    Label7 = RightAlignedCaption("Label7", QStringLiteral("Total Payments:"), Panel1, 100, 24);
    lbTotalPayments = TotalLabel("lbTotalPayments", Panel1, 112, 24);
    Label6 = RightAlignedCaption("Label6", QStringLiteral("Total Interest:"), Panel2, 92, 8);
    lbInterest = TotalLabel("lbInterest", Panel2, 104, 8);
    Label8 = RightAlignedCaption("Label8", QStringLiteral("Interest Saved:"), Panel2, 92, 24);
    lbIntSaved = TotalLabel("lbIntSaved", Panel2, 104, 24);
}

void TfrmMortMain::BuildLayout() {
    model_ = new ScheduleTableModel(this);
    sgTable = Named(new ScheduleTableView(this), "sgTable");
    sgTable->setAccessibleName(QStringLiteral("Schedule"));
    sgTable->SetScheduleModel(model_);
    connect(sgTable->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    sgTableSelectCell(current.column(), current.row());
                }
            });

    Splitter1 = Named(new QSplitter(Qt::Horizontal, this), "Splitter1");
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(pnTerms);
    Splitter1->addWidget(sgTable);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    // The inputs keep their width unless a wider font needs more.
    const int termsWidth = std::max(kTermsWidth, pnTerms->childrenRect().right() + 1 + 8);
    clientWidth_ =
        std::max(kClientWidth, termsWidth + kSplitterWidth + sgTable->WidthForAllColumns());
    Splitter1->setSizes({termsWidth, clientWidth_ - termsWidth - kSplitterWidth});

    auto* const central = Named(new QWidget(this), "ClientArea");
    auto* const column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(pnToolBar);
    column->addWidget(Splitter1, 1);
    column->addWidget(pnTotals);
    setCentralWidget(central);
}

// The date picker comes last although it stands second from the top.
void TfrmMortMain::SetTabOrder() {
    const QList<QAbstractButton*> units = rgTerm->Items();
    QList<QWidget*> chain{edPrincipal, edRate, edTerm};
    for (QAbstractButton* const unit : units) {
        chain.append(unit);
    }
    chain.append({cbSchedule, edDate, sgTable});
    for (qsizetype i = 0; i + 1 < chain.size(); ++i) {
        setTabOrder(chain.at(i), chain.at(i + 1));
    }
}

void TfrmMortMain::FormCreate() {
    ChangeGrid([](loan::ScheduleGrid& grid) {
        for (int column = 0; column < loan::ScheduleGrid::kColumnCount; ++column) {
            grid.SetCell(0, column, loan::kScheduleHeaders[static_cast<std::size_t>(column)]);
        }
    });
    cbSchedule->setCurrentIndex(3);
    edDate->SetDateTime(text::Today());
}

void TfrmMortMain::FormActivate() {
    const int frequencyBottom = cbSchedule->y() + cbSchedule->height();
    const int panelHeight = pnTerms->height();
    if (frequencyBottom > panelHeight) {
        resize(width(), height() + (frequencyBottom - panelHeight) + kRoomBelowFrequency);
    }
}

void TfrmMortMain::sgTableSelectCell(int column, int /*row*/) {
    sgTable->SetEditing(column == loan::kColExtra);
}

bool TfrmMortMain::RunCommand(const std::function<void()>& command) {
    return ui::RunCommand(boxes_, command);
}

loan::LoanInputs TfrmMortMain::ReadInputs() const {
    loan::LoanInputs inputs;
    inputs.principal = edPrincipal->text().toStdString();
    inputs.rate = edRate->text().toStdString();
    inputs.term = edTerm->text().toStdString();
    inputs.termUnit = rgTerm->ItemIndex();
    inputs.frequency =
        cbSchedule->currentIndex() >= 0 ? cbSchedule->currentText().toStdString() : std::string();
    inputs.startDate = edDate->DateTime();
    return inputs;
}

const loan::ScheduleGrid& TfrmMortMain::Grid() const {
    return model_->Grid();
}

void TfrmMortMain::ChangeGrid(const std::function<void(loan::ScheduleGrid&)>& change) {
    model_->ChangeGrid(change);
}

CalculateResult TfrmMortMain::Calculate() {
    const loan::LoanInputs inputs = ReadInputs();
    // The cell editor has already put every keystroke into the grid, so the extra payments are
    // read as typed so far.
    const loan::CalculateOutcome outcome = model_->ChangeGrid(
        [&inputs](loan::ScheduleGrid& grid) { return loan::Calculate(inputs, grid); });
    if (outcome.totals) {
        ShowTotals(*outcome.totals);
    }
    if (!outcome.message.empty()) {
        boxes_.ShowInfoBox(QString::fromStdString(outcome.message));
    }
    return outcome.totals ? CalculateResult::Completed : CalculateResult::Stopped;
}

void TfrmMortMain::ShowTotals(const loan::ScheduleTotals& totals) {
    const auto show = [](QLabel* label, const std::string& text) {
        label->setText(QString::fromStdString(text));
        label->adjustSize();
    };
    show(lbPayment, totals.payment);
    show(lbInterest, totals.totalInterest);
    show(lbTotalPayments, totals.totalPayments);
    show(lbIntSaved, totals.interestSaved);
}

bool TfrmMortMain::Button1Click() {
    return RunCommand([this] { Calculate(); });
}

void TfrmMortMain::New1Click() {
    RunCommand([this] { NewLoan(*this); });
}

void TfrmMortMain::Open1Click() {
    RunCommand([this] { OpenLoan(*this); });
}

void TfrmMortMain::N1Click() {
    RunCommand([this] { SaveLoan(*this); });
}

void TfrmMortMain::SaveAs1Click() {
    RunCommand([this] { SaveLoanAs(*this); });
}

void TfrmMortMain::Print1Click() {
    RunCommand([this] { print_.Run(*this, dialogs_); });
}

void TfrmMortMain::btPrintClick(QPrinter& printer) {
    print::qt::RunPrintJob(printer, PrintoutTextsOf(*this));
}

void TfrmMortMain::About1Click() {
    RunCommand([this] {
        if (frmAbout != nullptr) {
            frmAbout->ShowModal();
            // The focus comes back here, and with it the activation check.
            activateWindow();
        }
    });
}

bool TfrmMortMain::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowActivate:
            if (activationFromOwnWindow_) {
                FormActivate();
            }
            activationFromOwnWindow_ = false;
            break;
        case QEvent::WindowDeactivate:
            // The program's own window (a box, a dialog, the About box) has become the active
            // one; coming back from another program runs no check.
            activationFromOwnWindow_ = QApplication::activeWindow() != nullptr;
            break;
        default:
            break;
    }
    return QMainWindow::event(event);
}

void TfrmMortMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) {
        ReadSystemLocaleMarks();
        edDate->SetDisplayFormat(DateDisplayFormat::ShortFormat(QLocale::system()));
    }
    QMainWindow::changeEvent(event);
}

bool TfrmMortMain::IsMenuShortcut(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* const action : {Open1, N1, SaveAs1, Print1}) {
        if (action->shortcut() == pressed) {
            return true;
        }
    }
    return false;
}

bool TfrmMortMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* const widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this &&
            IsMenuShortcut(*static_cast<QKeyEvent*>(event))) {
            // Left unclaimed, the key runs the menu item instead of, say, selecting all text.
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace ui
