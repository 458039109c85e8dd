// Computes and shows the month of 200 clients in turn on the billing tab, as
// choosing each client does, and compares it with reading the same rows
// with one prepared query per client, and with that read plus writing the
// same cell texts into plain tables. Then the billing run over all clients,
// with 1,000 of them, against computing the same months (each client's and
// the all-clients month the tab shows at the run's end). Prints its verdicts
// and exits 0 whatever the timings; only a month or a run that does not come
// out as built exits 1.
#include "CalculFacturacio.h"
#include "Consultes.h"
#include "Database.h"
#include "Esquema.h"
#include "Globals.h"
#include "Graella.h"
#include "LecturaFacturacio.h"
#include "MessageBox.h"
#include "Principal.h"
#include "Registre.h"
#include "SortidaImpressio.h"
#include "TabFacturacio.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int Clients = 200;
constexpr int ClientsCursa = 1000;   // the billing run's
constexpr int Rondes = 5;
constexpr int LlocsPerClient = 3;
constexpr int FeinesPerClient = 20;
const QDate Mes(2011, 3, 1);

double cpuSegons()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

QString nomClient(int c)
{
    return QStringLiteral("Client %1").arg(c, 3, 10, QChar(u'0'));
}

// Clients `primer` up to `fins` (excluded), each: 3 sites (the third of
// every fourth client with a monthly quota), 20 done jobs of the month over
// them with 3 lines each (one of the cheque service), and for every other
// client 6 cheques, 2 of them liquidated. The services and the resource come
// with the first client.
void dades(Db& db, int primer, int fins)
{
    Transaction t(db);
    if (primer == 0) {
        db.exec(QStringLiteral("INSERT INTO Serveis (serveis_nom, serveis_unitat, serveis_minuts_per_unitat, "
                               "serveis_preu_un) VALUES ('Hores', 'h', 60, 150000), ('Neteja', 'h', 60, 125000), "
                               "('Vidres', 'm2', 2, 8500)"));
        db.exec(QStringLiteral("INSERT INTO Recursos (recursos_nom, recursos_color) VALUES ('Pere', 255)"));
    }
    int xec = primer / 2 * 6 + 1;
    for (int c = primer; c < fins; ++c) {
        const QString client = nomClient(c);
        db.cached(QStringLiteral("INSERT INTO Clients (clients_nom, clients_xecs) VALUES (?, 1)"), {client});
        for (int l = 0; l < LlocsPerClient; ++l)
            db.cached(QStringLiteral("INSERT INTO Llocs (llocs_nom, clients_nom, llocs_quota) VALUES (?, ?, ?)"),
                      {QStringLiteral("%1 lloc %2").arg(client).arg(l), client,
                       l == 2 && c % 4 == 0 ? 1200000 : 0});
        QList<qint64> feines;
        for (int f = 0; f < FeinesPerClient; ++f) {
            const QString lloc = QStringLiteral("%1 lloc %2").arg(client).arg(f % LlocsPerClient);
            db.cached(QStringLiteral("INSERT INTO Feines (llocs_nom, feines_data, feines_hora_inici, feines_hora_fi, "
                                     "recursos_nom, feines_feta) VALUES (?, ?, '09:00', '11:00', 'Pere', 1)"),
                      {lloc, Mes.addDays(f).toString(Qt::ISODate)});
            const qint64 id = db.lastInsertId();
            feines << id;
            for (const char* servei : {"Hores", "Neteja", "Vidres"})
                db.cached(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat, "
                                         "feines_detall_preu_un, feines_detall_unitat) VALUES (?, ?, 25000, 125000, 'h')"),
                          {id, QString::fromLatin1(servei)});
        }
        if (c % 2 == 0) {
            for (int x = 0; x < 6; ++x)
                db.cached(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor, xecs_data_entrega, "
                                         "xecs_data_liquidat, feines_id) VALUES (?, ?, 150000, '2011-01-10', ?, ?)"),
                          {xec++, client, x < 2 ? QVariant(QStringLiteral("2011-03-25")) : QVariant(),
                           x < 2 ? QVariant(feines[x]) : QVariant()});
        }
    }
    t.commit();
}

