// The board's layout without widgets: rows, labels and headers of the three
// views, the cells of jobs (colours, marks, several-jobs marker, ids), the
// day view's resource columns and extra hours, the current cell.
#include "Consultes.h"
#include "DisposicioAgenda.h"
#include "TestSupport.h"

#include <QTest>

namespace {

constexpr qint32 Anna = 0x0000FF;   // red
constexpr qint32 Pere = 0x00FF00;   // green
constexpr qint32 Marta = 0xFF0000;  // blue

// The board of Wednesday 10 March 2010 (today), weeks from Monday, 08:00 to
// 20:00 in cells of 30 minutes.
EntradaAgenda entrada(VistaAgenda vista)
{
    EntradaAgenda e;
    e.vista = vista;
    e.avui = QDate(2010, 3, 10);
    e.dataAgenda = e.avui;
    e.dataIniciSetmana = QDate(2010, 3, 8);
    e.dataIniciMes = QDate(2010, 3, 1);
    e.dataCalendari = e.avui;
    e.mida = QSize(620, 566);
    e.vora = 2;
    e.parametres.horaInici = QStringLiteral("08:00");
    e.parametres.minutsCella = 30;
    e.parametres.cellesDia = 24;
    e.recursos.afegeix(QStringLiteral("Anna"), {Anna, true});
    e.recursos.afegeix(QStringLiteral("Pere"), {Pere, false});
    e.recursos.afegeix(QStringLiteral("Marta"), {Marta, true});
    return e;
}

// "id lloc yyyy-mm-dd start end [resource] [done]", "-" for no resource.
FeinaAgenda feina(const QString& descr)
{
    const QStringList p = descr.split(u' ');
    FeinaAgenda f;
    f.id = p[0].toInt();
    f.lloc = p[1];
    f.data = QDate::fromString(p[2], Qt::ISODate);
    f.horaInici = p[3];
    f.horaFi = p[4];
    f.recurs = p.value(5) == u'-' ? QString() : p.value(5);
    f.feta = p.value(6) == QLatin1String("feta");
    return f;
}

QList<FeinaAgenda> feines(const QStringList& descrs)
{
    QList<FeinaAgenda> out;
    for (const QString& s : descrs) out << feina(s);
    return out;
}

QString colorDe(const CellaAgenda& c)
{
    if (c.fonsFix) return QStringLiteral("fix");
    if (!c.color) return QStringLiteral("cap");
    if (*c.color == Anna) return QStringLiteral("Anna");
    if (*c.color == Pere) return QStringLiteral("Pere");
    if (*c.color == Marta) return QStringLiteral("Marta");
    if (*c.color == ColorFinestraSistema) return QStringLiteral("sistema");
    return QString::number(*c.color);
}

QList<qint32> ids(std::initializer_list<qint32> l) { return QList<qint32>(l); }

} // namespace

class TestAgendaLayout : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }

    void rowsOfAJob_data();
    void rowsOfAJob();
    void weekLabelsHeadersAndLunch();
    void monthShowsFortyTwoDaysFromTheWeekStart_data();
    void monthShowsFortyTwoDaysFromTheWeekStart();
    void monthCellsListTheirJobs();
    void weekJobCells_data();
    void weekJobCells();
    void jobsAtTheEdgesAreDrawn_data();
    void jobsAtTheEdgesAreDrawn();
    void jobThatCannotBeReadIsReportedAndTheRestDrawn();
    void dayColumnsAndExtraHours();
    void dayWithNineResourcesNarrowsTheColumns();
    void currentCellStaysWithinTheGrid_data();
    void currentCellStaysWithinTheGrid();
    void hoursFormat();
};

