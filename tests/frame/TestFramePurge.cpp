// Purge of old jobs with its backup, the check of a chosen database file and
// the compaction of the open database.
#include "Database.h"
#include "FitxerSencer.h"
#include "GestioBD.h"
#include "Globals.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <cerrno>
#include <cstring>

using namespace TestSupport;

class TestFramePurge : public SeamedTest {
    Q_OBJECT
private slots:
    void cleanup()
    {
        GestioBD::setPuntFalladaPurga(nullptr);
        GestioBD::setPuntFalladaCopia(nullptr);
    }

    void purgesJobsUpToTheDayWithTheirCheques();
    void backupHoldsTheOldDataAndIsNeverOverwritten();
    void backupNameTakesTheMomentAndKeepsTheExtension();
    void injectedFailureUndoesEverything_data();
    void injectedFailureUndoesEverything();
    void chosenFileMustBeOneOfOurDatabases_data();
    void chosenFileMustBeOneOfOurDatabases();
    void compactionShrinksTheOpenDatabase();

private:
    void dades();
    int feinaDia = 0;
    int feinaSeguent = 0;
};

void TestFramePurge::dades()
{
    addClient(QStringLiteral("Client"), true);
    addService(QStringLiteral("Neteja"), 60);
    addSite(QStringLiteral("Lloc"), QStringLiteral("Client"));
    feinaDia = addJob(QStringLiteral("Lloc"), QDate(2009, 12, 31), QStringLiteral("09:00"), QStringLiteral("10:00"), QString(), true);
    feinaSeguent = addJob(QStringLiteral("Lloc"), QDate(2010, 1, 1), QStringLiteral("09:00"), QStringLiteral("10:00"));
    BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat) VALUES (?, 'Neteja', 10000)"),
              {feinaDia});
    BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor, xecs_data_entrega, feines_id) VALUES (1, 'Client', 50000, '2009-12-01', ?)"),
              {feinaDia});
    BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor, xecs_data_entrega, feines_id) VALUES (2, 'Client', 50000, '2009-12-01', ?)"),
              {feinaSeguent});
    BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor, xecs_data_entrega) VALUES (3, 'Client', 50000, '2009-12-01')"));
}

void TestFramePurge::purgesJobsUpToTheDayWithTheirCheques()
{
    ProgramFolder pf;
    pf.openDatabases();
    dades();
    const auto r = GestioBD::purgaFeines(BD(), QDate(2009, 12, 31), QDateTime(QDate(2010, 3, 10), QTime(9, 0, 1)));
    QCOMPARE(r.feines, 1);
    QCOMPARE(r.xecs, 1);
    QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Feines WHERE feines_id = ?"), {feinaDia}).toInt(), 0);
    QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Feines WHERE feines_id = ?"), {feinaSeguent}).toInt(), 1);
    QCOMPARE(BD().scalar(QStringLiteral("SELECT group_concat(xecs_id) FROM (SELECT xecs_id FROM Xecs ORDER BY xecs_id)")).toString(), QStringLiteral("2,3"));
    QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Feines_Detall")).toInt(), 0);
}

void TestFramePurge::backupHoldsTheOldDataAndIsNeverOverwritten()
{
    ProgramFolder pf;
    pf.openDatabases();
    dades();
    const QDateTime moment(QDate(2010, 3, 10), QTime(9, 0, 1));
    const auto primera = GestioBD::purgaFeines(BD(), QDate(2009, 12, 31), moment);
    const auto segona = GestioBD::purgaFeines(BD(), QDate(2010, 1, 1), moment);
    QVERIFY(primera.copia != segona.copia);
    QCOMPARE(segona.feines, 1);
    auto copia = Db::openExisting(primera.copia);
    QCOMPARE(copia->scalar(QStringLiteral("SELECT count(*) FROM Feines")).toInt(), 2);
    QCOMPARE(copia->scalar(QStringLiteral("SELECT count(*) FROM Xecs")).toInt(), 3);
    auto copia2 = Db::openExisting(segona.copia);
    QCOMPARE(copia2->scalar(QStringLiteral("SELECT count(*) FROM Feines")).toInt(), 1);
}

void TestFramePurge::backupNameTakesTheMomentAndKeepsTheExtension()
{
    ProgramFolder pf;
    const QString db = pf.file(QStringLiteral("TorvanelV01.db"));
    const QDateTime moment(QDate(2026, 12, 8), QTime(6, 35, 59));
    const QString nom = GestioBD::nomCopiaSeguretat(db, moment);
    QCOMPARE(nom, pf.file(QStringLiteral("TorvanelV0120261208063559.db")));
    QFile f(nom);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QCOMPARE(GestioBD::nomCopiaSeguretat(db, moment), pf.file(QStringLiteral("TorvanelV0120261208063559_2.db")));
}

