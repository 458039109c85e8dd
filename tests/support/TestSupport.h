#pragma once
// Shared test fixtures: a temporary program folder with settings and
// databases, the scripted seams reset, and a few rows of example data.
#include "Decimal.h"
#include "Globals.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <memory>

namespace TestSupport {

// Pins the locale (Catalan by default), scripts message boxes and dialogs,
// sets the clock to a fixed moment (Wednesday 10 March 2010, 09:00), sends
// printed documents to PDFs in a temporary folder and lets every file be
// written whole.
void resetSeams(const QString& locale = QStringLiteral("ca_ES"));

// Fails the current test (returns false with a message) when scripted
// answers were left unused or a box needed an answer and got none.
bool seamsClean(QString* why = nullptr);

// The base of a test class whose every test starts with the seams reset and
// fails at its end when they are not clean. A class with more to do calls
// these from its own init() and cleanup().
class SeamedTest : public QObject {
    Q_OBJECT
protected slots:
    void init();
    void cleanup();
};

// A SeamedTest that also fails when a message box was shown while a
// transaction held the database (the user reading it would keep the database
// locked), or when a test ends with one still open.
class UnlockedBoxesTest : public SeamedTest {
    Q_OBJECT
protected slots:
    void init();
    void cleanup();

private:
    QStringList shownLocked_;
};

// The texts of the message boxes shown since the last reset.
QStringList shownTexts();
// The same, and the record starts again (the boxes still scripted).
QStringList takeShownTexts();

// The first column of every row a query answers, as texts.
QStringList queryTexts(const QString& sql, const QVariantList& params = {});
// Statements the database runs during one call.
template <class F>
qint64 statementsOf(F&& f)
{
    const qint64 before = BD().statementsRun();
    f();
    return BD().statementsRun() - before;
}

// Source folder and the translation text sources.
QString sourceDir();
QStringList textSources();

// A temporary program folder. The constructor resets the shared state and
// sets G.ProgramDir; nothing is opened until start() or openDatabases().
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    // Writes Torvanel.ini with this content (UTF-8).
    void writeIni(const QString& content);
    // Creates TorvanelV01.db with the schema and TorvanelTraduccio.db from the text sources.
    void createDatabases();
    // createDatabases() (when missing) and the core start-up (settings, databases, translations).
    void start();
    // Opens G.BD and G.BDTraduccio and loads the translations without reading the settings.
    void openDatabases();

private:
    QTemporaryDir dir_;
};

// Rows for tests (values straight into the tables).
void addClient(const QString& nom, bool xecs = false);
void addService(const QString& nom, int minutsPerUnitat, const Decimal& preu = Decimal::fromInt(10),
                bool comu = false, const QString& unitat = QStringLiteral("h"));
void addResource(const QString& nom, qint32 color, bool grup = false, bool assignaTemps = true);
void addMember(const QString& equip, const QString& membre);
void addSite(const QString& nom, const QString& client, int minuts = 60, const QString& recurs = QString());
void addSiteService(const QString& lloc, const QString& servei, const Decimal& quantitat,
                    const Decimal& preu = Decimal::fromInt(10));
// A service line of a job.
void addJobLine(int feina, const QString& servei, const Decimal& quantitat = Decimal::fromInt(1),
                const Decimal& preu = Decimal::fromInt(10), const QString& unitat = QStringLiteral("h"));
// A job row as stored; returns its id.
int addJob(const QString& lloc, const QDate& data, const QString& inici, const QString& fi,
           const QString& recurs = QString(), bool feta = false);

} // namespace TestSupport