// Board 08:00-20:00 (25 rows) unless the case says "day": 00:00-24:00 (49 rows).
void TestAgendaLayout::rowsOfAJob_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<QString>("inici");
    QTest::addColumn<QString>("fi");
    QTest::addColumn<int>("primera");   // -1: the times cannot be read
    QTest::addColumn<int>("darrera");
    QTest::newRow("an hour from 09:00") << "" << "09:00" << "10:00" << 3 << 4;
    QTest::newRow("45 minutes take one cell") << "" << "09:00" << "09:45" << 3 << 3;
    QTest::newRow("no length still one cell") << "" << "09:00" << "09:00" << 3 << 3;
    QTest::newRow("starts before the first hour") << "" << "07:00" << "08:30" << 1 << 1;
    QTest::newRow("ends before the first hour") << "" << "07:00" << "07:30" << 0 << 0;
    QTest::newRow("ends at the first hour") << "" << "07:30" << "08:00" << 0 << 0;
    QTest::newRow("ends inside the first cell") << "" << "07:50" << "08:10" << 1 << 1;
    QTest::newRow("starts an hour early, ends inside the first cell") << "" << "07:00" << "08:20" << 1 << 1;
    QTest::newRow("no length at the first hour") << "" << "08:00" << "08:00" << 1 << 1;
    QTest::newRow("no length before the first hour") << "" << "07:30" << "07:30" << 0 << 0;
    QTest::newRow("starts after the last row") << "" << "20:00" << "21:00" << 0 << 0;
    QTest::newRow("runs past the last row") << "" << "19:00" << "22:00" << 23 << 24;
    QTest::newRow("24:00 on a whole-day board") << "day" << "23:00" << "24:00" << 47 << 48;
    QTest::newRow("empty end") << "" << "09:00" << "" << -1 << -1;
    QTest::newRow("malformed start") << "" << "9h" << "10:00" << -1 << -1;
}

void TestAgendaLayout::rowsOfAJob()
{
    QFETCH(QString, board);
    QFETCH(QString, inici);
    QFETCH(QString, fi);
    QFETCH(int, primera);
    QFETCH(int, darrera);
    ParametresAgenda p;
    p.horaInici = board.isEmpty() ? QStringLiteral("08:00") : QStringLiteral("00:00");
    p.cellesDia = board.isEmpty() ? 24 : 48;
    const auto f = filesFeina(inici, fi, p, p.cellesDia + 1);
    QCOMPARE(f.has_value(), primera >= 0);
    if (!f) return;
    QCOMPARE(f->inici, primera);
    QCOMPARE(f->final, darrera);
}

void TestAgendaLayout::weekLabelsHeadersAndLunch()
{
    const DisposicioAgenda d = disposaAgenda(entrada(VistaAgenda::Setmana));
    QCOMPARE(d.files, 25);
    QCOMPARE(d.columnes, 8);
    QCOMPARE(d.cella(1, 0).text, QStringLiteral("08:00"));
    QCOMPARE(d.cella(24, 0).text, QStringLiteral("19:30"));
    // Lunch labels 13:30 <= t < 15:00 in the Sunday colour.
    for (int r = 1; r < d.files; ++r) {
        const QString t = d.cella(r, 0).text;
        const bool dinar = t == u"13:30" || t == u"14:00" || t == u"14:30";
        QVERIFY2(d.cella(r, 0).color.has_value() == dinar, qPrintable(t));
        QVERIFY(d.cella(r, 0).fontEtiqueta && d.cella(r, 0).alineacio == 3);
    }
    QCOMPARE(d.cella(0, 0).text, QStringLiteral("març 2010"));
    QVERIFY(d.cella(0, 0).negreta);
    QCOMPARE(d.cella(0, 1).text, QStringLiteral("dilluns, 8"));
    QCOMPARE(d.cella(0, 7).text, QStringLiteral("diumenge, 14"));
    // Headers of days before today are bold; only Sunday's header is coloured.
    for (int c = 1; c <= 7; ++c) {
        QCOMPARE(d.cella(0, c).negreta, c <= 2);
        QCOMPARE(d.cella(0, c).color.has_value(), c == 7);
        QVERIFY(!d.cella(5, c).color.has_value());
    }
    QCOMPARE(*d.cella(0, 7).color, d.cella(14, 0).color.value());
    QCOMPARE(d.alineacioColumna, QVector<int>({3, 4, 4, 4, 4, 4, 4, 4}));
    QCOMPARE(d.fusioColumna, QVector<bool>({false, true, true, true, true, true, true, true}));
    QVERIFY(!d.ambHores);
    // The rows share the laid-out height; the board fits its cells.
    QCOMPARE(d.altFila, (566 - 2 - d.altCapcalera) / 24);
    QCOMPARE(d.midaTauler.height(), 24 * d.altFila + d.altCapcalera + 2);
    QCOMPARE(d.midaTauler.width(), 7 * d.ampleColumna + d.ampleEtiquetes + 2);
}

void TestAgendaLayout::monthShowsFortyTwoDaysFromTheWeekStart_data()
{
    QTest::addColumn<int>("primerDia");
    QTest::addColumn<QDate>("inici");
    QTest::addColumn<QString>("capcalera1");
    QTest::addColumn<int>("colDiumenge");
    // April 2010 begins on a Thursday.
    QTest::newRow("weeks from Monday") << 2 << QDate(2010, 3, 29) << "dilluns" << 7;
    QTest::newRow("weeks from Sunday") << 1 << QDate(2010, 3, 28) << "diumenge" << 1;
}

