#pragma once
// The program's grid: a table of text cells with a current cell, fixed
// (heading) rows and columns, per-cell colours and fonts, and ids kept as
// cell data, so a row can be tied to its database row without text lookups.
// Members follow the names the windows use (Rows, Cols, Row, Col, TextMatrix...).
// The current cell alone is marked by its focus frame and keeps its own back
// colour; only a selection of several cells is painted in the selection colour.
#include <QColor>
#include <QTableWidget>
#include <QVariant>

class Graella : public QTableWidget {
    Q_OBJECT
public:
    explicit Graella(QWidget* parent = nullptr);

    int Rows() const { return rowCount(); }
    void setRows(int n)
    {
        setRowCount(n);
        if (fixedRows_ || fixedCols_) paintFixedCells();
    }
    int Cols() const { return columnCount(); }
    void setCols(int n)
    {
        setColumnCount(n);
        if (fixedRows_ || fixedCols_) paintFixedCells();
    }

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

    // The current cell's text, back colour and bold font.
    QString Text() const { return TextMatrix(Row(), Col()); }
    void setText(const QString& text) { setTextMatrix(Row(), Col(), text); }
    void setCurrentCellBackColor(const QColor& c) { setCellBackColor(Row(), Col(), c); }
    void setCurrentCellFontBold(bool bold) { setCellFontBold(Row(), Col(), bold); }
    // Moves the current cell (either may be out of range only while the grid is empty).
    void setCurrentCellAt(int row, int col) { setCurrentCell(row, col); }

    int ColWidth(int col) const { return columnWidth(col); }
    void setColWidth(int col, int width) { setColumnWidth(col, width); }
    int RowHeight(int row) const { return rowHeight(row); }
    void setRowHeight(int row, int height) { QTableWidget::setRowHeight(row, height); }

    // Heading rows and columns at the top and left (painted in BackColorFixed).
    int FixedRows() const { return fixedRows_; }
    void setFixedRows(int n);
    int FixedCols() const { return fixedCols_; }
    void setFixedCols(int n);

    // Back colour of the grid area and of the heading cells. The board also
    // paints cells holding no job in BackColorFixed, so neither of the two may
    // be a resource's colour.
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& c);
    QColor BackColorFixed() const { return backColorFixed_; }
    void setBackColorFixed(const QColor& c);
    static QColor defaultBackColor() { return QColor(255, 255, 255); }
    static QColor defaultBackColorFixed() { return QColor(240, 240, 240); }

    // Colours as the database stores them: red + 256 x green + 65536 x blue.
    // Values with the top bit set are system colour references; the window
    // background one reads as the grid's default back colour.
    static qint32 colorValue(const QColor& c);
    static QColor colorFromValue(qint32 value);

protected:
    QTableWidgetItem* cell(int row, int col);

private:
    void paintFixedCells();

    int fixedRows_ = 0;
    int fixedCols_ = 0;
    QColor backColor_ = defaultBackColor();
    QColor backColorFixed_ = defaultBackColorFixed();
};
