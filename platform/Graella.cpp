#include "Graella.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPalette>
#include <QStyledItemDelegate>

namespace {
// The current cell alone is shown by its focus frame, not by the selection
// colour, so it keeps its own back colour (a resource's colour on the
// palette, a job's on the board). A selection of several cells is highlighted.
class DelegatCella : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(parent());
        if (!(option->state & QStyle::State_Selected) || !view || !view->selectionModel()) return;
        const QItemSelection sel = view->selectionModel()->selection();
        if (sel.size() == 1 && sel.first().width() == 1 && sel.first().height() == 1)
            option->state &= ~QStyle::State_Selected;
    }
};
} // namespace

Graella::Graella(QWidget* parent) : QTableWidget(parent)
{
    setItemDelegate(new DelegatCella(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setVisible(false);
    setBackColor(backColor_);
}

void Graella::setFixedRows(int n)
{
    fixedRows_ = qMax(0, n);
    paintFixedCells();
}

void Graella::setFixedCols(int n)
{
    fixedCols_ = qMax(0, n);
    paintFixedCells();
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
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (r < fixedRows_ || c < fixedCols_) setCellBackColor(r, c, backColorFixed_);
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

void Graella::setCellData(int row, int col, const QVariant& data)
{
    if (auto* it = cell(row, col)) it->setData(Qt::UserRole, data);
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
    return it && it->font().bold();
}

void Graella::setCellFontBold(int row, int col, bool bold)
{
    if (auto* it = cell(row, col)) {
        QFont f = it->font();
        f.setBold(bold);
        it->setFont(f);
    }
}

void Graella::Clear()
{
    clearContents();
}

void Graella::AddItem(const QString& text)
{
    const int r = rowCount();
    insertRow(r);
    setTextMatrix(r, 0, text);
}
