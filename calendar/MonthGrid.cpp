#include "MonthGrid.h"

MonthGrid::MonthGrid(int year, int month, Qt::DayOfWeek firstDayOfWeek)
    : m_year(year)
    , m_month(month)
    , m_firstDayOfWeek(firstDayOfWeek >= Qt::Monday && firstDayOfWeek <= Qt::Sunday ? firstDayOfWeek : Qt::Monday)
    , m_first(year, month, 1)
{
}

int MonthGrid::daysInMonth() const
{
    return m_first.isValid() ? m_first.daysInMonth() : 0;
}

int MonthGrid::columnForDayOfWeek(int dayOfWeek) const
{
    if (dayOfWeek < Qt::Monday || dayOfWeek > Qt::Sunday)
        return -1;
    return (dayOfWeek - int(m_firstDayOfWeek) + 7) % 7;
}

Qt::DayOfWeek MonthGrid::dayOfWeekForColumn(int column) const
{
    const int c = ((column % 7) + 7) % 7;
    return Qt::DayOfWeek((int(m_firstDayOfWeek) - 1 + c) % 7 + 1);
}

int MonthGrid::firstDayCell() const
{
    return m_first.isValid() ? columnForDayOfWeek(m_first.dayOfWeek()) : 0;
}

QDate MonthGrid::dateForCell(int cell) const
{
    if (!m_first.isValid() || cell < 0 || cell >= CellCount)
        return {};
    return m_first.addDays(cell - firstDayCell());
}

int MonthGrid::cellForDate(const QDate& date) const
{
    if (!m_first.isValid() || !date.isValid())
        return -1;
    const qint64 cell = m_first.daysTo(date) + firstDayCell();
    return cell >= 0 && cell < CellCount ? int(cell) : -1;
}

bool MonthGrid::isShownMonth(int cell) const
{
    const QDate date = dateForCell(cell);
    return date.isValid() && date.year() == m_year && date.month() == m_month;
}

QDate MonthGrid::thursdayOfRow(int row) const
{
    if (row < 0 || row >= Rows)
        return {};
    return dateForCell(Columns * row + columnForDayOfWeek(Qt::Thursday));
}

int MonthGrid::weekNumberOfRow(int row) const
{
    const QDate thursday = thursdayOfRow(row);
    return thursday.isValid() ? isoWeekNumber(thursday) : 0;
}

int MonthGrid::isoWeekNumber(const QDate& date, int* weekYear)
{
    if (!date.isValid()) {
        if (weekYear)
            *weekYear = 0;
        return 0;
    }
    // The week belongs to the year of its Thursday.
    const QDate thursday = date.addDays(Qt::Thursday - date.dayOfWeek());
    if (weekYear)
        *weekYear = thursday.year();
    return (thursday.dayOfYear() - 1) / 7 + 1;
}
