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
    void oneTranslationPerTextAndLanguage_data();
    void oneTranslationPerTextAndLanguage();
    void shippedWordsAreConsistent_data();
    void shippedWordsAreConsistent();

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

namespace {
// The rows of the text sources, as the build imports them.
QList<QStringList> files(const QStringList& sources)
{
    QTemporaryDir dir;
    auto db = Db::create(dir.filePath("texts.db"));
    creaEsquemaTraduccio(*db);
    importaTextos(*db, sources);
    QList<QStringList> out;
    QSqlQuery q = db->query("SELECT Texte, Idioma, TexteTraduit FROM Ztraduccio ORDER BY rowid");
    while (q.next()) out << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString()};
    return out;
}
} // namespace

// A text is looked up without regard to case: two rows of one text and
// language that say different things leave the answer to the order of the
// files. Identical rows are harmless.
void TestTranslation::oneTranslationPerTextAndLanguage_data()
{
    QTest::addColumn<QStringList>("extra");   // more source lines, in a file of their own
    QTest::addColumn<QStringList>("expect");
    QTest::newRow("shipped texts") << QStringList() << QStringList();
    QTest::newRow("identical row in another file") << QStringList{"AVÍS\tAVISO\tWARNING"} << QStringList();
    QTest::newRow("another English") << QStringList{"AVÍS\tAVISO\tNOTICE"} << QStringList{"EN avís"};
    QTest::newRow("another case of the text") << QStringList{"Avís\tAVISO\tWARNING"} << QStringList{"CT avís"};
}

void TestTranslation::oneTranslationPerTextAndLanguage()
{
    QFETCH(QStringList, extra);
    QFETCH(QStringList, expect);
    QTemporaryDir dir;
    QStringList sources = textSources();
    QVERIFY(sources.size() >= 5);
    if (!extra.isEmpty()) {
        QFile f(dir.filePath("zz.tsv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(extra.join('\n').toUtf8() + "\n");
        sources << f.fileName();
    }
    QHash<QString, QString> first;
    QStringList conflicts;
    for (const QStringList& r : files(sources)) {
        const QString k = r[1] + ' ' + r[0].toCaseFolded();
        const auto it = first.constFind(k);
        if (it == first.constEnd()) first.insert(k, r[2]);
        else if (*it != r[2]) conflicts << k;
    }
    conflicts.removeDuplicates();
    QVERIFY2(conflicts == expect, qPrintable(QStringLiteral("texts with another translation: ") + conflicts.join(" | ")));
}

// One word for each thing in each language: English calls cheques
// "vouchers" and clients "customers", Spanish "cheques" and "clientes",
// everywhere. Every row whose Catalan names the thing uses the word, and no
// row of the language uses the other one.
void TestTranslation::shippedWordsAreConsistent_data()
{
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("catala");    // the Catalan names the thing
    QTest::addColumn<QString>("paraula");   // the translation's word for it
    QTest::addColumn<QString>("evitada");   // a word the language never uses
    QTest::newRow("vouchers") << "EN" << R"(\bxecs?\b)" << R"(\bvouchers?\b)" << R"(\bcheques?\b)";
    QTest::newRow("customers") << "EN" << R"(\bclients?\b)" << R"(\bcustomers?\b)" << R"(\bclients?\b)";
    QTest::newRow("cheques") << "ES" << R"(\bxecs?\b)" << R"(\bcheques?\b)" << R"(\b(vales?|bonos?|talón|talones)\b)";
    QTest::newRow("clientes") << "ES" << R"(\bclients?\b)" << R"(\bclientes?\b)" << R"(\bclients?\b)";
}

void TestTranslation::shippedWordsAreConsistent()
{
    QFETCH(QString, idioma);
    QFETCH(QString, catala);
    QFETCH(QString, paraula);
    QFETCH(QString, evitada);
    const auto re = [](const QString& p) { return QRegularExpression(p, QRegularExpression::CaseInsensitiveOption); };
    QStringList trobades;
    for (const QStringList& r : files(textSources())) {
        if (r[1] != idioma) continue;
        if (re(evitada).match(r[2]).hasMatch() || (re(catala).match(r[0]).hasMatch() && !re(paraula).match(r[2]).hasMatch()))
            trobades << r[0] + " -> " + r[2];
    }
    QVERIFY2(trobades.isEmpty(), qPrintable(trobades.join('\n')));
}

QTEST_GUILESS_MAIN(TestTranslation)
#include "TestTranslation.moc"
