// Plans one year of 300 weekly sites and compares the run with a plain
// insert of the same rows (one transaction, prepared statements). Prints
// its verdicts and exits 0 whatever the timings; only a run that fails or
// plans nothing exits 1.
#include "Database.h"
#include "Esquema.h"
#include "Globals.h"
#include "Planificacio.h"
#include "Registre.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <ctime>

namespace {

constexpr int Llocs = 300;
constexpr int LlocsPerRecurs = 5;   // one a weekday, Monday to Friday
const QDate Primer(2011, 1, 1);
const QDate Ultim(2011, 12, 31);

// CPU time of the process in seconds: unlike the wall clock, it does not
// count the time other programs of a busy machine take.
double cpuSegons()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// Peak resident memory of the process in kB (VmHWM), 0 when unknown.
long picMemoria()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> linies = f.readAll().split('\n');
    for (const QByteArray& l : linies)
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}
long memoriaActual()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:")) return l.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}
// Restarts the peak count (Linux); false when the kernel does not allow it.
bool reiniciaPic()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

// Two services; 200 sites of 40 workers and 100 sites of 20 teams of two.
void dadesMestres(Db& db)
{
    Transaction t(db);
    db.exec(QStringLiteral("INSERT INTO Clients (clients_nom) VALUES ('Client')"));
    db.exec(QStringLiteral("INSERT INTO Serveis (serveis_nom, serveis_unitat, serveis_minuts_per_unitat, serveis_preu_un) "
                           "VALUES ('Neteja', 'Hores', 60, 62500), ('Desplaçaments', 'Kms', 3, 1900)"));
    int color = 1;
    auto recurs = [&](const QString& nom, bool grup) {
        db.cached(QStringLiteral("INSERT INTO Recursos (recursos_nom, recursos_grup, recursos_color, "
                                 "recursos_assigna_temps) VALUES (?, ?, ?, 1)"),
                  {nom, grup ? 1 : 0, color++});
    };
    for (int w = 0; w < 80; ++w) recurs(QStringLiteral("Treballador %1").arg(w), false);
    for (int e = 0; e < 20; ++e) {
        const QString equip = QStringLiteral("Equip %1").arg(e);
        recurs(equip, true);
        for (int m : {40 + 2 * e, 41 + 2 * e})
            db.cached(QStringLiteral("INSERT INTO Recursos_Components (recursos_nom, recursos_component_nom) VALUES (?, ?)"),
                      {equip, QStringLiteral("Treballador %1").arg(m)});
    }
    for (int i = 0; i < Llocs; ++i) {
        const QString lloc = QStringLiteral("Lloc %1").arg(i);
        const QString recursLloc = i < 200 ? QStringLiteral("Treballador %1").arg(i / LlocsPerRecurs)
                                           : QStringLiteral("Equip %1").arg((i - 200) / LlocsPerRecurs);
        db.cached(QStringLiteral("INSERT INTO Llocs (llocs_nom, clients_nom, llocs_minuts_previst, "
                                 "llocs_periodicitat_dies, llocs_dia_setmana, llocs_hora, recursos_nom) "
                                 "VALUES (?, 'Client', 120, 7, ?, '08:00', ?)"),
                  {lloc, 2 + i % LlocsPerRecurs, recursLloc});
        db.cached(QStringLiteral("INSERT INTO Llocs_Serveis (llocs_nom, serveis_nom, llocs_serveis_quantitat, "
                                 "llocs_serveis_preu_un, llocs_serveis_descripcio) VALUES (?, ?, ?, ?, ?)"),
                  {lloc, QStringLiteral("Neteja"), 20000, 62500, QStringLiteral("Servei de neteja")});
        db.cached(QStringLiteral("INSERT INTO Llocs_Serveis (llocs_nom, serveis_nom, llocs_serveis_quantitat, "
                                 "llocs_serveis_preu_un, llocs_serveis_descripcio) VALUES (?, ?, ?, ?, ?)"),
                  {lloc, QStringLiteral("Desplaçaments"), 100000, 1900, QStringLiteral("Km")});
    }
    t.commit();
}

std::unique_ptr<Db> baseNova(const QString& path)
{
    auto db = Db::create(path);
    creaEsquema(*db);
    dadesMestres(*db);
    return db;
}

// A job and its lines as the planning run stored them.
struct FilaFeina {
    QVariantList feina;                // site, day, start, end, resource
    QList<QVariantList> linies;        // service, quantity, price, unit, description
};

