// The program's own messages and the documents' headings in Spanish and
// English: no Catalan joining word nor Catalan-only word left inside them,
// and each language's own marks (a Spanish capital keeps its accent, a
// question has no blank before its "?", Spanish opens it with "¿").
#include "AccionsFeina.h"
#include "Arrencada.h"
#include "Configuracio.h"
#include "Database.h"
#include "DisposicioAgenda.h"
#include "Feines.h"
#include "Globals.h"
#include "IniFile.h"
#include "LlistaFeines.h"
#include "MessageBox.h"
#include "PdfFixtures.h"
#include "SortidaImpressio.h"
#include "Traduccio.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace PdfFixtures;
using namespace TestSupport;

class TestOwnTexts : public ProvaDocument {
    Q_OBJECT
private slots:
    void speaksTheChosenLanguage_data();
    void speaksTheChosenLanguage();
};

void TestOwnTexts::speaksTheChosenLanguage_data()
{
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("missatge");
    for (const char* idioma : {"EN", "ES"})
        for (const char* missatge : {"the board's Delete question", "the billing grid's Delete question",
                                     "a week's jobs list", "a document that cannot start", "no minutes to a cell",
                                     "a database file not found", "a setting that cannot be read",
                                     "a job the board cannot draw", "a job looked up at no time",
                                     "a damaged database", "an unreadable settings file", "every text of the table"})
            QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(idioma, missatge))) << idioma << missatge;
}

