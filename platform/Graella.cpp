#include "Graella.h"

#include "PartirText.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {
constexpr int AlignmentCodeRole = Qt::UserRole + 1;

// Draws every cell itself so that merged blocks read as one: each cell paints
// its part of the block's background and text (clipped to the cell), and the
// grid lines inside a block are left out. The current cell alone is shown by
// its focus frame, not by the selection colour, so it keeps its own back
// colour (a resource's colour on the palette, a job's on the board). A
// selection of several cells is highlighted.
class DelegatCella : public QStyledItemDelegate {
public:
    explicit DelegatCella(Graella* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect block = grid_->MergedRange(index.row(), index.column());
        const QTableWidgetItem* first = grid_->item(block.y(), block.x());
        const QRect area = grid_->visualRect(grid_->model()->index(block.y(), block.x()))
                               .united(grid_->visualRect(grid_->model()->index(block.bottom(), block.right())));

        painter->save();
        painter->setClipRect(option.rect);

        QColor back = grid_->palette().color(QPalette::Base);
        bool ownBack = false;
        if (first) {
            const QVariant b = first->data(Qt::BackgroundRole);
            if (b.isValid() && b.value<QBrush>().style() != Qt::NoBrush) {
                back = b.value<QBrush>().color();
                ownBack = true;
            }
        }
        const bool highlighted = (option.state & QStyle::State_Selected) && !singleCellSelection();
        painter->fillRect(option.rect, highlighted ? option.palette.color(QPalette::Highlight) : back);

        if (first && !first->text().isEmpty()) {
            QFont font = option.font;
            const QVariant f = first->data(Qt::FontRole);
            if (f.isValid()) font = f.value<QFont>();
            QColor fore = option.palette.color(QPalette::Text);
            const QVariant fc = first->data(Qt::ForegroundRole);
            if (fc.isValid() && fc.value<QBrush>().style() != Qt::NoBrush)
                fore = fc.value<QBrush>().color();
            else if (highlighted)
                fore = option.palette.color(QPalette::HighlightedText);
            else if (ownBack)
                fore = Graella::readableOn(back);
            const QRect textArea = area.adjusted(2, 1, -2, -1);
            if (block.y() < grid_->FixedRows() || block.x() < grid_->FixedCols())
                font = headingFont(font, first->text(), textArea.width());
            painter->setFont(font);
            painter->setPen(fore);
            // Lines too wide go on onto the lines the cell's (or block's) height holds.
            const QFontMetrics metrics(font);
            const int room = textArea.height() / qMax(1, metrics.lineSpacing());
            painter->drawText(textArea,
                              int(Graella::alignmentFromCode(grid_->CellAlignment(block.y(), block.x()))),
                              Graella::visibleText(first->text(), metrics, textArea.width(), qMax(1, room)));
        }

        // Grid lines on the right and bottom edges of a block only.
        painter->setPen(QColor(grid_->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, grid_)));
        const QRect r = option.rect;
        if (index.column() == block.right()) painter->drawLine(r.topRight(), r.bottomRight());
        if (index.row() == block.bottom()) painter->drawLine(r.bottomLeft(), r.bottomRight());

        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.rect = r.adjusted(0, 0, -1, -1);
            focus.state |= QStyle::State_KeyboardFocusChange;
            focus.backgroundColor = back;
            grid_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, grid_);
        }
        painter->restore();
    }

private:
    // A heading that does not fit its cell is drawn up to a quarter smaller.
    static QFont headingFont(const QFont& font, const QString& text, int width)
    {
        if (font.pointSizeF() <= 0 || text.contains(u'\n') || QFontMetrics(font).horizontalAdvance(text) <= width)
            return font;
        QFont f = font;
        const qreal smallest = qMax(6.0, font.pointSizeF() * 0.75);
        while (f.pointSizeF() - 0.5 >= smallest) {
            f.setPointSizeF(f.pointSizeF() - 0.5);
            if (QFontMetrics(f).horizontalAdvance(text) <= width) break;
        }
        return f;
    }

    bool singleCellSelection() const
    {
        if (!grid_->selectionModel()) return true;
        const QItemSelection sel = grid_->selectionModel()->selection();
        return sel.size() == 1 && sel.first().width() == 1 && sel.first().height() == 1;
    }

    Graella* grid_;
};
} // namespace

