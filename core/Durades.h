#pragma once
// Lengths of work of a site's visit and of a job, in whole board cells.
#include <QList>
#include <QString>
#include <stdexcept>

struct Feina;

class OverflowError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Members of a team that share a service's time; at least 1.
int Recursos_Assignen_Temps(const QString& recurs);
// Planned minutes of one visit of the site, a whole number of cells.
int Minuts_Previstos_Lloc(const QString& lloc, int recursos);
// End time "hh:mm" of an existing job from its own service lines; a job that
// would end past the end of the day ends at HoraFinal.
QString Hora_Fi_Feina(const Feina& feina);

// Running total of service lines: each line adds quantity × minutes (÷
// divisor unless common), the running total rounded half-to-even after every
// line; then whole cells (0 becomes one cell). Exposed for the job dialog.
struct LiniaTemps {
    qint64 quantitatRaw;   // quantity in ten-thousandths
    int minutsPerUnitat;
    bool comu;
};
int sumaMinutsServeis(const QList<LiniaTemps>& linies, int divisor, int minutsCella);

// A site's service lines as lengths of work, in the site's order; a line of
// `servei` is marked (none when `servei` is empty).
struct LiniaTempsLloc {
    LiniaTemps temps;
    bool delServei;
};
QList<LiniaTempsLloc> liniesTempsLloc(const QString& lloc, const QString& servei = QString());
