#include "ui/Mortgage.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstddef>

#include "loan/Schedule.h"
#include "print/qt/PrintJob.h"
#include "text/DateText.h"
#include "ui/BalanceChart.h"
#include "ui/Boxes.h"
#include "ui/Controls.h"
#include "ui/GridCommands.h"
#include "ui/InputPanel.h"
#include "ui/LoanFileDrop.h"
#include "ui/MortAbout.h"
#include "ui/RunCommand.h"
#include "ui/ScheduleTableModel.h"
#include "ui/ScheduleTableView.h"
#include "ui/SystemLocale.h"
#include "ui/TotalsPanel.h"
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
constexpr int kTermsWidth = 105;
constexpr int kTermsMinimumWidth = 30;
constexpr int kSplitterWidth = 3;
// Room the activation check leaves below the frequency box.
constexpr int kRoomBelowFrequency = 25;

// A tool button runs its command's menu item, the one action behind both; its hint is the item's
// caption without the access letter. The picture is the button's alone: on the action it would
// widen the menu by a column for pictures that the menu does not show. The button takes the
// action's look again whenever the action changes, so the picture is put back after it.
QToolButton* ToolButton(const char* name, QAction* command, const QIcon& picture, QWidget* parent,
                        int left) {
    auto* const button = Named(new QToolButton(parent), name);
    button->setDefaultAction(command);
    button->setIcon(picture);
    QObject::connect(command, &QAction::changed, button,
                     [button, picture] { button->setIcon(picture); });
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(command->toolTip());
    button->setIconSize(QSize(16, 16));
    button->setGeometry(left, 5, 25, 25);
    return button;
}

QIcon Picture(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

}  // namespace

TfrmMortMain::TfrmMortMain(Boxes& boxes, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), boxes_(boxes), dialogs_(dialogs), documents_(*this, dialogs) {
    setObjectName(QStringLiteral("frmMortMain"));
    setWindowTitle(QStringLiteral("Corvala Mortgage / Loan Calculator"));
    setFont(DesignFont());

    BuildLayout(*BuildCommands());
    resize(clientWidth_, kClientHeight + menuBar()->sizeHint().height());

    // The window's shortcuts win over the edit boxes' and the grid's own use of the same keys;
    // a loan file dragged anywhere onto the window is the window's, even over an edit box.
    qApp->installEventFilter(this);
    setAcceptDrops(true);

    FormCreate();
}

