#include "Calvendra.h"

#include "CalvendraSeams.h"
#include "OleColor.h"

#include <QDebug>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>

using Part = CalvendraLayout::Part;

Calvendra::Calvendra(QWidget* parent)
    : QWidget(parent)
    , m_state(CalvendraClock::today(), QLocale().firstDayOfWeek())
{
    setObjectName(QStringLiteral("Calvendra"));
    m_cellFont = QFont(QStringLiteral("Tahoma"));
    m_cellFont.setPointSizeF(8.25);
    m_boldFont = m_cellFont;
    m_boldFont.setBold(true);
    for (int role = 0; role < ColorRoleCount; ++role)
        m_colors[role] = defaultColor(ColorRole(role));
    loadDefaultNames();
    // The control always keeps its own size, whatever the host asks.
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    refreshMonth();
}

QSize Calvendra::sizeHint() const
{
    return QSize(CalvendraLayout::Width / CalvendraLayout::TwipsPerPixel,
                 CalvendraLayout::Height / CalvendraLayout::TwipsPerPixel);
}

void Calvendra::loadDefaultNames()
{
    const QLocale locale;
    for (int column = 0; column < MonthGrid::Columns; ++column)
        m_headings[column] = locale.dayName(m_state.grid().dayOfWeekForColumn(column), QLocale::ShortFormat);
    for (int month = 1; month <= 12; ++month)
        m_monthNames[month - 1] = locale.standaloneMonthName(month, QLocale::LongFormat);
}

void Calvendra::refreshMonth()
{
    const QDate today = CalvendraClock::today();
    m_state.setToday(today);
    m_caption = m_monthNames[m_state.month() - 1] + QStringLiteral(", ") + QString::number(m_state.year());
    m_todayText = QLocale().toString(today, QLocale::ShortFormat);
    update();
}

void Calvendra::changed(const QString& name)
{
    m_lastError.clear();
    emit propertyChanged(name);
}

void Calvendra::refuse(const QString& name, const QString& message)
{
    m_lastError = name + QStringLiteral(": ") + message;
    qWarning().noquote() << "Calvendra:" << m_lastError;
}

void Calvendra::applyDateChange(bool ok, const QString& name)
{
    if (!ok) {
        refuse(name, m_state.lastError());
        return;
    }
    refreshMonth();
    changed(name);
}

// ---- properties ----

void Calvendra::setEnabledValue(bool enabled)
{
    m_state.setEnabled(enabled);
    QWidget::setEnabled(enabled);
    update();
    changed(QStringLiteral("Enabled"));
}

void Calvendra::setYearValue(int year)
{
    applyDateChange(m_state.setYear(year), QStringLiteral("YearValue"));
}

void Calvendra::setMonthValue(int month)
{
    applyDateChange(m_state.setMonth(month), QStringLiteral("MonthValue"));
}

void Calvendra::setDayValue(int day)
{
    applyDateChange(m_state.setDay(day), QStringLiteral("DayValue"));
}

void Calvendra::setDateValue(const QDate& date)
{
    applyDateChange(m_state.setDate(date), QStringLiteral("DateValue"));
}

void Calvendra::setMinDate(const QDate& date)
{
    applyDateChange(m_state.setMinDate(date), QStringLiteral("MinDate"));
}

void Calvendra::setMaxDate(const QDate& date)
{
    applyDateChange(m_state.setMaxDate(date), QStringLiteral("MaxDate"));
}

void Calvendra::setAppearance3D(bool on)
{
    m_appearance3D = on;
    update();
    changed(QStringLiteral("Appearance3D"));
}

void Calvendra::setBorder(bool on)
{
    m_border = on;
    update();
    changed(QStringLiteral("Border"));
}

void Calvendra::setShowWeekNumbers(bool on)
{
    m_showWeekNumbers = on;
    refreshMonth();
    changed(QStringLiteral("ShowWeeknumbers"));
}

void Calvendra::setShowToday(bool on)
{
    m_showToday = on;
    update();
    changed(QStringLiteral("ShowToday"));
}

void Calvendra::setCellFont(const QFont& font)
{
    m_cellFont = font;
    update();
    changed(QStringLiteral("Font"));
}

quint32 Calvendra::color(ColorRole role) const
{
    return role >= 0 && role < ColorRoleCount ? m_colors[role] : 0;
}

bool Calvendra::setColor(ColorRole role, quint32 value)
{
    if (role < 0 || role >= ColorRoleCount)
        return false;
    if (!OleColor::isValid(value)) {
        refuse(colorName(role), QStringLiteral("0x%1 is neither an RGB value nor a system colour.").arg(value, 8, 16, QLatin1Char('0')));
        return false;
    }
    m_colors[role] = value;
    update();
    changed(colorName(role));
    return true;
}

