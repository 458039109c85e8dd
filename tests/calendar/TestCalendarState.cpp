// Selection, limits and the user's moves on the calendar state, without a GUI.
#include "CalendarState.h"

#include <QtTest>

class TestCalendarState : public QObject {
    Q_OBJECT
private slots:
    void monthChangeKeepsDayOrTakesLastDay_data();
    void monthChangeKeepsDayOrTakesLastDay();
    void cellsBeforeMinDateAreUnselectableByRealDate();
    void noStaleMarksAfterMonthChange();
    void arrowsCompareWholeMonths_data();
    void arrowsCompareWholeMonths();
    void disabledStateHoldsArrowsBackEvenWithinLimits();
    void monthChangeClampsToNearestSelectableDay_data();
    void monthChangeClampsToNearestSelectableDay();
    void clickOnNeighbouringMonthShowsThatMonth_data();
    void clickOnNeighbouringMonthShowsThatMonth();
    void clickOnUnselectableCellChangesNothing();
    void keyStepsCrossMonths_data();
    void keyStepsCrossMonths();
    void keyStepsStopAtLimits_data();
    void keyStepsStopAtLimits();
    void refusesOutOfRangeValues_data();
    void refusesOutOfRangeValues();
    void monthOrYearChangeKeepsDayWithinMonth();
    void dateOutsideLimitsIsKeptAndHighlighted();
    void todayFrameOnlyInTodaysMonth();
};

namespace {
CalendarState stateAt(const QDate& date, Qt::DayOfWeek firstDay = Qt::Monday)
{
    CalendarState state(QDate(2010, 2, 17), firstDay);
    state.setDate(date);
    return state;
}
} // namespace

void TestCalendarState::monthChangeKeepsDayOrTakesLastDay_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QDate>("to");
    QTest::newRow("31 January 2008 -> 29 February") << QDate(2008, 1, 31) << 1 << QDate(2008, 2, 29);
    QTest::newRow("31 January 2009 -> 28 February") << QDate(2009, 1, 31) << 1 << QDate(2009, 2, 28);
    QTest::newRow("29 February 2000 -> 29 March") << QDate(2000, 2, 29) << 1 << QDate(2000, 3, 29);
    QTest::newRow("31 March 2100 -> 28 February (no leap year)") << QDate(2100, 3, 31) << -1 << QDate(2100, 2, 28);
    QTest::newRow("31 March -> 30 April") << QDate(2010, 3, 31) << 1 << QDate(2010, 4, 30);
    QTest::newRow("15 April -> 15 March") << QDate(2010, 4, 15) << -1 << QDate(2010, 3, 15);
    QTest::newRow("December -> January of the next year") << QDate(2008, 12, 31) << 1 << QDate(2009, 1, 31);
    QTest::newRow("January -> December of the year before") << QDate(2009, 1, 1) << -1 << QDate(2008, 12, 1);
}

void TestCalendarState::monthChangeKeepsDayOrTakesLastDay()
{
    QFETCH(QDate, from);
    QFETCH(int, direction);
    QFETCH(QDate, to);
    CalendarState state = stateAt(from);
    const auto reported = direction > 0 ? state.showNextMonth() : state.showPreviousMonth();
    QVERIFY(reported.has_value());
    QCOMPARE(*reported, to);
    QCOMPARE(state.date(), to);
    QCOMPARE(state.cell(state.selectedCell()).date, to);
}

void TestCalendarState::cellsBeforeMinDateAreUnselectableByRealDate()
{
    CalendarState state = stateAt(QDate(2009, 6, 15));
    QVERIFY(state.setMinDate(QDate(2009, 6, 10)));
    // June 2009 starts on a Monday: cell 0 is the 1st, the trailing cells July's days.
    for (int index = 0; index < 42; ++index) {
        const CalendarCell cell = state.cell(index);
        QCOMPARE(cell.unselectable, cell.date < QDate(2009, 6, 10));
        QCOMPARE(cell.grey(), cell.unselectable || cell.date.month() != 6);
    }
    // July days numbered below 10 lie after MinDate and stay selectable.
    QCOMPARE(state.cell(30).date, QDate(2009, 7, 1));
    QVERIFY(!state.cell(30).unselectable);
    QVERIFY(!state.canShowPreviousMonth());
    QVERIFY(state.canShowNextMonth());
}