QList<FilaFeina> filesPlanificades(Db& db)
{
    QList<FilaFeina> files;
    QHash<qint64, qsizetype> posicio;
    QSqlQuery f = db.query(QStringLiteral("SELECT feines_id, llocs_nom, feines_data, feines_hora_inici, feines_hora_fi, "
                                          "recursos_nom FROM Feines ORDER BY feines_id"));
    while (f.next()) {
        posicio.insert(f.value(0).toLongLong(), files.size());
        files.append({{f.value(1), f.value(2), f.value(3), f.value(4), f.value(5)}, {}});
    }
    QSqlQuery l = db.query(QStringLiteral("SELECT feines_id, serveis_nom, feines_detall_quantitat, feines_detall_preu_un, "
                                          "feines_detall_unitat, feines_detall_descripcio FROM Feines_Detall ORDER BY rowid"));
    while (l.next())
        files[posicio.value(l.value(0).toLongLong())].linies.append({l.value(1), l.value(2), l.value(3), l.value(4), l.value(5)});
    return files;
}

// The same job and line rows, written straight into the tables.
double insercioSimple(Db& db, const QList<FilaFeina>& files, double& cpu)
{
    QElapsedTimer t;
    t.start();
    const double cpu0 = cpuSegons();
    Transaction tr(db);
    for (const FilaFeina& fila : files) {
        QSqlQuery& f = db.cached(QStringLiteral("INSERT INTO Feines (llocs_nom, feines_data, feines_hora_inici, "
                                                "feines_hora_fi, recursos_nom) VALUES (?, ?, ?, ?, ?)"),
                                 fila.feina);
        const qint64 id = f.lastInsertId().toLongLong();
        for (const QVariantList& linia : fila.linies)
            db.cached(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat, "
                                     "feines_detall_preu_un, feines_detall_unitat, feines_detall_descripcio) "
                                     "VALUES (?, ?, ?, ?, ?, ?)"),
                      QVariantList{id} + linia);
    }
    tr.commit();
    cpu = cpuSegons() - cpu0;
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench-planning: no temporary folder\n");
        return 1;
    }
    try {
        G.ProgramDir = dir.path();
        G.PrimerDiaSetmana = 2;
        G.HoraInici = QStringLiteral("08:00");
        G.HoraFinal = QStringLiteral("24:00");
        G.BD = baseNova(dir.filePath(QStringLiteral("planificacio.db")));
        auto simple = baseNova(dir.filePath(QStringLiteral("simple.db")));

        const long rssAbans = memoriaActual();
        const bool pic = reiniciaPic();
        InformePlanificacio informe;
        QElapsedTimer t;
        t.start();
        const double cpu0 = cpuSegons();
        const QString error = Planificar_Feines(Primer, Ultim, &informe);
        const double segons = t.nsecsElapsed() / 1e9;
        const double cpu = cpuSegons() - cpu0;
        const long picKb = picMemoria();
        if (!error.isEmpty()) {
            std::fprintf(stderr, "bench-planning: %s\n", qPrintable(error));
            return 1;
        }
        const qint64 feines = BD().scalar(QStringLiteral("SELECT count(*) FROM Feines")).toLongLong();
        const qint64 linies = BD().scalar(QStringLiteral("SELECT count(*) FROM Feines_Detall")).toLongLong();
        const qint64 senseRecurs =
            BD().scalar(QStringLiteral("SELECT count(*) FROM Feines WHERE recursos_nom IS NULL")).toLongLong();
        double cpuReferencia = 0;
        const double referencia = insercioSimple(*simple, filesPlanificades(BD()), cpuReferencia);

        std::printf("planning: %d sites, %s .. %s\n", Llocs, qPrintable(Primer.toString(Qt::ISODate)),
                    qPrintable(Ultim.toString(Qt::ISODate)));
        std::printf("  jobs %lld, lines %lld, unassigned %lld, refused %d, log %lld characters\n", feines, linies,
                    senseRecurs, informe.Refusades, qint64(Registre_Missatges::text().size()));
        std::printf("  planning run      %.3f s, CPU %.3f s  (%.0f jobs/s)\n", segons, cpu, feines / segons);
        std::printf("  plain insert      %.3f s, CPU %.3f s  (same rows, one transaction, prepared statements)\n",
                    referencia, cpuReferencia);
        std::printf("  ratio planning / plain insert  %.2f (CPU %.2f)\n", segons / referencia, cpu / cpuReferencia);
        if (pic)
            std::printf("  peak memory of the run  %ld kB (resident before the run %ld kB)\n", picKb, rssAbans);
        else
            std::printf("  peak memory of the process  %ld kB (resident before the run %ld kB)\n", picKb, rssAbans);
        std::printf("  goals: under 1 s %s; within 5x the plain insert %s\n", segons < 1.0 ? "met" : "NOT met",
                    segons <= 5 * referencia ? "met" : "NOT met");
        if (feines == 0 || informe.Planificades != feines) {
            std::fprintf(stderr, "bench-planning: %lld jobs stored, %d reported planned\n", feines, informe.Planificades);
            return 1;
        }
        simple.reset();
        G.BD.reset();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench-planning: %s\n", e.what());
        return 1;
    }
    return 0;
}
