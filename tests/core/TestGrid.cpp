// The grid widget: merged blocks, alignments, fonts, readable text on
// coloured cells, and the current cell under the cursor inside a block.
#include "Graella.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

class TestGrid : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void mergedRange_data();
    void mergedRange();
    void alignmentCodes();
    void cellFormatsKeepPerCell();
    void wholeCellAtOnce();
    void textColourReadsOnItsBackColour();
    void visibleText_data();
    void visibleText();
    void blockIsDrawnWithoutInnerLines();
    void pressInsideABlockMakesThatCellCurrent();
    void redrawTopRowAndSmallSizes();
    void headingsStayAsTheCellsScroll_data();
    void headingsStayAsTheCellsScroll();
    void lastColumnIsNeverUnderTheScrollBar();

private:
    Graella* g_ = nullptr;
};

void TestGrid::init()
{
    g_ = new Graella;
    g_->resize(400, 300);
    g_->setRows(6);
    g_->setCols(4);
    g_->setFixedRows(1);
    g_->setFixedCols(1);
    for (int r = 0; r < 6; ++r) g_->setRowHeight(r, 20);
}

void TestGrid::cleanup()
{
    delete g_;
    g_ = nullptr;
}

// Each case fills column 1 (rows 1..5) and row 5 (columns 1..3) of a 6 x 4
// grid with one fixed row and column, then asks for the block of one cell.
void TestGrid::mergedRange_data()
{
    QTest::addColumn<QStringList>("column");   // texts of (1..5, 1)
    QTest::addColumn<QStringList>("colours");  // back colours of (1..5, 1), "" = none
    QTest::addColumn<QStringList>("row5");     // texts of (5, 1..3)
    QTest::addColumn<bool>("mergeCol");
    QTest::addColumn<bool>("mergeRow");
    QTest::addColumn<QPoint>("cell");          // x = column, y = row
    QTest::addColumn<QRect>("block");

    const QStringList none{"", "", "", "", ""};
    QTest::newRow("equal texts and colours join")
        << QStringList{"A", "A", "A", "B", "x"} << QStringList{"red", "red", "red", "red", ""}
        << QStringList{"x", "y", "z"} << true << false << QPoint(1, 2) << QRect(1, 1, 1, 3);
    QTest::newRow("another colour breaks the block")
        << QStringList{"A", "A", "A", "B", "x"} << QStringList{"red", "blue", "blue", "", ""}
        << QStringList{"x", "y", "z"} << true << false << QPoint(1, 2) << QRect(1, 2, 1, 2);
    QTest::newRow("merge flag off")
        << QStringList{"A", "A", "A", "B", "x"} << none << QStringList{"x", "y", "z"} << false << false
        << QPoint(1, 2) << QRect(1, 2, 1, 1);
    QTest::newRow("empty cells never join")
        << QStringList{"", "", "", "B", "x"} << none << QStringList{"x", "y", "z"} << true << false
        << QPoint(1, 2) << QRect(1, 2, 1, 1);
    QTest::newRow("fixed row stays apart")
        << QStringList{"H", "B", "B", "B", "x"} << none << QStringList{"x", "y", "z"} << true << false
        << QPoint(1, 1) << QRect(1, 1, 1, 1);
    QTest::newRow("row merge of a repeated label")
        << QStringList{"A", "A", "A", "B", "T"} << none << QStringList{"T", "T", "z"} << true << true
        << QPoint(2, 5) << QRect(1, 5, 2, 1);
    QTest::newRow("a cell merged across its row leaves the column block")
        << QStringList{"A", "A", "A", "T", "T"} << none << QStringList{"T", "T", "z"} << true << true
        << QPoint(1, 4) << QRect(1, 4, 1, 1);
    QTest::newRow("row merge leaves the fixed column out")
        << QStringList{"A", "A", "A", "B", "T"} << none << QStringList{"T", "u", "z"} << false << true
        << QPoint(1, 5) << QRect(1, 5, 1, 1);
}