// The menu and the tool bar, one action per command shared by its menu item and its tool button.
// Returns the tool bar, for the layout.
QFrame* TfrmMortMain::BuildCommands() {
    QMenuBar* const MainMenu1 = Named(new QMenuBar(this), "MainMenu1");
    setMenuBar(MainMenu1);
    File1_ = Named(MainMenu1->addMenu(QStringLiteral("&File")), "File1");
    File1_->setFont(font());
    const auto item = [this](const char* name, const QString& caption, const QKeySequence& keys) {
        QAction* const action = Named(File1_->addAction(caption), name);
        action->setShortcut(keys);
        return action;
    };
    QAction* const New1 = item("New1", QStringLiteral("&New"), {});
    QAction* const Open1 =
        item("Open1", QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* const N1 = item("N1", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* const SaveAs1 =
        item("SaveAs1", QStringLiteral("Save &As"), QKeySequence(Qt::CTRL | Qt::Key_A));
    Named(File1_->addSeparator(), "N3");
    QAction* const Print1 =
        item("Print1", QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction* const Calculate1 = item("Calculate1", QStringLiteral("&Calculate"), {});
    Named(File1_->addSeparator(), "N2");
    QAction* const Exit1 = item("Exit1", QStringLiteral("E&xit"), {});
    QMenu* const View1 = Named(MainMenu1->addMenu(QStringLiteral("&View")), "View1");
    View1->setFont(font());
    QAction* const BalanceChart1 =
        Named(View1->addAction(QStringLiteral("Balance &Chart")), "BalanceChart1");
    QAction* const About1 = Named(MainMenu1->addAction(QStringLiteral("&About")), "About1");

    connect(New1, &QAction::triggered, this, &TfrmMortMain::New1Click);
    connect(Open1, &QAction::triggered, this, &TfrmMortMain::Open1Click);
    connect(N1, &QAction::triggered, this, &TfrmMortMain::N1Click);
    connect(SaveAs1, &QAction::triggered, this, &TfrmMortMain::SaveAs1Click);
    connect(Print1, &QAction::triggered, this, &TfrmMortMain::Print1Click);
    connect(Calculate1, &QAction::triggered, this, &TfrmMortMain::Button1Click);
    // Exit closes the main window, which ends the program like closing it through its frame.
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    connect(BalanceChart1, &QAction::triggered, this, &TfrmMortMain::BalanceChart1Click);
    connect(About1, &QAction::triggered, this, &TfrmMortMain::About1Click);

    QFrame* const pnToolBar = Bevel("pnToolBar", QFrame::Sunken, this);
    pnToolBar->setFixedHeight(kToolBarHeight);
    auto* const inner = new QVBoxLayout(pnToolBar);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(Bevel("pnToolBarBevel", QFrame::Raised, pnToolBar));

    RegisterPictures();
    QIcon calculator = Picture("calculate");
    calculator.addFile(QStringLiteral(":/icons/calculate-disabled.svg"), QSize(16, 16),
                       QIcon::Disabled);
    ToolButton("btNew", New1, Picture("new"), pnToolBar, 8);
    ToolButton("btOpen", Open1, Picture("open"), pnToolBar, 33);
    ToolButton("btSave", N1, Picture("save"), pnToolBar, 58);
    ToolButton("btSaveAs", SaveAs1, Picture("save-as"), pnToolBar, 83);
    ToolButton("btPrint", Print1, Picture("print"), pnToolBar, 108);
    ToolButton("btCalculate", Calculate1, calculator, pnToolBar, 133);
    return pnToolBar;
}

void TfrmMortMain::BuildLayout(QFrame& pnToolBar) {
    pnTerms_ = new InputPanel(this);
    pnTerms_->setMinimumWidth(kTermsMinimumWidth);

    model_ = new ScheduleTableModel(this);
    sgTable_ = Named(new ScheduleTableView(this), "sgTable");
    sgTable_->setAccessibleName(QStringLiteral("Schedule"));
    sgTable_->SetScheduleModel(model_);
    connect(sgTable_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    sgTableSelectCell(current.column(), current.row());
                }
            });
    new GridCommands(*sgTable_, *model_, boxes_, this);

    pnTotals_ = new TotalsPanel(this);

    auto* const Splitter1 = Named(new QSplitter(Qt::Horizontal, this), "Splitter1");
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(pnTerms_);
    Splitter1->addWidget(sgTable_);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    // The inputs keep their width unless a wider font needs more.
    const int termsWidth = std::max(kTermsWidth, pnTerms_->childrenRect().right() + 1 + 8);
    clientWidth_ =
        std::max(kClientWidth, termsWidth + kSplitterWidth + sgTable_->WidthForAllColumns());
    Splitter1->setSizes({termsWidth, clientWidth_ - termsWidth - kSplitterWidth});

    auto* const central = Named(new QWidget(this), "ClientArea");
    auto* const column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(&pnToolBar);
    column->addWidget(Splitter1, 1);
    column->addWidget(pnTotals_);
    setCentralWidget(central);

    // The date picker comes last although it stands second from the top; the grid follows it.
    QList<QWidget*> chain = pnTerms_->TabChain();
    chain.append(sgTable_);
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
    loan::LoanInputs start;
    start.frequency = "Monthly";
    start.startDate = text::Today();
    ShowInputs(start);
}

void TfrmMortMain::FormActivate() {
    const int frequencyBottom = pnTerms_->FrequencyBottom();
    const int panelHeight = pnTerms_->height();
    if (frequencyBottom > panelHeight) {
        resize(width(), height() + (frequencyBottom - panelHeight) + kRoomBelowFrequency);
    }
}

void TfrmMortMain::sgTableSelectCell(int column, int /*row*/) {
    sgTable_->SetEditing(column == loan::kColExtra);
}

bool TfrmMortMain::RunCommand(const std::function<void()>& command) {
    return ui::RunCommand(boxes_, command);
}

loan::LoanInputs TfrmMortMain::ReadInputs() const {
    return pnTerms_->ReadInputs();
}

void TfrmMortMain::ShowInputs(const loan::LoanInputs& inputs) {
    pnTerms_->ShowInputs(inputs);
}

void TfrmMortMain::ClearTotals() {
    pnTotals_->ClearTotals();
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
        pnTotals_->ShowTotals(*outcome.totals);
    }
    if (!outcome.message.empty()) {
        boxes_.ShowInfoBox(QString::fromStdString(outcome.message));
    }
    return outcome.totals ? CalculateResult::Completed : CalculateResult::Stopped;
}

