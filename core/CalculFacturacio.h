#pragma once
// The computation of a client's billing month, apart from the database and
// the widgets: the rows of the month's queries in, the month as it is billed
// out. The lines come site by site, day by day, job by job; each job's lines
// are followed by its total, and a site whose done quota jobs were listed by
// one quota row. Cheques already liquidated pay their own job; the others
// take the first free cheque slots (whole units of the cheque service's done
// lines worth at least one cheque), up to the month's maximum per client.
// What is still to invoice (`pendents`) leaves out what earlier invoices of
// the month billed: their jobs, their cheques, a site's quota once one of
// its jobs was invoiced as a quota job, and the part of the payment they
// took; so the invoices of a month add up to the month whatever its parts.
// Every figure is in cents, so the totals are the sums of what is shown.
#include "FacturacioMes.h"
#include "PeriodeMes.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

// The month key "mm/aaaa" as the billing period. Nothing for a key that is
// not "mm/aaaa" with a month 01..12 and a year 0001..9999.
std::optional<PeriodeMes> periodeDelMes(const QString& mes);
// The key of a date's month ("03/2009").
QString mesDeData(const QDate& data);

// Cheque settings of the computation.
struct ParametresFacturacio {
    QString serveiXecs;      // "" = no cheques
    Decimal valorXec;        // least line amount that opens cheque slots
    Decimal costHoraXec;     // saving per matched cheque (0 or less)
    int maxXecsMes = 0;      // most cheques counted per client and month
    // The program's settings.
    static ParametresFacturacio delsGlobals();
};

struct EntradaFacturacio {
    bool totsClients = true;
    QString client;
    QString mes;
    PeriodeMes periode;
    bool pendents = false;
    PagamentMes pagament;        // the client's payment on account for the month
    ParametresFacturacio parametres;
};

// One row of the month's job query: a job's line, or the job alone when it has none.
struct FilaLiniaBD {
    Decimal quotaLloc;       // the site's current quota
    qint32 feina = 0;
    QDate data;
    QString lloc;
    QString recurs;          // "" = unassigned
    bool feta = false;
    QDate dataFactura;       // null = not invoiced
    Decimal quotaFeina;      // stored share
    bool ambLinia = false;
    QString servei;
    Decimal quantitat;
    QString unitat;
    Decimal preu;
};

// One row of a cheque query.
struct FilaXecBD {
    qint32 id = 0;
    QString client;
    Decimal valor;
    QDate entrega;
    QDate liquidat;          // null = not liquidated
    qint32 feina = 0;        // 0 = no job
};

// The month of one client (linies: its jobs' rows in query order; xecs: its
// cheques, liquidated first, latest first, then the others by delivery), or
// of all clients (linies ignored; xecs: the month's liquidated cheques).
FacturacioMes calculaFacturacio(const EntradaFacturacio& entrada, const QVector<FilaLiniaBD>& linies,
                                const QVector<FilaXecBD>& xecs);

// Number of cheque slots a line opens: the quantity less 0.1, rounded half
// to even, never below 0 (1 -> 1, 3 -> 3, 2.5 -> 2, 0.5 -> 0).
int casellesXec(const Decimal& quantitat);

// Amount to invoice after a new payment, from the month's exact totals.
Decimal totalAFacturar(const FacturacioMes& mes, const Decimal& pagaments);
