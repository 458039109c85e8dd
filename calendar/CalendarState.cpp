#include "CalendarState.h"

CalendarState::CalendarState(const QDate& today, Qt::DayOfWeek firstDayOfWeek)
    : m_date(isSupportedDate(today) ? today : QDate(2000, 1, 1))
    , m_today(m_date)
    , m_grid(m_date.year(), m_date.month(), firstDayOfWeek)
{
}

bool CalendarState::isSupportedDate(const QDate& date)
{
    return date.isValid() && date.year() >= MinYear && date.year() <= MaxYear;
}

bool CalendarState::refuse(const QString& message)
{
    m_lastError = message;
    return false;
}

void CalendarState::rebuild()
{
    m_grid = MonthGrid(m_date.year(), m_date.month(), m_grid.firstDayOfWeek());
}

bool CalendarState::setDate(const QDate& date)
{
    if (!isSupportedDate(date))
        return refuse(QStringLiteral("The date must be a real day between the years %1 and %2.").arg(MinYear).arg(MaxYear));
    m_date = date;
    m_lastError.clear();
    rebuild();
    return true;
}

bool CalendarState::setYear(int year)
{
    if (year < MinYear || year > MaxYear)
        return refuse(QStringLiteral("The year %1 is outside %2..%3.").arg(year).arg(MinYear).arg(MaxYear));
    const QDate first(year, m_date.month(), 1);
    return setDate(QDate(year, m_date.month(), qMin(m_date.day(), first.daysInMonth())));
}

bool CalendarState::setMonth(int month)
{
    if (month < 1 || month > 12)
        return refuse(QStringLiteral("The month %1 is outside 1..12.").arg(month));
    const QDate first(m_date.year(), month, 1);
    return setDate(QDate(m_date.year(), month, qMin(m_date.day(), first.daysInMonth())));
}

bool CalendarState::setDay(int day)
{
    if (day < 1 || day > m_date.daysInMonth())
        return refuse(QStringLiteral("The day %1 is outside 1..%2 for this month.").arg(day).arg(m_date.daysInMonth()));
    return setDate(QDate(m_date.year(), m_date.month(), day));
}

bool CalendarState::setMinDate(const QDate& date)
{
    return setLimits(date, m_max);
}

bool CalendarState::setMaxDate(const QDate& date)
{
    return setLimits(m_min, date);
}

bool CalendarState::setLimits(const QDate& minDate, const QDate& maxDate)
{
    if (!isSupportedDate(minDate) || !isSupportedDate(maxDate))
        return refuse(QStringLiteral("The date limits must be real days between the years %1 and %2.").arg(MinYear).arg(MaxYear));
    if (minDate > maxDate)
        return refuse(QStringLiteral("The first date allowed (%1) is after the last one (%2).")
                          .arg(minDate.toString(Qt::ISODate), maxDate.toString(Qt::ISODate)));
    m_min = minDate;
    m_max = maxDate;
    m_lastError.clear();
    return true;
}

void CalendarState::setFirstDayOfWeek(Qt::DayOfWeek day)
{
    m_grid = MonthGrid(m_date.year(), m_date.month(), day);
}

void CalendarState::setToday(const QDate& today)
{
    if (today.isValid())
        m_today = today;
}

bool CalendarState::isSelectable(const QDate& date) const
{
    return date.isValid() && date >= m_min && date <= m_max;
}

CalendarCell CalendarState::cell(int index) const
{
    CalendarCell cell;
    cell.date = m_grid.dateForCell(index);
    cell.shownMonth = m_grid.isShownMonth(index);
    cell.unselectable = !isSelectable(cell.date);
    return cell;
}

int CalendarState::todayCell() const
{
    const int index = m_grid.cellForDate(m_today);
    return index >= 0 && !cell(index).grey() ? index : -1;
}

bool CalendarState::canShowPreviousMonth() const
{
    return m_enabled && monthIndex(m_date) > monthIndex(m_min);
}

bool CalendarState::canShowNextMonth() const
{
    return m_enabled && monthIndex(m_date) < monthIndex(m_max);
}

QDate CalendarState::clampToLimits(const QDate& date) const
{
    if (date < m_min)
        return m_min;
    if (date > m_max)
        return m_max;
    return date;
}

std::optional<QDate> CalendarState::select(const QDate& date)
{
    m_date = date;
    rebuild();
    return m_date;
}

std::optional<QDate> CalendarState::changeMonth(int delta)
{
    // The day is kept when the new month has it, else the month's last day;
    // a day beyond a limit gives the nearest selectable one.
    const QDate target = m_date.addMonths(delta);
    if (!target.isValid())
        return std::nullopt;
    return select(clampToLimits(target));
}

std::optional<QDate> CalendarState::showPreviousMonth()
{
    return canShowPreviousMonth() ? changeMonth(-1) : std::nullopt;
}

std::optional<QDate> CalendarState::showNextMonth()
{
    return canShowNextMonth() ? changeMonth(1) : std::nullopt;
}

std::optional<QDate> CalendarState::clickCell(int index)
{
    if (!m_enabled || index < 0 || index >= MonthGrid::CellCount)
        return std::nullopt;
    const CalendarCell target = cell(index);
    if (target.unselectable)
        return std::nullopt;
    // A neighbouring month's day shows that month with the day selected.
    return select(target.date);
}

std::optional<QDate> CalendarState::stepDays(int days)
{
    if (!m_enabled)
        return std::nullopt;
    const QDate target = clampToLimits(m_date.addDays(days));
    if (!target.isValid() || target == m_date)
        return std::nullopt;
    return select(target);
}