void TestFramePurge::injectedFailureUndoesEverything_data()
{
    // Where it fails: "esborrat" a deletion, "copia" the backup's copy (a full
    // disk), "motor" the engine while it writes the copy (its journal beside it).
    QTest::addColumn<QString>("on");
    QTest::addColumn<QString>("missatge");
    const QString copia = QStringLiteral("No s'ha pogut fer la còpia de seguretat a la carpeta %1: ");
    QTest::newRow("a deletion fails") << "esborrat" << "disc ple";
    QTest::newRow("the backup copy fails: no file left")
        << "copia" << copia + QString::fromLocal8Bit(std::strerror(ENOSPC));
    QTest::newRow("the engine fails writing the copy: neither it nor its journal left")
        << "motor" << copia + "disc ple";
}

void TestFramePurge::injectedFailureUndoesEverything()
{
    QFETCH(QString, on);
    QFETCH(QString, missatge);
    ProgramFolder pf;
    pf.openDatabases();
    dades();
    const QStringList fitxers = QDir(pf.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    if (on == u"copia") {
        FitxerSencer::setFallaDespresDe(0);
    } else if (on == u"motor") {
        GestioBD::setPuntFalladaCopia([](const QString& temporal) {
            QFile diari(temporal + QStringLiteral("-journal"));
            if (diari.open(QIODevice::WriteOnly)) diari.write(QByteArray(1024, '\0'));
            throw DbError(QStringLiteral("disc ple"));
        });
    } else {
        GestioBD::setPuntFalladaPurga([] { throw DbError(QStringLiteral("disc ple")); });
    }
    QString error;
    try {
        GestioBD::purgaFeines(BD(), QDate(2009, 12, 31), QDateTime(QDate(2010, 3, 10), QTime(9, 0)));
    } catch (const DbError& e) {
        error = QString::fromUtf8(e.what());
    }
    QCOMPARE(error, on == u"esborrat" ? missatge : missatge.arg(pf.path()));
    QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Feines")).toInt(), 2);
    QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Xecs")).toInt(), 3);
    QCOMPARE(BD().transactionDepth(), 0);
    // A failed copy leaves no file: neither the backup nor a part of it.
    if (on != u"esborrat") QCOMPARE(QDir(pf.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), fitxers);
}

void TestFramePurge::chosenFileMustBeOneOfOurDatabases_data()
{
    QTest::addColumn<QString>("cas");
    QTest::addColumn<bool>("acceptat");
    QTest::newRow("ours") << "ours" << true;
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("text file") << "text" << false;
    QTest::newRow("empty database") << "empty" << false;
    QTest::newRow("empty name") << "" << false;
}

void TestFramePurge::chosenFileMustBeOneOfOurDatabases()
{
    QFETCH(QString, cas);
    ProgramFolder pf;
    pf.createDatabases();
    QString path;
    if (cas == u"ours") {
        path = defaultDatabasePath();
    } else if (cas == u"missing") {
        path = pf.file(QStringLiteral("Nova.db"));
    } else if (cas == u"text") {
        path = pf.file(QStringLiteral("Notes.db"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a database at all, just words\n");
    } else if (cas == u"empty") {
        path = pf.file(QStringLiteral("Buida.db"));
        Db::create(path)->exec(QStringLiteral("CREATE TABLE Altres (x)"));
    }
    QString motiu;
    QTEST(GestioBD::esBaseDadesTorvanel(path, &motiu), "acceptat");
    QCOMPARE(QFileInfo::exists(pf.file(QStringLiteral("Nova.db"))), false);
}

void TestFramePurge::compactionShrinksTheOpenDatabase()
{
    ProgramFolder pf;
    pf.openDatabases();
    addClient(QStringLiteral("Client"));
    BD().begin();
    for (int i = 0; i < 2000; ++i)
        BD().exec(QStringLiteral("INSERT INTO Clients (clients_nom, clients_observacions) VALUES (?, ?)"),
                  {QStringLiteral("C%1").arg(i), QString(500, u'x')});
    BD().commit();
    BD().exec(QStringLiteral("DELETE FROM Clients WHERE clients_nom <> 'Client'"));
    QVERIFY(BD().scalar(QStringLiteral("PRAGMA freelist_count")).toInt() > 0);
    GestioBD::compacta(BD());
    QCOMPARE(BD().scalar(QStringLiteral("PRAGMA freelist_count")).toInt(), 0);
    QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Clients")).toInt(), 1);
}

QTEST_GUILESS_MAIN(TestFramePurge)
#include "TestFramePurge.moc"