// The same job and cheque rows as the billing reads them, with one prepared
// query per client and every value fetched.
double lecturaSimple(Db& db, qint64& files)
{
    const QString inici = Mes.toString(Qt::ISODate), fi = Mes.addMonths(1).toString(Qt::ISODate);
    const double cpu0 = cpuSegons();
    for (int c = 0; c < Clients; ++c) {
        QSqlQuery& q = db.cached(
            QStringLiteral("SELECT Llocs.llocs_quota, Feines.feines_id, Feines.feines_data, Llocs.llocs_nom, "
                           "Feines.recursos_nom, Feines.feines_feta, Feines.feines_data_factura, Feines.feines_quota, "
                           "Feines_Detall.serveis_nom, Feines_Detall.feines_detall_quantitat, "
                           "Feines_Detall.feines_detall_unitat, Feines_Detall.feines_detall_preu_un "
                           "FROM Llocs INNER JOIN Feines ON Llocs.llocs_nom = Feines.llocs_nom "
                           "LEFT JOIN Feines_Detall ON Feines.feines_id = Feines_Detall.feines_id "
                           "WHERE Llocs.clients_nom = ? AND Feines.feines_data >= ? AND Feines.feines_data < ? "
                           "ORDER BY Llocs.llocs_nom, Feines.feines_data, Feines.feines_id, "
                           "Feines_Detall.serveis_nom, Feines_Detall.feines_detall_unitat"),
            {nomClient(c), inici, fi});
        while (q.next()) {
            for (int i = 0; i < 12; ++i) q.value(i);
            ++files;
        }
        q.finish();
    }
    return cpuSegons() - cpu0;
}

// The texts of a grid's body rows.
QVector<QStringList> textsDe(const Graella* g)
{
    QVector<QStringList> files;
    for (int r = 1; r < g->Rows(); ++r) {
        QStringList fila;
        for (int c = 0; c < g->Cols(); ++c) fila << g->TextMatrix(r, c);
        files.append(fila);
    }
    return files;
}

// The same texts written into plain tables, one client after another.
double escripturaSimple(const QVector<QVector<QStringList>>& factures, const QVector<QVector<QStringList>>& xecs)
{
    QTableWidget f(0, 10), x(0, 10);
    const double cpu0 = cpuSegons();
    for (int c = 0; c < factures.size(); ++c) {
        for (auto [taula, files] : {std::pair{&f, &factures[c]}, std::pair{&x, &xecs[c]}}) {
            taula->clearContents();
            taula->setRowCount(int(files->size()));
            for (int r = 0; r < files->size(); ++r)
                for (int k = 0; k < 10; ++k) taula->setItem(r, k, new QTableWidgetItem((*files)[r][k]));
        }
    }
    return cpuSegons() - cpu0;
}

