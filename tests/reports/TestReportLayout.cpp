// Every printed document in the three languages, over names as long as their
// boxes take: no word overprints or touches another, leaves the page or
// crosses a drawn box or line, and no label runs into the name after it.
#include "Consultes.h"
#include "Convert.h"
#include "DadesFacturacio.h"
#include "FullFeina.h"
#include "ImpressioAgenda.h"
#include "InformeHores.h"
#include "InformeXecs.h"
#include "LecturaFacturacio.h"
#include "LlistaFeines.h"
#include "PaginaAgenda.h"
#include "PdfFixtures.h"
#include "ResumFacturacio.h"
#include "Traduccio.h"

#include <QtTest>

using namespace PdfFixtures;
using namespace TestSupport;

namespace {

// Fifty characters, the most the master data take.
const QString Client = QStringLiteral("Comunitat de Propietaris Carrer Major 123 Escala B");
const QString Lloc = QStringLiteral("Escala B del carrer Major 123 de Sant Cugat Vallès");
const QString LlocQuota = QStringLiteral("Garatge comunitari del carrer Major número 123 bis");
const QString Recurs = QStringLiteral("Maria Antònia Puigdollers i Vilanova de les Rieres");
const QString Servei = QStringLiteral("Abrillantat de vidres i finestrals del vestíbul 12");
const QString Unitat = QStringLiteral("hores de feina");
const QString Notes = QStringLiteral("Recollir les claus a la consergeria abans de les nou i tornar-les en acabar la "
                                     "feina; avisar la presidenta si falta material.");
const QDate Dimecres(2010, 3, 10);
const QString Mes = QStringLiteral("03/2010");

// A client with the longest names, its sites, a worker doing its jobs every
// working day of March (four of them on the 10th), extra hours and
// liquidated cheques.
void omple()
{
    BD().exec(QStringLiteral("INSERT INTO Clients (clients_nom, clients_xecs, \"clients_NIF\", \"clients_adreça\", "
                             "clients_codi_postal, clients_poblacio, clients_telefons, clients_ccc) "
                             "VALUES (?, 1, 'B12345678', ?, '08172', ?, ?, '2100-0001-11-1234567890')"),
              {Client, QStringLiteral("Carrer Major de Sant Cugat del Vallès 123 Escala B"),
               QStringLiteral("Sant Cugat del Vallès i Valldoreix de Collserola"),
               QStringLiteral("93 123 45 67 - 600 123 456 - 93 765 43 21 tardes")});
    addClient(QStringLiteral("Associació de Veïns del Barri de Sant Pere Més Alt"), true);
    addService(Servei, 60, Decimal::fromInt(10), false, Unitat);
    addResource(Recurs, 0x3366CC);
    addSite(Lloc, Client, 60, Recurs);
    addSite(LlocQuota, Client, 60, Recurs);
    addSite(QStringLiteral("Local social de l'Associació de Veïns de Sant Pere"),
            QStringLiteral("Associació de Veïns del Barri de Sant Pere Més Alt"), 60, Recurs);
    BD().exec(QStringLiteral("UPDATE Llocs SET llocs_quota = 1234500 WHERE llocs_nom = ?"), {LlocQuota});
    int xec = 1001;
    for (int dia = 1; dia <= 31; ++dia) {
        const QDate d(2010, 3, dia);
        if (d.dayOfWeek() > 5) continue;
        const QStringList hores = dia == 10 ? QStringList{"08:00", "09:30", "11:00", "16:00"} : QStringList{"09:00"};
        for (const QString& h : hores) {
            const QString fi = QTime::fromString(h, QStringLiteral("hh:mm")).addSecs(3600).toString(QStringLiteral("hh:mm"));
            const QString lloc = h == QLatin1String("11:00") ? LlocQuota
                                 : h == QLatin1String("16:00") ? QStringLiteral("Local social de l'Associació de Veïns de Sant Pere")
                                                               : Lloc;
            const int feina = addJob(lloc, d, h, fi, Recurs, true);
            addJobLine(feina, Servei, Decimal::fromRaw(15000), Decimal::fromRaw(1234500), Unitat);
            BD().exec(QStringLiteral("UPDATE Feines SET feines_observacions = ? WHERE feines_id = ?"), {Notes, feina});
            if (lloc == Lloc)
                BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor, xecs_data_entrega, "
                                         "xecs_data_liquidat, feines_id) VALUES (?, ?, 120000, '2010-01-01', ?, ?)"),
                          {xec++, Client, Conv::isoDate(d), feina});
        }
        Grava_Hores_Fetes(Decimal::fromRaw(15000), Recurs, d);
    }
    // A day of the board busier than a page holds (jobs not done, of another worker).
    for (int i = 0; i < 30; ++i) {
        const QTime t = QTime(8, 0).addSecs(i * 900);
        addJob(Lloc, QDate(2010, 3, 31), t.toString(QStringLiteral("hh:mm")),
               t.addSecs(900).toString(QStringLiteral("hh:mm")), QStringLiteral("Anna"));
    }
    G.ServeiXecs = Servei;
    G.ValorXec = Decimal::fromInt(10);
    G.CostHoraXec = Decimal::fromInt(-5);
    G.MaxXecsMes = 5;
}

