#include "Graella.h"

#include <QHeaderView>

Graella::Graella(QWidget* parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setVisible(false);
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