// The billing run over all clients, with ClientsCursa of them, against
// computing the months it computes: each client's as the tab computes it
// (its payment on account, its lines and cheques), then the all-clients
// month shown at its end. The median of Rondes rounds, the two taken in turn.
bool cursa(TabFacturacio& tab, EntradaFacturacio e)
{
    dades(BD(), Clients, ClientsCursa);
    QComboBox* combo = tab.clientsCombo();
    combo->clear();
    for (int c = 0; c < ClientsCursa; ++c) combo->addItem(nomClient(c));
    combo->setCurrentIndex(-1);

    QTemporaryDir documents;
    SortidaImpressio::setCarpetaProves(documents.path());
    MsgBox::setScripted(true);
    QString desti;
    Principal().Mostra_Estat = [&desti](const QString& t) { desti = t; };
    auto* boto = tab.findChild<QPushButton*>(QStringLiteral("ImprimirFacturacio"));
    const auto* xecs = tab.findChild<Graella*>(QStringLiteral("XecsGrid"));

    qint64 files = 0, xecsTots = 0;
    std::vector<double> calculs, curses, ms;
    bool bona = true;
    for (int ronda = 0; ronda < Rondes; ++ronda) {
        files = 0;
        EntradaFacturacio unClient = e;
        double cpu0 = cpuSegons();
        for (int c = 0; c < ClientsCursa; ++c) {
            unClient.client = nomClient(c);
            unClient.pagament = Pagament_Mes(unClient.mes, unClient.client);
            files += calculaMes(unClient).files.size();
        }
        EntradaFacturacio tots = e;
        tots.totsClients = true;
        xecsTots = calculaMes(tots).xecs.size();
        calculs.push_back(cpuSegons() - cpu0);

        QElapsedTimer rellotge;
        rellotge.start();
        cpu0 = cpuSegons();
        boto->click();
        curses.push_back(cpuSegons() - cpu0);
        ms.push_back(rellotge.nsecsElapsed() / 1e3 / 1e3);

        const FacturacioMes& m = tab.darrerResultat();
        const qint64 pdf = QDir(documents.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files).size();
        if (!MsgBox::shown().isEmpty() || pdf != ronda + 1 || desti.isEmpty() || combo->currentIndex() != -1
            || !m.totsClients || m.xecs.size() != xecsTots || xecs->Rows() != xecsTots + 1
            || !Registre_Missatges::text().contains(QStringLiteral("%1 clients").arg(ClientsCursa))) {
            std::fprintf(stderr, "bench-billing: the run left %lld documents, %lld boxes, %lld cheques shown of %lld\n",
                         pdf, qint64(MsgBox::shown().size()), qint64(xecs->Rows() - 1), xecsTots);
            bona = false;
            break;
        }
    }
    SortidaImpressio::setCarpetaProves(QString());
    Principal().Mostra_Estat = nullptr;
    if (!bona) return false;

    const double calcul = mediana(calculs), run = mediana(curses);
    std::printf("billing run: %d clients (%lld rows of their months), the all-clients month of %lld liquidated "
                "cheques shown at its end, median of %d rounds\n",
                ClientsCursa, files, xecsTots, Rondes);
    std::printf("  run over all clients, summary printed  %.0f ms, CPU %.3f s\n", mediana(ms), run);
    std::printf("  the same months computed              CPU %.3f s\n", calcul);
    std::printf("  ratio run / computed  %.2f\n", run / calcul);
    std::printf("  goal: the billing run over all clients within 2x computing the same months: %s\n",
                run <= 2 * calcul ? "met" : "NOT met");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench-billing: no temporary folder\n");
        return 1;
    }
    bool funciona = true;
    try {
        G.ProgramDir = dir.path();
        G.ServeiXecs = QStringLiteral("Hores");
        G.ValorXec = Decimal::fromInt(10);
        G.CostHoraXec = Decimal::fromInt(-5);
        G.MaxXecsMes = 5;
        G.DataAgenda = Mes;
        G.BD = Db::create(dir.filePath(QStringLiteral("facturacio.db")));
        creaEsquema(*G.BD);
        dades(*G.BD, 0, Clients);

        TabFacturacio tab;
        tab.resize(1000, 700);
        tab.inicia();
        for (int c = 0; c < Clients; ++c) tab.clientsCombo()->addItem(nomClient(c));
        tab.clientsCombo()->setCurrentIndex(-1);

        // Computation alone (reading and the pure part), then with the grids.
        EntradaFacturacio e;
        e.totsClients = false;
        e.mes = mesDeData(Mes);
        e.periode = *periodeDelMes(e.mes);
        e.parametres = ParametresFacturacio::delsGlobals();
        qint64 files = 0, maxSentencies = 0, xecsComptats = 0;
        double cpu0 = cpuSegons();
        for (int c = 0; c < Clients; ++c) {
            e.client = nomClient(c);
            const FacturacioMes m = calculaMes(e);
            files += m.files.size();
            xecsComptats += m.nombreXecs;
        }
        const double calcul = cpuSegons() - cpu0;

        cpu0 = cpuSegons();
        for (int c = 0; c < Clients; ++c) {
            const qint64 abans = BD().statementsRun();
            tab.clientsCombo()->setCurrentIndex(c);
            maxSentencies = qMax(maxSentencies, BD().statementsRun() - abans);
        }
        const double complet = cpuSegons() - cpu0;
        const auto& m = tab.darrerResultat();
        const auto* factura = tab.findChild<Graella*>(QStringLiteral("FacturaGrid"));
        const auto* graellaXecs = tab.findChild<Graella*>(QStringLiteral("XecsGrid"));

        // Each client: 20 jobs of 3 lines and their totals, a quota row for
        // every fourth; every other client 5 cheques counted (2 liquidated,
        // 3 more up to the month's maximum).
        const qint64 filesEsperades = Clients * FeinesPerClient * 4 + Clients / 4;
        if (files != filesEsperades || xecsComptats != Clients / 2 * 5 || m.client != nomClient(Clients - 1)
            || factura->Rows() != m.files.size() + 1) {
            std::fprintf(stderr, "bench-billing: %lld grid rows (expected %lld), %lld cheques counted (expected %d)\n",
                         files, filesEsperades, xecsComptats, Clients / 2 * 5);
            funciona = false;
        }

        qint64 filesReferencia = 0;
        const double referencia = lecturaSimple(BD(), filesReferencia);
        QVector<QVector<QStringList>> textsFactura, textsXecs;
        for (int c = 0; c < Clients; ++c) {
            tab.clientsCombo()->setCurrentIndex(c);
            textsFactura.append(textsDe(factura));
            textsXecs.append(textsDe(graellaXecs));
        }
        const double escriptura = escripturaSimple(textsFactura, textsXecs);

        std::printf("billing: %d clients, %d sites and %d done jobs of 3 lines each in %s\n", Clients,
                    LlocsPerClient, FeinesPerClient, qPrintable(e.mes));
        std::printf("  grid rows %lld (last client: %lld rows, %lld cheques, services %s)\n", files,
                    qint64(m.files.size()), qint64(m.xecs.size()), qPrintable(m.totalServeis.toFixed()));
        std::printf("  statements per client's month (payment, lines, cheques)  at most %lld\n", maxSentencies);
        std::printf("  read and computed                 CPU %.3f s\n", calcul);
        std::printf("  chosen, computed and shown        CPU %.3f s\n", complet);
        std::printf("  bare read, one prepared query     CPU %.3f s  (%lld rows)\n", referencia, filesReferencia);
        std::printf("  bare write of the same texts into plain tables  CPU %.3f s\n", escriptura);
        std::printf("  ratio computed / bare read  %.2f; shown / bare read  %.2f; shown / (bare read + bare write)  %.2f\n",
                    calcul / referencia, complet / referencia, complet / (referencia + escriptura));
        std::printf("  goal: at most 4 statements per client: %s\n", maxSentencies <= 4 ? "met" : "NOT met");
        std::printf("  goal: the 200 clients shown under 1 s: %s\n", complet < 1.0 ? "met" : "NOT met");
        std::printf("  goal: within 3x the bare read: %s (computed), %s (shown)\n",
                    calcul <= 3 * referencia ? "met" : "NOT met", complet <= 3 * referencia ? "met" : "NOT met");

        funciona = cursa(tab, e) && funciona;
        G.BD.reset();
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "bench-billing: %s\n", ex.what());
        return 1;
    }
    return funciona ? 0 : 1;
}