QColor Calvendra::resolvedColor(ColorRole role) const
{
    return OleColor::toQColor(color(role), palette());
}

QString Calvendra::WeekDayShortName(int dow) const
{
    return dow >= 1 && dow <= 7 ? m_headings[dow - 1] : QString();
}

void Calvendra::setWeekDayShortName(int dow, const QString& name)
{
    if (dow < 1 || dow > 7 || name.isEmpty())
        return;
    m_headings[dow - 1] = name.left(3);
    update();
}

QString Calvendra::MonthNames(int monthNumber) const
{
    return monthNumber >= 1 && monthNumber <= 12 ? m_monthNames[monthNumber - 1] : QString();
}

void Calvendra::setMonthNames(int monthNumber, const QString& name)
{
    if (monthNumber < 1 || monthNumber > 12 || name.isEmpty())
        return;
    // The caption takes the new name at the next refresh or change of month.
    m_monthNames[monthNumber - 1] = name;
}

QRect Calvendra::partRect(CalvendraLayout::Part part, int index) const
{
    QRect twips;
    switch (part) {
    case Part::PreviousButton: twips = CalvendraLayout::previousButton(); break;
    case Part::NextButton: twips = CalvendraLayout::nextButton(); break;
    case Part::Caption: twips = CalvendraLayout::caption(); break;
    case Part::CaptionBar: twips = CalvendraLayout::captionBar().intersected(QRect(0, 0, CalvendraLayout::Width, CalvendraLayout::Height)); break;
    case Part::Heading: twips = CalvendraLayout::heading(index, m_showWeekNumbers); break;
    case Part::WeekNumber: twips = CalvendraLayout::weekLabel(index); break;
    case Part::Cell: twips = CalvendraLayout::cell(index, m_showWeekNumbers); break;
    case Part::TodayLabel: twips = CalvendraLayout::todayLabel(); break;
    case Part::TodayLegend: twips = CalvendraLayout::todayLegend(); break;
    case Part::None: break;
    }
    return CalvendraLayout::toPixels(twips).toRect();
}

// ---- input ----

CalvendraLayout::Hit Calvendra::hitAt(const QPointF& pixels) const
{
    return CalvendraLayout::hitTest(CalvendraLayout::toTwips(pixels), m_showWeekNumbers, m_showToday);
}

void Calvendra::report(std::optional<QDate> date)
{
    if (!date)
        return;
    refreshMonth();
    emit DateClick(*date);
}

void Calvendra::handleClick(const CalvendraLayout::Hit& hit)
{
    switch (hit.part) {
    case Part::PreviousButton:
        if (previousButtonEnabled())
            report(m_state.showPreviousMonth());
        break;
    case Part::NextButton:
        if (nextButtonEnabled())
            report(m_state.showNextMonth());
        break;
    case Part::Caption:
    case Part::CaptionBar:
        emit TopClick();
        break;
    case Part::Cell:
        report(m_state.clickCell(hit.index));
        break;
    default:
        break;
    }
}

void Calvendra::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = hitAt(event->position());
    m_swallowRelease = false;
    update();
}

void Calvendra::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const CalvendraLayout::Hit pressed = m_pressed;
    m_pressed = {};
    update();
    if (m_swallowRelease) {
        m_swallowRelease = false;
        return;
    }
    if (pressed.part != Part::None && hitAt(event->position()) == pressed)
        handleClick(pressed);
}

void Calvendra::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const CalvendraLayout::Hit hit = hitAt(event->position());
    if (hit.part == Part::PreviousButton || hit.part == Part::NextButton) {
        // A quick second click on an arrow moves one more month.
        m_pressed = hit;
        m_swallowRelease = false;
        update();
        return;
    }
    m_pressed = {};
    m_swallowRelease = true;
    if (hit.part == Part::Cell)
        emit DateDblClick(m_state.date());
}

void Calvendra::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: report(m_state.stepDays(-1)); break;
    case Qt::Key_Right: report(m_state.stepDays(1)); break;
    case Qt::Key_Up: report(m_state.stepDays(-MonthGrid::Columns)); break;
    case Qt::Key_Down: report(m_state.stepDays(MonthGrid::Columns)); break;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        QWidget::keyPressEvent(event);
        return;
    default:
        // Any other key reports the selected date again.
        report(m_state.reportAgain());
        break;
    }
    event->accept();
}

void Calvendra::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshMonth();
}

void Calvendra::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}
