// The month grid, week numbers, layout hit-testing and colour values, without a GUI.
#include "CalvendraLayout.h"
#include "MonthGrid.h"
#include "OleColor.h"

#include <QPalette>
#include <QtTest>

class TestCalendarMonthGrid : public QObject {
    Q_OBJECT
private slots:
    void isoWeekMatchesQtOverManyYears();
    void isoWeekAtYearEnds_data();
    void isoWeekAtYearEnds();
    void rowsAreLabelledWithTheWeekOfTheirThursday_data();
    void rowsAreLabelledWithTheWeekOfTheirThursday();
    void february2010Layout_data();
    void february2010Layout();
    void columnFollowsFirstDayOfWeek_data();
    void columnFollowsFirstDayOfWeek();
    void cellsAndDatesRoundTrip();
    void hitTestFindsEachPart_data();
    void hitTestFindsEachPart();
    void colourValues_data();
    void colourValues();
};

void TestCalendarMonthGrid::isoWeekMatchesQtOverManyYears()
{
    for (QDate date(1900, 1, 1); date <= QDate(2100, 12, 31); date = date.addDays(1)) {
        int year = 0;
        int qtYear = 0;
        const int week = MonthGrid::isoWeekNumber(date, &year);
        const int qtWeek = date.weekNumber(&qtYear);
        if (week != qtWeek || year != qtYear)
            QFAIL(qPrintable(QStringLiteral("%1: week %2/%3, expected %4/%5")
                                 .arg(date.toString(Qt::ISODate)).arg(week).arg(year).arg(qtWeek).arg(qtYear)));
    }
}

void TestCalendarMonthGrid::isoWeekAtYearEnds_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("week");
    QTest::newRow("Saturday 1 January 2005 is week 53 of 2004") << QDate(2005, 1, 1) << 53;
    QTest::newRow("Wednesday 31 December 2008 is week 1") << QDate(2008, 12, 31) << 1;
    QTest::newRow("Thursday 31 December 2009 is week 53") << QDate(2009, 12, 31) << 53;
    QTest::newRow("Friday 1 January 2010 is week 53") << QDate(2010, 1, 1) << 53;
    for (int year : {1999, 2004, 2010, 2015, 2021, 2026})
        QTest::addRow("4 January %d is week 1", year) << QDate(year, 1, 4) << 1;
}

void TestCalendarMonthGrid::isoWeekAtYearEnds()
{
    QFETCH(QDate, date);
    QFETCH(int, week);
    QCOMPARE(MonthGrid::isoWeekNumber(date), week);
}

void TestCalendarMonthGrid::rowsAreLabelledWithTheWeekOfTheirThursday_data()
{
    QTest::addColumn<int>("firstDay");
    QTest::newRow("Monday first") << int(Qt::Monday);
    QTest::newRow("Sunday first") << int(Qt::Sunday);
    QTest::newRow("Saturday first") << int(Qt::Saturday);
}

void TestCalendarMonthGrid::rowsAreLabelledWithTheWeekOfTheirThursday()
{
    QFETCH(int, firstDay);
    for (int year = 1990; year <= 2030; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const MonthGrid grid(year, month, Qt::DayOfWeek(firstDay));
            for (int row = 0; row < MonthGrid::Rows; ++row) {
                // Most of the row's days (Monday..Thursday at least) share the labelled week.
                int sameWeek = 0;
                for (int column = 0; column < MonthGrid::Columns; ++column) {
                    const QDate date = grid.dateForCell(row * MonthGrid::Columns + column);
                    sameWeek += date.weekNumber() == grid.weekNumberOfRow(row) ? 1 : 0;
                }
                QVERIFY2(sameWeek >= 4, qPrintable(QStringLiteral("%1-%2 row %3").arg(year).arg(month).arg(row)));
            }
        }
    }
    // Sunday first: the row Sunday 1 .. Saturday 7 March 2009 is week 10, not
    // week 9 of its Sunday.
    const MonthGrid march2009(2009, 3, Qt::Sunday);
    QCOMPARE(march2009.dateForCell(0), QDate(2009, 3, 1));
    QCOMPARE(march2009.weekNumberOfRow(0), 10);
    QCOMPARE(march2009.weekNumberOfRow(5), 15);
}

