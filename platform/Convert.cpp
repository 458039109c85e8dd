#include "Convert.h"

#include <QRegularExpression>

namespace Conv {

bool isNumeric(const QString& text, const QLocale& locale)
{
    return Decimal::isNumber(text, locale);
}

Int16Result toInt16(const QString& text, const QLocale& locale)
{
    Int16Result r;
    auto d = Decimal::parse(text, locale);
    if (!d) {
        if (Decimal::isNumber(text, locale)) r.status = IntStatus::Overflow;
        return r;
    }
    int64_t v = d->roundToInteger();
    if (v < -32768 || v > 32767) { r.status = IntStatus::Overflow; return r; }
    r.status = IntStatus::Ok;
    r.value = qint16(v);
    return r;
}

std::optional<qint32> toInt32(const QString& text, const QLocale& locale)
{
    auto d = Decimal::parse(text, locale);
    if (!d) return std::nullopt;
    int64_t v = d->roundToInteger();
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return qint32(v);
}

std::optional<bool> toBool(const QString& text, const QLocale& locale)
{
    QString t = text.trimmed().toLower();
    if (t == u"true" || t == u"cert" || t == u"verdadero" || t == u"-1") return true;
    if (t == u"false" || t == u"fals" || t == u"falso") return false;
    auto d = Decimal::parse(t, locale);
    if (!d) return std::nullopt;
    return !d->isZero();
}

QString shortDateFormat(const QLocale& locale)
{
    QString f = locale.dateFormat(QLocale::ShortFormat);
    // Normalise to two-digit day and month and a four-digit year.
    static const QRegularExpression yRe(QStringLiteral("y+"));
    static const QRegularExpression mRe(QStringLiteral("M+"));
    static const QRegularExpression dRe(QStringLiteral("d+"));
    f.replace(yRe, QStringLiteral("yyyy"));
    f.replace(mRe, QStringLiteral("MM"));
    f.replace(dRe, QStringLiteral("dd"));
    if (!f.contains(u"yyyy") || !f.contains(u"MM") || !f.contains(u"dd"))
        return QStringLiteral("dd/MM/yyyy");
    return f;
}

QString shortDate(const QDate& date, const QLocale& locale)
{
    if (!date.isValid()) return QString();
    return locale.toString(date, shortDateFormat(locale));
}

std::optional<QDate> parseDate(const QString& text, const QLocale& locale)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    QDate d = QDate::fromString(t, Qt::ISODate);
    if (d.isValid() && t.size() == 10) return d;
    QString f = shortDateFormat(locale);
    const QString shortDM = QString(f).replace(QStringLiteral("dd"), QStringLiteral("d"))
                                .replace(QStringLiteral("MM"), QStringLiteral("M"));
    const QString forms[] = {f, shortDM, QString(f).replace(QStringLiteral("yyyy"), QStringLiteral("yy")),
                             QString(shortDM).replace(QStringLiteral("yyyy"), QStringLiteral("yy"))};
    for (const QString& form : forms) {
        d = locale.toDate(t, form);
        if (d.isValid()) {
            if (form.contains(u"yyyy")) return d;
            // Two-digit years: 00..29 -> 2000s, 30..99 -> 1900s, as the desktop does.
            int y = d.year() % 100;
            return QDate(y < 30 ? 2000 + y : 1900 + y, d.month(), d.day());
        }
    }
    return std::nullopt;
}

std::optional<QDate> parseTypedDate(const QString& text, const QLocale& locale)
{
    const auto d = parseDate(text, locale);
    if (!d || d->year() < FirstTypedYear || d->year() > LastTypedYear) return std::nullopt;
    return d;
}

std::optional<int> minutesOf(const QString& s)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    auto m = re.match(s.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    int h = m.captured(1).toInt(), mi = m.captured(2).toInt();
    if (h == 24 && mi == 0) return 1440;
    if (h > 23 || mi > 59) return std::nullopt;
    return h * 60 + mi;
}

QString hhmm(int minutes)
{
    if (minutes == 1440) return QStringLiteral("24:00");
    return clockTime(minutes);
}

QString clockTime(int minutes)
{
    minutes = ((minutes % 1440) + 1440) % 1440;
    return QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QChar(u'0')).arg(minutes % 60, 2, 10, QChar(u'0'));
}

} // namespace Conv
