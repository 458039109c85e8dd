// The grid's heading rows and columns, which stay where they are while the
// rest scrolls beneath them, and the column that makes room for the scroll bar.
//
// The views place every cell by their headers' offsets. For an axis with
// headings the offset is set here so that the first row (column) the scroll
// bar stands for begins right after the headings; the rows scrolled past lie
// under the headings, which are drawn again over them where they belong.
// Hit-testing, cell rectangles and scrolling to a cell follow the same
// placement, and the scroll bar counts only the rows after the headings.
#include "Graella.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

// Length of the first `fixed` sections.
int headingLength(const QHeaderView* h, int fixed)
{
    int length = 0;
    for (int i = 0; i < qMin(fixed, h->count()); ++i) length += h->sectionSize(i);
    return length;
}

// The heading section at a position (in the viewport) inside the headings; -1 when none.
int headingAt(const QHeaderView* h, int fixed, int pos)
{
    for (int i = 0; i < qMin(fixed, h->count()); ++i) {
        const int start = h->sectionPosition(i);
        if (h->sectionSize(i) > 0 && pos >= start && pos < start + h->sectionSize(i)) return i;
    }
    return -1;
}

// The bar's range over the sections after the headings: as many whole
// sections to the page as fit beside the headings, the last one at the end.
void fitBar(const QHeaderView* h, QScrollBar* bar, int fixed, int length)
{
    const int room = length - headingLength(h, fixed);
    int fit = 0;
    for (int i = h->count() - 1, used = 0; i >= fixed; --i) {
        if (h->isSectionHidden(i)) continue;
        used += h->sectionSize(i);
        if (used > room) break;
        ++fit;
    }
    bar->setRange(0, qMax(0, h->count() - fixed - fit));
    bar->setPageStep(qMax(1, fit));
    bar->setSingleStep(1);
}

// The header offset that puts the section the bar stands for right after the headings.
int offsetFor(const QHeaderView* h, int fixed, int value)
{
    const int first = qMin(fixed + value, h->count() - 1);
    if (first < fixed) return 0;
    return qMax(0, h->sectionPosition(first) - headingLength(h, fixed));
}

// The bar's value that shows section i as the hint asks, with the headings in place.
int valueShowing(const QHeaderView* h, const QScrollBar* bar, int fixed, int i, int length,
                 QAbstractItemView::ScrollHint hint)
{
    const int room = length - headingLength(h, fixed);
    const int end = h->sectionPosition(i) + h->sectionSize(i);
    auto fitsFrom = [&](int first) { return end - h->sectionPosition(first) <= room; };
    auto lowest = [&] {   // the first section that still shows i whole at the end
        int first = i;
        while (first > fixed && fitsFrom(first - 1)) --first;
        return first;
    };
    const int top = fixed + bar->value();
    int first = top;
    switch (hint) {
    case QAbstractItemView::PositionAtTop: first = i; break;
    case QAbstractItemView::PositionAtBottom: first = lowest(); break;
    case QAbstractItemView::PositionAtCenter: {
        const int middle = h->sectionPosition(i) + h->sectionSize(i) / 2;
        first = i;
        while (first > fixed && middle - h->sectionPosition(first - 1) <= room / 2) --first;
        break;
    }
    case QAbstractItemView::EnsureVisible:
        if (i < top) first = i;
        else if (!fitsFrom(top)) first = lowest();
        break;
    }
    return first - fixed;
}

} // namespace

int Graella::fixedHeight() const { return headingLength(verticalHeader(), fixedRows_); }

int Graella::fixedWidth() const { return headingLength(horizontalHeader(), fixedCols_); }

void Graella::placeScrolled()
{
    if (fixedRows_ > 0) verticalHeader()->setOffset(offsetFor(verticalHeader(), fixedRows_, verticalScrollBar()->value()));
    if (fixedCols_ > 0)
        horizontalHeader()->setOffset(offsetFor(horizontalHeader(), fixedCols_, horizontalScrollBar()->value()));
}

void Graella::setFitCol(int col)
{
    fitCol_ = col;
    fitColWidth_ = col >= 0 && col < columnCount() ? columnWidth(col) : 0;
    updateGeometries();
}

void Graella::fitColumns()
{
    if (fitCol_ < 0 || fitCol_ >= columnCount() || fitColWidth_ <= 0) return;
    int others = 0;
    for (int c = 0; c < columnCount(); ++c)
        if (c != fitCol_) others += columnWidth(c);
    const int width = qBound(fitColWidth_ / 2, viewport()->width() - others, fitColWidth_);
    if (columnWidth(fitCol_) != width) setColumnWidth(fitCol_, width);
}

void Graella::updateGeometries()
{
    fitColumns();
    QTableWidget::updateGeometries();
    if (fixedRows_ > 0) fitBar(verticalHeader(), verticalScrollBar(), fixedRows_, viewport()->height());
    if (fixedCols_ > 0) fitBar(horizontalHeader(), horizontalScrollBar(), fixedCols_, viewport()->width());
    placeScrolled();
    if (fixedRows_ > 0 || fixedCols_ > 0) viewport()->update();
}

