// A change of a service and the settings dialog's OK over ten years of 300
// weekly sites (156,600 jobs of two lines, the last four weeks not done yet):
// the median of 11 runs of each, beside a bare aggregate over the same rows
// (every job line of the service; every job's start). Verdicts go by the
// processor time, which other work on a busy machine disturbs less. Prints
// its verdicts and exits 0 whatever the timings; only a check that answers
// wrongly exits 1.
#include "Dades.h"
#include "Database.h"
#include "Esquema.h"
#include "Globals.h"
#include "Parametres.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int Llocs = 300;
constexpr int Setmanes = 522;    // ten years from Monday 3 January 2011
constexpr int Repeticions = 11;
const char* const Obertes = "2020-12-01";   // jobs from this day on are not done yet
constexpr double Objectiu = 30;             // ms

void omple(Db& db)
{
    Transaction t(db);
    db.exec(QStringLiteral("INSERT INTO Clients (clients_nom) VALUES ('Client')"));
    db.exec(QStringLiteral("INSERT INTO Serveis (serveis_nom, serveis_unitat, serveis_minuts_per_unitat, serveis_preu_un) "
                           "VALUES ('Neteja', 'Hores', 60, 62500), ('Desplaçaments', 'Kms', 3, 1900)"));
    db.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ? - 1) "
                           "INSERT INTO Llocs (llocs_nom, clients_nom, llocs_minuts_previst, llocs_periodicitat_dies, "
                           "llocs_hora) SELECT 'Lloc ' || i, 'Client', 150, 7, '08:00' FROM n"),
            {Llocs});
    db.exec(QStringLiteral("INSERT INTO Llocs_Serveis (llocs_nom, serveis_nom, llocs_serveis_quantitat, llocs_serveis_preu_un) "
                           "SELECT llocs_nom, 'Neteja', 20000, 62500 FROM Llocs UNION ALL "
                           "SELECT llocs_nom, 'Desplaçaments', 100000, 1900 FROM Llocs"));
    // Each site once a week, Monday to Friday by its number.
    db.exec(QStringLiteral("WITH RECURSIVE s(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM s WHERE k < ? - 1) "
                           "INSERT INTO Feines (llocs_nom, feines_data, feines_hora_inici, feines_hora_fi) "
                           "SELECT llocs_nom, date('2011-01-03', '+' || (k * 7 + rowid % 5) || ' days'), '08:00', '10:30' "
                           "FROM s, Llocs ORDER BY k, rowid"),
            {Setmanes});
    db.exec(QStringLiteral("UPDATE Feines SET feines_feta = 1 WHERE feines_data < ?"), {QString::fromLatin1(Obertes)});
    db.exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat, feines_detall_preu_un, "
                           "feines_detall_unitat, feines_detall_descripcio) "
                           "SELECT feines_id, s, q, p, u, d FROM Feines, (SELECT 'Neteja' s, 20000 q, 62500 p, 'Hores' u, "
                           "'Servei de neteja' d, 1 o UNION ALL SELECT 'Desplaçaments', 100000, 1900, 'Kms', 'Km', 2) "
                           "ORDER BY feines_id, o"));
    t.commit();
}

double mitjana(std::vector<double> v)   // the median
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double processadorMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Temps {
    double ms = 0;    // elapsed
    double cpu = 0;   // processor
};

// Run `i` of Repeticions: f(i).
Temps mesura(const std::function<void(int)>& f)
{
    std::vector<double> ms, cpu;
    for (int i = 0; i < Repeticions; ++i) {
        QElapsedTimer t;
        const double c0 = processadorMs();
        t.start();
        f(i);
        ms.push_back(t.nsecsElapsed() / 1e6);
        cpu.push_back(processadorMs() - c0);
    }
    return {mitjana(ms), mitjana(cpu)};
}

Temps agregat(const QString& sql, const QVariantList& params = {})
{
    return mesura([&](int) { BD().scalar(sql, params); });
}

