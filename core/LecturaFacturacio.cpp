#include "LecturaFacturacio.h"

#include "Convert.h"

#include <QSqlQuery>

namespace {

QDate data(const QVariant& v)
{
    return v.isNull() ? QDate() : QDate::fromString(v.toString().left(10), Qt::ISODate);
}

// Lines of the client's jobs of the period: site by site, day by day, job by
// job, line by line; a job without lines gives one row without line values.
const char* const kLinies =
    "SELECT Llocs.llocs_quota, Feines.feines_id, Feines.feines_data, Llocs.llocs_nom, Feines.recursos_nom, "
    "Feines.feines_feta, Feines.feines_data_factura, Feines.feines_quota, Feines_Detall.serveis_nom, "
    "Feines_Detall.feines_detall_quantitat, Feines_Detall.feines_detall_unitat, Feines_Detall.feines_detall_preu_un "
    "FROM Llocs INNER JOIN Feines ON Llocs.llocs_nom = Feines.llocs_nom "
    "LEFT JOIN Feines_Detall ON Feines.feines_id = Feines_Detall.feines_id "
    "WHERE Llocs.clients_nom = ? AND Feines.feines_data >= ? AND Feines.feines_data < ? "
    "ORDER BY Llocs.llocs_nom, Feines.feines_data, Feines.feines_id, Feines_Detall.serveis_nom, "
    "Feines_Detall.feines_detall_unitat";

// The client's cheques used by a job of the period and those used by none:
// liquidated first (latest first), then the others by delivery, oldest first.
const char* const kXecsClient =
    "SELECT Xecs.xecs_id, Xecs.clients_nom, Xecs.xecs_valor, Xecs.xecs_data_entrega, Xecs.xecs_data_liquidat, "
    "Xecs.feines_id FROM Xecs LEFT JOIN Feines ON Feines.feines_id = Xecs.feines_id "
    "WHERE Xecs.clients_nom = ? AND ((Feines.feines_data >= ? AND Feines.feines_data < ?) "
    "OR Feines.feines_data IS NULL) "
    "ORDER BY Xecs.xecs_data_liquidat DESC, Xecs.xecs_data_entrega, Xecs.xecs_id";

// Every client's cheques liquidated with a job of the period.
const char* const kXecsLiquidats =
    "SELECT Xecs.xecs_id, Xecs.clients_nom, Xecs.xecs_valor, Xecs.xecs_data_entrega, Xecs.xecs_data_liquidat, "
    "Xecs.feines_id FROM Feines INNER JOIN Xecs ON Feines.feines_id = Xecs.feines_id "
    "WHERE Feines.feines_data >= ? AND Feines.feines_data < ? AND Xecs.xecs_data_liquidat IS NOT NULL "
    "ORDER BY Xecs.xecs_id";

QVector<FilaXecBD> llegeixXecs(QSqlQuery& q)
{
    QVector<FilaXecBD> out;
    while (q.next()) {
        FilaXecBD x;
        x.id = q.value(0).toInt();
        x.client = q.value(1).toString();
        x.valor = Decimal::fromVariant(q.value(2));
        x.entrega = data(q.value(3));
        x.liquidat = data(q.value(4));
        x.feina = q.value(5).isNull() ? 0 : q.value(5).toInt();
        out.append(x);
    }
    q.finish();
    return out;
}

} // namespace

DadesMes llegeixDadesMes(const EntradaFacturacio& e)
{
    DadesMes d;
    Db& db = BD();
    const QString inici = Conv::isoDate(e.periode.inici);
    const QString fi = Conv::isoDate(e.periode.fi);
    const bool ambXecs = !e.parametres.serveiXecs.isEmpty();
    if (e.totsClients) {
        if (ambXecs) d.xecs = llegeixXecs(db.cached(QString::fromLatin1(kXecsLiquidats), {inici, fi}));
        return d;
    }
    QSqlQuery& q = db.cached(QString::fromLatin1(kLinies), {e.client, inici, fi});
    while (q.next()) {
        FilaLiniaBD f;
        f.quotaLloc = Decimal::fromVariant(q.value(0));
        f.feina = q.value(1).toInt();
        f.data = data(q.value(2));
        f.lloc = q.value(3).toString();
        f.recurs = q.value(4).isNull() ? QString() : q.value(4).toString();
        f.feta = q.value(5).toInt() != 0;
        f.dataFactura = data(q.value(6));
        f.quotaFeina = Decimal::fromVariant(q.value(7));
        f.ambLinia = !q.value(8).isNull();
        if (f.ambLinia) {
            f.servei = q.value(8).toString();
            f.quantitat = Decimal::fromVariant(q.value(9));
            f.unitat = q.value(10).toString();
            f.preu = Decimal::fromVariant(q.value(11));
        }
        d.linies.append(f);
    }
    q.finish();
    if (ambXecs) d.xecs = llegeixXecs(db.cached(QString::fromLatin1(kXecsClient), {e.client, inici, fi}));
    return d;
}

FacturacioMes calculaMes(const EntradaFacturacio& entrada)
{
    const DadesMes d = llegeixDadesMes(entrada);
    return calculaFacturacio(entrada, d.linies, d.xecs);
}

