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

std::optional<int> minutesOf(QStringView text)
{
    // Read in place: the board reads two times per job at every rebuild.
    const QStringView s = text.trimmed();
    const qsizetype dosPunts = s.indexOf(u':');
    if (dosPunts < 1 || dosPunts > 2 || s.size() - dosPunts != 3) return std::nullopt;
    int h = 0, m = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (i == dosPunts) continue;
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9') return std::nullopt;
        int& v = i < dosPunts ? h : m;
        v = v * 10 + (c - u'0');
    }
    if (h == 24 && m == 0) return 1440;
    if (h > 23 || m > 59) return std::nullopt;
    return h * 60 + m;
}

int minutesOrThrow(QStringView text, const QString& message)
{
    if (const std::optional<int> m = minutesOf(text)) return *m;
    throw ConversionError(QString(message).arg(text.toString()).toStdString());
}

QString hhmm(int minutes)
{
    if (minutes == 1440) return QStringLiteral("24:00");
    return clockTime(minutes);
}

QString clockTime(int minutes)
{
    minutes = ((minutes % 1440) + 1440) % 1440;
    const int h = minutes / 60, m = minutes % 60;
    const QChar t[5] = {QChar(u'0' + h / 10), QChar(u'0' + h % 10), QChar(u':'), QChar(u'0' + m / 10),
                        QChar(u'0' + m % 10)};
    return QString(t, 5);
}

} // namespace Conv