const char* veredicte(bool b) { return b ? "met" : "NOT met"; }

void linia(const char* nom, const Temps& t, const Temps& ref)
{
    std::printf("  %-34s %7.2f ms, CPU %7.2f ms  (ratio of CPU to the bare aggregate %.2f)\n", nom, t.ms, t.cpu,
                t.cpu / ref.cpu);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench-services: no temporary folder\n");
        return 1;
    }
    try {
        G.ProgramDir = dir.path();
        G.MinutsCella = 30;
        G.BD = Db::create(dir.filePath(QStringLiteral("serveis.db")));
        creaEsquema(BD());
        omple(BD());
        const QString servei = QStringLiteral("Neteja");
        const auto s = Dades::llegeixServei(servei);
        if (!s) throw std::runtime_error("no service");

        // A price alone, then the minutes per unit (60 and 61 in turn).
        const Temps preu = mesura([&](int i) {
            Dades::Servei nou = *s;
            nou.preu = Decimal::fromInt(60 + i);
            if (!Dades::llocDesbordatPerServei(servei, nou.minuts).isEmpty()) throw std::runtime_error("refused");
            Dades::modificaServei(servei, nou);
        });
        const Temps minuts = mesura([&](int i) {
            Dades::Servei nou = *s;
            nou.minuts = i % 2 ? 60 : 61;
            if (!Dades::llocDesbordatPerServei(servei, nou.minuts).isEmpty()) throw std::runtime_error("refused");
            Dades::modificaServei(servei, nou);
        });
        // Minutes no visit can hold: the first site is named.
        const QString desbordat = Dades::llocDesbordatPerServei(servei, 20000);
        const Temps ok = mesura([&](int) {
            if (Parametres::feinaIncoherent(BD(), 8 * 60, 30)) throw std::runtime_error("incoherent");
        });
        const auto incoherent = Parametres::feinaIncoherent(BD(), 8 * 60 + 15, 30);

        const Temps liniesServei = agregat(
            QStringLiteral("SELECT total(feines_detall_quantitat) FROM Feines_Detall WHERE serveis_nom = ?"), {servei});
        const Temps inicis = agregat(QStringLiteral("SELECT max(feines_hora_inici) FROM Feines"));

        const qint64 feines = BD().scalar(QStringLiteral("SELECT count(*) FROM Feines")).toLongLong();
        const qint64 linies = BD().scalar(QStringLiteral("SELECT count(*) FROM Feines_Detall")).toLongLong();
        const qint64 obertes = BD().scalar(QStringLiteral("SELECT count(*) FROM Feines WHERE feines_feta = 0")).toLongLong();
        std::printf("services and settings: %d sites, ten years of weekly jobs: %lld jobs (%lld not done), %lld lines; "
                    "median of %d runs\n",
                    Llocs, feines, obertes, linies, Repeticions);
        linia("a service change, its price", preu, liniesServei);
        linia("a service change, its minutes", minuts, liniesServei);
        std::printf("  %-34s %7.2f ms, CPU %7.2f ms\n", "bare aggregate: the service's lines", liniesServei.ms,
                    liniesServei.cpu);
        linia("the settings OK", ok, inicis);
        std::printf("  %-34s %7.2f ms, CPU %7.2f ms\n", "bare aggregate: the jobs' starts", inicis.ms, inicis.cpu);
        std::printf("  goal: a service change under 30 ms: %s\n", veredicte(std::max(preu.cpu, minuts.cpu) < Objectiu));
        std::printf("  goal: the settings OK under 30 ms: %s\n", veredicte(ok.cpu < Objectiu));
        const bool bo = desbordat == u"Lloc 0" && incoherent == std::optional<qint32>(1);
        G.BD.reset();
        if (!bo) {
            std::fprintf(stderr, "bench-services: refused at '%s', first incoherent job %d\n", qPrintable(desbordat),
                         incoherent.value_or(0));
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench-services: %s\n", e.what());
        return 1;
    }
    return 0;
}
