#pragma once
// What the billing month reads of the database: the rows of its job query
// and of its cheque query (one statement each). Database failures throw DbError.
#include "CalculFacturacio.h"
#include "Globals.h"


struct DadesMes {
    QVector<FilaLiniaBD> linies;
    QVector<FilaXecBD> xecs;
};

// The rows the computation of `entrada` needs: for a client its jobs' lines
// and, with a cheque service, its cheques; for all clients, with a cheque
// service, the cheques liquidated with a job of the month. At most two statements.
DadesMes llegeixDadesMes(const EntradaFacturacio& entrada);

// Reads and computes one month (the payments as given).
FacturacioMes calculaMes(const EntradaFacturacio& entrada);
