#include "TestSupport.h"

#include "Arrencada.h"
#include "Clock.h"
#include "Convert.h"
#include "Dialogs.h"
#include "Esquema.h"
#include "FitxerSencer.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SortidaImpressio.h"
#include "Traduccio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcessEnvironment>
#include <QSqlQuery>
#include <QTest>
#include <stdexcept>

namespace TestSupport {

void resetSeams(const QString& locale)
{
    QLocale::setDefault(QLocale(locale));
    MsgBox::clear();
    MsgBox::setScripted(true);
    Dialogs::clear();
    Dialogs::setScripted(true);
    Clock::set(QDateTime(QDate(2010, 3, 10), QTime(9, 0)));
    // No test ever prints on paper or opens a viewer: documents become PDFs here.
    static const QString pdfs = QDir::temp().filePath(
        QStringLiteral("torvanel-pdf-%1").arg(QCoreApplication::applicationPid()));
    SortidaImpressio::setCarpetaProves(pdfs);
    FitxerSencer::setFallaDespresDe(-1);
    FitxerSencer::setFallaSincronitzaCarpeta(0);
}

bool seamsClean(QString* why)
{
    QString w;
    if (MsgBox::pendingAnswers() > 0) w = QStringLiteral("%1 scripted answers left unused").arg(MsgBox::pendingAnswers());
    if (MsgBox::unanswered() > 0) {
        w = QStringLiteral("%1 boxes needed an answer:").arg(MsgBox::unanswered());
        for (const auto& s : MsgBox::shown()) w += QStringLiteral(" [") + s.text + u']';
    }
    if (why) *why = w;
    return w.isEmpty();
}

void SeamedTest::init()
{
    resetSeams();
}

void SeamedTest::cleanup()
{
    QString why;
    QVERIFY2(seamsClean(&why), qPrintable(why));
}

void UnlockedBoxesTest::init()
{
    SeamedTest::init();
    shownLocked_.clear();
    MsgBox::setObserver([this](const MsgBox::Shown& box) {
        if (G.BD && BD().transactionDepth() > 0) shownLocked_ << box.text;
    });
}

void UnlockedBoxesTest::cleanup()
{
    MsgBox::setObserver(nullptr);
    SeamedTest::cleanup();
    QCOMPARE(G.BD ? BD().transactionDepth() : 0, 0);
    QCOMPARE(shownLocked_, QStringList());
}

QStringList shownTexts()
{
    QStringList out;
    for (const auto& s : MsgBox::shown()) out << s.text;
    return out;
}

QStringList takeShownTexts()
{
    const QStringList out = shownTexts();
    MsgBox::clear();
    MsgBox::setScripted(true);
    return out;
}

QStringList queryTexts(const QString& sql, const QVariantList& params)
{
    QSqlQuery q = BD().query(sql, params);
    QStringList out;
    while (q.next()) out << q.value(0).toString();
    return out;
}

QString sourceDir()
{
    QString s = QProcessEnvironment::systemEnvironment().value(QStringLiteral("TORVANEL_SOURCE_DIR"));
    if (s.isEmpty()) s = QStringLiteral(TORVANEL_SOURCE_DIR_DEFAULT);
    return s;
}

QStringList textSources()
{
    QDir d(sourceDir() + QStringLiteral("/data/texts"));
    QStringList out;
    for (const QString& f : d.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name))
        out << d.filePath(f);
    return out;
}

ProgramFolder::ProgramFolder()
{
    resetGlobals();
    G.ProgramDir = dir_.path();
    Neteja_Feina_Actual();
}

ProgramFolder::~ProgramFolder()
{
    resetGlobals();
}

void ProgramFolder::writeIni(const QString& content)
{
    QFile f(file(QStringLiteral("Torvanel.ini")));
    if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the settings file");
    f.write(content.toUtf8());
}