void TestCalendarMonthGrid::february2010Layout_data()
{
    QTest::addColumn<int>("firstDay");
    QTest::addColumn<int>("firstCell");
    QTest::addColumn<QDate>("cell0");
    QTest::addColumn<QDate>("cell41");
    QTest::addColumn<QList<int>>("weeks");
    QTest::newRow("Monday first") << int(Qt::Monday) << 0 << QDate(2010, 2, 1) << QDate(2010, 3, 14)
                                  << QList<int> {5, 6, 7, 8, 9, 10};
    QTest::newRow("Sunday first") << int(Qt::Sunday) << 1 << QDate(2010, 1, 31) << QDate(2010, 3, 13)
                                  << QList<int> {5, 6, 7, 8, 9, 10};
}

void TestCalendarMonthGrid::february2010Layout()
{
    QFETCH(int, firstDay);
    QFETCH(int, firstCell);
    QFETCH(QDate, cell0);
    QFETCH(QDate, cell41);
    QFETCH(QList<int>, weeks);
    const MonthGrid grid(2010, 2, Qt::DayOfWeek(firstDay));
    QCOMPARE(grid.daysInMonth(), 28);
    QCOMPARE(grid.firstDayCell(), firstCell);
    QCOMPARE(grid.dateForCell(0), cell0);
    QCOMPARE(grid.dateForCell(41), cell41);
    QCOMPARE(grid.cellForDate(QDate(2010, 2, 1)), firstCell);
    QCOMPARE(grid.cellForDate(QDate(2010, 2, 28)), firstCell + 27);
    for (int cell = 0; cell < MonthGrid::CellCount; ++cell)
        QCOMPARE(grid.isShownMonth(cell), cell >= firstCell && cell < firstCell + 28);
    QCOMPARE(grid.dateForCell(firstCell + 28), QDate(2010, 3, 1));
    for (int row = 0; row < MonthGrid::Rows; ++row)
        QCOMPARE(grid.weekNumberOfRow(row), weeks.at(row));
    QVERIFY(!grid.dateForCell(-1).isValid());
    QVERIFY(!grid.dateForCell(42).isValid());
}

void TestCalendarMonthGrid::columnFollowsFirstDayOfWeek_data()
{
    QTest::addColumn<int>("firstDay");
    QTest::addColumn<int>("dayOfWeek");
    QTest::addColumn<int>("column");
    QTest::newRow("Monday first, Monday") << int(Qt::Monday) << int(Qt::Monday) << 0;
    QTest::newRow("Monday first, Sunday") << int(Qt::Monday) << int(Qt::Sunday) << 6;
    QTest::newRow("Sunday first, Sunday") << int(Qt::Sunday) << int(Qt::Sunday) << 0;
    QTest::newRow("Sunday first, Monday") << int(Qt::Sunday) << int(Qt::Monday) << 1;
    QTest::newRow("Sunday first, Saturday") << int(Qt::Sunday) << int(Qt::Saturday) << 6;
    QTest::newRow("Saturday first, Friday") << int(Qt::Saturday) << int(Qt::Friday) << 6;
    QTest::newRow("out of range") << int(Qt::Monday) << 8 << -1;
}

void TestCalendarMonthGrid::columnFollowsFirstDayOfWeek()
{
    QFETCH(int, firstDay);
    QFETCH(int, dayOfWeek);
    QFETCH(int, column);
    const MonthGrid grid(2010, 2, Qt::DayOfWeek(firstDay));
    QCOMPARE(grid.columnForDayOfWeek(dayOfWeek), column);
    if (column >= 0)
        QCOMPARE(int(grid.dayOfWeekForColumn(column)), dayOfWeek);
}

