// The program's own messages and the documents' headings in Spanish and
// English: no Catalan joining word nor Catalan-only word left inside them.
#include "AccionsFeina.h"
#include "Arrencada.h"
#include "Configuracio.h"
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
                                     "a database file not found"})
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
    } else {
        G.BaseDades = folder_->file(QStringLiteral("nowhere.db"));
        IniFile::write(iniPath(), QStringLiteral("General"), QStringLiteral("BaseDades"), G.BaseDades);
        IniFile::write(iniPath(), QStringLiteral("Parametres"), QStringLiteral("Idioma"), idioma);
        try {
            arrencaNucli();
        } catch (const std::exception& e) {
            text = QString::fromUtf8(e.what());
        }
    }
    QVERIFY2(!text.isEmpty(), "no message was built");
    // Words no Spanish or English text holds; English has no "del" and "al" either.
    QString catala = QStringLiteral(R"(\b(feina|feines|s'ha|és|més|ha de|hi ha|cel·la|fitxer|dades|pàgina|començar|setmana|trobat|relació)\b| i )");
    if (idioma == u"EN") catala += QStringLiteral("| del | al ");
    const QRegularExpression paraules(
        catala, QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    QVERIFY2(!paraules.match(u' ' + text + u' ').hasMatch(), qPrintable(text));
}

QTEST_MAIN(TestOwnTexts)
#include "TestOwnTexts.moc"
