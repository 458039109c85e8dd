// The first run's language choice: the list of the settings file's
// languages and the code it leaves in G.Idioma.
#include "frmSelIdioma.h"

#include "ConfiguracioInicial.h"
#include "Globals.h"
#include "Modal.h"
#include "PlanningFixtures.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

using namespace TestSupport;

namespace {
// The languages of the shipped settings file.
const QString Idiomes = QString::fromUtf8(ConfiguracioInicial);

QComboBox* combo(QWidget& w) { return w.findChild<QComboBox*>(QStringLiteral("ComboSelIdioma")); }
QPushButton* ok(QWidget& w) { return w.findChild<QPushButton*>(QStringLiteral("OKButton")); }
} // namespace

class TestLanguageChoice : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> pf;

private slots:
    void init()
    {
        pf = PlanningFixtures::programaNou();
        G.Idioma = QStringLiteral("CT");
    }
    void cleanup()
    {
        Modal::setConductor(nullptr);
        pf.reset();
    }

    void listsTheLanguagesInFileOrderWithTheFirstSelected()
    {
        pf->writeIni(Idiomes);
        frmSelIdioma dlg;
        QCOMPARE(combo(dlg)->count(), 3);
        QCOMPARE(combo(dlg)->itemText(0), QStringLiteral("(CT) Català"));
        QCOMPARE(combo(dlg)->itemText(2), QStringLiteral("(EN) English"));
        QCOMPARE(combo(dlg)->currentIndex(), 0);
        G.Idioma = QStringLiteral("ES");
        QTest::mouseClick(ok(dlg), Qt::LeftButton);
        QCOMPARE(G.Idioma, QStringLiteral("CT"));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }

    void okTakesTheCodeOfTheChosenEntry()
    {
        pf->writeIni(Idiomes);
        frmSelIdioma dlg;
        combo(dlg)->setCurrentIndex(2);
        QTest::mouseClick(ok(dlg), Qt::LeftButton);
        QCOMPARE(G.Idioma, QStringLiteral("EN"));
    }

    void entriesAreTrimmedAndGiveTheirCode_data()
    {
        QTest::addColumn<QString>("seccio");
        QTest::addColumn<QStringList>("entrades");
        QTest::addColumn<QString>("codi");
        QTest::newRow("blanks around") << QStringLiteral("  (ES)=Español  ") + QChar(0) + QStringLiteral("(EN)=English") + QChar(0)
                                       << QStringList{"(ES)=Español", "(EN)=English"} << QStringLiteral("ES");
        QTest::newRow("one entry") << QStringLiteral("\t[EN] English") + QChar(0) << QStringList{"[EN] English"}
                                   << QStringLiteral("EN");
        QTest::newRow("empty section") << QString() << QStringList{} << QString();
    }
    void entriesAreTrimmedAndGiveTheirCode()
    {
        QFETCH(QString, seccio);
        QFETCH(QStringList, entrades);
        QFETCH(QString, codi);
        QCOMPARE(frmSelIdioma::entrades(seccio), entrades);
        if (!entrades.isEmpty()) QCOMPARE(frmSelIdioma::codiIdioma(entrades.first()), codi);
    }

    void emptyOrMissingSectionLeavesTheLanguage_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::newRow("no settings file") << QString();
        QTest::newRow("no section") << QStringLiteral("[Parametres]\nIdioma=ES\n");
        QTest::newRow("empty section") << QStringLiteral("[Idiomes]\n[Parametres]\n");
    }
    void emptyOrMissingSectionLeavesTheLanguage()
    {
        QFETCH(QString, ini);
        if (!ini.isEmpty()) pf->writeIni(ini);
        G.Idioma = QStringLiteral("ES");
        frmSelIdioma dlg;
        QCOMPARE(combo(dlg)->count(), 0);
        QCOMPARE(combo(dlg)->currentIndex(), -1);
        QTest::mouseClick(ok(dlg), Qt::LeftButton);
        QCOMPARE(G.Idioma, QStringLiteral("ES"));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }

    void closingWithoutOkLeavesTheLanguage()
    {
        pf->writeIni(Idiomes);
        frmSelIdioma dlg;
        combo(dlg)->setCurrentIndex(1);
        dlg.reject();
        QCOMPARE(G.Idioma, QStringLiteral("CT"));
    }

    void triaShowsTheDialogModally()
    {
        pf->writeIni(Idiomes);
        int vegades = 0;
        Modal::setConductor([&](QDialog& d) {
            ++vegades;
            combo(d)->setCurrentIndex(1);
            QTest::mouseClick(ok(d), Qt::LeftButton);
            return d.result();
        });
        frmSelIdioma::tria();
        QCOMPARE(vegades, 1);
        QCOMPARE(G.Idioma, QStringLiteral("ES"));
    }
};

QTEST_MAIN(TestLanguageChoice)
#include "TestLanguageChoice.moc"
