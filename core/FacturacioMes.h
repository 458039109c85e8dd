#pragma once
// A client's billing month as computed: the rows of the billing grid in
// their order, the jobs with their totals and quota shares, the sites billed
// by monthly quota, the cheques with the job each one pays, and the totals.
// Types only: the invoicing and the printed reports read them without the
// billing library. All money is exact (Decimal).
#include "Decimal.h"

#include <QDate>
#include <QString>
#include <QVector>

// Kind of a row of the billing grid.
enum class TipusFilaFactura {
    LiniaFeina,   // one service line of a job (or the one row of a job without lines)
    TotalFeina,   // "Total feina:" after the last line of a job
    QuotaLloc     // monthly quota of a site, after its last job
};

// One job with at least one line in the grid.
struct FeinaMes {
    qint32 id = 0;           // feines_id
    QDate data;
    QString lloc;
    QString recurs;          // "" = unassigned
    bool feta = false;
    QDate dataFactura;       // null = not invoiced
    // The job's share of its site's monthly quota: the site's quota while the
    // job is not invoiced, its stored share once it is. Not 0 = a quota job,
    // whose lines carry no amount.
    Decimal quota;
    // Sum of the amounts of its lines, cheque savings included (0 for a job
    // not done and for a quota job).
    Decimal total;
    int primeraFila = 0;     // grid row of its first line
    int filaTotal = 0;       // grid row of its total

    bool esQuota() const { return !quota.isZero(); }
};

// A site billed by its monthly quota this month (a done quota job of it listed).
struct QuotaMes {
    QString lloc;
    Decimal quota;
    int fila = 0;            // grid row
};

// One row of the billing grid; grid row = index in FacturacioMes::files + 1.
struct FilaFactura {
    TipusFilaFactura tipus = TipusFilaFactura::LiniaFeina;
    int feina = -1;          // index in FacturacioMes::feines (line and total rows)
    int quota = -1;          // index in FacturacioMes::quotes (quota rows)

    // Line rows only.
    bool ambLinia = false;   // false: a job without service lines
    QString servei;
    Decimal quantitat;
    QString unitat;
    Decimal preu;            // unit price of the line
    // Amount of the line: quantity x price rounded to cents, less the savings
    // of the cheques matched to it; 0 for a job not done or a quota job.
    Decimal import;
    // The amount is shown (job done and not a quota job).
    bool ambImport = false;
    int xecs = 0;            // cheques matched to this line
};

enum class TipusXecMes {
    Liquidat,     // liquidated before (with the job it was liquidated with)
    Assignat,     // not liquidated, matched now to a job line of the month
    SenseFeina    // not liquidated and not matched: listed, not counted
};

// One row of the cheque grid; grid row = index in FacturacioMes::xecs + 1.
struct XecMes {
    TipusXecMes tipus = TipusXecMes::SenseFeina;
    qint32 id = 0;           // xecs_id
    QString client;
    Decimal valor;           // xecs_valor
    QDate entrega;
    QDate liquidat;          // null unless liquidated
    qint32 feina = 0;        // the job it pays; 0 = none
    int fila = -1;           // index in FacturacioMes::files of the line it lowered; -1 = none
    bool comptat = false;    // counted in nombreXecs and totalXecs

    // The amount the cheque row shows: its value, or 0 when it pays no job.
    Decimal importMostrat() const { return tipus == TipusXecMes::SenseFeina ? Decimal() : valor; }
};

// A client's payment on account for a month and the part of it that the
// month's invoices have taken so far (0 and 0 when none is stored).
struct PagamentMes {
    Decimal import;
    Decimal facturat;
    // What an invoice takes of it: the whole payment, or with only what is
    // still to invoice (`pendents`) what no invoice has taken yet (negative
    // when the payment was lowered after an invoice took it).
    Decimal perFacturar(bool pendents) const { return pendents ? import - facturat : import; }
};

struct FacturacioMes {
    bool calculat = false;   // false until a month has been computed
    bool totsClients = true; // no client chosen: the month's liquidated cheques of every client
    QString client;          // the chosen client ("" for all clients)
    QString mes;             // month key "mm/aaaa"
    QDate inici;             // first day of the month (included)
    QDate fi;                // first day of the next month (excluded)
    bool pendents = false;   // only what is not invoiced yet
    bool ambXecs = false;    // a cheque service is set: cheques were listed
    QString serveiXecs;

    QVector<FilaFactura> files;   // billing grid rows 1.. in order
    QVector<FeinaMes> feines;     // in grid order
    QVector<QuotaMes> quotes;     // in grid order
    QVector<XecMes> xecs;         // cheque grid rows 1.. in order

    // One-client mode only (all-clients mode leaves them 0 and blank).
    Decimal totalServeis;         // lines, quotas and cheque savings
    // The payment on account that this month's invoice takes: the whole
    // payment, or with `pendents` what earlier invoices have not taken.
    Decimal pagaments;
    // The whole payment of the month, which the invoicing records as taken.
    Decimal pagamentMes;
    Decimal totalFacturar;        // totalServeis - totalXecs - pagaments
    // With a cheque service.
    int nombreXecs = 0;
    Decimal totalXecs;

    const FeinaMes& feinaDe(const FilaFactura& f) const { return feines[f.feina]; }
    // The row shown at a grid row, or nullptr (header, the empty row, past the end).
    const FilaFactura* filaGraella(int row) const
    {
        return row >= 1 && row <= files.size() ? &files[row - 1] : nullptr;
    }
    const XecMes* xecGraella(int row) const { return row >= 1 && row <= xecs.size() ? &xecs[row - 1] : nullptr; }
};
