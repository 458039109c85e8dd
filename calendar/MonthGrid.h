#pragma once
// One month laid out as the 6 x 7 grid of the calendar control: cell index =
// 7 x row + column, column 0 is the locale's first day of the week, and every
// cell stands for a real date (the days before the 1st belong to the previous
// month, those after the last day to the next one).
#include "CalvendraExport.h"

#include <QDate>

class CALVENDRA_EXPORT MonthGrid {
public:
    static constexpr int Columns = 7;
    static constexpr int Rows = 6;
    static constexpr int CellCount = Columns * Rows;

    MonthGrid(int year, int month, Qt::DayOfWeek firstDayOfWeek);

    int year() const { return m_year; }
    int month() const { return m_month; }
    Qt::DayOfWeek firstDayOfWeek() const { return m_firstDayOfWeek; }
    bool isValid() const { return m_first.isValid(); }
    int daysInMonth() const;

    // Column 0..6 of a weekday (Qt numbering, 1 = Monday .. 7 = Sunday); -1 when out of range.
    int columnForDayOfWeek(int dayOfWeek) const;
    Qt::DayOfWeek dayOfWeekForColumn(int column) const;

    // Cell holding the 1st of the month (the number of leading cells of the previous month).
    int firstDayCell() const;
    // Invalid date for an index outside 0..41.
    QDate dateForCell(int cell) const;
    // -1 when the date is not among the 42 cells.
    int cellForDate(const QDate& date) const;
    bool isShownMonth(int cell) const;

    // Each row holds exactly one Thursday, whose ISO week is the row's week.
    QDate thursdayOfRow(int row) const;
    int weekNumberOfRow(int row) const;

    // ISO 8601 week (weeks start on Monday; week 1 holds the year's first Thursday).
    static int isoWeekNumber(const QDate& date, int* weekYear = nullptr);

private:
    int m_year;
    int m_month;
    Qt::DayOfWeek m_firstDayOfWeek;
    QDate m_first;
};
