// The program folder moves and installs: the program started offscreen from a
// copy of the build's folder, or from an install, loads the libraries beside
// itself (the build's own stay where they are) and keeps its settings there;
// a folder copied or moved with its database uses the database it carries;
// an install over an existing one keeps the user's settings and database.
#include "Configuracio.h"
#include "Database.h"
#include "Esquema.h"
#include "IniFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString entorn(const char* nom)
{
    return QProcessEnvironment::systemEnvironment().value(QString::fromLatin1(nom));
}

QByteArray contingut(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Copies the files of a folder, its links as links.
bool copiaCarpeta(const QString& origen, const QString& desti)
{
    if (!QDir().mkpath(desti)) return false;
    const QDir o(origen);
    for (const QFileInfo& fi : o.entryInfoList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString nou = desti + u'/' + fi.fileName();
        const bool fet = fi.isSymLink() ? QFile::link(QFileInfo(fi.symLinkTarget()).fileName(), nou)
                                        : QFile::copy(fi.filePath(), nou);
        if (!fet) return false;
    }
    return true;
}

// cmake --install of this build into `prefix`; "" or the tool's output when it fails.
QString installa(const QString& prefix)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(entorn("TORVANEL_CMAKE"), {QStringLiteral("--install"), entorn("TORVANEL_BINARY_DIR"),
                                       QStringLiteral("--prefix"), prefix});
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("install failed: ") + QString::fromLocal8Bit(p.readAll()) + p.errorString();
    return QString();
}

// Starts the program of `carpeta` offscreen; it closes its main window as
// soon as it is up, and the loader names each library it starts. Gives what
// it wrote to its standard error; `fet`: it ended normally with status 0.
QString executa(const QString& carpeta, const QString& treball, bool* fet)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TORVANEL_END_WHEN_STARTED"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), treball + QStringLiteral("/config"));
    env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));
    QProcess programa;
    programa.setProcessEnvironment(env);
    programa.setWorkingDirectory(treball);
    programa.start(carpeta + QStringLiteral("/torvanel"), QStringList());
    const bool acabat = programa.waitForFinished(120000);
    const QString sortida = QString::fromLocal8Bit(programa.readAllStandardError());
    *fet = acabat && programa.exitStatus() == QProcess::NormalExit && programa.exitCode() == 0;
    return acabat ? sortida : programa.errorString() + u'\n' + sortida;
}

int versioEsquema(const QString& bd)
{
    return Db::openExisting(bd)->scalar(QStringLiteral("PRAGMA user_version")).toInt();
}

} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    void startsFromAnotherFolder_data();
    void startsFromAnotherFolder();
    void copiedOrMovedFolderUsesItsOwnDatabase_data();
    void copiedOrMovedFolderUsesItsOwnDatabase();
    void installOverKeepsTheUsersFiles();

private:
    QTemporaryDir tmp_;
};

void TestProgramFolder::startsFromAnotherFolder_data()
{
    QTest::addColumn<bool>("installat");
    QTest::newRow("copy of the build's folder") << false;
    QTest::newRow("installed") << true;
}

void TestProgramFolder::startsFromAnotherFolder()
{
    QFETCH(bool, installat);
    const QString construccio = entorn("TORVANEL_PROGRAM_DIR");
    const QString carpeta = tmp_.filePath(QString::fromUtf8(QTest::currentDataTag())) + QStringLiteral("/Torvanel");
    if (installat) {
        const QString error = installa(carpeta);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    } else {
        QVERIFY(copiaCarpeta(construccio, carpeta));
    }
    const QByteArray iniConstruccio = contingut(construccio + QStringLiteral("/Torvanel.ini"));
    // A start after the first run's settings, so that nothing waits on a dialog.
    const QString ini = carpeta + QStringLiteral("/Torvanel.ini");
    QVERIFY(IniFile::write(ini, QStringLiteral("Parametres"), QStringLiteral("PrimeraExecucio"), QStringLiteral("0")));

    bool fet = false;
    const QString sortida = executa(carpeta, tmp_.path(), &fet);
    QVERIFY2(fet, qPrintable(sortida.right(3000)));

    const QString propia = QFileInfo(carpeta).canonicalFilePath();
    for (const char* lib : {"libcalvendra.so.4", "libpistrel.so.2"}) {
        const QRegularExpression init(QStringLiteral("calling init: (.*/") + QString::fromLatin1(lib) + QStringLiteral(")$"),
                                      QRegularExpression::MultilineOption);
        const QRegularExpressionMatch m = init.match(sortida);
        QVERIFY2(m.hasMatch(), lib);
        QCOMPARE(QFileInfo(m.captured(1)).canonicalPath(), propia);
    }
    // Its settings are the ones beside it: the board's last planned day
    // written on closing went there, and the build's folder is as it was.
    QVERIFY(!IniFile::read(ini, QStringLiteral("Estat"), QStringLiteral("UltimDiaGen"), QString()).isEmpty());
    QCOMPARE(contingut(construccio + QStringLiteral("/Torvanel.ini")), iniConstruccio);
}

