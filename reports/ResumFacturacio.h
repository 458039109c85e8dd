#pragma once
// The billing summary of a month over all clients ("RESUM FACTURACIÓ"): per
// client, under its name with a dotted leader, one line per service with the
// month's quantity and amount, one per site quota, one for the cheques, and
// the client's "Total:"; at the end the month's total in a box. A client
// with nothing to bill leaves no trace on paper.
#include "FacturacioMes.h"
#include "MarcPagina.h"

#include <QDate>
#include <QString>

// The last day the summary covers: the month's last day, or today while
// the month runs.
QDate fiResum(const QDate& primerDia, const QDate& avui);

class ResumFacturacio {
public:
    // The month key "mm/aaaa", its first day and the last day covered.
    ResumFacturacio(Impressora& p, const QString& mes, const QDate& inici, const QDate& fi);

    // Page counter 1 and the first page's header.
    void comenca();
    // The block of one client's computed month; a new page first when the
    // block would start past the break position. Adds the client's total to
    // the month's and returns it (0 when nothing was printed). Reads the
    // services (DbError).
    Decimal client(const FacturacioMes& mes);
    // The month's total in its box.
    void totalMes();

    Decimal total() const { return total_; }
    int pagina() const { return marc_.Pagina; }

private:
    void capcalera();
    // Inside a block: a new page when the line would reach the foot of the
    // page (the continuation mark), so that no line is lost or overprinted.
    void evitaPeu();

    Impressora& p_;
    QString mes_;
    QDate inici_;
    QDate fi_;
    MarcPagina marc_;
    Decimal total_;
};