void Graella::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    if (fixedRows_ <= 0 && fixedCols_ <= 0) return;
    placeScrolled();
    viewport()->update();
}

void Graella::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (fixedRows_ <= 0 && fixedCols_ <= 0) {
        QTableWidget::scrollTo(index, hint);
        return;
    }
    if (!index.isValid() || index.model() != model()) return;
    if (index.row() >= fixedRows_ && !isRowHidden(index.row()))
        verticalScrollBar()->setValue(
            valueShowing(verticalHeader(), verticalScrollBar(), fixedRows_, index.row(), viewport()->height(), hint));
    if (index.column() >= fixedCols_ && !isColumnHidden(index.column()))
        horizontalScrollBar()->setValue(valueShowing(horizontalHeader(), horizontalScrollBar(), fixedCols_,
                                                     index.column(), viewport()->width(), hint));
}

// A key that moves into the headings (Ctrl+Home, Up from the first row) goes
// back to the start of the rows (columns) too.
QModelIndex Graella::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex to = QTableWidget::moveCursor(cursorAction, modifiers);
    if (to.isValid() && to.row() < fixedRows_) verticalScrollBar()->setValue(0);
    if (to.isValid() && to.column() < fixedCols_) horizontalScrollBar()->setValue(0);
    return to;
}

QRect Graella::visualRect(const QModelIndex& index) const
{
    QRect r = QTableWidget::visualRect(index);
    if (r.isNull()) return r;
    if (index.row() < fixedRows_) r.moveTop(verticalHeader()->sectionPosition(index.row()));
    if (index.column() < fixedCols_) r.moveLeft(horizontalHeader()->sectionPosition(index.column()));
    return r;
}

QModelIndex Graella::indexAt(const QPoint& point) const
{
    if (fixedRows_ <= 0 && fixedCols_ <= 0) return QTableWidget::indexAt(point);
    const int r = point.y() < fixedHeight() ? headingAt(verticalHeader(), fixedRows_, point.y()) : rowAt(point.y());
    const int c = point.x() < fixedWidth() ? headingAt(horizontalHeader(), fixedCols_, point.x()) : columnAt(point.x());
    return r >= 0 && c >= 0 ? model()->index(r, c) : QModelIndex();
}

void Graella::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect n = rect.normalized();
    const QModelIndex a = indexAt(n.topLeft()), b = indexAt(n.bottomRight());
    if ((fixedRows_ <= 0 && fixedCols_ <= 0) || !a.isValid() || !b.isValid() || !selectionModel()) {
        QTableWidget::setSelection(rect, command);
        return;
    }
    const QModelIndex from = model()->index(qMin(a.row(), b.row()), qMin(a.column(), b.column()));
    const QModelIndex to = model()->index(qMax(a.row(), b.row()), qMax(a.column(), b.column()));
    selectionModel()->select(QItemSelection(from, to), command);
}

QRegion Graella::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region = QTableWidget::visualRegionForSelection(selection);
    if (fixedRows_ > 0) region += QRect(0, 0, viewport()->width(), fixedHeight());
    if (fixedCols_ > 0) region += QRect(0, 0, fixedWidth(), viewport()->height());
    return region;
}

void Graella::paintEvent(QPaintEvent* event)
{
    if (fixedRows_ > 0 || fixedCols_ > 0) placeScrolled();
    QTableWidget::paintEvent(event);
    if (fixedRows_ <= 0 && fixedCols_ <= 0) return;
    QPainter painter(viewport());
    drawHeadings(painter, event->rect());
}

// The heading columns beside the rows shown, the heading rows above the
// columns shown, and their corner last, over whatever scrolled beneath.
void Graella::drawHeadings(QPainter& painter, const QRect& area)
{
    const int rows = rowCount(), cols = columnCount();
    const int fr = qMin(fixedRows_, rows), fc = qMin(fixedCols_, cols);
    auto shown = [](int first, int last, int count) {
        return std::pair{first < 0 ? count : first, last < 0 ? count - 1 : last};
    };
    const auto [firstRow, lastRow] = shown(rowAt(fixedHeight()), rowAt(viewport()->height() - 1), rows);
    const auto [firstCol, lastCol] = shown(columnAt(fixedWidth()), columnAt(viewport()->width() - 1), cols);
    const bool focus = hasFocus() || viewport()->hasFocus();
    auto draw = [&](int r, int c) {
        if (isRowHidden(r) || isColumnHidden(c)) return;
        const QModelIndex index = model()->index(r, c);
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = visualRect(index);
        if (!option.rect.intersects(area)) return;
        if (selectionModel() && selectionModel()->isSelected(index)) option.state |= QStyle::State_Selected;
        if (focus && index == currentIndex()) option.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    };
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = 0; c < fc; ++c) draw(r, c);
    for (int r = 0; r < fr; ++r)
        for (int c = firstCol; c <= lastCol; ++c) draw(r, c);
    for (int r = 0; r < fr; ++r)
        for (int c = 0; c < fc; ++c) draw(r, c);
}
