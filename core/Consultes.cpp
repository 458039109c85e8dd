#include "Consultes.h"

#include "Convert.h"
#include "Globals.h"

namespace {
QVariant one(const QString& sql, const QVariantList& params)
{
    QSqlQuery& q = BD().cached(sql, params);
    QVariant v = q.next() ? q.value(0) : QVariant();
    q.finish();
    return v;
}

// A month's row of payments stays only while it holds a payment or a part an invoice took.
void esborraPagamentBuit(const QString& mes, const QString& client)
{
    BD().exec(QStringLiteral("DELETE FROM Pagaments WHERE pagaments_mes = ? AND clients_nom = ? "
                             "AND pagaments_import = 0 AND pagaments_facturat = 0"),
              {mes, client});
}
} // namespace

qint32 Color_Recurs(const QString& recurs)
{
    QVariant v = one(QStringLiteral("SELECT recursos_color FROM Recursos WHERE recursos_nom = ?"), {recurs});
    return v.isValid() ? qint32(v.toLongLong()) : ColorFinestraSistema;
}

bool Recurs_Assigna_Temps(const QString& recurs)
{
    QVariant v = one(QStringLiteral("SELECT recursos_assigna_temps FROM Recursos WHERE recursos_nom = ?"), {recurs});
    return v.isValid() && v.toInt() != 0;
}

QString Recurs_Per_Color(qint32 color)
{
    QVariant v = one(QStringLiteral("SELECT recursos_nom FROM Recursos WHERE recursos_color = ? ORDER BY rowid LIMIT 1"),
                     {qlonglong(color)});
    return v.isValid() ? v.toString() : QString();
}

Decimal Preu_Servei(const QString& servei)
{
    return Decimal::fromVariant(one(QStringLiteral("SELECT serveis_preu_un FROM Serveis WHERE serveis_nom = ?"), {servei}));
}

QString Unitat_Servei(const QString& servei)
{
    return one(QStringLiteral("SELECT serveis_unitat FROM Serveis WHERE serveis_nom = ?"), {servei}).toString();
}

QString Descripcio_Servei(const QString& servei, const QString& lloc)
{
    QString r = one(QStringLiteral("SELECT serveis_descripcio FROM Serveis WHERE serveis_nom = ?"), {servei}).toString();
    if (!lloc.isEmpty()) {
        QVariant v = one(QStringLiteral("SELECT llocs_serveis_descripcio FROM Llocs_Serveis "
                                        "WHERE serveis_nom = ? AND llocs_nom = ?"), {servei, lloc});
        if (v.isValid()) r = v.toString();
    }
    return r;
}

Decimal Pagament_Client_Mes(const QString& mes, const QString& client)
{
    return Pagament_Mes(mes, client).import;
}

PagamentMes Pagament_Mes(const QString& mes, const QString& client)
{
    QSqlQuery& q = BD().cached(QStringLiteral("SELECT pagaments_import, pagaments_facturat FROM Pagaments "
                                              "WHERE pagaments_mes = ? AND clients_nom = ?"),
                               {mes, client});
    PagamentMes p;
    if (q.next()) p = {Decimal::fromVariant(q.value(0)), Decimal::fromVariant(q.value(1))};
    q.finish();
    return p;
}

Decimal Grava_Pagament(const QString& mes, const QString& client, QString& import)
{
    if (import.isEmpty()) import = QStringLiteral("0");
    auto parsed = Decimal::parse(import);
    if (!parsed) return Decimal();
    return Grava_Import_Pagament(mes, client, *parsed);
}

Decimal Grava_Import_Pagament(const QString& mes, const QString& client, const Decimal& import)
{
    const Decimal v = import.roundedCents();
    Db& db = BD();
    Transaction t(db);
    if (v.isZero())
        db.exec(QStringLiteral("UPDATE Pagaments SET pagaments_import = 0 WHERE pagaments_mes = ? AND clients_nom = ?"),
                {mes, client});
    else
        db.exec(QStringLiteral("INSERT INTO Pagaments (pagaments_mes, clients_nom, pagaments_import) VALUES (?, ?, ?) "
                               "ON CONFLICT (pagaments_mes, clients_nom) "
                               "DO UPDATE SET pagaments_import = excluded.pagaments_import"),
                {mes, client, v.toVariant()});
    esborraPagamentBuit(mes, client);
    t.commit();
    return v;
}

void Marca_Pagament_Facturat(const QString& mes, const QString& client, const Decimal& facturat)
{
    BD().exec(QStringLiteral("UPDATE Pagaments SET pagaments_facturat = ? WHERE pagaments_mes = ? AND clients_nom = ?"),
              {facturat.toVariant(), mes, client});
    esborraPagamentBuit(mes, client);
}

void Grava_Hores_Fetes(const Decimal& hores, const QString& recurs, const QDate& dia)
{
    Db& db = BD();
    const QString d = Conv::isoDate(dia);
    if (hores.isZero()) {
        db.exec(QStringLiteral("DELETE FROM Hores_Fetes WHERE recursos_nom = ? AND hores_data = ?"), {recurs, d});
        return;
    }
    db.exec(QStringLiteral("INSERT INTO Hores_Fetes (recursos_nom, hores_data, hores_quantitat) VALUES (?, ?, ?) "
                           "ON CONFLICT (recursos_nom, hores_data) DO UPDATE SET hores_quantitat = excluded.hores_quantitat"),
            {recurs, d, hores.toVariant()});
}