void TestProgramFolder::copiedOrMovedFolderUsesItsOwnDatabase_data()
{
    QTest::addColumn<QString>("cas");
    QTest::newRow("copied") << "copiada";
    QTest::newRow("moved") << "moguda";
    QTest::newRow("copied, its database outside it") << "fora";
}

void TestProgramFolder::copiedOrMovedFolderUsesItsOwnDatabase()
{
    QFETCH(QString, cas);
    const QString arrel = tmp_.filePath(QString::fromUtf8(QTest::currentDataTag()));
    const QString origen = arrel + QStringLiteral("/Torvanel"), desti = arrel + QStringLiteral("/Nova/Torvanel");
    QVERIFY(copiaCarpeta(entorn("TORVANEL_PROGRAM_DIR"), origen));
    const QString propia = origen + QStringLiteral("/TorvanelV01.db");
    QVERIFY(QFileInfo::exists(propia));
    QString bd = propia;
    if (cas == u"fora") {
        bd = arrel + QStringLiteral("/Dades/TorvanelV01.db");
        QVERIFY(QDir().mkpath(arrel + QStringLiteral("/Dades")) && QFile::copy(propia, bd));
    }
    // Databases of an earlier version: the start brings the one it uses up to date.
    for (const QString& f : {propia, bd}) Db::openExisting(f)->exec(QStringLiteral("PRAGMA user_version=1"));
    // The settings as the settings dialog writes them in that folder.
    G.ProgramDir = origen;
    const QString ini = origen + QStringLiteral("/Torvanel.ini");
    QVERIFY(IniFile::write(ini, QStringLiteral("General"), QStringLiteral("BaseDades"), valorBaseDades(bd)));
    QVERIFY(IniFile::write(ini, QStringLiteral("Parametres"), QStringLiteral("PrimeraExecucio"), QStringLiteral("0")));

    QVERIFY(QDir().mkpath(arrel + QStringLiteral("/Nova")));
    if (cas == u"moguda") QVERIFY(QDir().rename(origen, desti));
    else QVERIFY(copiaCarpeta(origen, desti));
    bool fet = false;
    const QString sortida = executa(desti, tmp_.path(), &fet);
    QVERIFY2(fet, qPrintable(sortida.right(3000)));

    if (cas == u"fora") {
        QCOMPARE(versioEsquema(bd), SchemaVersion);
        QCOMPARE(versioEsquema(desti + QStringLiteral("/TorvanelV01.db")), 1);
    } else {
        QCOMPARE(versioEsquema(desti + QStringLiteral("/TorvanelV01.db")), SchemaVersion);
        if (cas == u"copiada") QCOMPARE(versioEsquema(propia), 1);   // the original's is not touched
    }
}

void TestProgramFolder::installOverKeepsTheUsersFiles()
{
    const QString carpeta = tmp_.filePath(QStringLiteral("over"));
    QString error = installa(carpeta);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString ini = carpeta + QStringLiteral("/Torvanel.ini");
    const QString bd = carpeta + QStringLiteral("/TorvanelV01.db");
    QCOMPARE(contingut(ini), contingut(TestSupport::sourceDir() + QStringLiteral("/data/Torvanel.ini")));
    for (const char* f : {"torvanel", "libcalvendra.so.4", "libpistrel.so.2", "TorvanelTraduccio.db", "Torvanel.html"})
        QVERIFY2(QFileInfo::exists(carpeta + u'/' + QString::fromLatin1(f)), f);
    // The menu entry starts the installed program and shows its icon.
    const QString entrada = QString::fromUtf8(contingut(carpeta + QStringLiteral("/torvanel.desktop")));
    QVERIFY2(entrada.contains(QStringLiteral("\nExec=\"") + carpeta + QStringLiteral("/torvanel\"\n")), qPrintable(entrada));
    const QRegularExpressionMatch icona = QRegularExpression(QStringLiteral("\nIcon=(.*)\n")).match(entrada);
    QVERIFY(icona.hasMatch() && QFileInfo(icona.captured(1)).size() > 0);

    // The user's settings and data, then an install over them.
    QVERIFY(IniFile::write(ini, QStringLiteral("Parametres"), QStringLiteral("Idioma"), QStringLiteral("EN")));
    Db::openExisting(bd)->exec(QStringLiteral("INSERT INTO Clients (clients_nom) VALUES ('Meu')"));
    const QByteArray iniUsuari = contingut(ini), bdUsuari = contingut(bd);
    error = installa(carpeta);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(contingut(ini), iniUsuari);
    QCOMPARE(contingut(bd), bdUsuari);
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "TestProgramFolder.moc"
