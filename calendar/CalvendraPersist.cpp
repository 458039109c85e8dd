// The control's names, colours by default, the About box and the saving and
// loading of its stored properties.
#include "Calvendra.h"

#include "CalvendraSeams.h"
#include "OleColor.h"
#include "PropertyBag.h"

#include <QDebug>
#include <limits>
#include <optional>

namespace {
const char* const colorNames[Calvendra::ColorRoleCount] = {
    "ForeColor", "BackColor", "DisabledColor", "HighlightBackColor", "HighlightForeColor",
    "TopBackColor", "TopForeColor", "DaysColor", "LineColor", "TodayForeColor", "TodayRectColor",
};

constexpr quint32 defaultColors[Calvendra::ColorRoleCount] = {
    OleColor::ButtonText,    // ForeColor
    OleColor::Window,        // BackColor
    OleColor::GrayText,      // DisabledColor
    OleColor::Highlight,     // HighlightBackColor
    OleColor::HighlightText, // HighlightForeColor
    OleColor::Highlight,     // TopBackColor
    OleColor::HighlightText, // TopForeColor
    OleColor::Highlight,     // DaysColor
    OleColor::ButtonText,    // LineColor
    OleColor::ButtonText,    // TodayForeColor
    OleColor::rgb(255, 0, 0) // TodayRectColor
};

QDate toDate(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate: return value.toDate();
    case QMetaType::QDateTime: return value.toDateTime().date();
    case QMetaType::QString: return QDate::fromString(value.toString().trimmed(), Qt::ISODate);
    default: return {};
    }
}

std::optional<int> toInt(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool || !value.canConvert<qlonglong>())
        return std::nullopt;
    bool ok = false;
    const qlonglong number = value.typeId() == QMetaType::QString ? value.toString().trimmed().toLongLong(&ok)
                                                                  : value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

std::optional<bool> toBool(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("1") || text == QLatin1String("-1"))
            return true;
        if (text == QLatin1String("false") || text == QLatin1String("0"))
            return false;
        return std::nullopt;
    }
    if (const auto number = toInt(value))
        return *number != 0;
    return std::nullopt;
}

std::optional<quint32> toColor(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return std::nullopt;
    bool ok = false;
    qlonglong number = value.typeId() == QMetaType::QString ? value.toString().trimmed().toLongLong(&ok)
                                                            : value.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    // Stores that keep 32-bit signed numbers hold system colours as negatives.
    if (number < 0 && number >= std::numeric_limits<qint32>::min())
        number += qlonglong(1) << 32;
    if (number < 0 || !OleColor::isValid(quint64(number)))
        return std::nullopt;
    return quint32(number);
}

std::optional<QFont> toFont(const QVariant& value)
{
    if (value.typeId() == QMetaType::QFont)
        return value.value<QFont>();
    if (value.typeId() == QMetaType::QString) {
        QFont font;
        if (font.fromString(value.toString()))
            return font;
    }
    return std::nullopt;
}

QString badValue(const QString& name, const QVariant& value)
{
    return QStringLiteral("The stored %1 (%2) is not valid; the current value is kept.").arg(name, value.toString());
}
} // namespace

QString Calvendra::colorName(ColorRole role)
{
    return role >= 0 && role < ColorRoleCount ? QString::fromLatin1(colorNames[role]) : QString();
}

quint32 Calvendra::defaultColor(ColorRole role)
{
    return role >= 0 && role < ColorRoleCount ? defaultColors[role] : 0;
}

QString Calvendra::productName()
{
    return QStringLiteral("Calvendra");
}

QString Calvendra::versionText()
{
    return QStringLiteral("4.0.0");
}

void Calvendra::About()
{
    const QString text = productName() + QLatin1Char(' ') + versionText() + QStringLiteral("\n\n")
        + QStringLiteral("Month calendar control written for Torvanel.") + QLatin1Char('\n')
        + QStringLiteral("Free to use in any program that ships with it.");
    CalvendraMessageBox::information(this, QStringLiteral("About ") + productName(), text);
}