void TestAgendaLayout::monthShowsFortyTwoDaysFromTheWeekStart()
{
    QFETCH(int, primerDia);
    QFETCH(QDate, inici);
    QFETCH(QString, capcalera1);
    QFETCH(int, colDiumenge);
    const QDate dia(2010, 4, 15);
    QCOMPARE(iniciMes(dia, primerDia), inici);
    QCOMPARE(iniciSetmana(inici.addDays(3), primerDia), inici);
    EntradaAgenda e = entrada(VistaAgenda::Mes);
    e.dataAgenda = e.dataCalendari = dia;
    e.dataIniciMes = inici;
    e.dataIniciSetmana = iniciSetmana(dia, primerDia);
    const QDate darrer = inici.addDays(41);
    e.feines = {feina(QStringLiteral("1 Primer %1 08:00 09:00").arg(inici.toString(Qt::ISODate))),
                feina(QStringLiteral("2 Darrer %1 10:00 11:00").arg(darrer.toString(Qt::ISODate)))};
    const DisposicioAgenda d = disposaAgenda(e);
    QCOMPARE(d.files, 7);
    QCOMPARE(d.columnes, 8);
    QCOMPARE(d.cella(0, 1).text, capcalera1);
    for (int c = 1; c <= 7; ++c) QCOMPARE(d.cella(0, c).color.has_value(), c == colDiumenge);
    QCOMPARE(d.cella(1, 0).text, QStringLiteral("%1/3").arg(inici.day()));
    QCOMPARE(d.cella(6, 0).text, QStringLiteral("%1/5").arg(inici.addDays(35).day()));
    // Days of the neighbouring months are filled like the others.
    QCOMPARE(d.cella(1, 1).text, QStringLiteral("08:00 Primer"));
    QCOMPARE(d.cella(6, 7).text, QStringLiteral("10:00 Darrer"));
    QCOMPARE(dataCellaMes(6, 7, inici), darrer);
    QCOMPARE(cellaDataMes(darrer, inici), QPoint(7, 6));
    QCOMPARE(cellaDataMes(darrer.addDays(1), inici), QPoint(0, 0));
    QCOMPARE(d.alineacioColumna[0], 4);
    QCOMPARE(d.alineacioColumna[3], 0);
    QVERIFY(!d.fusioColumna[3]);
}

void TestAgendaLayout::monthCellsListTheirJobs()
{
    EntradaAgenda e = entrada(VistaAgenda::Mes);
    e.dataCalendari = QDate(2011, 1, 5);   // the corner shows the calendar's year
    e.feines = feines({"1 Alfa 2010-03-17 08:00 09:00 Anna", "2 Beta 2010-03-17 09:00 10:00",
                       "3 Gamma 2010-03-17 09:00 09:30 Pere feta", "4 Delta 2010-03-09 10:00 11:00"});
    const DisposicioAgenda d = disposaAgenda(e);
    QCOMPARE(d.cella(0, 0).text, QStringLiteral("2011"));
    const CellaAgenda& c = d.cella(3, 3);   // Wednesday 17 March
    QCOMPARE(c.text, QStringLiteral("08:00 Alfa\r\n09:00 Beta\r\n09:00 Gamma"));
    QCOMPARE(c.feines, ids({1, 2, 3}));
    QVERIFY(!c.color && !c.subratllat && !c.negreta);   // no colour or done mark in the month view
    // Days before today (10 March) are bold, whether they hold jobs or not.
    QVERIFY(d.cella(2, 2).negreta && d.cella(1, 1).negreta && d.cella(2, 1).negreta);
    QVERIFY(!d.cella(2, 3).negreta && !d.cella(2, 4).negreta);
    QCOMPARE(d.cella(2, 2).text, QStringLiteral("10:00 Delta"));
}