print::PrintoutTexts TfrmMortMain::TextsToPrint() const {
    return PrintoutTextsOf(ReadInputs(), pnTotals_->Totals(), Grid());
}

bool TfrmMortMain::Button1Click() {
    return RunCommand([this] { Calculate(); });
}

void TfrmMortMain::New1Click() {
    RunCommand([this] { documents_.NewLoan(); });
}

void TfrmMortMain::Open1Click() {
    RunCommand([this] { documents_.OpenLoan(); });
}

void TfrmMortMain::N1Click() {
    RunCommand([this] { documents_.SaveLoan(); });
}

void TfrmMortMain::SaveAs1Click() {
    RunCommand([this] { documents_.SaveLoanAs(); });
}

void TfrmMortMain::Print1Click() {
    RunCommand([this] {
        print_.Run(*this, dialogs_, [this](QPrinter& printer) { btPrintClick(printer); });
    });
}

void TfrmMortMain::btPrintClick(QPrinter& printer) {
    print::qt::RunPrintJob(printer, TextsToPrint());
}

void TfrmMortMain::About1Click() {
    RunCommand([this] {
        if (frmAbout_ != nullptr) {
            frmAbout_->ShowModal();
            // The focus comes back here, and with it the activation check.
            activateWindow();
        }
    });
}

void TfrmMortMain::BalanceChart1Click() {
    RunCommand([this] {
        if (frmBalanceChart_ == nullptr) {
            frmBalanceChart_ = new TfrmBalanceChart(
                *model_, [this] { return ReadInputs(); }, *this);
        }
        frmBalanceChart_->ShowAndRaise();
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
        pnTerms_->FollowSystemDateFormat();
    }
    QMainWindow::changeEvent(event);
}

bool TfrmMortMain::IsMenuShortcut(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* const action : File1_->actions()) {
        if (action->shortcut() == pressed) {
            return true;
        }
    }
    return false;
}

// A drag that carries files is taken only when it is one loan file, wherever it is over the window;
// a drag of text keeps its usual meaning in an edit box.
bool TfrmMortMain::TakeFileDrag(QDropEvent& drag) {
    if (!drag.mimeData()->hasUrls()) {
        return false;
    }
    const QString path = DroppedLoanFile(*drag.mimeData());
    const Qt::DropAction action = LoanFileDropAction(drag.possibleActions());
    if (path.isEmpty() || action == Qt::IgnoreAction) {
        drag.ignore();
        return true;
    }
    drag.setDropAction(action);
    drag.accept();
    if (drag.type() == QEvent::Drop) {
        // Opened once the drop has ended, so that the file manager is not kept waiting while a
        // box of the Open command is up.
        QMetaObject::invokeMethod(
            this, [this, path] { OpenDroppedFile(path); }, Qt::QueuedConnection);
    }
    return true;
}

void TfrmMortMain::OpenDroppedFile(const QString& path) {
    RunCommand([this, &path] { documents_.OpenLoanFile(path); });
}

bool TfrmMortMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
        const auto* const widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this &&
            TakeFileDrag(*static_cast<QDropEvent*>(event))) {
            return true;
        }
    }
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