void ProgramFolder::createDatabases()
{
    if (!QFile::exists(defaultDatabasePath())) {
        auto db = Db::create(defaultDatabasePath());
        creaEsquema(*db);
    }
    if (!QFile::exists(translationDbPath())) {
        auto db = Db::create(translationDbPath());
        creaEsquemaTraduccio(*db);
        importaTextos(*db, textSources());
    }
}

void ProgramFolder::start()
{
    createDatabases();
    arrencaNucli();
}

void ProgramFolder::openDatabases()
{
    createDatabases();
    if (G.BaseDades.isEmpty()) G.BaseDades = defaultDatabasePath();
    G.BD = Db::openExisting(G.BaseDades);
    G.BDTraduccio = Db::openExisting(translationDbPath());
    carregaTraduccions(*G.BDTraduccio);
}

void addClient(const QString& nom, bool xecs)
{
    BD().exec(QStringLiteral("INSERT INTO Clients (clients_nom, clients_xecs) VALUES (?, ?)"), {nom, xecs ? 1 : 0});
}

void addService(const QString& nom, int minutsPerUnitat, const Decimal& preu, bool comu, const QString& unitat)
{
    BD().exec(QStringLiteral("INSERT INTO Serveis (serveis_nom, serveis_unitat, serveis_minuts_per_unitat, "
                             "serveis_preu_un, serveis_descripcio, serveis_comu_per_recursos) VALUES (?, ?, ?, ?, ?, ?)"),
              {nom, unitat, minutsPerUnitat, preu.toVariant(), nom, comu ? 1 : 0});
}

void addResource(const QString& nom, qint32 color, bool grup, bool assignaTemps)
{
    BD().exec(QStringLiteral("INSERT INTO Recursos (recursos_nom, recursos_grup, recursos_color, recursos_assigna_temps) "
                             "VALUES (?, ?, ?, ?)"),
              {nom, grup ? 1 : 0, color, assignaTemps ? 1 : 0});
}

void addMember(const QString& equip, const QString& membre)
{
    BD().exec(QStringLiteral("INSERT INTO Recursos_Components (recursos_nom, recursos_component_nom) VALUES (?, ?)"),
              {equip, membre});
}

void addSite(const QString& nom, const QString& client, int minuts, const QString& recurs)
{
    BD().exec(QStringLiteral("INSERT INTO Llocs (llocs_nom, clients_nom, llocs_minuts_previst, recursos_nom) "
                             "VALUES (?, ?, ?, ?)"),
              {nom, client, minuts, recurs.isEmpty() ? QVariant() : QVariant(recurs)});
}

void addSiteService(const QString& lloc, const QString& servei, const Decimal& quantitat, const Decimal& preu)
{
    BD().exec(QStringLiteral("INSERT INTO Llocs_Serveis (llocs_nom, serveis_nom, llocs_serveis_quantitat, "
                             "llocs_serveis_preu_un, llocs_serveis_descripcio) VALUES (?, ?, ?, ?, ?)"),
              {lloc, servei, quantitat.toVariant(), preu.toVariant(), servei});
}

void addJobLine(int feina, const QString& servei, const Decimal& quantitat, const Decimal& preu, const QString& unitat)
{
    BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat, "
                             "feines_detall_preu_un, feines_detall_unitat) VALUES (?, ?, ?, ?, ?)"),
              {feina, servei, quantitat.toVariant(), preu.toVariant(), unitat});
}

int addJob(const QString& lloc, const QDate& data, const QString& inici, const QString& fi, const QString& recurs,
           bool feta)
{
    BD().exec(QStringLiteral("INSERT INTO Feines (llocs_nom, feines_data, feines_hora_inici, feines_hora_fi, "
                             "recursos_nom, feines_feta) VALUES (?, ?, ?, ?, ?, ?)"),
              {lloc, Conv::isoDate(data), inici, fi, recurs.isEmpty() ? QVariant() : QVariant(recurs), feta ? 1 : 0});
    return int(BD().lastInsertId());
}

} // namespace TestSupport
