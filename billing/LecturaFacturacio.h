#pragma once
// What the billing month reads of the database: the rows of its job query
// and of its cheque query (one statement each), and the job a billing row
// acts on. Database failures throw DbError.
#include "CalculFacturacio.h"
#include "Globals.h"

#include <optional>

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

// The job of that id as the shared record holds it; nothing when it is gone.
std::optional<Feina> llegeixFeina(qint32 id);