FullFeina fullFeina()
{
    FullFeina f;
    f.id = QStringLiteral("123456");
    f.lloc = Lloc;
    f.data = Conv::shortDate(Dimecres);
    f.horaInici = QStringLiteral("09:30");
    f.horaFi = QStringLiteral("10:30");
    f.recurs = Recurs;
    f.feta = true;
    f.observacions = Notes;
    for (int i = 0; i < 25; ++i) {
        LiniaFullFeina l;
        l.servei = Servei;
        l.descripcio = Servei;
        l.quantitat = Decimal::fromRaw(15000);
        l.unitat = Unitat;
        l.preu = Decimal::fromRaw(1234500);
        f.linies.append(l);
    }
    return f;
}

FacturacioMes mesClient(const QString& client)
{
    EntradaFacturacio e;
    e.totsClients = false;
    e.client = client;
    e.mes = Mes;
    e.periode = *periodeDelMes(Mes);
    e.pagament.import = Decimal::fromInt(100);
    e.parametres = ParametresFacturacio::delsGlobals();
    return calculaMes(e);
}

void imprimeix(const QString& document, AgendaTest::Pagina& pagina)
{
    const PeriodeAgenda mes{QStringLiteral("mes"), Dimecres, QDate(2010, 3, 8), Dimecres};
    if (document == QLatin1String("job sheet")) {
        Imprimeix_Detall_Feina(fullFeina());
    } else if (document.startsWith(QLatin1String("agenda "))) {
        const QString mode = document.mid(7);
        pagina.veu(mode, Dimecres);
        pagina.tab->Omple_Agenda();
        ImprimirAgenda_Click(pagina.board(), {mode, Dimecres, G.DataIniciSetmana, Dimecres});
    } else if (document == QLatin1String("jobs list")) {
        Imprimeix_Feines(Recurs, false, mes);
    } else if (document == QLatin1String("cheques")) {
        Imprimeix_Xecs(QDate(2010, 3, 1), Servei);
    } else if (document == QLatin1String("billing data")) {
        Imprimeix_Dades_Facturacio(mesClient(Client));
    } else if (document == QLatin1String("billing run")) {
        imprimeixDocument(QStringLiteral("Resum"), [](Impressora& p) {
            ResumFacturacio resum(p, Mes, QDate(2010, 3, 1), Dimecres);
            resum.comenca();
            for (int i = 0; i < 4; ++i) {
                resum.client(mesClient(Client));
                resum.client(mesClient(QStringLiteral("Associació de Veïns del Barri de Sant Pere Més Alt")));
            }
            resum.totalMes();
        });
    } else if (document == QLatin1String("extra hours")) {
        Imprimeix_Hores_Extres(QDate(2010, 3, 1));
    }
}

// A word's box narrowed to its letters: the text tool's box takes the font's
// whole height, which the lines of a report overlap by design.
QRectF lletres(const QRectF& r)
{
    return r.adjusted(0.25, r.height() * 0.15, -0.25, -r.height() * 0.15);
}

// The width of a blank for each point of a word's height (its box's), as the
// documents' font has it, a little less to spare the rounding of positions.
double blancPerAlcada()
{
    QFont f;
    f.setPointSizeF(100);
    const QFontMetricsF m(f);
    return 0.9 * m.horizontalAdvance(u' ') / m.height();
}