void TestGrid::mergedRange()
{
    QFETCH(QStringList, column);
    QFETCH(QStringList, colours);
    QFETCH(QStringList, row5);
    QFETCH(bool, mergeCol);
    QFETCH(bool, mergeRow);
    QFETCH(QPoint, cell);
    QFETCH(QRect, block);

    g_->setMergeCol(1, mergeCol);
    g_->setMergeRow(5, mergeRow);
    g_->setTextMatrix(0, 1, column[0] == u"H" ? QStringLiteral("H") : QStringLiteral("Dl"));
    for (int i = 0; i < 5; ++i) {
        g_->setTextMatrix(i + 1, 1, column[i]);
        if (!colours[i].isEmpty()) g_->setCellBackColor(i + 1, 1, QColor(colours[i]));
    }
    if (column[0] == u"H") g_->setTextMatrix(1, 1, QStringLiteral("H"));
    g_->setTextMatrix(5, 0, row5[0]);  // the label column holds the same text: it must not join
    for (int c = 0; c < 3; ++c) g_->setTextMatrix(5, c + 1, row5[c]);
    QCOMPARE(g_->MergedRange(cell.y(), cell.x()), block);
    // Every cell of the block answers with the same block.
    for (int r = block.top(); r <= block.bottom(); ++r)
        for (int c = block.left(); c <= block.right(); ++c) QCOMPARE(g_->MergedRange(r, c), block);
}