// Week of 8-14 March 2010, today Wednesday 10. Rows: 10:00 is row 5, 10:30 row 6.
void TestAgendaLayout::weekJobCells_data()
{
    QTest::addColumn<QStringList>("jobs");
    QTest::addColumn<QPoint>("cell");   // x = column, y = row
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("color");
    QTest::addColumn<bool>("negreta");
    QTest::addColumn<bool>("subratllat");
    QTest::addColumn<QList<qint32>>("ids");

    const QStringList dosLlocs{"1 Alfa 2010-03-11 10:00 11:00 Anna", "2 Beta 2010-03-11 10:30 11:30 Pere"};
    QTest::newRow("two sites: shared cell") << dosLlocs << QPoint(4, 6) << "..." << "fix" << false << false << ids({1, 2});
    QTest::newRow("two sites: first job's own cell") << dosLlocs << QPoint(4, 5) << "Alfa" << "Anna" << false << false << ids({1});
    QTest::newRow("same site and resource: no marker")
        << QStringList{"1 Alfa 2010-03-11 10:00 11:00 Anna", "2 Alfa 2010-03-11 10:30 11:30 Anna"} << QPoint(4, 6)
        << "Alfa" << "Anna" << false << false << ids({1, 2});
    QTest::newRow("same site, other resource: marker")
        << QStringList{"1 Alfa 2010-03-11 10:00 11:00 Anna", "2 Alfa 2010-03-11 10:30 11:30 Pere"} << QPoint(4, 6)
        << "..." << "fix" << false << false << ids({1, 2});
    QTest::newRow("marker takes the underline off")
        << QStringList{"1 Alfa 2010-03-11 10:00 11:00 Anna feta", "2 Beta 2010-03-11 10:00 11:00 Pere"}
        << QPoint(4, 5) << "..." << "fix" << false << false << ids({1, 2});
    QTest::newRow("third job on a marker") << (dosLlocs + QStringList{"3 Alfa 2010-03-11 10:30 11:00 Anna"})
        << QPoint(4, 6) << "..." << "fix" << false << false << ids({1, 2, 3});
    QTest::newRow("done job of a past day: underlined and bold")
        << QStringList{"1 Alfa 2010-03-08 09:00 10:00 Anna feta"} << QPoint(1, 4) << "Alfa" << "Anna" << true
        << true << ids({1});
    QTest::newRow("done job of today: underlined only")
        << QStringList{"1 Alfa 2010-03-10 09:00 10:00 Anna feta"} << QPoint(3, 3) << "Alfa" << "Anna" << false
        << true << ids({1});
    QTest::newRow("unassigned job in the window colour")
        << QStringList{"1 Alfa 2010-03-14 09:00 10:00 -"} << QPoint(7, 3) << "Alfa" << "sistema" << false << false
        << ids({1});
    QTest::newRow("resource names in any case")
        << QStringList{"1 Alfa 2010-03-14 09:00 10:00 anna"} << QPoint(7, 3) << "Alfa" << "Anna" << false << false
        << ids({1});
    QTest::newRow("the row where a job ends stays empty")
        << QStringList{"1 Alfa 2010-03-11 09:00 10:00 Anna"} << QPoint(4, 5) << "" << "cap" << false << false
        << ids({});
    QTest::newRow("ends at 24:00: drawn down to the last row")
        << QStringList{"1 Alfa 2010-03-11 19:00 24:00 Anna"} << QPoint(4, 24) << "Alfa" << "Anna" << false << false
        << ids({1});
    QTest::newRow("date outside the week: not drawn")
        << QStringList{"1 Alfa 2010-03-15 09:00 10:00 Anna"} << QPoint(7, 3) << "" << "cap" << false << false
        << ids({});
}

void TestAgendaLayout::weekJobCells()
{
    QFETCH(QStringList, jobs);
    QFETCH(QPoint, cell);
    QFETCH(QString, text);
    QFETCH(QString, color);
    QFETCH(bool, negreta);
    QFETCH(bool, subratllat);
    QFETCH(QList<qint32>, ids);
    EntradaAgenda e = entrada(VistaAgenda::Setmana);
    e.feines = feines(jobs);
    const DisposicioAgenda d = disposaAgenda(e);
    const CellaAgenda& c = d.cella(cell.y(), cell.x());
    QCOMPARE(c.text, text);
    QCOMPARE(colorDe(c), color);
    QCOMPARE(c.varies, text == u"...");
    QCOMPARE(c.negreta, negreta);
    QCOMPARE(c.subratllat, subratllat);
    QCOMPARE(c.feines, ids);
    QVERIFY(d.errors.isEmpty());
}

