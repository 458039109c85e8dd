#include "FeinesSolapament.h"

#include "Convert.h"
#include "Globals.h"

#include <QStringList>

namespace {

// The three branches of the overlap test on the stored start and end; the
// slot's start is bound twice, then its end twice, then its start and end.
const char* const kSolapament =
    "((feines_hora_inici <= ? AND feines_hora_fi > ?)"
    " OR (feines_hora_inici < ? AND feines_hora_fi >= ?)"
    " OR (feines_hora_inici >= ? AND feines_hora_fi <= ?))";

QVariantList slot(const QString& inici, const QString& fi)
{
    return {inici, inici, fi, fi, inici, fi};
}

// Jobs of the day assigned to `nom` itself or to a team that has `nom` as a
// member, other than `excepte`. The index is named: without statistics the
// planner would take Feines_data and read every job of the day.
bool solapaNom(const QString& nom, const QDate& data, const QString& inici, const QString& fi, qint32 excepte)
{
    static const QString sql = QStringLiteral(
        "SELECT 1 FROM Feines INDEXED BY Feines_recurs WHERE recursos_nom IN "
        "(SELECT ? UNION ALL SELECT recursos_nom FROM Recursos_Components WHERE recursos_component_nom = ?)"
        " AND feines_data = ? AND feines_id <> ? AND %1 LIMIT 1").arg(QLatin1String(kSolapament));
    QVariantList params{nom, nom, Conv::isoDate(data), excepte};
    params += slot(inici, fi);
    QSqlQuery& q = BD().cached(sql, params);
    const bool hiHa = q.next();
    q.finish();
    return hiHa;
}

} // namespace

bool Solapa_Lloc(const QString& lloc, const QDate& data, const QString& inici, const QString& fi, qint32 excepte)
{
    static const QString sql = QStringLiteral(
        "SELECT 1 FROM Feines INDEXED BY Feines_lloc WHERE llocs_nom = ? AND feines_data = ? AND feines_id <> ? "
        "AND %1 LIMIT 1")
        .arg(QLatin1String(kSolapament));
    QVariantList params{lloc, Conv::isoDate(data), excepte};
    params += slot(inici, fi);
    QSqlQuery& q = BD().cached(sql, params);
    const bool hiHa = q.next();
    q.finish();
    return hiHa;
}

QString Recurs_Solapat(const QString& recurs, bool grup, const QDate& data, const QString& inici,
                       const QString& fi, qint32 excepte)
{
    if (solapaNom(recurs, data, inici, fi, excepte)) return recurs;
    if (!grup) return QString();
    QStringList membres;
    QSqlQuery& q = BD().cached(QStringLiteral(
        "SELECT recursos_component_nom FROM Recursos_Components WHERE recursos_nom = ? ORDER BY rowid"),
        {recurs});
    while (q.next()) membres << q.value(0).toString();
    q.finish();
    for (const QString& m : membres)
        if (solapaNom(m, data, inici, fi, excepte)) return m;
    return QString();
}
