#pragma once
// A client's billing data of the month, as the billing tab computed it: the
// client's record, one line per service line of every done job (date, site
// and resource on a job's first line), one line per site billed by its
// monthly quota, then the totals per service, the quotas and the cheques,
// the invoice amount in a box, and with payments on account the amount to pay.
#include "FacturacioMes.h"
#include "FormatInforme.h"
#include "Impressora.h"

#include <QDate>
#include <QString>

class QWidget;

// One line of a month's totals: a service with what the done lines of the
// month add up to, a site's quota, or the cheques.
struct TotalServei {
    QString nom;
    QString unitat;
    Decimal quantitat;
    Decimal import;
};
// Every service by name with the quantities and amounts of the month's done
// lines (a quota job's lines and services no longer known add nothing), then
// one entry per site quota in the grid's order. Reads the services (DbError).
QVector<TotalServei> totalsMes(const FacturacioMes& mes);

// Draws the document of a one-client month (throws on any failure; the
// caller's error path ends it). Reads the services and the client's record.
void dibuixaDadesFacturacio(Impressora& p, const FacturacioMes& mes);
// The document's name ("Facturació <client> <mm/aaaa>", in the user's language).
QString nomDadesFacturacio(const FacturacioMes& mes);
// Prints it through the error path of every document; returns where it went.
QString Imprimeix_Dades_Facturacio(const FacturacioMes& mes, QWidget* parent = nullptr);