// A job that exists during the shown hours takes at least one cell, in the
// week view (Wednesday 10 March is column 3) and in the day view (column 1).
void TestAgendaLayout::jobsAtTheEdgesAreDrawn_data()
{
    QTest::addColumn<QString>("vista");
    QTest::addColumn<QString>("hores");
    QTest::addColumn<int>("fila");
    for (const char* vista : {"setmana", "dia"}) {
        const QString v = QString::fromLatin1(vista);
        QTest::addRow("%s: 07:50-08:10 in the first cell", vista) << v << "07:50 08:10" << 1;
        QTest::addRow("%s: 07:00-08:20 in the first cell", vista) << v << "07:00 08:20" << 1;
        QTest::addRow("%s: no length takes its cell", vista) << v << "09:00 09:00" << 3;
    }
}

void TestAgendaLayout::jobsAtTheEdgesAreDrawn()
{
    QFETCH(QString, vista);
    QFETCH(QString, hores);
    QFETCH(int, fila);
    EntradaAgenda e = entrada(*vistaDeMode(vista));
    e.feines = feines({QStringLiteral("1 Alfa 2010-03-10 %1 Anna").arg(hores)});
    const DisposicioAgenda d = disposaAgenda(e);
    const int c = vista == u"setmana" ? 3 : 1;
    QCOMPARE(d.cella(fila, c).text, QStringLiteral("Alfa"));
    QCOMPARE(colorDe(d.cella(fila, c)), QStringLiteral("Anna"));
    QCOMPARE(d.cella(fila, c).feines, ids({1}));
    for (int r = 1; r < d.files; ++r)
        if (r != fila) QVERIFY2(d.cella(r, c).text.isEmpty(), qPrintable(QString::number(r)));
    QVERIFY(d.errors.isEmpty());
}

void TestAgendaLayout::jobThatCannotBeReadIsReportedAndTheRestDrawn()
{
    for (VistaAgenda vista : {VistaAgenda::Setmana, VistaAgenda::Dia}) {
        EntradaAgenda e = entrada(vista);
        e.feines = feines({"7 Alfa 2010-03-10 09:00 9h Anna", "8 Beta 2010-03-10 11:00 12:00 Anna"});
        const DisposicioAgenda d = disposaAgenda(e);
        QCOMPARE(d.errors.size(), 1);
        QVERIFY(d.errors[0].contains(u"7") && d.errors[0].contains(u"9h"));
        const int c = vista == VistaAgenda::Setmana ? 3 : 1;
        QCOMPARE(d.cella(7, c).text, QStringLiteral("Beta"));
        QCOMPARE(d.cella(3, c).text, QString());
    }
}

void TestAgendaLayout::dayColumnsAndExtraHours()
{
    EntradaAgenda e = entrada(VistaAgenda::Dia);
    e.dataAgenda = QDate(2010, 3, 9);   // a past day: the day view marks none
    // As the day query gives them: unassigned first, then by resource and start;
    // the team Equip (Anna and Pere) comes once per member.
    e.feines = feines({"1 Xec 2010-03-09 09:00 10:00 -", "2 Alfa 2010-03-09 09:00 10:00 Anna",
                       "3 Equip 2010-03-09 09:30 10:30 Anna", "4 Gamma 2010-03-09 11:00 12:00 Anna",
                       "5 Fora 2010-03-09 06:00 07:00 Anna", "3 Equip 2010-03-09 09:30 10:30 Pere"});
    e.horesExtra = {{QStringLiteral("Anna"), Decimal::fromRaw(15000)}, {QStringLiteral("Marta"), Decimal::fromInt(2)}};
    const DisposicioAgenda d = disposaAgenda(e);
    QCOMPARE(d.files, 25);
    QCOMPARE(d.columnes, 8);
    QCOMPARE(d.cella(0, 0).text, QStringLiteral("dimarts, 9"));
    QCOMPARE(d.cella(24, 0).text, QStringLiteral("19:30"));
    const QStringList capcaleres{"< >", "Anna", "Anna", "Pere", "", "", ""};
    for (int c = 1; c <= 7; ++c) QCOMPARE(d.cella(0, c).text, capcaleres[c - 1]);
    QCOMPARE(d.cella(3, 1).text, QStringLiteral("Xec"));
    QCOMPARE(colorDe(d.cella(3, 1)), QStringLiteral("sistema"));
    // The overlapping job opens a second column; the next one fits the first again.
    QCOMPARE(d.cella(4, 2).text, QStringLiteral("Alfa"));
    QCOMPARE(d.cella(4, 3).text, QStringLiteral("Equip"));
    QCOMPARE(d.cella(7, 2).text, QStringLiteral("Gamma"));
    QCOMPARE(d.cella(7, 2).feines, ids({4}));
    QCOMPARE(d.cella(7, 3).text, QString());
    // A team's job in each member's column, in the member's colour.
    QCOMPARE(d.cella(4, 4).text, QStringLiteral("Equip"));
    QCOMPARE(colorDe(d.cella(4, 4)), QStringLiteral("Pere"));
    QCOMPARE(colorDe(d.cella(4, 3)), QStringLiteral("Anna"));
    for (int r = 1; r < d.files; ++r)
        for (int c = 1; c < d.columnes; ++c) QVERIFY(!d.cella(r, c).negreta);
    // Extra hours: the stored value by header; "0,00" for a column of a resource that records time.
    QVERIFY(d.ambHores);
    QCOMPARE(d.hores.size(), 8);
    QCOMPARE(d.hores[0].text, QStringLiteral("Hores extra"));
    QVERIFY(d.hores[0].negreta);
    const QStringList hores{"", "1,50", "1,50", "", "", "", ""};
    for (int c = 1; c <= 7; ++c) QCOMPARE(d.hores[c].text, hores[c - 1]);
    QCOMPARE(d.hores[4].alineacio, 4);
    QCOMPARE(d.solapaments, 0);
    QVERIFY(d.errors.isEmpty());
}

