#include "Decimal.h"

#include <stdexcept>
#include <utility>

static __int128 divRoundHalfEven128(__int128 num, __int128 den)
{
    if (den == 0)
        throw std::domain_error("division by zero");
    if (den < 0) { num = -num; den = -den; }
    __int128 q = num / den;
    __int128 r = num % den;
    if (r != 0) {
        __int128 twice = (r < 0 ? -r : r) * 2;
        int sign = num < 0 ? -1 : 1;
        if (twice > den || (twice == den && (q % 2 != 0)))
            q += sign;
    }
    return q;
}

[[noreturn]] static void overflow()
{
    throw std::overflow_error("Desbordament en el càlcul de l'import");
}

int64_t divRoundHalfEven(__int128 num, __int128 den)
{
    const __int128 q = divRoundHalfEven128(num, den);
    if (q > INT64_MAX || q < INT64_MIN) overflow();
    return int64_t(q);
}

Decimal Decimal::checked(__int128 raw)
{
    // Symmetric range: every value can be negated.
    if (raw > INT64_MAX || raw < -INT64_MAX) overflow();
    return fromRaw(int64_t(raw));
}

Decimal Decimal::fromInt(int64_t v)
{
    return checked(__int128(v) * Scale);
}

Decimal Decimal::fromVariant(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return Decimal();
    return checked(v.toLongLong());
}

Decimal Decimal::lineAmount(Decimal quantity, Decimal unitPrice)
{
    // The exact product has eight decimals; it is brought to cents in one step.
    const __int128 cents = divRoundHalfEven128(__int128(quantity.raw_) * unitPrice.raw_, __int128(Scale) * 100);
    return checked(cents * 100);
}

// `tooLarge` (when given) tells a well-formed number beyond the range.
static std::optional<Decimal> parseWith(QString s, QChar point, QChar group, bool* tooLarge = nullptr)
{
    if (tooLarge) *tooLarge = false;
    s = s.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    bool neg = false;
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        neg = s.startsWith(u'-');
        s = s.mid(1).trimmed();
    }
    if (s.isEmpty())
        return std::nullopt;
    // Largest whole part whose value still fits in the raw 64-bit form.
    constexpr int64_t maxWhole = INT64_MAX / Decimal::Scale;
    // Decimals kept exactly; every later digit only matters as "more than
    // nothing", which a single trailing 1 stands for in the rounding.
    constexpr int keptDecimals = 8;
    __int128 intPart = 0;
    __int128 frac = 0;
    int fracDigits = 0;
    bool fracRest = false;
    bool seenPoint = false, anyDigit = false;
    int leadingDigits = 0; // digits before the first group separator
    int digitsSinceGroup = -1;
    bool groupsUsed = false;
    bool overflow = false;
    for (QChar c : s) {
        if (c.isDigit()) {
            int d = c.digitValue();
            anyDigit = true;
            if (seenPoint) {
                if (fracDigits < keptDecimals) {
                    frac = frac * 10 + d;
                    ++fracDigits;
                } else if (d != 0) {
                    fracRest = true;
                }
            } else {
                if (!overflow) intPart = intPart * 10 + d;
                if (intPart > maxWhole) overflow = true;
                if (digitsSinceGroup >= 0) ++digitsSinceGroup;
                else ++leadingDigits;
            }
        } else if (c == point && !seenPoint) {
            if (groupsUsed && digitsSinceGroup != 3) return std::nullopt;
            seenPoint = true;
        } else if (!group.isNull() && c == group && !seenPoint && anyDigit) {
            if (groupsUsed && digitsSinceGroup != 3) return std::nullopt;
            if (leadingDigits > 3) return std::nullopt;
            groupsUsed = true;
            digitsSinceGroup = 0;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) return std::nullopt;
    if (groupsUsed && !seenPoint && digitsSinceGroup != 3) return std::nullopt;
    if (overflow) {
        if (tooLarge) *tooLarge = true;
        return std::nullopt;
    }
    if (fracRest) {
        frac = frac * 10 + 1;
        ++fracDigits;
    }
    __int128 scale = 1;
    for (int i = 0; i < fracDigits; ++i) scale *= 10;
    // value = intPart + frac/scale, expressed in ten-thousandths
    __int128 num = intPart * scale * Decimal::Scale + frac * Decimal::Scale;
    const __int128 raw = divRoundHalfEven128(num, scale);
    if (raw > INT64_MAX) {
        if (tooLarge) *tooLarge = true;
        return std::nullopt;
    }
    return Decimal::fromRaw(neg ? -int64_t(raw) : int64_t(raw));
}