void TestOwnTexts::speaksTheChosenLanguage()
{
    QFETCH(QString, idioma);
    QFETCH(QString, missatge);
    G.Idioma = idioma;
    addClient("Talvesa");
    addSite("Oficina", "Talvesa");
    addResource("Bernat", 255);
    addJob("Oficina", QDate(2010, 3, 10), "09:00", "10:00", "Bernat");
    Feina feina;
    feina.Lloc = QStringLiteral("Oficina");
    feina.Data = QDate(2010, 3, 10);
    const PeriodeAgenda setmana{QStringLiteral("setmana"), QDate(2010, 3, 10), QDate(2010, 3, 8), QDate(2010, 3, 10)};

    QString text;
    if (missatge.startsWith(u"the board")) {
        text = preguntaEsborrar(Tradueix(QStringLiteral("Eliminar feina")) + QStringLiteral(" Bernat"), feina);
    } else if (missatge.startsWith(u"the billing")) {
        text = preguntaEsborrar(Tradueix(QStringLiteral("Eliminar feina")), feina);
    } else if (missatge.startsWith(u"a week")) {
        Imprimeix_Feines(QStringLiteral("Bernat"), false, setmana);
        text = PdfFixtures::text(carpeta_->unic()).simplified();
        QVERIFY2(text.contains(QStringLiteral("08/03/2010")) && text.contains(QStringLiteral("14/03/2010")), qPrintable(text));
    } else if (missatge.startsWith(u"a document")) {
        QFile fitxer(folder_->file(QStringLiteral("no-folder")));
        QVERIFY(fitxer.open(QIODevice::WriteOnly));   // a file where the folder should be
        SortidaImpressio::setCarpetaProves(fitxer.fileName() + QStringLiteral("/pdf"));
        Imprimeix_Feines(QStringLiteral("Bernat"), false, setmana);
        QCOMPARE(MsgBox::shown().size(), 1);
        text = MsgBox::shown().first().text;
    } else if (missatge.startsWith(u"no minutes")) {
        try {
            calculaCellesDia(QStringLiteral("08:00"), QStringLiteral("18:00"), 0);
        } catch (const std::exception& e) {
            text = QString::fromUtf8(e.what());
        }
    } else if (missatge.startsWith(u"a job the board")) {
        EntradaAgenda e;
        e.vista = VistaAgenda::Setmana;
        e.dataIniciSetmana = setmana.iniciSetmana;
        e.avui = e.dataIniciSetmana;
        e.mida = QSize(800, 600);
        e.parametres = ParametresAgenda::actuals();
        e.feines = {FeinaAgenda{7, QStringLiteral("Oficina"), feina.Data, QStringLiteral("9h"), QStringLiteral("10:00"), QString()}};
        const QStringList errors = disposaAgenda(e).errors;
        QCOMPARE(errors.size(), 1);
        text = errors.first();
        QVERIFY2(text.contains(QStringLiteral("'9h'")), qPrintable(text));
    } else if (missatge.startsWith(u"a job looked")) {
        text = Busca_Feina(feina.Data, QStringLiteral("9h"), feina.Lloc, QStringLiteral("Bernat")).Missatge;
        QVERIFY2(text.startsWith(QStringLiteral("Error en Busca_Feina:")) && text.contains(QStringLiteral("'9h'")),
                 qPrintable(text));
        text.remove(QStringLiteral("Error en Busca_Feina:"));   // the operation's prefix is not translated
    } else if (missatge.startsWith(u"a damaged")) {
        const QString malmesa = folder_->file(QStringLiteral("copia.db"));
        QFile fitxer(malmesa);
        QVERIFY(fitxer.open(QIODevice::WriteOnly));
        fitxer.write(QByteArray(4096, 'x'));
        fitxer.close();
        try {
            Db::openExisting(malmesa);
        } catch (const DbError& e) {
            text = QString::fromUtf8(e.what());
        }
        QVERIFY2(text.contains(u'\'' + malmesa + u'\''), qPrintable(text));
        text.remove(malmesa);
    } else if (missatge.startsWith(u"an unreadable")) {
        QFile fitxer(iniPath());
        QVERIFY(fitxer.open(QIODevice::WriteOnly));
        fitxer.write(QByteArray(400, '\0'));
        fitxer.close();
        const auto apartada = apartaConfiguracioIllegible();
        QVERIFY(apartada);
        text = apartada->missatge();
        QVERIFY2(text.contains(u'\'' + iniPath() + u'\'') && text.contains(u'\'' + iniPath() + QStringLiteral(".bad'")),
                 qPrintable(text));
        text.remove(iniPath());
    } else if (missatge.startsWith(u"every text")) {
        QSqlQuery q = G.BDTraduccio->query(QStringLiteral("SELECT TexteTraduit FROM Ztraduccio WHERE Idioma = ?"), {idioma});
        QStringList textos;
        while (q.next()) textos << q.value(0).toString();
        text = textos.join(u'\n').remove(QStringLiteral("Feines:"));   // a table of the database, by its name
    } else {
        G.BaseDades = folder_->file(QStringLiteral("nowhere.db"));
        IniFile::write(iniPath(), QStringLiteral("General"), QStringLiteral("BaseDades"), G.BaseDades);
        IniFile::write(iniPath(), QStringLiteral("Parametres"), QStringLiteral("Idioma"), idioma);
        if (missatge.startsWith(u"a setting"))
            IniFile::write(iniPath(), QStringLiteral("Parametres"), QStringLiteral("MaxXecsMes"), QStringLiteral("x12"));
        G.Idioma = QStringLiteral("CT");   // as at start-up: the language comes from the settings file
        try {
            arrencaNucli();
        } catch (const std::exception& e) {
            text = QString::fromUtf8(e.what());
        }
        if (missatge.startsWith(u"a setting")) QVERIFY2(text.contains(QStringLiteral("'x12'")), qPrintable(text));
    }
    QVERIFY2(!text.isEmpty(), "no message was built");
    // Words no Spanish or English text holds; English has no "del" and "al" either.
    QString catala = QStringLiteral(R"(\b(feina|feines|s'ha|és|més|ha de|hi ha|cel·la|fitxer|dades|pàgina|començar|setmana|trobat|relació|vàlida?|per a)\b| i )");
    if (idioma == u"EN") catala += QStringLiteral("| del | al ");
    const QRegularExpression paraules(
        catala, QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    QVERIFY2(!paraules.match(u' ' + text + u' ').hasMatch(), qPrintable(text));

    QVERIFY2(!text.contains(QStringLiteral(" ?")), qPrintable(text));
    if (idioma == u"ES") {
        const QRegularExpression sensePunt(QStringLiteral(R"(\b\p{Lu}+[CS]ION\b)"),
                                           QRegularExpression::UseUnicodePropertiesOption);
        QVERIFY2(!sensePunt.match(text).hasMatch(), qPrintable(sensePunt.match(text).captured()));
        QCOMPARE(text.count(u'¿'), text.count(u'?'));
        QCOMPARE(text.count(u'¡'), text.count(u'!'));
    }
}

QTEST_MAIN(TestOwnTexts)
#include "TestOwnTexts.moc"