Graella::Graella(QWidget* parent) : QTableWidget(parent)
{
    setItemDelegate(new DelegatCella(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setVisible(false);
    // Rows and columns take the sizes they are given, small ones included.
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setShowGrid(false); // the cells draw their own lines, leaving them out inside a block
    setBackColor(backColor_);
}

void Graella::setFixedRows(int n)
{
    fixedRows_ = qMax(0, n);
    if (fixedRows_ > 0) setVerticalScrollMode(ScrollPerItem);
    paintFixedCells();
    updateGeometries();
}

void Graella::setFixedCols(int n)
{
    fixedCols_ = qMax(0, n);
    if (fixedCols_ > 0) setHorizontalScrollMode(ScrollPerItem);
    paintFixedCells();
    updateGeometries();
}

void Graella::setBackColor(const QColor& c)
{
    backColor_ = c;
    QPalette p = palette();
    p.setColor(QPalette::Base, c);
    setPalette(p);
}

void Graella::setBackColorFixed(const QColor& c)
{
    backColorFixed_ = c;
    paintFixedCells();
}

void Graella::paintFixedCells()
{
    auto pinta = [this](int r, int c) {
        const QTableWidgetItem* it = item(r, c);
        if (!it || it->background().color() != backColorFixed_ || it->background().style() == Qt::NoBrush)
            setCellBackColor(r, c, backColorFixed_);
    };
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (r < fixedRows_ || c < fixedCols_) pinta(r, c);
}

qint32 Graella::colorValue(const QColor& c)
{
    return qint32(c.red() + 256 * c.green() + 65536 * c.blue());
}

QColor Graella::colorFromValue(qint32 value)
{
    if (value < 0) return defaultBackColor();
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QTableWidgetItem* Graella::cell(int row, int col)
{
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return nullptr;
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row, col, it);
    }
    return it;
}

QString Graella::TextMatrix(int row, int col) const
{
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void Graella::setTextMatrix(int row, int col, const QString& text)
{
    if (auto* it = cell(row, col)) it->setText(text);
}

QVariant Graella::CellData(int row, int col) const
{
    const QTableWidgetItem* it = item(row, col);
    return it ? it->data(Qt::UserRole) : QVariant();
}

void Graella::setCellData(int row, int col, const QVariant& value)
{
    if (auto* it = cell(row, col)) it->setData(Qt::UserRole, value);
}

QFont Graella::cellFont(const QTableWidgetItem* it) const
{
    return it && it->data(Qt::FontRole).isValid() ? it->font() : font();
}

QColor Graella::CellBackColor(int row, int col) const
{
    const QTableWidgetItem* it = item(row, col);
    return it ? it->background().color() : QColor();
}

void Graella::setCellBackColor(int row, int col, const QColor& c)
{
    if (auto* it = cell(row, col)) it->setBackground(c);
}

bool Graella::CellFontBold(int row, int col) const
{
    const QTableWidgetItem* it = item(row, col);
    return it && cellFont(it).bold();
}

void Graella::setCellFontBold(int row, int col, bool bold)
{
    if (auto* it = cell(row, col)) {
        QFont f = cellFont(it);
        f.setBold(bold);
        it->setFont(f);
    }
}

void Graella::setCell(int row, int col, const QString& text, const CellFormat& format)
{
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return;
    auto* it = new QTableWidgetItem(text);
    if (format.alignment >= 0) {
        it->setData(AlignmentCodeRole, format.alignment);
        it->setTextAlignment(alignmentFromCode(format.alignment));
    }
    if (format.back.isValid()) it->setBackground(format.back);
    else if (row < fixedRows_ || col < fixedCols_) it->setBackground(backColorFixed_);
    if (format.fore.isValid()) it->setForeground(format.fore);
    if (format.bold || format.underline || !format.fontName.isEmpty()) {
        // A rebuild uses a handful of fonts over and over: each is made once
        // for the grid's font as it stands.
        if (cellFontsOf_ != font()) {
            cellFonts_.clear();
            cellFontsOf_ = font();
        }
        const QString key = QString::number(int(format.bold) + 2 * int(format.underline)) + format.fontName;
        auto cached = cellFonts_.constFind(key);
        if (cached == cellFonts_.constEnd()) {
            QFont f = font();
            f.setBold(format.bold);
            f.setUnderline(format.underline);
            if (!format.fontName.isEmpty()) f.setFamily(format.fontName);
            cached = cellFonts_.insert(key, f);
        }
        it->setFont(*cached);
    }
    if (format.data.isValid()) it->setData(Qt::UserRole, format.data);
    // While drawing is suspended the view is not told of each cell: resuming
    // drawing repaints the whole grid.
    const QSignalBlocker quiet(redraw_ ? nullptr : model());
    setItem(row, col, it);
}

void Graella::Clear()
{
    clearContents();
    if (fixedRows_ || fixedCols_) paintFixedCells();
}

QColor Graella::readableOn(const QColor& back)
{
    const int luma = (back.red() * 299 + back.green() * 587 + back.blue() * 114) / 1000;
    return luma < 140 ? QColor(Qt::white) : QColor(Qt::black);
}

namespace {
// The line broken at its blanks into lines of that width, at most `most`
// (the last one takes the rest, whatever its width).
QStringList wrapped(const QString& line, const QFontMetrics& metrics, int width, int most)
{
    return partALesBlanques(line, most, [&](const QString& t) { return metrics.horizontalAdvance(t) <= width; });
}

// The lines of a list (a day's jobs, one a line) as a cell with room for
// `room` lines shows them: each wrapped at its blanks; when they do not all
// fit, the list's lines that fit whole above a last line that says how many
// are not shown (no part of a line is shown without the rest of it).
QStringList listShown(const QStringList& lines, qsizetype total, const QFontMetrics& metrics, int width, int room)
{
    QStringList out;
    QList<qsizetype> ends;   // where each line's wrapped lines end in `out`
    for (const QString& line : lines) {
        out << wrapped(line, metrics, width, room);
        ends << out.size();
        if (out.size() > room) break;
    }
    if (out.size() <= room) return out;
    qsizetype whole = 0;
    while (whole < ends.size() && ends[whole] < room) ++whole;
    out.resize(whole > 0 ? ends[whole - 1] : 0);
    out << QStringLiteral("\u2026 +%1").arg(total - whole);
    return out;
}
} // namespace

QString Graella::visibleText(const QString& text, const QFontMetrics& metrics, int width, int room)
{
    // Only the lines that can show are taken and measured: of a list longer
    // than the room, the room's lines and one more, to tell that more follow.
    room = qMax(1, room);
    const qsizetype total = text.count(QLatin1Char('\n')) + 1;
    const qsizetype taken = qMin(total, qsizetype(room) + 1);
    QStringList lines;
    lines.reserve(taken);
    for (qsizetype from = 0; lines.size() < taken;) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), from);
        lines << text.mid(from, end < 0 ? -1 : end - from).remove(QLatin1Char('\r'));
        from = end + 1;
    }
    if (total == 1) {
        if (room > 1) lines = wrapped(lines[0], metrics, width, room);
    } else if (room > 1) {
        lines = listShown(lines, total, metrics, width, room);
    } else {
        lines = lines.mid(0, 1);
    }
    for (QString& line : lines)
        if (metrics.horizontalAdvance(line) > width) line = metrics.elidedText(line, Qt::ElideRight, width);
    return lines.join(QLatin1Char('\n'));
}

