#include "CalculsFeina.h"

#include "Convert.h"

#include <limits>

namespace {

int minuts(const QString& hora, const char* quina)
{
    const std::optional<int> m = Conv::minutesOf(hora);
    if (!m) throw Conv::ConversionError(QStringLiteral("Hora %1 no vàlida: '%2'").arg(QLatin1String(quina), hora).toStdString());
    return *m;
}

std::optional<Decimal> dinsRang(__int128 raw)
{
    if (raw > std::numeric_limits<int64_t>::max() || raw < -std::numeric_limits<int64_t>::max()) return std::nullopt;
    return Decimal::fromRaw(int64_t(raw));
}

} // namespace

TramsDia Trams_Dia(const QString& horaInici, int minutsCella, int cellesDia, const QString& feinaInici,
                   const QString& feinaFi)
{
    TramsDia t;
    const qint32 primer = minuts(horaInici, "d'inici del dia");
    for (qint32 i = 0; i <= cellesDia; ++i) {
        // Time of day of the i-th cell boundary; the day wraps at midnight.
        QString hora = Conv::clockTime(int((qint64(primer) + qint64(minutsCella) * i) % 1440));
        if (i < cellesDia) {
            t.inicis << hora;
            if (hora <= feinaInici) t.inici = int(i);
        }
        if (i > 0) {
            if (hora == QLatin1String("00:00")) hora = QStringLiteral("24:00");
            t.finals << hora;
            if (hora <= feinaFi) t.fi = int(i - 1);
        }
    }
    return t;
}

FiFeina Fi_Feina(const QString& inici, qint32 minutsFeina, const QString& horaFinal)
{
    const qint64 minutInici = minuts(inici, "d'inici");
    const qint64 finalDia = Conv::minutesOf(horaFinal).value_or(1440);
    const qint64 fi = minutInici + minutsFeina;
    if (fi > finalDia || fi < minutInici) return {Conv::hhmm(int(finalDia)), true};
    return {Conv::hhmm(int(fi)), false};
}

int Primer_Tram_Des_De(const QStringList& finals, const QString& hora)
{
    const std::optional<int> h = Conv::minutesOf(hora);
    if (!h) return -1;
    for (int i = 0; i < finals.size(); ++i) {
        const std::optional<int> m = Conv::minutesOf(finals.at(i));
        if (m && *m >= *h) return i;
    }
    return -1;
}

std::optional<Decimal> Import_Linia(const Decimal& quantitat, const Decimal& preu)
{
    const __int128 producte = __int128(quantitat.raw()) * preu.raw();
    // Half-to-even to four decimals, as Decimal's own product, once it is known to fit.
    const __int128 limit = __int128(std::numeric_limits<int64_t>::max() - 1) * Decimal::Scale;
    if (producte > limit || producte < -limit) return std::nullopt;
    return Decimal::fromRaw(divRoundHalfEven(producte, Decimal::Scale));
}

std::optional<Decimal> Suma_Imports(const Decimal& a, const Decimal& b)
{
    return dinsRang(__int128(a.raw()) + b.raw());
}

QString Text_Import(const Decimal& import, const QLocale& locale)
{
    const int64_t raw = import.roundedCents().raw();
    const int64_t absolut = raw < 0 ? -raw : raw;
    QLocale l(locale);
    l.setNumberOptions(l.numberOptions() & ~QLocale::OmitGroupSeparator);
    const QString cents = QString::number((absolut % Decimal::Scale) / 100).rightJustified(2, u'0');
    const QString text = l.toString(qlonglong(absolut / Decimal::Scale)) + l.decimalPoint() + cents;
    return raw < 0 ? l.negativeSign() + text : text;
}