// Decimal sign and thousands separator of the locale (no separator for the
// blank ones, which a typed text does not hold).
static std::pair<QChar, QChar> separators(const QLocale& locale)
{
    QChar point = locale.decimalPoint().isEmpty() ? QChar(u'.') : locale.decimalPoint().at(0);
    QChar group = locale.groupSeparator().isEmpty() ? QChar() : locale.groupSeparator().at(0);
    if (group == QChar(0x202F) || group == QChar(0xA0)) group = QChar();
    return {point, group};
}

std::optional<Decimal> Decimal::parse(const QString& text, const QLocale& locale)
{
    const auto [point, group] = separators(locale);
    if (auto d = parseWith(text, point, group))
        return d;
    if (point != u'.')
        return parseWith(text, u'.', QChar());
    return std::nullopt;
}

bool Decimal::isNumber(const QString& text, const QLocale& locale)
{
    const auto [point, group] = separators(locale);
    bool tooLarge = false;
    if (parseWith(text, point, group, &tooLarge) || tooLarge)
        return true;
    if (point != u'.' && (parseWith(text, u'.', QChar(), &tooLarge) || tooLarge))
        return true;
    return false;
}

std::optional<Decimal> Decimal::parseFixed(const QString& text)
{
    return parseWith(text, u'.', QChar());
}

Decimal Decimal::rounded(int decimals) const
{
    if (decimals >= 4) return *this;
    if (decimals < 0) decimals = 0;
    int64_t unit = 1;
    for (int i = decimals; i < 4; ++i) unit *= 10;
    return checked(__int128(divRoundHalfEven(raw_, unit)) * unit);
}

int64_t Decimal::roundToInteger() const
{
    return divRoundHalfEven(raw_, Scale);
}

QString Decimal::toFixed() const
{
    int64_t a = raw_ < 0 ? -raw_ : raw_;
    QString s = QString::number(a / Scale);
    int64_t f = a % Scale;
    if (f) {
        QString fs = QString::number(f).rightJustified(4, u'0');
        while (fs.endsWith(u'0')) fs.chop(1);
        s += u'.' + fs;
    }
    return raw_ < 0 ? u'-' + s : s;
}

QString Decimal::toString(const QLocale& locale, int decimals) const
{
    if (decimals > 4) decimals = 4;
    if (decimals < 0) decimals = 0;
    Decimal r = rounded(decimals);
    int64_t a = r.raw_ < 0 ? -r.raw_ : r.raw_;
    QString s = QString::number(a / Scale);
    if (decimals > 0) {
        QString fs = QString::number(a % Scale).rightJustified(4, u'0').left(decimals);
        s += locale.decimalPoint() + fs;
    }
    return r.raw_ < 0 ? u'-' + s : s;
}

QString Decimal::toGroupedString(const QLocale& locale, int decimals) const
{
    QString s = rounded(qBound(0, decimals, 4)).toString(locale, decimals);
    const bool neg = s.startsWith(u'-');
    const QString point = locale.decimalPoint();
    int end = decimals > 0 ? int(s.lastIndexOf(point)) : int(s.size());
    const int first = neg ? 1 : 0;
    const QString group = locale.groupSeparator();
    // Every three digits from the point back, whatever the locale's own
    // shortest group would be.
    for (int i = end - 3; i > first; i -= 3) s.insert(i, group);
    return s;
}

QString Decimal::toShortString(const QLocale& locale) const
{
    QString s = toFixed();
    return s.replace(u'.', locale.decimalPoint());
}

Decimal Decimal::operator*(Decimal o) const
{
    return checked(divRoundHalfEven128((__int128)raw_ * o.raw_, Scale));
}

Decimal Decimal::operator/(Decimal o) const
{
    return checked(divRoundHalfEven128((__int128)raw_ * Scale, o.raw_));
}

Decimal Decimal::operator/(int64_t n) const
{
    return checked(divRoundHalfEven128(raw_, n));
}