Qt::Alignment Graella::alignmentFromCode(int code)
{
    switch (code) {
    case 0: return Qt::AlignLeft | Qt::AlignTop;
    case 2: return Qt::AlignLeft | Qt::AlignBottom;
    case 3: return Qt::AlignHCenter | Qt::AlignTop;
    case 4: return Qt::AlignCenter;
    case 5: return Qt::AlignHCenter | Qt::AlignBottom;
    case 6: return Qt::AlignRight | Qt::AlignTop;
    case 7: return Qt::AlignRight | Qt::AlignVCenter;
    case 8: return Qt::AlignRight | Qt::AlignBottom;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

int Graella::ColAlignment(int col) const
{
    return col >= 0 && col < colAlignment_.size() ? colAlignment_[col] : 9;
}

void Graella::setColAlignment(int col, int code)
{
    if (col < 0) return;
    if (colAlignment_.size() <= col) colAlignment_.resize(col + 1, 9);
    colAlignment_[col] = code;
    viewport()->update();
}

int Graella::CellAlignment(int row, int col) const
{
    const QTableWidgetItem* it = item(row, col);
    const QVariant v = it ? it->data(AlignmentCodeRole) : QVariant();
    return v.isValid() ? v.toInt() : ColAlignment(col);
}

void Graella::setCellAlignment(int row, int col, int code)
{
    if (auto* it = cell(row, col)) {
        it->setData(AlignmentCodeRole, code);
        it->setTextAlignment(alignmentFromCode(code));
    }
}

QColor Graella::CellForeColor(int row, int col) const
{
    const QTableWidgetItem* it = item(row, col);
    const QVariant v = it ? it->data(Qt::ForegroundRole) : QVariant();
    return v.isValid() ? v.value<QBrush>().color() : QColor();
}

void Graella::setCellForeColor(int row, int col, const QColor& c)
{
    if (auto* it = cell(row, col)) it->setForeground(c);
}

bool Graella::CellFontUnderline(int row, int col) const
{
    const QTableWidgetItem* it = item(row, col);
    return it && cellFont(it).underline();
}

void Graella::setCellFontUnderline(int row, int col, bool underline)
{
    if (auto* it = cell(row, col)) {
        QFont f = cellFont(it);
        f.setUnderline(underline);
        it->setFont(f);
    }
}

QString Graella::CellFontName(int row, int col) const
{
    const QTableWidgetItem* it = item(row, col);
    return cellFont(it).family();
}

void Graella::setCellFontName(int row, int col, const QString& family)
{
    if (auto* it = cell(row, col)) {
        QFont f = cellFont(it);
        f.setFamily(family);
        it->setFont(f);
    }
}

bool Graella::MergeCol(int col) const
{
    return col >= 0 && col < mergeCol_.size() && mergeCol_[col];
}

void Graella::setMergeCol(int col, bool on)
{
    if (col < 0) return;
    if (mergeCol_.size() <= col) mergeCol_.resize(col + 1, false);
    mergeCol_[col] = on;
    viewport()->update();
}

bool Graella::MergeRow(int row) const
{
    return row >= 0 && row < mergeRow_.size() && mergeRow_[row];
}

void Graella::setMergeRow(int row, bool on)
{
    if (row < 0) return;
    if (mergeRow_.size() <= row) mergeRow_.resize(row + 1, false);
    mergeRow_[row] = on;
    viewport()->update();
}

// True when (row, col) joins a neighbour of its row.
bool Graella::mergesRow(int row, int col) const
{
    if (!MergeRow(row) || col < fixedCols_) return false;
    const QString t = TextMatrix(row, col);
    if (t.isEmpty()) return false;
    return (col - 1 >= fixedCols_ && TextMatrix(row, col - 1) == t)
           || (col + 1 < columnCount() && TextMatrix(row, col + 1) == t);
}

QRect Graella::MergedRange(int row, int col) const
{
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return QRect(col, row, 1, 1);
    const QString t = TextMatrix(row, col);
    if (mergesRow(row, col)) {
        int first = col, last = col;
        while (first - 1 >= fixedCols_ && TextMatrix(row, first - 1) == t) --first;
        while (last + 1 < columnCount() && TextMatrix(row, last + 1) == t) ++last;
        return QRect(first, row, last - first + 1, 1);
    }
    if (!MergeCol(col) || row < fixedRows_ || t.isEmpty()) return QRect(col, row, 1, 1);
    const QColor back = CellBackColor(row, col);
    auto joins = [&](int r) {
        return TextMatrix(r, col) == t && CellBackColor(r, col) == back && !mergesRow(r, col);
    };
    int first = row, last = row;
    while (first - 1 >= fixedRows_ && joins(first - 1)) --first;
    while (last + 1 < rowCount() && joins(last + 1)) ++last;
    return QRect(col, first, 1, last - first + 1);
}

void Graella::setRedraw(bool on)
{
    redraw_ = on;
    setUpdatesEnabled(on);
    if (on) viewport()->update();
}

void Graella::Refresh()
{
    if (redraw_) viewport()->update();
}

int Graella::TopRow() const
{
    const int r = rowAt(fixedHeight());
    return r < 0 ? qMin(fixedRows_, qMax(0, rowCount() - 1)) : r;
}

void Graella::setTopRow(int row)
{
    if (row < 0 || row >= rowCount()) return;
    scrollTo(model()->index(row, qMax(0, currentColumn())), QAbstractItemView::PositionAtTop);
}