void TestCalendarState::noStaleMarksAfterMonthChange()
{
    CalendarState state = stateAt(QDate(2009, 6, 15));
    QVERIFY(state.setMinDate(QDate(2009, 6, 10)));
    QVERIFY(state.setMaxDate(QDate(2009, 8, 20)));
    QCOMPARE(state.showNextMonth(), std::optional<QDate>(QDate(2009, 7, 15)));
    for (int index = 0; index < 42; ++index) {
        const QDate date = state.cell(index).date;
        QCOMPARE(state.cell(index).unselectable, date < QDate(2009, 6, 10) || date > QDate(2009, 8, 20));
    }
    // July 2009 starts on a Wednesday: the leading 29 and 30 June are selectable.
    QCOMPARE(state.cell(0).date, QDate(2009, 6, 29));
    QVERIFY(!state.cell(0).unselectable);
    QVERIFY(state.cell(0).grey());
    QVERIFY(state.canShowPreviousMonth());
    QVERIFY(state.canShowNextMonth());
}

void TestCalendarState::arrowsCompareWholeMonths_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QDate>("minDate");
    QTest::addColumn<QDate>("maxDate");
    QTest::addColumn<bool>("previous");
    QTest::addColumn<bool>("next");
    QTest::newRow("within") << QDate(2009, 5, 5) << QDate(2008, 12, 1) << QDate(2009, 12, 31) << true << true;
    QTest::newRow("at the min month") << QDate(2009, 1, 20) << QDate(2009, 1, 10) << QDate(2010, 1, 1) << false << true;
    QTest::newRow("at the max month") << QDate(2009, 12, 1) << QDate(2009, 1, 10) << QDate(2009, 12, 31) << true << false;
    QTest::newRow("January after a December min") << QDate(2009, 1, 10) << QDate(2008, 12, 15) << QDate(2010, 1, 1) << true << true;
    QTest::newRow("past the max month in the next year") << QDate(2010, 1, 10) << QDate(2008, 1, 1) << QDate(2009, 12, 31) << true << false;
    QTest::newRow("before the min month in the year before") << QDate(2008, 12, 10) << QDate(2009, 1, 1) << QDate(2009, 12, 31) << false << true;
}

void TestCalendarState::arrowsCompareWholeMonths()
{
    QFETCH(QDate, date);
    QFETCH(QDate, minDate);
    QFETCH(QDate, maxDate);
    QFETCH(bool, previous);
    QFETCH(bool, next);
    CalendarState state = stateAt(date);
    QVERIFY(state.setLimits(minDate, maxDate));
    QCOMPARE(state.canShowPreviousMonth(), previous);
    QCOMPARE(state.canShowNextMonth(), next);
    if (!previous)
        QVERIFY(!state.showPreviousMonth());
    if (!next)
        QVERIFY(!state.showNextMonth());
    QCOMPARE(state.date(), date);
}

void TestCalendarState::disabledStateHoldsArrowsBackEvenWithinLimits()
{
    CalendarState state = stateAt(QDate(2009, 6, 15));
    QVERIFY(state.setMinDate(QDate(2009, 6, 1)));
    state.setEnabled(false);
    QVERIFY(!state.canShowPreviousMonth());
    QVERIFY(!state.canShowNextMonth());
    QVERIFY(!state.clickCell(10));
    state.setEnabled(true);
    // Enabling again does not open the arrow held back by the limit.
    QVERIFY(!state.canShowPreviousMonth());
    QVERIFY(state.canShowNextMonth());
}

void TestCalendarState::monthChangeClampsToNearestSelectableDay_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QDate>("minDate");
    QTest::addColumn<QDate>("maxDate");
    QTest::addColumn<QDate>("to");
    QTest::newRow("next month ends at MaxDate") << QDate(2009, 1, 31) << 1 << QDate(2000, 1, 1) << QDate(2009, 2, 15) << QDate(2009, 2, 15);
    QTest::newRow("previous month starts at MinDate") << QDate(2009, 7, 5) << -1 << QDate(2009, 6, 10) << QDate(2010, 1, 1) << QDate(2009, 6, 10);
    QTest::newRow("last day past MaxDate") << QDate(2009, 3, 31) << 1 << QDate(2000, 1, 1) << QDate(2009, 4, 29) << QDate(2009, 4, 29);
}

