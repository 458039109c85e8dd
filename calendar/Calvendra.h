#pragma once
// The month-calendar control: one month of 42 day cells with weekday headings,
// optional ISO week numbers, a caption with two arrow buttons and today's
// label, drawn by the widget itself. The host drives it through the properties
// and invokable members below and listens to its signals.
#include "CalendarState.h"
#include "CalvendraExport.h"
#include "CalvendraLayout.h"

#include <QDate>
#include <QFont>
#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>

class PropertyBag;
class QPainter;

class CALVENDRA_EXPORT Calvendra : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ enabledValue WRITE setEnabledValue)
    Q_PROPERTY(int YearValue READ yearValue WRITE setYearValue)
    Q_PROPERTY(int MonthValue READ monthValue WRITE setMonthValue)
    Q_PROPERTY(int DayValue READ dayValue WRITE setDayValue)
    Q_PROPERTY(QDate DateValue READ dateValue WRITE setDateValue)
    Q_PROPERTY(QDate MinDate READ minDate WRITE setMinDate)
    Q_PROPERTY(QDate MaxDate READ maxDate WRITE setMaxDate)
    Q_PROPERTY(bool Appearance3D READ appearance3D WRITE setAppearance3D)
    Q_PROPERTY(bool Border READ border WRITE setBorder)
    Q_PROPERTY(bool ShowWeeknumbers READ showWeekNumbers WRITE setShowWeekNumbers)
    Q_PROPERTY(bool ShowToday READ showToday WRITE setShowToday)
    Q_PROPERTY(QFont Font READ cellFont WRITE setCellFont)
    Q_PROPERTY(quint32 ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(quint32 BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(quint32 DisabledColor READ disabledColor WRITE setDisabledColor)
    Q_PROPERTY(quint32 HighlightBackColor READ highlightBackColor WRITE setHighlightBackColor)
    Q_PROPERTY(quint32 HighlightForeColor READ highlightForeColor WRITE setHighlightForeColor)
    Q_PROPERTY(quint32 TopBackColor READ topBackColor WRITE setTopBackColor)
    Q_PROPERTY(quint32 TopForeColor READ topForeColor WRITE setTopForeColor)
    Q_PROPERTY(quint32 DaysColor READ daysColor WRITE setDaysColor)
    Q_PROPERTY(quint32 LineColor READ lineColor WRITE setLineColor)
    Q_PROPERTY(quint32 TodayForeColor READ todayForeColor WRITE setTodayForeColor)
    Q_PROPERTY(quint32 TodayRectColor READ todayRectColor WRITE setTodayRectColor)

public:
    // The eleven colours, in interface order.
    enum ColorRole {
        ForeColorRole, BackColorRole, DisabledColorRole, HighlightBackColorRole, HighlightForeColorRole,
        TopBackColorRole, TopForeColorRole, DaysColorRole, LineColorRole, TodayForeColorRole, TodayRectColorRole,
        ColorRoleCount
    };
    Q_ENUM(ColorRole)
    static QString colorName(ColorRole role);
    static quint32 defaultColor(ColorRole role);

    static QString productName();
    static QString versionText(); // major.minor.revision

    explicit Calvendra(QWidget* parent = nullptr);

    Q_INVOKABLE void About();
    // Heading of column dow (1 = leftmost); "" outside 1..7.
    Q_INVOKABLE QString WeekDayShortName(int dow) const;
    // Shows the first three characters; a bad index or an empty text is ignored.
    Q_INVOKABLE void setWeekDayShortName(int dow, const QString& name);
    // Caption name of a month; "" outside 1..12.
    Q_INVOKABLE QString MonthNames(int monthNumber) const;
    // Shown from the next refresh or month change; a bad index or an empty text is ignored.
    Q_INVOKABLE void setMonthNames(int monthNumber, const QString& name);

    bool enabledValue() const { return m_state.isEnabled(); }
    void setEnabledValue(bool enabled);
    int yearValue() const { return m_state.year(); }
    void setYearValue(int year);
    int monthValue() const { return m_state.month(); }
    void setMonthValue(int month);
    int dayValue() const { return m_state.day(); }
    void setDayValue(int day);
    QDate dateValue() const { return m_state.date(); }
    void setDateValue(const QDate& date);
    QDate minDate() const { return m_state.minDate(); }
    void setMinDate(const QDate& date);
    QDate maxDate() const { return m_state.maxDate(); }
    void setMaxDate(const QDate& date);
    bool appearance3D() const { return m_appearance3D; }
    void setAppearance3D(bool on);
    bool border() const { return m_border; }
    void setBorder(bool on);
    bool showWeekNumbers() const { return m_showWeekNumbers; }
    void setShowWeekNumbers(bool on);
    bool showToday() const { return m_showToday; }
    void setShowToday(bool on);
    QFont cellFont() const { return m_cellFont; }
    void setCellFont(const QFont& font);

    quint32 color(ColorRole role) const;
    // False (and nothing changed) for a value that is neither RGB nor a system colour.
    bool setColor(ColorRole role, quint32 value);
    quint32 foreColor() const { return color(ForeColorRole); }
    void setForeColor(quint32 v) { setColor(ForeColorRole, v); }
    quint32 backColor() const { return color(BackColorRole); }
    void setBackColor(quint32 v) { setColor(BackColorRole, v); }
    quint32 disabledColor() const { return color(DisabledColorRole); }
    void setDisabledColor(quint32 v) { setColor(DisabledColorRole, v); }
    quint32 highlightBackColor() const { return color(HighlightBackColorRole); }
    void setHighlightBackColor(quint32 v) { setColor(HighlightBackColorRole, v); }
    quint32 highlightForeColor() const { return color(HighlightForeColorRole); }
    void setHighlightForeColor(quint32 v) { setColor(HighlightForeColorRole, v); }
    quint32 topBackColor() const { return color(TopBackColorRole); }
    void setTopBackColor(quint32 v) { setColor(TopBackColorRole, v); }
    quint32 topForeColor() const { return color(TopForeColorRole); }
    void setTopForeColor(quint32 v) { setColor(TopForeColorRole, v); }
    quint32 daysColor() const { return color(DaysColorRole); }
    void setDaysColor(quint32 v) { setColor(DaysColorRole, v); }
    quint32 lineColor() const { return color(LineColorRole); }
    void setLineColor(quint32 v) { setColor(LineColorRole, v); }
    quint32 todayForeColor() const { return color(TodayForeColorRole); }
    void setTodayForeColor(quint32 v) { setColor(TodayForeColorRole, v); }
    quint32 todayRectColor() const { return color(TodayRectColorRole); }
    void setTodayRectColor(quint32 v) { setColor(TodayRectColorRole, v); }

    // Why the last refused value was refused ("" after an accepted one).
    QString lastError() const { return m_lastError; }

    // Saving and loading for the host's store. Loading refuses each bad value
    // (keeping the current one) and returns the reasons; it reports no date.
    void saveProperties(PropertyBag& bag) const;
    QStringList loadProperties(const PropertyBag& bag);

    // What is shown, for the host and for checks.
    const CalendarState& state() const { return m_state; }
    QString captionText() const { return m_caption; }
    QString todayText() const { return m_todayText; }
    bool previousButtonEnabled() const { return isEnabled() && m_state.canShowPreviousMonth(); }
    bool nextButtonEnabled() const { return isEnabled() && m_state.canShowNextMonth(); }
    // A part's rectangle in the widget's pixels.
    QRect partRect(CalvendraLayout::Part part, int index = -1) const;
    QColor resolvedColor(ColorRole role) const;
    // The cell font, made smaller when needed so that the widest heading fits its column.
    QFont headingFont() const;

    QSize sizeHint() const override;

signals:
    // A day picked by the user (click, month change, keyboard); once per action.
    void DateClick(const QDate& dateClicked);
    // A double click on a day cell, with the selected date.
    void DateDblClick(const QDate& dateClicked);
    // Part of the interface; the control never raises it.
    void TodayClick();
    // A click on the month caption or the bar behind it.
    void TopClick();
    // A stored property changed (for the host's store).
    void propertyChanged(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CalvendraLayout::Hit hitAt(const QPointF& pixels) const;
    void handleClick(const CalvendraLayout::Hit& hit);
    void report(std::optional<QDate> date);
    void refreshMonth();
    void loadDefaultNames();
    void changed(const QString& name);
    void refuse(const QString& name, const QString& message);
    void applyDateChange(bool ok, const QString& name);

    void paintCaption(QPainter& painter) const;
    void paintArrowButton(QPainter& painter, bool previous) const;
    void paintGrid(QPainter& painter) const;
    void paintToday(QPainter& painter) const;
    void paintFrame(QPainter& painter) const;

    CalendarState m_state;
    bool m_showToday = true;
    bool m_showWeekNumbers = false;
    bool m_appearance3D = true;
    bool m_border = true;
    QFont m_cellFont;
    QFont m_boldFont;
    std::array<quint32, ColorRoleCount> m_colors {};
    std::array<QString, 7> m_headings;
    std::array<QString, 12> m_monthNames;
    QString m_caption;
    QString m_todayText;
    QString m_lastError;
    CalvendraLayout::Hit m_pressed;
    bool m_swallowRelease = false;
};
