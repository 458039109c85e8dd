#pragma once
// The program's grid: a table of text cells with a current cell, fixed
// (heading) rows and columns, per-cell colours and fonts, and ids kept as
// cell data, so a row can be tied to its database row without text lookups.
// Members follow the names the windows use (Rows, Cols, Row, Col, TextMatrix...).
// The current cell alone is marked by its focus frame and keeps its own back
// colour; only a selection of several cells is painted in the selection colour.
//
// Merged blocks: in a column whose MergeCol is on, consecutive cells with the
// same non-empty text and the same back colour show as one block (a job of
// several time cells is one bar); in a row whose MergeRow is on, consecutive
// cells with the same non-empty text show as one cell drawn with the format
// of its first cell (a repeated label reads once). Row merges come first: a
// cell merged across its row takes no part in a column's block. Merging is
// only a way of drawing: every cell keeps its own text, format and data, and
// the current cell is always the cell under the cursor.
//
// Text on a cell with a back colour of its own and no fore colour of its own
// is drawn in black or white, whichever reads better on that colour. A line
// too wide for a cell or block tall enough for more lines (a job of several
// time cells, a month day) goes on at its blanks onto the next lines; of a
// list of lines (a month day's jobs) the lines that fit whole show, and when
// some do not, a last line "… +N" says that N of the list's lines are not
// shown.
// A heading too wide for its cell is drawn in a somewhat smaller font. A
// line that still does not fit is drawn cut short with an ellipsis, so its
// beginning reads whatever the alignment; the cell keeps its whole text.
//
// Heading rows and columns never scroll: the rows (columns) after them scroll
// a whole row (column) at a time beneath them, and the scroll bars count only
// those rows (columns), so a bar's thumb stands for the part shown.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRect>
#include <QVector>
#include <QTableWidget>
#include <QVariant>

class QPainter;

// Format of a cell written whole with setCell.
struct CellFormat {
    int alignment = -1;   // alignment code; -1 = the column's
    QColor back;          // invalid = none of its own
    QColor fore;          // invalid = none of its own
    bool bold = false;
    bool underline = false;
    QString fontName;     // "" = the grid's
    QVariant data;        // kept with the cell (e.g. ids)
};

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

    // Writes a cell's text and format at once, replacing what it held (its
    // data included): one change for the view instead of one per property
    // (none while drawing is suspended), for grids rebuilt cell by cell. A
    // heading cell given no back colour keeps the fixed-cell colour; font
    // marks start from the grid's font.
    void setCell(int row, int col, const QString& text, const CellFormat& format = {});

    // Empties every cell (keeps the size).
    void Clear();

    // The current cell's text, back colour and bold font.
    QString Text() const { return TextMatrix(Row(), Col()); }
    void setText(const QString& text) { setTextMatrix(Row(), Col(), text); }
    void setCurrentCellBackColor(const QColor& c) { setCellBackColor(Row(), Col(), c); }
    void setCurrentCellFontBold(bool bold) { setCellFontBold(Row(), Col(), bold); }
    // Moves the current cell (either may be out of range only while the grid is empty).
    void setCurrentCellAt(int row, int col) { setCurrentCell(row, col); }

    // Alignment codes: 0 left-top, 1 left-centre, 2 left-bottom, 3 centre-top,
    // 4 centre, 5 centre-bottom, 6 right-top, 7 right-centre, 8 right-bottom,
    // 9 general (left-centre). A cell without an alignment of its own takes its
    // column's.
    static Qt::Alignment alignmentFromCode(int code);
    int ColAlignment(int col) const;
    void setColAlignment(int col, int code);
    int CellAlignment(int row, int col) const;
    void setCellAlignment(int row, int col, int code);

    // Fore colour; invalid when the cell has none of its own.
    QColor CellForeColor(int row, int col) const;
    void setCellForeColor(int row, int col, const QColor& c);
    // Font marks of a cell start from the grid's font as it is when they are set.
    bool CellFontUnderline(int row, int col) const;
    void setCellFontUnderline(int row, int col, bool underline);
    QString CellFontName(int row, int col) const;
    void setCellFontName(int row, int col, const QString& family);

    // Merge flags of a column (vertical blocks) and of a row (horizontal).
    bool MergeCol(int col) const;
    void setMergeCol(int col, bool on);
    bool MergeRow(int row) const;
    void setMergeRow(int row, bool on);
    // The block of cells drawn as one with (row, col): x = first column,
    // y = first row, width and height in cells; 1 x 1 for a lone cell.
    QRect MergedRange(int row, int col) const;

    // Drawing suspended (false) while a caller rebuilds the grid.
    bool Redraw() const { return redraw_; }
    void setRedraw(bool on);
    void Refresh();
    // First row shown after the heading rows; setting it scrolls that row up to them.
    int TopRow() const;
    void setTopRow(int row);

    int ColWidth(int col) const { return columnWidth(col); }
    void setColWidth(int col, int width)
    {
        if (col == fitCol_) fitColWidth_ = width;
        setColumnWidth(col, width);
    }
    // The column that gives up width, down to half of what it was given, so
    // that the columns fit beside the vertical scroll bar and the last one is
    // never under it; -1 (the default): none.
    void setFitCol(int col);
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
    // Black or white, whichever reads better on the given back colour.
    static QColor readableOn(const QColor& back);
    // The text as a cell of that width, with room for `lines` lines, draws
    // it: line feeds only; a single line wrapped at its blanks onto as many
    // lines as the room has; of several, each wrapped, those that fit whole
    // and then "… +N" for the N not shown (with room for one line: the first
    // alone); each line still too wide cut short with an ellipsis.
    static QString visibleText(const QString& text, const QFontMetrics& metrics, int width, int lines = 1);

    // Heading cells where they stay; the others where they scrolled to.
    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    QTableWidgetItem* cell(int row, int col);
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;

private:
    // A cell's own font, else the grid's: a cell's font marks start from the grid's font.
    QFont cellFont(const QTableWidgetItem* it) const;
    void paintFixedCells();
    bool mergesRow(int row, int col) const;
    // Height of the heading rows, width of the heading columns.
    int fixedHeight() const;
    int fixedWidth() const;
    // Puts the first row (column) the scroll bar stands for right after the headings.
    void placeScrolled();
    void drawHeadings(QPainter& painter, const QRect& area);
    void fitColumns();

    QHash<QString, QFont> cellFonts_;   // fonts of setCell, made from cellFontsOf_
    QFont cellFontsOf_;
    QVector<int> colAlignment_;
    QVector<bool> mergeCol_;
    QVector<bool> mergeRow_;
    bool redraw_ = true;

    int fixedRows_ = 0;
    int fixedCols_ = 0;
    int fitCol_ = -1;
    int fitColWidth_ = 0;   // as given
    QColor backColor_ = defaultBackColor();
    QColor backColorFixed_ = defaultBackColorFixed();
};
