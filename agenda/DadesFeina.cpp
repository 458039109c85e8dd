#include "DadesFeina.h"

#include "Globals.h"

namespace DadesFeina {

std::optional<QString> observacions(qint32 feina)
{
    QSqlQuery& q = BD().cached(QStringLiteral("SELECT feines_observacions FROM Feines WHERE feines_id = ?"), {feina});
    std::optional<QString> text;
    if (q.next()) text = q.value(0).isNull() ? QString() : q.value(0).toString();
    q.finish();
    return text;
}

QList<Linia> linies(qint32 feina)
{
    QList<Linia> out;
    QSqlQuery& q = BD().cached(QStringLiteral(
        "SELECT serveis_nom, feines_detall_descripcio, feines_detall_quantitat, feines_detall_unitat, "
        "feines_detall_preu_un FROM Feines_Detall WHERE feines_id = ? ORDER BY serveis_nom, rowid"), {feina});
    while (q.next())
        out.append({q.value(0).toString(), q.value(1).toString(), Decimal::fromVariant(q.value(2)),
                    q.value(3).toString(), Decimal::fromVariant(q.value(4))});
    q.finish();
    return out;
}

void reescriuLinies(qint32 feina, const QList<Linia>& linies)
{
    Db& db = BD();
    Transaction t(db);
    db.cached(QStringLiteral("DELETE FROM Feines_Detall WHERE feines_id = ?"), {feina}).finish();
    for (const Linia& l : linies)
        db.cached(QStringLiteral(
            "INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_descripcio, feines_detall_quantitat, "
            "feines_detall_unitat, feines_detall_preu_un) VALUES (?, ?, ?, ?, ?, ?)"),
            {feina, l.servei, l.descripcio, l.quantitat.toVariant(), l.unitat, l.preu.toVariant()}).finish();
    t.commit();
}

} // namespace DadesFeina
