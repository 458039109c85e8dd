#pragma once
// What the calendar control knows and does, without any widget: the selected
// date, the date limits, the 42 cells of the shown month judged by their real
// dates, and the user's moves (arrows, clicks, keys). Each move returns the
// date to report to the host, at most one per move.
#include "CalvendraExport.h"
#include "MonthGrid.h"

#include <QDate>
#include <QString>
#include <optional>

struct CALVENDRA_EXPORT CalendarCell {
    QDate date;
    bool shownMonth = false;   // a day of the shown month, not of a neighbour
    bool unselectable = false; // outside MinDate..MaxDate
    int day() const { return date.day(); }
    // Drawn in the disabled colour: another month's day or an unselectable one.
    bool grey() const { return !shownMonth || unselectable; }
};

class CALVENDRA_EXPORT CalendarState {
public:
    static constexpr int MinYear = 100;
    static constexpr int MaxYear = 9999;
    static QDate defaultMinDate() { return QDate(1753, 1, 1); }
    static QDate defaultMaxDate() { return QDate(9999, 12, 31); }

    explicit CalendarState(const QDate& today = QDate(2000, 1, 1), Qt::DayOfWeek firstDayOfWeek = Qt::Monday);

    // A date the control can hold: a real day of a year in 100..9999.
    static bool isSupportedDate(const QDate& date);

    // Setters refuse what is out of range, leave everything as it was and
    // return false with the reason in lastError(). They never report a date.
    QDate date() const { return m_date; }
    int year() const { return m_date.year(); }
    int month() const { return m_date.month(); }
    int day() const { return m_date.day(); }
    bool setDate(const QDate& date);
    bool setYear(int year);   // the day is kept, or becomes the month's last day
    bool setMonth(int month); // likewise
    bool setDay(int day);     // refuses a day past the month's end

    QDate minDate() const { return m_min; }
    QDate maxDate() const { return m_max; }
    bool setMinDate(const QDate& date);
    bool setMaxDate(const QDate& date);
    bool setLimits(const QDate& minDate, const QDate& maxDate);

    Qt::DayOfWeek firstDayOfWeek() const { return m_grid.firstDayOfWeek(); }
    void setFirstDayOfWeek(Qt::DayOfWeek day);
    QDate today() const { return m_today; }
    void setToday(const QDate& today);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    QString lastError() const { return m_lastError; }

    const MonthGrid& grid() const { return m_grid; }
    CalendarCell cell(int index) const;
    bool isSelectable(const QDate& date) const;
    // The cell of the selected date (it may be an unselectable one set by the host).
    int selectedCell() const { return m_grid.cellForDate(m_date); }
    // Today's cell when today is a selectable day of the shown month, else -1.
    int todayCell() const;
    int weekNumberOfRow(int row) const { return m_grid.weekNumberOfRow(row); }

    // Whole months compared; both false while the control is disabled.
    bool canShowPreviousMonth() const;
    bool canShowNextMonth() const;

    // User moves.
    std::optional<QDate> showPreviousMonth();
    std::optional<QDate> showNextMonth();
    std::optional<QDate> clickCell(int index);
    std::optional<QDate> stepDays(int days);
    std::optional<QDate> reportAgain() const { return m_date; }

private:
    static int monthIndex(const QDate& date) { return date.year() * 12 + date.month() - 1; }
    QDate clampToLimits(const QDate& date) const;
    std::optional<QDate> changeMonth(int delta);
    std::optional<QDate> select(const QDate& date);
    bool refuse(const QString& message);
    void rebuild();

    QDate m_date;
    QDate m_min = defaultMinDate();
    QDate m_max = defaultMaxDate();
    QDate m_today;
    bool m_enabled = true;
    MonthGrid m_grid;
    QString m_lastError;
};
