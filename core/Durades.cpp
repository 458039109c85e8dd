#include "Durades.h"

#include "Convert.h"
#include "Decimal.h"
#include "Globals.h"
#include "Traduccio.h"

#include <QList>

int Recursos_Assignen_Temps(const QString& recurs)
{
    QSqlQuery& q = BD().cached(QStringLiteral(
        "SELECT count(*) FROM Recursos INNER JOIN Recursos_Components "
        "ON Recursos.recursos_nom = Recursos_Components.recursos_component_nom "
        "WHERE Recursos_Components.recursos_nom = ? AND Recursos.recursos_assigna_temps = 1"),
        {recurs});
    int n = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    return n > 0 ? n : 1;
}

int sumaMinutsServeis(const QList<LiniaTemps>& linies, int divisor, int minutsCella)
{
    if (divisor <= 0) divisor = 1;
    if (minutsCella <= 0)
        throw std::runtime_error("MinutsCella ha de ser més gran que 0");
    qint64 total = 0;
    for (const LiniaTemps& l : linies) {
        // total + q*m/(Scale*d), rounded half-to-even, computed exactly
        __int128 den = __int128(Decimal::Scale) * (l.comu ? 1 : divisor);
        __int128 num = __int128(total) * den + __int128(l.quantitatRaw) * l.minutsPerUnitat;
        // Far beyond 16 bits already before the rounding, which holds 64.
        const bool fora = num / den > 32768 || num / den < -32769;
        total = fora ? 32768 : divRoundHalfEven(num, den);
        if (total > 32767 || total < -32768)
            throw OverflowError("Desbordament en el càlcul de minuts");
    }
    if (total == 0 || total % minutsCella != 0)
        total = (total / minutsCella + 1) * minutsCella;
    if (total > 32767)
        throw OverflowError("Desbordament en el càlcul de minuts");
    return int(total);
}

QList<LiniaTempsLloc> liniesTempsLloc(const QString& lloc, const QString& servei)
{
    QList<LiniaTempsLloc> linies;
    QSqlQuery& q = BD().cached(QStringLiteral(
        "SELECT Llocs_Serveis.llocs_serveis_quantitat, Serveis.serveis_minuts_per_unitat, "
        "Serveis.serveis_comu_per_recursos, Llocs_Serveis.serveis_nom = ? FROM Serveis INNER JOIN Llocs_Serveis "
        "ON Serveis.serveis_nom = Llocs_Serveis.serveis_nom WHERE Llocs_Serveis.llocs_nom = ? "
        "ORDER BY Llocs_Serveis.rowid"),
        {servei, lloc});
    while (q.next())
        linies.append({{q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toInt() != 0}, q.value(3).toInt() != 0});
    q.finish();
    return linies;
}

int Minuts_Previstos_Lloc(const QString& lloc, int recursos)
{
    QList<LiniaTemps> linies;
    for (const LiniaTempsLloc& l : liniesTempsLloc(lloc)) linies.append(l.temps);
    return sumaMinutsServeis(linies, recursos, G.MinutsCella);
}

QString Hora_Fi_Feina(const Feina& feina)
{
    const int divisor = Recursos_Assignen_Temps(feina.Recurs);
    QList<LiniaTemps> linies;
    QSqlQuery& q = BD().cached(QStringLiteral(
        "SELECT Feines_Detall.feines_detall_quantitat, Serveis.serveis_minuts_per_unitat, "
        "Serveis.serveis_comu_per_recursos FROM Serveis INNER JOIN Feines_Detall "
        "ON Serveis.serveis_nom = Feines_Detall.serveis_nom WHERE Feines_Detall.feines_id = ? "
        "ORDER BY Feines_Detall.rowid"),
        {feina.Id});
    while (q.next())
        linies.append({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toInt() != 0});
    q.finish();
    const int total = sumaMinutsServeis(linies, divisor, G.MinutsCella);
    const int fi = Conv::minutesOrThrow(feina.HoraInici, Tradueix(QStringLiteral("Hora d'inici no vàlida: '%1'"))) + total;
    // Work that reaches or passes midnight is cut at the end of the working day.
    if (fi >= 1440) return G.HoraFinal;
    return Conv::hhmm(fi);
}
