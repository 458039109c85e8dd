#pragma once
// Exact fixed-point number with four decimals, used for money and for every
// stored quantity that the program treats as a real number. Every operation
// is exact or rounds half to even where it says so; one whose result lies
// beyond the range (magnitude at most INT64_MAX ten-thousandths) throws
// std::overflow_error instead of giving a wrong figure.
#include <QLocale>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

class Decimal {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Decimal() = default;
    static constexpr Decimal fromRaw(int64_t raw) { Decimal d; d.raw_ = raw; return d; }
    static Decimal fromInt(int64_t v);
    // Reads a stored value (INTEGER column holding the raw value). Null reads as 0.
    static Decimal fromVariant(const QVariant& v);

    // Parses the user's text in the given locale ("2,5" in Catalan), and also
    // the fixed form with a point when the locale form does not match.
    // Digits past the fourth decimal are rounded half-to-even.
    static std::optional<Decimal> parse(const QString& text, const QLocale& locale = QLocale());
    // True when the text has the form of a number for parse(), even one too
    // large to hold (which parse() refuses).
    static bool isNumber(const QString& text, const QLocale& locale = QLocale());
    // Parses only the fixed form ("-12.5", "3").
    static std::optional<Decimal> parseFixed(const QString& text);

    // Largest magnitude of every typed quantity, price, payment and other
    // amount (just under ten million): the amount of a line of two such
    // values still fits; sums of many of them are checked like any other.
    static constexpr Decimal maxInput() { return fromRaw(10'000'000 * Scale - 1); }
    bool beyondInput() const { return *this > maxInput() || *this < -maxInput(); }

    // The amount of a line: quantity x unit price, the exact product rounded
    // half to even to cents once. A job's amount is the sum of its lines'.
    static Decimal lineAmount(Decimal quantity, Decimal unitPrice);

    constexpr int64_t raw() const { return raw_; }
    QVariant toVariant() const { return QVariant(qlonglong(raw_)); }
    bool isZero() const { return raw_ == 0; }

    // Half-to-even rounding to the given number of decimals (0..4).
    Decimal rounded(int decimals) const;
    Decimal roundedCents() const { return rounded(2); }
    // Half-to-even rounding to a whole number.
    int64_t roundToInteger() const;
    // Whole part, toward zero.
    int64_t truncated() const { return raw_ / Scale; }

    // Fixed form with a point and only the decimals needed ("12.5", "3").
    QString toFixed() const;
    // Locale form with exactly `decimals` decimals (half-to-even first).
    QString toString(const QLocale& locale = QLocale(), int decimals = 2) const;
    // Locale form with thousands grouping and exactly `decimals` decimals
    // (half-to-even first): "1.234,50" in Catalan, "1,234.50" in English.
    // With two decimals it is the amount text ("#,##0.00") of every screen
    // and document.
    QString toGroupedString(const QLocale& locale = QLocale(), int decimals = 2) const;
    // Locale form with only the decimals needed ("2,5", "3").
    QString toShortString(const QLocale& locale = QLocale()) const;

    Decimal operator+(Decimal o) const { return checked(__int128(raw_) + o.raw_); }
    Decimal operator-(Decimal o) const { return checked(__int128(raw_) - o.raw_); }
    Decimal operator-() const { return checked(-__int128(raw_)); }
    Decimal& operator+=(Decimal o) { return *this = *this + o; }
    Decimal& operator-=(Decimal o) { return *this = *this - o; }
    // Product, exact to four decimals (half-to-even beyond).
    Decimal operator*(Decimal o) const;
    Decimal operator*(int64_t n) const { return checked(__int128(raw_) * n); }
    // Quotient to four decimals, half-to-even; division by zero throws std::domain_error.
    Decimal operator/(Decimal o) const;
    Decimal operator/(int64_t n) const;

    auto operator<=>(const Decimal&) const = default;

private:
    // The raw value, or std::overflow_error when it lies beyond the range.
    static Decimal checked(__int128 raw);

    int64_t raw_ = 0;
};

// Half-to-even division of integers; division by zero throws
// std::domain_error, a quotient beyond 64 bits std::overflow_error.
int64_t divRoundHalfEven(__int128 num, __int128 den);
