#include "CalculsFeina.h"

#include "Convert.h"
#include "Traduccio.h"

namespace {

int minuts(const QString& hora, const char* quina)
{
    const std::optional<int> m = Conv::minutesOf(hora);
    if (!m) throw Conv::ConversionError(
            Tradueix(QStringLiteral("Hora %1 no vàlida: '%2'")).arg(Tradueix(QString::fromUtf8(quina)), hora).toStdString());
    return *m;
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