void Calvendra::saveProperties(PropertyBag& bag) const
{
    bag.write(QStringLiteral("MinDate"), minDate());
    bag.write(QStringLiteral("MaxDate"), maxDate());
    bag.write(QStringLiteral("DateValue"), dateValue());
    bag.write(QStringLiteral("DayValue"), dayValue());
    bag.write(QStringLiteral("MonthValue"), monthValue());
    bag.write(QStringLiteral("YearValue"), yearValue());
    // Written with the default they are read with, so that a True comes back.
    bag.write(QStringLiteral("ShowToday"), m_showToday, false);
    bag.write(QStringLiteral("ShowWeekNumbers"), m_showWeekNumbers, false);
    bag.write(QStringLiteral("Appearance3D"), m_appearance3D, true);
    bag.write(QStringLiteral("Enabled"), enabledValue(), true);
    bag.write(QStringLiteral("Border"), m_border, true);
    bag.write(QStringLiteral("Font"), m_cellFont);
    for (int role = 0; role < ColorRoleCount; ++role)
        bag.write(colorName(ColorRole(role)), m_colors[role]);
}

QStringList Calvendra::loadProperties(const PropertyBag& bag)
{
    QStringList errors;

    auto readDate = [&](const QString& name, const QDate& current) {
        const QVariant value = bag.read(name);
        if (!value.isValid())
            return current;
        const QDate date = toDate(value);
        if (!CalendarState::isSupportedDate(date)) {
            errors << badValue(name, value);
            return current;
        }
        return date;
    };
    QDate minDate = readDate(QStringLiteral("MinDate"), m_state.minDate());
    QDate maxDate = readDate(QStringLiteral("MaxDate"), m_state.maxDate());
    if (minDate > maxDate) {
        errors << QStringLiteral("The stored MinDate (%1) is after the stored MaxDate (%2); the current limits are kept.")
                      .arg(minDate.toString(Qt::ISODate), maxDate.toString(Qt::ISODate));
        minDate = m_state.minDate();
        maxDate = m_state.maxDate();
    }

    // The selected date comes from its three numbers, today's where absent.
    const QDate today = CalvendraClock::today();
    bool dateOk = true;
    auto readNumber = [&](const QString& name, int fallback) {
        const QVariant value = bag.read(name);
        if (!value.isValid())
            return fallback;
        const auto number = toInt(value);
        if (!number) {
            errors << badValue(name, value);
            dateOk = false;
            return fallback;
        }
        return *number;
    };
    const int day = readNumber(QStringLiteral("DayValue"), today.day());
    const int month = readNumber(QStringLiteral("MonthValue"), today.month());
    const int year = readNumber(QStringLiteral("YearValue"), today.year());
    QDate date = m_state.date();
    if (dateOk) {
        const QDate stored(year, month, day);
        if (CalendarState::isSupportedDate(stored))
            date = stored;
        else
            errors << QStringLiteral("The stored date %1-%2-%3 does not exist; the current date is kept.").arg(year).arg(month).arg(day);
    }

    auto readBool = [&](const QString& name, bool fallback, bool current) {
        const QVariant value = bag.read(name);
        if (!value.isValid())
            return fallback;
        const auto flag = toBool(value);
        if (!flag) {
            errors << badValue(name, value);
            return current;
        }
        return *flag;
    };
    const bool showToday = readBool(QStringLiteral("ShowToday"), false, m_showToday);
    const bool showWeekNumbers = readBool(QStringLiteral("ShowWeeknumbers"), false, m_showWeekNumbers);
    const bool appearance3D = readBool(QStringLiteral("Appearance3D"), true, m_appearance3D);
    const bool enabled = readBool(QStringLiteral("Enabled"), true, enabledValue());
    const bool border = readBool(QStringLiteral("Border"), true, m_border);

    QFont font = m_cellFont;
    if (const QVariant value = bag.read(QStringLiteral("Font")); value.isValid()) {
        if (const auto stored = toFont(value))
            font = *stored;
        else
            errors << badValue(QStringLiteral("Font"), value);
    }

    std::array<quint32, ColorRoleCount> colors = m_colors;
    for (int role = 0; role < ColorRoleCount; ++role) {
        const QString name = colorName(ColorRole(role));
        const QVariant value = bag.read(name);
        if (!value.isValid())
            continue;
        if (const auto stored = toColor(value))
            colors[role] = *stored;
        else
            errors << badValue(name, value);
    }

    // Everything read is applied at once; loading reports no date and marks nothing changed.
    m_state.setLimits(minDate, maxDate);
    m_state.setDate(date);
    m_showToday = showToday;
    m_showWeekNumbers = showWeekNumbers;
    m_appearance3D = appearance3D;
    m_border = border;
    m_cellFont = font;
    m_colors = colors;
    m_state.setEnabled(enabled);
    QWidget::setEnabled(enabled);
    refreshMonth();

    m_lastError = errors.join(QLatin1Char('\n'));
    for (const QString& error : std::as_const(errors))
        qWarning().noquote() << "Calvendra:" << error;
    return errors;
}
