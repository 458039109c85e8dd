// The translation lookup, and the completeness of the shipped texts.
#include "Database.h"
#include "Esquema.h"
#include "Globals.h"
#include "TestSupport.h"
#include "Traduccio.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestSupport;

class TestTranslation : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lookup_data();
    void lookup();
    void unloadedTableReturnsTextUnchanged();
    void firstRowInTableOrderWins();
    void everyTranslatedLiteralHasSpanishAndEnglish();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Db> db_;
    void row(const QString& texte, const QString& idioma, const QVariant& traduit)
    {
        db_->exec("INSERT INTO Ztraduccio (Texte, Idioma, TexteTraduit) VALUES (?, ?, ?)", {texte, idioma, traduit});
    }
};

void TestTranslation::init()
{
    resetSeams();
    resetGlobals();
    dir_ = std::make_unique<QTemporaryDir>();
    db_ = Db::create(dir_->filePath("t.db"));
    creaEsquemaTraduccio(*db_);
    row("AVÍS", "CT", "AVÍS");
    row("AVÍS", "EN", "WARNING");
    row("Fitxer d'ajuda '", "EN", "Help file '");
    row("Hores", "EN", "Hours");
    row(" fins al", "EN", " until");
    row("Nul", "EN", QVariant());
    carregaTraduccions(*db_);
}

void TestTranslation::cleanup()
{
    descarregaTraduccions();
    db_.reset();
    dir_.reset();
}

void TestTranslation::lookup_data()
{
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expect");
    QTest::newRow("row for the language") << "EN" << "AVÍS" << "WARNING";
    QTest::newRow("language code any case") << "en" << "AVÍS" << "WARNING";
    QTest::newRow("text any case") << "EN" << "avís" << "WARNING";
    QTest::newRow("no row for the language") << "FR" << "AVÍS" << "AVÍS";
    QTest::newRow("quotes") << "EN" << "Fitxer d'ajuda '" << "Help file '";
    QTest::newRow("trailing spaces ignored") << "EN" << "Hores   " << "Hours";
    QTest::newRow("trailing spaces kept when missing") << "FR" << "Hores   " << "Hores   ";
    QTest::newRow("leading space counts") << "EN" << " fins al" << " until";
    QTest::newRow("leading space missing") << "EN" << "fins al" << "fins al";
    QTest::newRow("empty") << "EN" << "" << "";
    QTest::newRow("null translation") << "EN" << "Nul" << "Nul";
    QTest::newRow("injection-like text") << "EN" << "x' OR '1'='1" << "x' OR '1'='1";
}

void TestTranslation::lookup()
{
    QFETCH(QString, idioma);
    QFETCH(QString, text);
    QFETCH(QString, expect);
    G.Idioma = idioma;
    QCOMPARE(Tradueix(text), expect);
}

void TestTranslation::unloadedTableReturnsTextUnchanged()
{
    descarregaTraduccions();
    G.Idioma = "EN";
    QCOMPARE(Tradueix("AVÍS"), QString("AVÍS"));
}

void TestTranslation::firstRowInTableOrderWins()
{
    row("avís", "EN", "SECOND");
    carregaTraduccions(*db_);
    G.Idioma = "EN";
    QCOMPARE(Tradueix("AVÍS"), QString("WARNING"));
}

// Every literal the sources pass to Tradueix needs Spanish and English rows.
void TestTranslation::everyTranslatedLiteralHasSpanishAndEnglish()
{
    QTemporaryDir dir;
    auto db = Db::create(dir.filePath("texts.db"));
    creaEsquemaTraduccio(*db);
    importaTextos(*db, textSources());
    QSet<QString> es, en;
    QSqlQuery q = db->query("SELECT Texte, Idioma, TexteTraduit FROM Ztraduccio");
    while (q.next()) {
        if (q.value(2).toString().isEmpty()) continue;
        const QString t = q.value(0).toString().toCaseFolded();
        if (q.value(1).toString() == "ES") es.insert(t);
        if (q.value(1).toString() == "EN") en.insert(t);
    }

    static const QRegularExpression call(
        R"re(Tradueix\(\s*(?:QStringLiteral\(\s*|QString\(\s*|u)?"((?:[^"\\]|\\.)*)")re");
    QStringList missing;
    int seen = 0;
    const QStringList folders = {"core", "frame", "masterdata", "agenda", "billing", "reports", "app"};
    for (const QString& folder : folders) {
        QDirIterator it(sourceDir() + "/" + folder, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString src = QString::fromUtf8(f.readAll());
            auto m = call.globalMatch(src);
            while (m.hasNext()) {
                QString lit = m.next().captured(1);
                lit.replace("\\\"", "\"").replace("\\n", "\n").replace("\\t", "\t").replace("\\\\", "\\");
                while (lit.endsWith(' ')) lit.chop(1);
                ++seen;
                const QString k = lit.toCaseFolded();
                if (!es.contains(k) || !en.contains(k))
                    missing << QString("%1: \"%2\"").arg(QDir(sourceDir()).relativeFilePath(path), lit);
            }
        }
    }
    QVERIFY(seen > 0);
    missing.removeDuplicates();
    if (!missing.isEmpty())
        QFAIL(qPrintable("Texts without Spanish or English rows:\n" + missing.join('\n')));
}

QTEST_GUILESS_MAIN(TestTranslation)
#include "TestTranslation.moc"