// What is wrong on one page: the words that overprint, leave the page or
// cross a box or a line, and the words of a line that follow one another
// with less than a blank between them ("" when nothing).
QStringList defectes(const PaginaParaules& pagina, const Impressora::TracatPagina& tracat)
{
    static const double blanc = blancPerAlcada();
    QStringList out;
    const auto punts = [](const QRectF& twips) {
        return QRectF(twips.topLeft() / 20.0, twips.bottomRight() / 20.0);
    };
    const QRectF full(QPointF(0, 0), pagina.mida);
    const QList<Paraula>& ps = pagina.paraules;
    for (qsizetype i = 0; i < ps.size(); ++i) {
        const QRectF a = lletres(ps[i].caixa);
        if (!full.contains(a)) out << QStringLiteral("'%1' leaves the page").arg(ps[i].text);
        for (qsizetype j = i + 1; j < ps.size(); ++j) {
            const QRectF b = lletres(ps[j].caixa);
            if (a.intersects(b)) {
                out << QStringLiteral("'%1' over '%2'").arg(ps[i].text, ps[j].text);
            } else if (a.top() < b.bottom() && b.top() < a.bottom()) {
                const QRectF &ca = ps[i].caixa, &cb = ps[j].caixa;
                const double entre = qMax(cb.left() - ca.right(), ca.left() - cb.right());
                if (entre < blanc * qMax(ca.height(), cb.height()))
                    out << QStringLiteral("'%1' touches '%2'").arg(ps[i].text, ps[j].text);
            }
        }
        for (const QRectF& caixa : tracat.caixes) {
            const QRectF c = punts(caixa);
            if (a.intersects(c) && !c.contains(a)) out << QStringLiteral("'%1' crosses a box").arg(ps[i].text);
        }
        // The documents draw their lines across or down the page only.
        for (const QLineF& l : tracat.linies)
            if (a.intersects(QRectF(l.p1() / 20.0, l.p2() / 20.0).normalized().adjusted(-0.01, -0.01, 0.01, 0.01)))
                out << QStringLiteral("'%1' crosses a line").arg(ps[i].text);
    }
    return out;
}

} // namespace

class TestReportLayout : public SeamedTest {
    Q_OBJECT
private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Torvanel")); }

    void noTextOverprints_data();
    void noTextOverprints();
};

void TestReportLayout::noTextOverprints_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("idioma");
    // Texts whose words stand alone, each translated first (names have no rows).
    QTest::addColumn<QStringList>("soles");
    const QList<std::pair<const char*, QStringList>> documents{
        {"job sheet", {"Lloc:", "Escala", "Recurs:", "Maria", "Abrillantat", "Servei", "Quantitat", "Unitat"}},
        {"agenda mes", {"Escala", "Garatge"}},
        {"agenda setmana", {"Escala", "Garatge"}},
        {"agenda dia", {"Escala", "Garatge", "Maria"}},
        {"jobs list", {"Data", "Hora inici", "Hora fi", "Lloc", "Recursos", "Escala", "Maria", "Notes:"}},
        {"cheques", {"COMUNITAT", "Xec", "Escala", "MARIA"}},
        {"billing data", {"Client:", "Comunitat", "Telèfons:", "CCC:", "Data", "Lloc", "Recurs", "Servei", "Escala",
                          "Maria", "Abrillantat", "Garatge"}},
        {"billing run", {"Servei/Lloc", "Quantitat", "COMUNITAT", "ASSOCIACIÓ", "Abrillantat", "Garatge"}},
        {"extra hours", {"MARIA"}},
    };
    for (const auto& [document, soles] : documents)
        for (const char* idioma : {"CT", "ES", "EN"})
            QTest::addRow("%s %s", document, idioma) << QString::fromLatin1(document) << QString::fromLatin1(idioma)
                                                      << soles;
}

void TestReportLayout::noTextOverprints()
{
    QFETCH(QString, document);
    QFETCH(QString, idioma);
    QFETCH(QStringList, soles);
    AgendaTest::Pagina pagina(QStringList{});
    omple();
    G.Idioma = idioma;
    QLocale::setDefault(QLocale(idioma == QLatin1String("EN") ? QStringLiteral("en_GB")
                                : idioma == QLatin1String("ES") ? QStringLiteral("es_ES")
                                                               : QStringLiteral("ca_ES")));
    G.PosicioSaltPagina = 7000;
    CarpetaPdf carpeta;
    imprimeix(document, pagina);
    QCOMPARE(shownTexts(), QStringList());
    const QString pdf = carpeta.unic();
    QVERIFY(!pdf.isEmpty());
    const QList<PaginaParaules> pagines = paraules(pdf);
    const QList<Impressora::TracatPagina> tracat = Impressora::darrerTracat();
    QCOMPARE(pagines.size(), tracat.size());
    QVERIFY2(pagines.size() > 1 || document.startsWith(QLatin1String("agenda")), "a page break is part of the check");
    QStringList errors;
    QSet<QString> totes;
    for (qsizetype i = 0; i < pagines.size(); ++i) {
        for (const QString& e : defectes(pagines[i], tracat[i])) errors << QStringLiteral("p. %1: %2").arg(i + 1).arg(e);
        for (const Paraula& p : pagines[i].paraules) totes.insert(p.text.toCaseFolded());
    }
    for (const QString& s : soles)
        for (const QString& paraula : Tradueix(s).split(u' ', Qt::SkipEmptyParts))
            if (!totes.contains(paraula.toCaseFolded())) errors << QStringLiteral("'%1' does not stand alone").arg(paraula);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
}

QTEST_MAIN(TestReportLayout)
#include "TestReportLayout.moc"