void TestGrid::alignmentCodes()
{
    QCOMPARE(Graella::alignmentFromCode(0), Qt::AlignLeft | Qt::AlignTop);
    QCOMPARE(Graella::alignmentFromCode(3), Qt::AlignHCenter | Qt::AlignTop);
    QCOMPARE(Graella::alignmentFromCode(4), Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(Graella::alignmentFromCode(7), Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(Graella::alignmentFromCode(9), Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(g_->ColAlignment(2), 9);
    g_->setColAlignment(2, 4);
    QCOMPARE(g_->CellAlignment(3, 2), 4);  // the column's, until the cell has its own
    g_->setCellAlignment(3, 2, 7);
    QCOMPARE(g_->CellAlignment(3, 2), 7);
    QCOMPARE(g_->CellAlignment(2, 2), 4);
}

void TestGrid::cellFormatsKeepPerCell()
{
    g_->setTextMatrix(2, 2, QStringLiteral("Feina"));
    g_->setCellFontUnderline(2, 2, true);
    g_->setCellFontBold(2, 2, true);
    g_->setCellFontName(2, 3, QStringLiteral("Monospace"));
    g_->setCellForeColor(2, 2, QColor(1, 2, 3));
    QVERIFY(g_->CellFontUnderline(2, 2) && g_->CellFontBold(2, 2));
    QVERIFY(!g_->CellFontUnderline(2, 3));
    QCOMPARE(g_->CellFontName(2, 3), QStringLiteral("Monospace"));
    QCOMPARE(g_->CellForeColor(2, 2), QColor(1, 2, 3));
    QVERIFY(!g_->CellForeColor(3, 2).isValid());
    // Written whole: the cell's old format and data go with its old text.
    g_->setCellData(2, 2, 42);
    g_->setCell(2, 2, QStringLiteral("Total"), {7, QColor(4, 5, 6), QColor(7, 8, 9), true, false, {}, {}});
    QCOMPARE(g_->TextMatrix(2, 2), QStringLiteral("Total"));
    QVERIFY(g_->CellFontBold(2, 2) && !g_->CellFontUnderline(2, 2) && !g_->CellData(2, 2).isValid());
    QVERIFY(g_->CellAlignment(2, 2) == 7 && g_->CellBackColor(2, 2) == QColor(4, 5, 6));
    QCOMPARE(g_->CellForeColor(2, 2), QColor(7, 8, 9));
    g_->setCell(2, 3, QStringLiteral("x"));
    QVERIFY(!g_->CellFontBold(2, 3) && !g_->CellForeColor(2, 3).isValid() && g_->CellAlignment(2, 3) == g_->ColAlignment(3));
    g_->setCell(99, 3, QStringLiteral("out of the grid"));
    QCOMPARE(g_->Rows(), 6);
    // Marks start from the grid's own font, not the application's.
    QFont small = g_->font();
    small.setPointSize(6);
    small.setFamily(QStringLiteral("Serif"));
    g_->setFont(small);
    g_->setCellFontBold(3, 3, true);
    QCOMPARE(g_->item(3, 3)->font().pointSize(), 6);
    QCOMPARE(g_->CellFontName(3, 1), g_->font().family());
    g_->Clear();  // texts and formats go; the heading cells keep their colour
    QCOMPARE(g_->TextMatrix(2, 2), QString());
    QVERIFY(!g_->CellFontUnderline(2, 2));
    QCOMPARE(g_->CellBackColor(0, 2), g_->BackColorFixed());
}

void TestGrid::wholeCellAtOnce()
{
    QSignalSpy cambis(g_->model(), &QAbstractItemModel::dataChanged);
    CellFormat f;
    f.alignment = 3;
    f.back = QColor(10, 20, 30);
    f.underline = true;
    f.data = QVariantList{7, 8};
    g_->setCell(2, 2, QStringLiteral("Feina"), f);
    QCOMPARE(cambis.count(), 1);
    QVERIFY(g_->CellFontUnderline(2, 2) && !g_->CellFontBold(2, 2));
    QCOMPARE(g_->CellData(2, 2), QVariant(QVariantList{7, 8}));
    // A heading cell given no colour keeps the fixed-cell colour; fonts start from the grid's.
    QFont small = g_->font();
    small.setPointSize(6);
    g_->setFont(small);
    CellFormat h;
    h.bold = true;
    h.fontName = QStringLiteral("Monospace");
    g_->setCell(0, 1, QStringLiteral("dilluns"), h);
    QCOMPARE(g_->CellBackColor(0, 1), g_->BackColorFixed());
    QVERIFY(g_->CellFontBold(0, 1));
    QCOMPARE(g_->CellFontName(0, 1), QStringLiteral("Monospace"));
    QCOMPARE(g_->item(0, 1)->font().pointSize(), 6);
    // While drawing is suspended the cells are written without a word to the view.
    g_->setRedraw(false);
    g_->setCell(3, 3, QStringLiteral("Feina"), f);
    g_->setRedraw(true);
    QCOMPARE(cambis.count(), 2);
    QCOMPARE(g_->TextMatrix(3, 3), QStringLiteral("Feina"));
}

void TestGrid::textColourReadsOnItsBackColour()
{
    QCOMPARE(Graella::readableOn(QColor(0, 0, 128)), QColor(Qt::white));
    QCOMPARE(Graella::readableOn(QColor(20, 20, 20)), QColor(Qt::white));
    QCOMPARE(Graella::readableOn(QColor(255, 255, 0)), QColor(Qt::black));
    QCOMPARE(Graella::readableOn(QColor(240, 240, 240)), QColor(Qt::black));

    // On screen: a wide dark-blue cell full of text shows white pixels.
    g_->setColWidth(2, 200);
    g_->setTextMatrix(2, 2, QStringLiteral("WWWWWWWWWWWWWWWW"));
    g_->setCellBackColor(2, 2, QColor(0, 0, 128));
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_));
    const QRect rect = g_->visualRect(g_->model()->index(2, 2));
    const QImage img = g_->viewport()->grab().toImage();
    int light = 0;
    for (int x = rect.left() + 3; x < rect.right() - 3; ++x)
        for (int y = rect.top() + 2; y < rect.bottom() - 2; ++y)
            if (qGray(img.pixel(x, y)) > 200) ++light;
    QVERIFY2(light > 20, "text on a dark cell should be drawn light");
}

void TestGrid::visibleText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("room");      // lines the cell has room for
    QTest::addColumn<int>("lines");     // lines drawn
    QTest::addColumn<bool>("whole");    // every word shown, none cut short
    QTest::addColumn<QString>("last");  // the last line drawn, when it matters
    const QString dia = QStringLiteral("00:30 TALVESA oficina\r\n02:30 TALVESA escala\r\n03:00 R.Morvell casa");
    QTest::newRow("fits") << "Abc" << 1 << 1 << true << "";
    QTest::newRow("too wide") << "TALVESA oficina de la plaça" << 1 << 1 << false << "";
    QTest::newRow("a list in room for one line: its first line") << "08:00 A\r\n08:30 TALVESA oficina de la plaça" << 1
                                                                 << 1 << true << "08:00 A";
    QTest::newRow("a list without room for every line wrapped: the lines that fit whole, then how many more")
        << "08:00 A\r\n08:30 TALVESA oficina de la plaça" << 3 << 2 << false << "\u2026 +1";
    QTest::newRow("a list with room: each line wrapped") << "08:00 A\r\n08:30 TALVESA oficina" << 6 << 4 << true << "";
    QTest::newRow("a busy day: the jobs that fit whole, then how many more") << dia << 7 << 7 << false << "\u2026 +1";
    QTest::newRow("a busy day: a job that does not fit whole is not begun, and counts among the more")
        << dia << 6 << 4 << false << "\u2026 +2";
    QTest::newRow("a busy day with room for all of it") << dia << 9 << 9 << true << "casa";
    QTest::newRow("a first job taller than the room: only how many") << dia << 2 << 1 << false << "\u2026 +3";
    QTest::newRow("a taller block wraps at blanks") << "TALVESA oficina" << 3 << 2 << true << "";
    QTest::newRow("more words than room: the last line cut short")
        << "TALVESA oficina de la plaça de les Glòries Catalanes" << 2 << 2 << false << "";
    QTest::newRow("a first word wider than the cell") << "TALVESAOFICINADELAPLAÇA oficina" << 3 << 2 << false << "";
}

