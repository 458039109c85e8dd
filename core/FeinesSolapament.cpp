#include "FeinesSolapament.h"

#include "Convert.h"
#include "Globals.h"

namespace {

// The three branches of the overlap test on the stored start and end; the
// slot's start is bound twice, then its end twice, then its start and end.
const char* const kSolapament =
    "((feines_hora_inici <= ? AND feines_hora_fi > ?)"
    " OR (feines_hora_inici < ? AND feines_hora_fi >= ?)"
    " OR (feines_hora_inici >= ? AND feines_hora_fi <= ?))";

bool hiHaFila(const QString& sql, const QVariantList& params)
{
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
        "AND %1 LIMIT 1").arg(QLatin1String(kSolapament));
    return hiHaFila(sql, {lloc, Conv::isoDate(data), excepte, inici, inici, fi, fi, inici, fi});
}

QString Recurs_Solapat(const QString& recurs, bool grup, const QDate& data, const QString& inici,
                       const QString& fi, qint32 excepte)
{
    // One statement: the names to test in order (the resource itself, then a
    // team's members in the team's order), each with the jobs of the day
    // assigned to it or to a team that has it as a member; the first name
    // with a clashing job wins. The index is named: without statistics the
    // planner would take Feines_data and read every job of the day.
    static const QString sql = QStringLiteral(
        "WITH noms(ordre, nom) AS ("
        " SELECT 0, ?"
        " UNION ALL SELECT rowid, recursos_component_nom FROM Recursos_Components"
        " WHERE ? AND recursos_nom = ?)"
        " SELECT nom FROM noms"
        " WHERE EXISTS (SELECT 1 FROM Feines INDEXED BY Feines_recurs"
        " WHERE recursos_nom = noms.nom AND feines_data = ? AND feines_id <> ? AND %1)"
        " OR EXISTS (SELECT 1 FROM Recursos_Components AS equips"
        " INNER JOIN Feines INDEXED BY Feines_recurs ON Feines.recursos_nom = equips.recursos_nom"
        " WHERE equips.recursos_component_nom = noms.nom AND feines_data = ? AND feines_id <> ? AND %1)"
        " ORDER BY ordre LIMIT 1").arg(QLatin1String(kSolapament));
    const QString dia = Conv::isoDate(data);
    QSqlQuery& q = BD().cached(sql, {recurs, grup ? 1 : 0, recurs, dia, excepte, inici, inici, fi, fi, inici, fi, dia,
                                     excepte, inici, inici, fi, fi, inici, fi});
    QString nom;
    if (q.next()) nom = q.value(0).toString();
    q.finish();
    return nom;
}
