#include "ui/ScheduleTableView.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <algorithm>
#include <cstdint>
#include <string>

#include "loan/ScheduleGrid.h"
#include "text/LocaleFormats.h"
#include "ui/AccessibleScheduleTable.h"
#include "text/Calendar.h"
#include "text/DateText.h"
#include "ui/LiveCellDelegate.h"
#include "ui/ScheduleTableModel.h"

namespace ui {

namespace {

constexpr int kColumnWidth = 72;
constexpr int kRowHeight = 24;
constexpr auto kEditTriggers = QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::SelectedClicked;

// The year of a schedule that runs to the row bound has five digits. The window's fonts draw all
// digits equally wide, and 8 is among the widest where they do not.
constexpr std::int64_t kWidestYear = 88888;
constexpr int kWidestDay = 28;

// Every date the schedule can show is at most as wide as one of these: each month of the locale.
QStringList WidestDates() {
    QStringList dates;
    std::string date;
    for (int month = 1; month <= 12; ++month) {
        text::FormatScheduleDateInto(date, text::CivilDate{kWidestYear, month, kWidestDay});
        dates.append(QString::fromStdString(date));
    }
    return dates;
}

// Beyond the last column and below the last row the grid is empty, and looks it: the headers leave
// that area to the cells' own background instead of their grey.
class EmptyAreaStyle final : public QProxyStyle {
  public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_HeaderEmptyArea) {
            painter->fillRect(option->rect, option->palette.brush(QPalette::Base));
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

void FixSections(QHeaderView& header, int size) {
    header.setSectionResizeMode(QHeaderView::Fixed);
    header.setMinimumSectionSize(size);
    header.setDefaultSectionSize(size);
    header.setSectionsMovable(false);
    header.setSectionsClickable(false);
    header.setHighlightSections(false);
    header.setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace

ScheduleTableView::ScheduleTableView(QWidget* parent) : QTableView(parent) {
    FixSections(*horizontalHeader(), kColumnWidth);
    FixSections(*verticalHeader(), kRowHeight);
    horizontalHeader()->setFixedHeight(kRowHeight);
    verticalHeader()->setFixedWidth(kColumnWidth);
    setShowGrid(true);
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Tab leaves the grid for the next input instead of walking its cells.
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new LiveCellDelegate(this));

    auto* const headerStyle = new EmptyAreaStyle;
    headerStyle->setParent(this);
    horizontalHeader()->setStyle(headerStyle);
    verticalHeader()->setStyle(headerStyle);

    // The top-left corner stands above the payment numbers and carries their caption.
    corner_ = findChild<QAbstractButton*>();
    if (corner_ != nullptr) {
        corner_->installEventFilter(this);
    }
}

void ScheduleTableView::SetScheduleModel(ScheduleTableModel* model) {
    setModel(model);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
            &ScheduleTableView::RememberCurrentCell);
    connect(model, &QAbstractItemModel::modelReset, this, &ScheduleTableView::ShowCellsAfterReset);
    FitColumns();
    connect(model, &QAbstractItemModel::headerDataChanged, this, [this] {
        if (corner_ != nullptr) {
            corner_->update();
        }
    });
    ShowCellsAfterReset();
}

// Columns are 72 wide unless the font needs more for a caption or a payment in millions; the date
// column also fits the widest date in the locale's month names.
void ScheduleTableView::FitColumns() {
    if (model() == nullptr) {
        return;
    }
    QStringList samples{QStringLiteral("$8888888.88")};
    for (int column = 0; column < model()->columnCount(); ++column) {
        samples.append(model()->headerData(column, Qt::Horizontal).toString());
    }
    const int width = std::max(kColumnWidth, CellWidthFor(samples));
    horizontalHeader()->setDefaultSectionSize(width);
    horizontalHeader()->resizeSection(loan::kColDate, std::max(width, CellWidthFor(WidestDates())));
}

// The width of the widest of the texts in a cell, by the style's own measure of an item with its
// margins, and the grid line.
int ScheduleTableView::CellWidthFor(const QStringList& texts) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    int widest = 0;
    for (const QString& text : texts) {
        option.text = text;
        widest = std::max(
            widest, style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, {}, this).width());
    }
    return widest + (showGrid() ? 1 : 0);
}

void ScheduleTableView::SetEditing(bool editing) {
    setEditTriggers(editing ? QAbstractItemView::EditTriggers(kEditTriggers)
                            : QAbstractItemView::NoEditTriggers);
}

bool ScheduleTableView::Editing() const {
    return editTriggers() != QAbstractItemView::NoEditTriggers;
}