void TestCalendarMonthGrid::cellsAndDatesRoundTrip()
{
    const MonthGrid grid(2008, 2, Qt::Sunday);
    for (int cell = 0; cell < MonthGrid::CellCount; ++cell)
        QCOMPARE(grid.cellForDate(grid.dateForCell(cell)), cell);
    QCOMPARE(grid.cellForDate(grid.dateForCell(0).addDays(-1)), -1);
    QCOMPARE(grid.cellForDate(grid.dateForCell(41).addDays(1)), -1);
}

void TestCalendarMonthGrid::hitTestFindsEachPart_data()
{
    using Part = CalvendraLayout::Part;
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("weekNumbers");
    QTest::addColumn<int>("part");
    QTest::addColumn<int>("index");
    QTest::newRow("previous arrow") << QPoint(200, 200) << false << int(Part::PreviousButton) << -1;
    QTest::newRow("next arrow") << QPoint(2500, 200) << false << int(Part::NextButton) << -1;
    QTest::newRow("caption") << QPoint(1400, 200) << false << int(Part::Caption) << -1;
    QTest::newRow("caption bar") << QPoint(1400, 450) << false << int(Part::CaptionBar) << -1;
    QTest::newRow("heading column 2") << QPoint(45 + 800 + 100, 600) << false << int(Part::Heading) << 2;
    QTest::newRow("first cell") << QPoint(100, 900) << false << int(Part::Cell) << 0;
    QTest::newRow("last cell") << QPoint(2500, 845 + 5 * 245 + 100) << false << int(Part::Cell) << 41;
    QTest::newRow("gap between cells") << QPoint(45 + 360, 900) << false << int(Part::None) << -1;
    QTest::newRow("week column hidden") << QPoint(100, 900 + 245) << false << int(Part::Cell) << 7;
    QTest::newRow("week column shown") << QPoint(100, 900 + 245) << true << int(Part::WeekNumber) << 1;
    QTest::newRow("first cell with weeks") << QPoint(450, 900) << true << int(Part::Cell) << 0;
    QTest::newRow("today label") << QPoint(1200, 2400) << false << int(Part::TodayLabel) << -1;
    QTest::newRow("outside") << QPoint(3000, 100) << false << int(Part::None) << -1;
}

void TestCalendarMonthGrid::hitTestFindsEachPart()
{
    QFETCH(QPoint, point);
    QFETCH(bool, weekNumbers);
    QFETCH(int, part);
    QFETCH(int, index);
    const CalvendraLayout::Hit hit = CalvendraLayout::hitTest(point, weekNumbers, true);
    QCOMPARE(int(hit.part), part);
    QCOMPARE(hit.index, index);
}

void TestCalendarMonthGrid::colourValues_data()
{
    QTest::addColumn<quint64>("value");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QColor>("colour");
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(4, 5, 6));
    QTest::newRow("pure red") << quint64(255) << true << QColor(255, 0, 0);
    QTest::newRow("blue in the high byte") << quint64(0x00FF0000) << true << QColor(0, 0, 255);
    QTest::newRow("mixed 0x00BBGGRR") << quint64(0x00332211) << true << QColor(0x11, 0x22, 0x33);
    QTest::newRow("system highlight") << quint64(0x8000000D) << true << QColor(1, 2, 3);
    QTest::newRow("system window") << quint64(0x80000005) << true << QColor(4, 5, 6);
    QTest::newRow("system index too large") << quint64(0x80000040) << false << QColor();
    QTest::newRow("palette-relative form") << quint64(0x01000010) << false << QColor();
    QTest::newRow("wider than 32 bits") << quint64(0x100000000ull) << false << QColor();
}

void TestCalendarMonthGrid::colourValues()
{
    QFETCH(quint64, value);
    QFETCH(bool, valid);
    QFETCH(QColor, colour);
    QCOMPARE(OleColor::isValid(value), valid);
    if (!valid)
        return;
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(4, 5, 6));
    QCOMPARE(OleColor::toQColor(quint32(value), palette), colour);
}

QTEST_GUILESS_MAIN(TestCalendarMonthGrid)
#include "TestCalendarMonthGrid.moc"