void TestCalendarState::monthChangeClampsToNearestSelectableDay()
{
    QFETCH(QDate, from);
    QFETCH(int, direction);
    QFETCH(QDate, minDate);
    QFETCH(QDate, maxDate);
    QFETCH(QDate, to);
    CalendarState state = stateAt(from);
    QVERIFY(state.setLimits(minDate, maxDate));
    const auto reported = direction > 0 ? state.showNextMonth() : state.showPreviousMonth();
    QCOMPARE(reported, std::optional<QDate>(to));
    QVERIFY(!state.cell(state.selectedCell()).unselectable);
}

void TestCalendarState::clickOnNeighbouringMonthShowsThatMonth_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QDate>("to");
    // April 2010, Monday first: cell 0 is 29 March, cell 33 is 1 May.
    QTest::newRow("leading 29 March") << 0 << QDate(2010, 3, 29);
    QTest::newRow("trailing 2 May") << 34 << QDate(2010, 5, 2);
    QTest::newRow("a day of the month") << 17 << QDate(2010, 4, 15);
}

void TestCalendarState::clickOnNeighbouringMonthShowsThatMonth()
{
    QFETCH(int, cell);
    QFETCH(QDate, to);
    CalendarState state = stateAt(QDate(2010, 4, 30));
    QCOMPARE(state.clickCell(cell), std::optional<QDate>(to));
    QCOMPARE(state.grid().month(), to.month());
    QCOMPARE(state.cell(state.selectedCell()).date, to);
}

void TestCalendarState::clickOnUnselectableCellChangesNothing()
{
    CalendarState state = stateAt(QDate(2009, 6, 15));
    QVERIFY(state.setLimits(QDate(2009, 6, 10), QDate(2009, 6, 30)));
    QVERIFY(!state.clickCell(3));  // 4 June
    QVERIFY(!state.clickCell(30)); // 1 July, past MaxDate
    QCOMPARE(state.date(), QDate(2009, 6, 15));
    QCOMPARE(state.clickCell(9), std::optional<QDate>(QDate(2009, 6, 10)));
}

void TestCalendarState::keyStepsCrossMonths_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("days");
    QTest::addColumn<QDate>("to");
    QTest::newRow("down from the last row") << QDate(2010, 2, 26) << 7 << QDate(2010, 3, 5);
    QTest::newRow("up from the first row") << QDate(2010, 2, 3) << -7 << QDate(2010, 1, 27);
    QTest::newRow("left from the 1st") << QDate(2010, 2, 1) << -1 << QDate(2010, 1, 31);
    QTest::newRow("right from the last day") << QDate(2010, 2, 28) << 1 << QDate(2010, 3, 1);
    QTest::newRow("down onto a grey cell") << QDate(2010, 2, 22) << 7 << QDate(2010, 3, 1);
    QTest::newRow("down across the year") << QDate(2009, 12, 30) << 7 << QDate(2010, 1, 6);
}

void TestCalendarState::keyStepsCrossMonths()
{
    QFETCH(QDate, from);
    QFETCH(int, days);
    QFETCH(QDate, to);
    CalendarState state = stateAt(from);
    QCOMPARE(state.stepDays(days), std::optional<QDate>(to));
    QCOMPARE(state.grid().month(), to.month());
    QCOMPARE(state.cell(state.selectedCell()).date, to);
    QVERIFY(state.grid().isShownMonth(state.selectedCell()));
}

void TestCalendarState::keyStepsStopAtLimits_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("days");
    QTest::addColumn<QDate>("expected"); // invalid: nothing reported
    QTest::newRow("up onto unselectable days") << QDate(2009, 6, 12) << -7 << QDate(2009, 6, 10);
    QTest::newRow("left at MinDate") << QDate(2009, 6, 10) << -1 << QDate();
    QTest::newRow("down past MaxDate") << QDate(2009, 8, 18) << 7 << QDate(2009, 8, 20);
    QTest::newRow("right at MaxDate") << QDate(2009, 8, 20) << 1 << QDate();
}

