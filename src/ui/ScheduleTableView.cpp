#include "ui/ScheduleTableView.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <algorithm>

#include "loan/ScheduleGrid.h"
#include "text/LocaleFormats.h"
#include "ui/LiveCellDelegate.h"
#include "ui/ScheduleTableModel.h"

namespace ui {

namespace {

constexpr int kColumnWidth = 72;
constexpr int kRowHeight = 24;
constexpr auto kEditTriggers = QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::SelectedClicked;

// The widest texts a column shows in an ordinary loan: a caption, a date, a payment in millions.
int ColumnWidthFor(const QTableView& view, const QAbstractItemModel& model) {
    QStringList samples{QStringLiteral("$8888888.88")};
    for (int column = 0; column < model.columnCount(); ++column) {
        samples.append(model.headerData(column, Qt::Horizontal).toString());
    }
    for (const std::string& month : text::CurrentLocaleFormats().monthAbbrevs) {
        samples.append(QString::fromStdString(month) + QStringLiteral(" 28, 8888"));
    }
    int widest = 0;
    for (const QString& sample : samples) {
        widest = std::max(widest, view.fontMetrics().horizontalAdvance(sample));
    }
    // The item's text margins on both sides, and the grid line.
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return std::max(kColumnWidth, widest + 2 * margin + 1);
}

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
    // Columns are 72 wide unless the font needs more to show a whole date or payment.
    horizontalHeader()->setDefaultSectionSize(ColumnWidthFor(*this, *model));
    connect(model, &QAbstractItemModel::headerDataChanged, this, [this] {
        if (corner_ != nullptr) {
            corner_->update();
        }
    });
    ShowCellsAfterReset();
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

void ScheduleTableView::FinishEditing() {
    if (state() != QAbstractItemView::EditingState) {
        return;
    }
    if (QWidget* const editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
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
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        currentRow_ = current.row();
        currentColumn_ = current.column();
    }
    scrolledDown_ = verticalScrollBar()->value();
    scrolledRight_ = horizontalScrollBar()->value();
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
