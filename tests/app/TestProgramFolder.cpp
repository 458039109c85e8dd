// The program folder moves and installs: the program started offscreen from a
// copy of the build's folder, or from an install, loads the libraries beside
// itself (the build's own stay where they are) and keeps its settings there;
// an install over an existing one keeps the user's settings and database.
#include "Database.h"
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

} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    void startsFromAnotherFolder_data();
    void startsFromAnotherFolder();
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

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TORVANEL_END_WHEN_STARTED"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp_.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));  // the loader names each library it starts
    QProcess programa;
    programa.setProcessEnvironment(env);
    programa.setWorkingDirectory(tmp_.path());
    programa.start(carpeta + QStringLiteral("/torvanel"), QStringList());
    QVERIFY2(programa.waitForFinished(120000), qPrintable(programa.errorString()));
    const QString sortida = QString::fromLocal8Bit(programa.readAllStandardError());
    QCOMPARE(programa.exitStatus(), QProcess::NormalExit);
    QVERIFY2(programa.exitCode() == 0, qPrintable(sortida.right(3000)));

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