void TestCalendarState::keyStepsStopAtLimits()
{
    QFETCH(QDate, from);
    QFETCH(int, days);
    QFETCH(QDate, expected);
    CalendarState state = stateAt(from);
    QVERIFY(state.setLimits(QDate(2009, 6, 10), QDate(2009, 8, 20)));
    const auto reported = state.stepDays(days);
    if (!expected.isValid()) {
        QVERIFY(!reported);
        QCOMPARE(state.date(), from);
    } else {
        QCOMPARE(reported, std::optional<QDate>(expected));
    }
}

void TestCalendarState::refusesOutOfRangeValues_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("value");
    QTest::newRow("month 13") << "month" << 13;
    QTest::newRow("month 0") << "month" << 0;
    QTest::newRow("day 31 in April") << "day" << 31;
    QTest::newRow("day 0") << "day" << 0;
    QTest::newRow("year 99") << "year" << 99;
    QTest::newRow("year 10000") << "year" << 10000;
    QTest::newRow("MinDate after MaxDate") << "min" << 0;
    QTest::newRow("MaxDate before MinDate") << "max" << 0;
    QTest::newRow("invalid date") << "date" << 0;
}

void TestCalendarState::refusesOutOfRangeValues()
{
    QFETCH(QString, what);
    QFETCH(int, value);
    CalendarState state = stateAt(QDate(2010, 4, 12));
    QVERIFY(state.setLimits(QDate(2000, 1, 1), QDate(2020, 12, 31)));
    bool ok = true;
    if (what == "month")
        ok = state.setMonth(value);
    else if (what == "day")
        ok = state.setDay(value);
    else if (what == "year")
        ok = state.setYear(value);
    else if (what == "min")
        ok = state.setMinDate(QDate(2021, 1, 1));
    else if (what == "max")
        ok = state.setMaxDate(QDate(1999, 1, 1));
    else
        ok = state.setDate(QDate(2010, 2, 30));
    QVERIFY(!ok);
    QVERIFY(!state.lastError().isEmpty());
    QCOMPARE(state.date(), QDate(2010, 4, 12));
    QCOMPARE(state.minDate(), QDate(2000, 1, 1));
    QCOMPARE(state.maxDate(), QDate(2020, 12, 31));
    QCOMPARE(state.grid().month(), 4);
}

void TestCalendarState::monthOrYearChangeKeepsDayWithinMonth()
{
    CalendarState state = stateAt(QDate(2008, 3, 31));
    QVERIFY(state.setMonth(4));
    QCOMPARE(state.date(), QDate(2008, 4, 30));
    QVERIFY(state.setDate(QDate(2008, 2, 29)));
    QVERIFY(state.setYear(2009));
    QCOMPARE(state.date(), QDate(2009, 2, 28));
}

void TestCalendarState::dateOutsideLimitsIsKeptAndHighlighted()
{
    CalendarState state = stateAt(QDate(2009, 6, 20));
    QVERIFY(state.setMinDate(QDate(2009, 6, 10)));
    QVERIFY(state.setDate(QDate(2009, 6, 5)));
    QCOMPARE(state.date(), QDate(2009, 6, 5));
    QCOMPARE(state.cell(state.selectedCell()).date, QDate(2009, 6, 5));
    QVERIFY(state.cell(state.selectedCell()).unselectable);
}

void TestCalendarState::todayFrameOnlyInTodaysMonth()
{
    CalendarState state(QDate(2010, 2, 17), Qt::Monday);
    QCOMPARE(state.date(), QDate(2010, 2, 17));
    QCOMPARE(state.todayCell(), 16);
    QCOMPARE(state.selectedCell(), 16);
    state.showNextMonth();
    QCOMPARE(state.todayCell(), -1); // March 2010 starts in column 0: 17 February is not shown
    state.showPreviousMonth();
    QCOMPARE(state.todayCell(), 16);
}

QTEST_GUILESS_MAIN(TestCalendarState)
#include "TestCalendarState.moc"
