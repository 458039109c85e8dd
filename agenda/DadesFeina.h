#pragma once
// Reads and writes of one job's own rows for the job dialog: its notes and
// its service lines. Every value is bound; database failures throw DbError.
// No widget code here.
#include "Decimal.h"

#include <QList>
#include <QString>
#include <optional>

namespace DadesFeina {

struct Linia {
    QString servei;
    QString descripcio;
    Decimal quantitat;   // a stored Null reads as 0
    QString unitat;
    Decimal preu;        // a stored Null reads as 0
};

// The job's notes; nullopt when the job is not there.
std::optional<QString> observacions(qint32 feina);
// The job's lines ordered by service name (then as stored).
QList<Linia> linies(qint32 feina);
// Replaces the job's lines by these, in this order, as one unit of work
// (a savepoint inside the caller's transaction).
void reescriuLinies(qint32 feina, const QList<Linia>& linies);

} // namespace DadesFeina