// A line too wide for its cell keeps its beginning and ends in an ellipsis;
// lines go on at their blanks where the cell has room; a list shows whole
// lines and says how many more follow.
void TestGrid::visibleText()
{
    QFETCH(QString, text);
    QFETCH(int, room);
    QFETCH(int, lines);
    QFETCH(bool, whole);
    QFETCH(QString, last);
    const QFontMetrics fm(g_->font());
    const int width = fm.horizontalAdvance(QStringLiteral("08:30 TALV"));
    const QStringList shown = Graella::visibleText(text, fm, width, room).split(u'\n');
    QCOMPARE(shown.size(), lines);
    for (const QString& line : shown) QVERIFY(fm.horizontalAdvance(line) <= width);
    if (!last.isEmpty()) QCOMPARE(shown.last(), last);
    const QString all = shown.join(u' ');
    const QString plain = QString(text).remove(u'\r').replace(u'\n', u' ');
    QCOMPARE(!all.contains(QChar(0x2026)), whole);
    // Nothing but the blanks and line ends the lines were wrapped at changes.
    if (whole) QVERIFY2(plain.startsWith(all), qPrintable(all));
    else if (!shown[0].startsWith(QChar(0x2026)))
        QVERIFY2(plain.startsWith(QString(shown[0]).remove(QChar(0x2026))), qPrintable(all));
    // The list's first lines, whole, before the mark of the N that follow.
    if (last.startsWith(QChar(0x2026))) {
        const QStringList llista = QString(text).remove(u'\r').split(u'\n');
        const qsizetype mes = last.section(u'+', 1).toInt();
        QCOMPARE(QStringList(shown.mid(0, lines - 1)).join(u' '), QStringList(llista.mid(0, llista.size() - mes)).join(u' '));
    }
}

