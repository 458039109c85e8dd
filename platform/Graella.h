#pragma once
// The program's grid: a table of text cells with a current cell, fixed
// (heading) rows and columns, per-cell colours and fonts, and ids kept as
// cell data, so a row can be tied to its database row without text lookups.
// Members follow the names the windows use (Rows, Cols, Row, Col, TextMatrix...).
#include <QColor>
#include <QTableWidget>
#include <QVariant>

class Graella : public QTableWidget {
    Q_OBJECT
public:
    explicit Graella(QWidget* parent = nullptr);

    int Rows() const { return rowCount(); }
    void setRows(int n) { setRowCount(n); }
    int Cols() const { return columnCount(); }
    void setCols(int n) { setColumnCount(n); }

    // Current cell.
    int Row() const { return currentRow(); }
    int Col() const { return currentColumn(); }
    void setRow(int r) { setCurrentCell(r, qMax(0, currentColumn())); }
    void setCol(int c) { setCurrentCell(qMax(0, currentRow()), c); }

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // Data (e.g. an id) kept with a cell.
    QVariant CellData(int row, int col) const;
    void setCellData(int row, int col, const QVariant& data);

    QColor CellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor& c);
    bool CellFontBold(int row, int col) const;
    void setCellFontBold(int row, int col, bool bold);

    // Empties every cell (keeps the size).
    void Clear();
    // Appends a row with the given text in column 0.
    void AddItem(const QString& text);

protected:
    QTableWidgetItem* cell(int row, int col);
};
