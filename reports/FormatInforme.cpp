#include "FormatInforme.h"

#include "Traduccio.h"

#include <limits>
#include <stdexcept>

namespace {
std::string desbordament()
{
    return Tradueix(QStringLiteral("Desbordament en el càlcul de l'import")).toStdString();
}

__int128 divideixParell(__int128 num, __int128 den)
{
    __int128 q = num / den;
    const __int128 r = num % den;
    const __int128 doble = (r < 0 ? -r : r) * 2;
    if (doble > den || (doble == den && q % 2 != 0)) q += num < 0 ? -1 : 1;
    return q;
}
} // namespace

QString formatImport(const Decimal& valor, const QLocale& locale)
{
    const QString fix = valor.toString(QLocale::c(), 2);   // "-1234.50"
    const bool neg = fix.startsWith(u'-');
    const QString cos = neg ? fix.mid(1) : fix;
    const qsizetype punt = cos.indexOf(u'.');
    const QString enter = cos.left(punt);
    QString agrupat;
    const QString sep = locale.groupSeparator();
    for (qsizetype i = 0; i < enter.size(); ++i) {
        if (i > 0 && (enter.size() - i) % 3 == 0) agrupat += sep;
        agrupat += enter.at(i);
    }
    return (neg ? QStringLiteral("-") : QString()) + agrupat + locale.decimalPoint() + cos.mid(punt + 1);
}

Decimal importLinia(const Decimal& quantitat, const Decimal& preu)
{
    const __int128 producte = (__int128)quantitat.raw() * preu.raw();
    // The exact product (eight decimals) brought to cents in one step.
    const __int128 cents = divideixParell(producte, (__int128)Decimal::Scale * 100);
    const __int128 limit = std::numeric_limits<int64_t>::max() / 100;
    if (cents > limit || cents < -limit) throw std::overflow_error(desbordament());
    return Decimal::fromRaw(int64_t(cents) * 100);
}

Decimal sumaImports(const Decimal& a, const Decimal& b)
{
    int64_t r = 0;
    if (__builtin_add_overflow(a.raw(), b.raw(), &r)) throw std::overflow_error(desbordament());
    return Decimal::fromRaw(r);
}

QString unaLinia(const QString& text)
{
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    s.replace(u'\t', u' ');
    return s;
}

QString mesTitol(const QDate& dia)
{
    const QString mes = QLocale().standaloneMonthName(dia.month(), QLocale::ShortFormat);
    return Tradueix(u' ' + mes).trimmed().toUpper();
}

QDate primerDiaMes(const QDate& dia)
{
    if (!dia.isValid())
        throw std::invalid_argument(Tradueix(QStringLiteral("Mes erroni (format: 'mm/aaaa')")).toStdString());
    return QDate(dia.year(), dia.month(), 1);
}