void TestGrid::blockIsDrawnWithoutInnerLines()
{
    g_->setMergeCol(2, true);
    for (int r = 1; r <= 3; ++r) {
        g_->setTextMatrix(r, 2, QStringLiteral("Bloc"));
        g_->setCellBackColor(r, 2, QColor(200, 50, 50));
    }
    g_->setTextMatrix(4, 2, QStringLiteral("Bloc"));  // no colour of its own: not in the block
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_));
    const QImage img = g_->viewport()->grab().toImage();
    const QRect r1 = g_->visualRect(g_->model()->index(1, 2));
    const QRect r3 = g_->visualRect(g_->model()->index(3, 2));
    const int x = r1.left() + 2;
    QCOMPARE(QColor(img.pixel(x, r1.bottom())), QColor(200, 50, 50));  // no line inside the block
    QVERIFY(QColor(img.pixel(x, r3.bottom())) != QColor(200, 50, 50));  // a line below it
}

void TestGrid::pressInsideABlockMakesThatCellCurrent()
{
    g_->setMergeCol(2, true);
    for (int r = 1; r <= 4; ++r) g_->setTextMatrix(r, 2, QStringLiteral("Bloc"));
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_));
    const QRect r3 = g_->visualRect(g_->model()->index(3, 2));
    QTest::mouseClick(g_->viewport(), Qt::LeftButton, {}, r3.center());
    QCOMPARE(g_->Row(), 3);
    QCOMPARE(g_->Col(), 2);
}

void TestGrid::redrawTopRowAndSmallSizes()
{
    g_->setRows(60);
    g_->resize(200, 120);
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_));
    g_->setRedraw(false);
    QVERIFY(!g_->Redraw() && !g_->updatesEnabled());
    g_->setRedraw(true);
    QVERIFY(g_->Redraw() && g_->updatesEnabled());
    QCOMPARE(g_->TopRow(), 1);   // the first row after the heading row
    g_->setTopRow(20);
    QCOMPARE(g_->TopRow(), 20);
    g_->setTopRow(500);  // out of range: nothing moves
    QCOMPARE(g_->TopRow(), 20);
    // Sizes smaller than a line of text are kept as given.
    g_->setRowHeight(3, 5);
    g_->setColWidth(2, 4);
    QCOMPARE(g_->RowHeight(3), 5);
    QCOMPARE(g_->ColWidth(2), 4);
}