void TestAgendaLayout::dayWithNineResourcesNarrowsTheColumns()
{
    EntradaAgenda set = entrada(VistaAgenda::Dia);
    const DisposicioAgenda buit = disposaAgenda(set);
    for (int i = 1; i <= 9; ++i) {
        const QString nom = QStringLiteral("R%1").arg(i);
        set.recursos.afegeix(nom, {i, i % 2 == 0});
        set.feines << feina(QStringLiteral("%1 Lloc%1 2010-03-10 09:00 10:00 %2").arg(i).arg(nom));
    }
    const DisposicioAgenda d = disposaAgenda(set);
    QCOMPARE(d.columnes, 10);
    QCOMPARE(d.hores.size(), 10);
    QCOMPARE(d.cella(0, 9).text, QStringLiteral("R9"));
    QCOMPARE(d.cella(3, 9).text, QStringLiteral("Lloc9"));
    QCOMPARE(d.fusioColumna.size(), 10);
    QVERIFY(d.fusioColumna[9]);
    QCOMPARE(d.alineacioColumna[9], 4);
    // The added resource's extra-hours cell shows "0,00" only when it records time.
    QCOMPARE(d.hores[8].text, QStringLiteral("0,00"));
    QCOMPARE(d.hores[9].text, QString());
    // The board keeps its width; its nine columns share what seven had.
    QCOMPARE(d.midaTauler, buit.midaTauler);
    QCOMPARE(d.ampleColumna, (buit.midaTauler.width() - 2 - d.ampleEtiquetes) / 9);
    QVERIFY(d.ampleColumna < buit.ampleColumna);
}

void TestAgendaLayout::currentCellStaysWithinTheGrid_data()
{
    QTest::addColumn<QPoint>("antiga");   // x = column, y = row
    QTest::addColumn<QSize>("graella");   // width = columns, height = rows
    QTest::addColumn<QPoint>("nova");
    QTest::newRow("day of 12 columns to the week") << QPoint(11, 30) << QSize(8, 25) << QPoint(7, 24);
    QTest::newRow("within the grid") << QPoint(3, 2) << QSize(8, 7) << QPoint(3, 2);
    QTest::newRow("no current cell yet") << QPoint(-1, -1) << QSize(8, 7) << QPoint(1, 1);
    QTest::newRow("heading cell kept") << QPoint(0, 0) << QSize(8, 7) << QPoint(0, 0);
}

void TestAgendaLayout::currentCellStaysWithinTheGrid()
{
    QFETCH(QPoint, antiga);
    QFETCH(QSize, graella);
    QFETCH(QPoint, nova);
    QCOMPARE(cellaActual(antiga.y(), antiga.x(), graella.height(), graella.width()), nova);
}

void TestAgendaLayout::hoursFormat()
{
    QCOMPARE(formatHores(Decimal()), QStringLiteral("0,00"));
    QCOMPARE(formatHores(Decimal::fromRaw(12345678)), QStringLiteral("1.234,57"));
    QCOMPARE(formatHores(Decimal::fromRaw(-12500)), QStringLiteral("-1,25"));
}

QTEST_GUILESS_MAIN(TestAgendaLayout)
#include "TestAgendaLayout.moc"