int ScheduleTableView::WidthForAllColumns() const {
    int width = verticalHeader()->width() + 2 * frameWidth() +
                style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    for (int column = 1; column < loan::ScheduleGrid::kColumnCount; ++column) {
        width += horizontalHeader()->sectionSize(column);
    }
    return width;
}

void ScheduleTableView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        emit CopyPressed();
    } else if (event->matches(QKeySequence::Paste)) {
        emit PastePressed();
    } else if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        // The menu key reaches the grid as a context menu request of its own; Shift+F10 does not.
        emit MenuRequested(currentIndex(), MenuPointForCurrentCell());
    } else {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ScheduleTableView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse) {
        emit MenuRequested(currentIndex(), MenuPointForCurrentCell());
        return;
    }
    // Over the cells or a header: the point in the cells' own frame tells which cell, if any. The
    // button press has already made it the selected cell, keeping a selection that holds it.
    emit MenuRequested(indexAt(viewport()->mapFromGlobal(event->globalPos())), event->globalPos());
}

// Below the selected cell where it is in view, at the top left of the cells otherwise.
QPoint ScheduleTableView::MenuPointForCurrentCell() const {
    const QRect cell = visualRect(currentIndex());
    if (cell.isValid() && viewport()->rect().intersects(cell)) {
        return viewport()->mapToGlobal(cell.bottomLeft());
    }
    return viewport()->mapToGlobal(QPoint(0, 0));
}

void ScheduleTableView::RememberCurrentCell() {
    FinishEditing();
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        currentRow_ = current.row();
        currentColumn_ = current.column();
    }
    scrolledDown_ = verticalScrollBar()->value();
    scrolledRight_ = horizontalScrollBar()->value();
}

// The reset would drop an open cell editor, and the focus would pass from it to the next control in
// the chain, the principal, where the next keystroke would replace the text. Every keystroke is in
// the grid already, so the editor is closed here without writing again, and the grid keeps the
// focus: also as the window's remembered focus while a box or dialog is the active window.
void ScheduleTableView::FinishEditing() {
    QWidget* const editor = indexWidget(currentIndex());
    if (editor == nullptr) {
        return;
    }
    const QWidget* const focused = window()->focusWidget();
    const bool hadFocus =
        focused != nullptr && (focused == editor || editor->isAncestorOf(focused));
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (hadFocus) {
        setFocus(Qt::OtherFocusReason);
    }
}

// A reset forgets hidden sections, the selected cell and the scroll position; the grid keeps them
// across a calculation.
void ScheduleTableView::ShowCellsAfterReset() {
    setRowHidden(0, true);
    setColumnHidden(loan::kColPayNumber, true);
    const int rows = model()->rowCount();
    if (rows < 2) {
        return;
    }
    const int row = std::clamp(currentRow_, 1, rows - 1);
    const int column = std::clamp(currentColumn_, 1, loan::ScheduleGrid::kColumnCount - 1);
    selectionModel()->setCurrentIndex(model()->index(row, column),
                                      QItemSelectionModel::ClearAndSelect);
    // The rows the person was looking at stay in view, wherever the selected cell is.
    updateGeometries();
    verticalScrollBar()->setValue(scrolledDown_);
    horizontalScrollBar()->setValue(scrolledRight_);
}

// QTableView tells screen readers about cells by its own count of them, in which the hidden caption
// row and payment-number column take places; the grid's accessible table leaves both out, so the
// grid tells about its cells itself.
void ScheduleTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    AnnounceCurrentCell(*this, current);
}

void ScheduleTableView::selectionChanged(const QItemSelection& selected,
                                         const QItemSelection& deselected) {
    QAbstractItemView::selectionChanged(selected, deselected);
    AnnounceSelection(*this, selected, deselected);
}

bool ScheduleTableView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        return PaintCorner(*corner_);
    }
    return QTableView::eventFilter(watched, event);
}

bool ScheduleTableView::PaintCorner(QWidget& corner) const {
    QStyleOptionHeader option;
    option.initFrom(&corner);
    option.palette.setCurrentColorGroup(QPalette::Active);
    option.rect = corner.rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.orientation = Qt::Horizontal;
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    // The corner takes no clicks, yet its caption reads like the other captions.
    option.state |= QStyle::State_Enabled | QStyle::State_Raised;
    if (model() != nullptr) {
        option.text = model()->headerData(loan::kColPayNumber, Qt::Horizontal).toString();
    }
    QStylePainter painter(&corner);
    painter.drawControl(QStyle::CE_Header, option);
    return true;
}

}  // namespace ui