// However the rows or columns are scrolled, the heading row and column stay
// in place and answer for their place, the first row (column) the bar stands
// for comes right after them, and the bar is at its end exactly when the
// last row (column) shows whole.
void TestGrid::headingsStayAsTheCellsScroll_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"Down key to the last row", "click on the lowest row shown", "wheel", "bar to its end",
                            "top row set, then back up", "Right key to the last column", "Ctrl+End then Ctrl+Home"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void TestGrid::headingsStayAsTheCellsScroll()
{
    QFETCH(QString, how);
    g_->setRows(40);
    g_->setCols(12);
    for (int r = 0; r < 40; ++r) g_->setRowHeight(r, r == 0 ? 31 : 20);   // a heading taller than a row
    for (int c = 0; c < 12; ++c) g_->setColWidth(c, c == 0 ? 45 : 60);
    for (int c = 0; c < 12; ++c) g_->setTextMatrix(0, c, QStringLiteral("H%1").arg(c));
    g_->resize(300, 200);
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_));
    g_->setFocus();
    g_->setCurrentCellAt(1, 1);
    QScrollBar* bar = how.contains(u"column") ? g_->horizontalScrollBar() : g_->verticalScrollBar();
    if (how.startsWith(u"Down")) {
        for (int i = 0; i < 45; ++i) QTest::keyClick(g_, Qt::Key_Down);
        QCOMPARE(g_->Row(), 39);
    } else if (how.startsWith(u"click")) {
        const int low = g_->rowAt(g_->viewport()->height() - 2);
        QTest::mouseClick(g_->viewport(), Qt::LeftButton, {}, QPoint(100, g_->viewport()->height() - 2));
        QCOMPARE(g_->Row(), low);
    } else if (how == u"wheel") {
        for (int i = 0; i < 3; ++i) {
            QWheelEvent wheel(QPointF(100, 100), g_->viewport()->mapToGlobal(QPointF(100, 100)), {}, {0, -120},
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(g_->viewport(), &wheel);
        }
        QVERIFY(bar->value() > 0);
    } else if (how.startsWith(u"bar")) {
        bar->setValue(bar->maximum());
    } else if (how.startsWith(u"top")) {
        g_->setTopRow(30);
        g_->setTopRow(1);
        QCOMPARE(bar->value(), 0);
    } else if (how.startsWith(u"Right")) {
        for (int i = 0; i < 15; ++i) QTest::keyClick(g_, Qt::Key_Right);
        QCOMPARE(g_->Col(), 11);
    } else {
        QTest::keyClick(g_, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(bar->value(), bar->maximum());
        QTest::keyClick(g_, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(bar->value(), 0);
    }
    QApplication::processEvents();
    const QImage shot = g_->viewport()->grab().toImage();
    const bool rows = bar == g_->verticalScrollBar();
    const int first = rows ? g_->rowAt(31) : g_->columnAt(45);
    for (int c : {0, rows ? 1 : first}) {
        const QModelIndex heading = g_->model()->index(0, c);
        QCOMPARE(g_->visualRect(heading).top(), 0);
        QCOMPARE(g_->indexAt(g_->visualRect(heading).center()), heading);
        if (heading != g_->currentIndex())   // (the current cell has its focus frame)
            QCOMPARE(QColor(shot.pixel(g_->visualRect(heading).topRight() + QPoint(-5, 5))), g_->BackColorFixed());
    }
    const QModelIndex label = g_->model()->index(5, 0);   // the heading column, where the row is shown
    if (g_->visualRect(label).top() >= 31) QCOMPARE(g_->visualRect(label).left(), 0);
    QCOMPARE(first, 1 + bar->value());
    if (rows) QCOMPARE(g_->TopRow(), first);
    QCOMPARE(rows ? g_->rowViewportPosition(first) : g_->columnViewportPosition(first), rows ? 31 : 45);
    const int lastEnd = rows ? g_->rowViewportPosition(39) + 20 : g_->columnViewportPosition(11) + 60;
    const int room = rows ? g_->viewport()->height() : g_->viewport()->width();
    QCOMPARE(bar->value() == bar->maximum(), lastEnd <= room);
}

// Columns as wide as the grid: when the vertical bar shows, the column that
// makes room gives up the bar's width, and takes it back when the bar goes.
void TestGrid::lastColumnIsNeverUnderTheScrollBar()
{
    const int anchos[4] = {45, 120, 60, 60};
    for (int c = 0; c < 4; ++c) g_->setColWidth(c, anchos[c]);
    g_->setFitCol(1);
    g_->resize(285 + 2 * g_->frameWidth(), 200);
    g_->show();
    QVERIFY(QTest::qWaitForWindowExposed(g_));
    QCOMPARE(g_->ColWidth(1), 120);
    g_->setRows(40);
    QTRY_VERIFY(g_->verticalScrollBar()->isVisible());
    QTRY_COMPARE(g_->ColWidth(1), 120 - g_->verticalScrollBar()->width());
    QTRY_VERIFY(!g_->horizontalScrollBar()->isVisible());
    QVERIFY(g_->columnViewportPosition(3) + g_->ColWidth(3) <= g_->viewport()->width());
    g_->setRows(6);
    QTRY_COMPARE(g_->ColWidth(1), 120);
}

QTEST_MAIN(TestGrid)
#include "TestGrid.moc"
