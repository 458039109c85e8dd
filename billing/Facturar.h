#pragma once
// The invoicing of one client's month: the done jobs the month lists get
// today's invoice date and their share of their site's quota, the cheques
// that pay one of them get today's liquidation date and that job, and the
// month's payment on account is recorded as taken.
#include "FacturacioMes.h"

#include <QDate>
#include <QString>

// Writes the marks of a computed one-client month, all in one transaction:
// every done job (invoice date `avui`, its exact quota share, 0 for a job
// billed by its services) and every listed cheque that pays a job
// (liquidation date `avui`, that job); the month's payment on account is
// recorded as taken by the invoice. Returns "" when everything was marked;
// when a job or cheque is no longer stored, the message that names it
// ("ERROR: Feina 123 no trobada"), and nothing is marked. A database failure
// throws DbError and marks nothing either.
QString Marca_Facturacio(const FacturacioMes& mes, const QDate& avui);
