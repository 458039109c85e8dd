// The settings dialog: loading, the checks run by OK, the single save and
// the database frame (file choice and purge).
#include "Dialogs.h"
#include "FrameTestHelpers.h"
#include "GestioBD.h"
#include "Globals.h"
#include "MessageBox.h"
#include "TestSupport.h"
#include "frmConfiguracio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QFocusEvent>
#include <QTest>

using namespace TestSupport;

namespace {
const QString kIni = QStringLiteral("[Idiomes]\n(CT) Català\n(ES) Español\n(EN) English\n"
                                    "[Parametres]\nPrimeraExecucio=0\nMinutsCella=30\nHoraInici=08:00\n");
}

class TestFrameSettings : public SeamedTest {
    Q_OBJECT
private slots:
    void loadsTheSettingsOfThisRun();
    void firstRunFormAppliesEvenWithoutLanguages();
    void refusedOkWritesNothing_data();
    void refusedOkWritesNothing();
    void answeringNoWritesNothing();
    void confirmedOkSavesEveryKeyAndAsksRestart();
    void cancelAsksNoRestart();
    void failedSaveAsksNoRestart();
    void cellMinutesRebuildTheHourLists();
    void leavingABoxChecksIt();
    void noChequeServiceClearsItsBoxes();
    void chosenDatabaseMustExistWithOurTables();
    void purgeButtonDeletesAndMarksViewsStale();

private:
    QLineEdit* box(frmConfiguracio& d, const char* name) { return d.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QComboBox* combo(frmConfiguracio& d, const char* name) { return d.findChild<QComboBox*>(QString::fromLatin1(name)); }
};

void TestFrameSettings::loadsTheSettingsOfThisRun()
{
    ProgramFolder pf;
    pf.writeIni(kIni + QStringLiteral("Idioma=ES\nHoresDia=7.5\n"));
    pf.start();
    frmConfiguracio d;
    QCOMPARE(box(d, "txtBD")->text(), defaultDatabasePath());
    QCOMPARE(box(d, "txtDataPurgat")->text(), QStringLiteral("31/12/2009"));
    QCOMPARE(box(d, "txtMinutsCella")->text(), QStringLiteral("30"));
    QCOMPARE(box(d, "txtHoresDia")->text(), QStringLiteral("7,5"));
    QCOMPARE(combo(d, "ComboHoraInici")->currentText(), QStringLiteral("08:00"));
    QCOMPARE(combo(d, "ComboHoraFinal")->currentText(), QStringLiteral("24:00"));
    QCOMPARE(combo(d, "ComboHoraIniciDinar")->currentText(), QStringLiteral("13:30"));
    QCOMPARE(combo(d, "ComboHoraFinalDinar")->currentText(), QStringLiteral("15:00"));
    QCOMPARE(combo(d, "ComboSelIdioma")->count(), 3);
    QCOMPARE(combo(d, "ComboSelIdioma")->currentText(), QStringLiteral("(ES) Español"));
    QVERIFY(d.findChild<QPushButton*>(QStringLiteral("CancelButton"))->isEnabled());
    QVERIFY(!d.findChild<QWidget*>(QStringLiteral("btnPurgarBD"))->isHidden());
    QVERIFY(MsgBox::shown().isEmpty());
}

void TestFrameSettings::firstRunFormAppliesEvenWithoutLanguages()
{
    ProgramFolder pf;
    pf.start();  // no settings file: a first run, with no language list
    QVERIFY(G.PrimeraExecucio);
    G.Idioma = QStringLiteral("EN");
    frmConfiguracio d;
    QVERIFY(!d.findChild<QPushButton*>(QStringLiteral("CancelButton"))->isEnabled());
    for (const char* name : {"btnPurgarBD", "Label16", "txtDataPurgat", "Label20", "txtUltDiaGenerat", "FrameLocalitzacio"})
        QVERIFY2(d.findChild<QWidget*>(QString::fromLatin1(name))->isHidden(), name);
    QCOMPARE(combo(d, "ComboSelIdioma")->count(), 0);
    MsgBox::pushAnswer(MsgBox::Yes);
    FrameTest::clica(d, "OKButton");
    QVERIFY(G.Reiniciar);
    // With no language to pick, the chosen one is kept.
    QCOMPARE(FrameTest::ini("Parametres", "Idioma"), QStringLiteral("EN"));
    QVERIFY(seamsClean());
}

void TestFrameSettings::refusedOkWritesNothing_data()
{
    QTest::addColumn<QString>("cas");
    QTest::addColumn<QString>("missatge");
    QTest::newRow("end before start") << "end" << "L'hora de fi ha de ser posterior a l'hora d'inici.";
    QTest::newRow("end equal to start") << "equal" << "L'hora de fi ha de ser posterior a l'hora d'inici.";
    QTest::newRow("hours typed, box never left") << "hours" << "Cal introduir un valor no negatiu";
    QTest::newRow("bad last planned day") << "date" << "Data incorrecta";
    QTest::newRow("last planned day in year 1") << "year 1" << "Data incorrecta";
    QTest::newRow("cells below 10") << "cells" << "El valor no pot ser inferior a 10 minuts";
    QTest::newRow("cells too large") << "cells large" << "El valor no pot ser superior a 1440 minuts";
    QTest::newRow("hours beyond a day") << "hours large" << "El valor no pot ser superior a 24 hores";
    QTest::newRow("lunch across midnight") << "lunch" << "L'hora de fi del dinar ha de ser posterior a l'hora d'inici del dinar.";
    QTest::newRow("lunch not chosen") << "no lunch" << "Cal triar l'hora d'inici i l'hora de fi del dinar.";
    QTest::newRow("job off the new grid") << "job" << "Hi ha feines (p.ex. id=%1) amb hora d'inici incoherent amb els paràmetres 'Hora inici:' i 'Tram mínim:'.";
}

void TestFrameSettings::refusedOkWritesNothing()
{
    QFETCH(QString, cas);
    QFETCH(QString, missatge);
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    addClient(QStringLiteral("Client"));
    addSite(QStringLiteral("Lloc"), QStringLiteral("Client"));
    addJob(QStringLiteral("Lloc"), QDate(2010, 3, 1), QStringLiteral("09:00"), QStringLiteral("10:00"));
    const int quart = addJob(QStringLiteral("Lloc"), QDate(2010, 3, 2), QStringLiteral("09:30"), QStringLiteral("10:00"));
    const QByteArray abans = FrameTest::contingut(iniPath());

    frmConfiguracio d;
    QComboBox* inici = combo(d, "ComboHoraInici");
    QComboBox* fi = combo(d, "ComboHoraFinal");
    if (cas == u"end") {
        inici->setCurrentText(QStringLiteral("12:00"));
        fi->setCurrentText(QStringLiteral("10:00"));
    } else if (cas == u"equal") {
        inici->setCurrentText(QStringLiteral("12:00"));
        fi->setCurrentText(QStringLiteral("12:00"));
    } else if (cas == u"hours") {
        box(d, "txtHoresDia")->setText(QStringLiteral("vuit"));
    } else if (cas == u"date") {
        box(d, "txtUltDiaGenerat")->setText(QStringLiteral("32/01/2010"));
    } else if (cas == u"year 1") {
        box(d, "txtUltDiaGenerat")->setText(QStringLiteral("01/01/0001"));
    } else if (cas == u"cells") {
        box(d, "txtMinutsCella")->setText(QStringLiteral("5"));
    } else if (cas == u"cells large") {
        box(d, "txtMinutsCella")->setText(QStringLiteral("99999999999"));
    } else if (cas == u"hours large") {
        box(d, "txtHoresDia")->setText(QStringLiteral("99"));
    } else if (cas == u"lunch") {
        combo(d, "ComboHoraIniciDinar")->setCurrentText(QStringLiteral("23:30"));
        combo(d, "ComboHoraFinalDinar")->setCurrentText(QStringLiteral("00:30"));
    } else if (cas == u"no lunch") {
        combo(d, "ComboHoraFinalDinar")->setCurrentIndex(-1);
    } else if (cas == u"job") {
        box(d, "txtMinutsCella")->setText(QStringLiteral("60"));
        missatge = missatge.arg(quart);
    }
    FrameTest::clica(d, "OKButton");
    QVERIFY(!MsgBox::shown().isEmpty());
    QCOMPARE(MsgBox::shown().first().text, missatge);
    QCOMPARE(MsgBox::shown().first().title, cas == u"job" ? QStringLiteral("ERROR") : QString());
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY(!G.Reiniciar);
    QCOMPARE(FrameTest::contingut(iniPath()), abans);
    QVERIFY(seamsClean());
}

void TestFrameSettings::answeringNoWritesNothing()
{
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    const QByteArray abans = FrameTest::contingut(iniPath());
    frmConfiguracio d;
    box(d, "txtMinutsCella")->setText(QStringLiteral("15"));
    MsgBox::pushAnswer(MsgBox::No);
    FrameTest::clica(d, "OKButton");
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown().first().title, QStringLiteral("AVÍS"));
    QCOMPARE(MsgBox::shown().first().text,
             QStringLiteral("Vas a modificar la configuració.\r\nEs reiniciarà l'aplicació. Continuar?"));
    QVERIFY(!G.Reiniciar);
    QCOMPARE(box(d, "txtMinutsCella")->text(), QStringLiteral("15"));
    QCOMPARE(FrameTest::contingut(iniPath()), abans);
}

void TestFrameSettings::confirmedOkSavesEveryKeyAndAsksRestart()
{
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    addService(QStringLiteral("Neteja"), 60);
    addService(QStringLiteral("Vidres"), 30);
    frmConfiguracio d;
    box(d, "txtMinutsCella")->setText(QStringLiteral("15"));
    box(d, "txtHoresDia")->setText(QStringLiteral("7,5"));
    box(d, "txtUltDiaGenerat")->setText(QStringLiteral("21/03/2010"));
    combo(d, "ComboServeiXecs")->setCurrentText(QStringLiteral("Vidres"));
    box(d, "txtValorDftXec")->setText(QStringLiteral("9,5"));
    box(d, "txtCostHoraXec")->setText(QStringLiteral("-1,734"));
    box(d, "txtNMaxXecsMes")->setText(QStringLiteral("4"));
    combo(d, "ComboSelIdioma")->setCurrentIndex(2);
    d.findChild<QCheckBox*>(QStringLiteral("chkDissabtesExtra"))->setChecked(false);
    MsgBox::pushAnswer(MsgBox::Yes);
    FrameTest::clica(d, "OKButton");
    QVERIFY(seamsClean());
    QVERIFY(G.Reiniciar);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(G.UltimDiaGen, QDate(2010, 3, 21));
    using FrameTest::ini;
    QCOMPARE(ini("General", "BaseDades"), QStringLiteral("TorvanelV01.db"));   // goes with the program folder
    QCOMPARE(ini("Parametres", "MinutsCella"), QStringLiteral("15"));
    QCOMPARE(ini("Parametres", "HoraInici"), QStringLiteral("08:00"));
    QCOMPARE(ini("Parametres", "HoraFinal"), QStringLiteral("24:00"));
    QCOMPARE(ini("Parametres", "HoresDia"), QStringLiteral("7.5"));
    QCOMPARE(ini("Parametres", "DissabtesExtra"), QStringLiteral("0"));
    QCOMPARE(ini("Parametres", "DiumengesExtra"), QStringLiteral("1"));
    QCOMPARE(ini("Parametres", "CalculxHores"), QStringLiteral("1"));
    QCOMPARE(ini("Parametres", "HoraIniciDinar"), QStringLiteral("13:30"));
    QCOMPARE(ini("Parametres", "HoraFinalDinar"), QStringLiteral("15:00"));
    QCOMPARE(ini("Parametres", "ServeiXecs"), QStringLiteral("Vidres"));
    QCOMPARE(ini("Parametres", "ValorXec"), QStringLiteral("9.5"));
    QCOMPARE(ini("Parametres", "CostHoraXec"), QStringLiteral("-1.73"));
    QCOMPARE(ini("Parametres", "MaxXecsMes"), QStringLiteral("4"));
    QCOMPARE(ini("Parametres", "PermetSolaparLlocs"), QStringLiteral("1"));
    QCOMPARE(ini("Parametres", "Idioma"), QStringLiteral("EN"));
    QCOMPARE(ini("Estat", "UltimDiaGen"), QStringLiteral("2010-03-21"));
    QCOMPARE(ini("Parametres", "PrimeraExecucio"), QStringLiteral("0"));
}

void TestFrameSettings::cancelAsksNoRestart()
{
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    const QByteArray abans = FrameTest::contingut(iniPath());
    G.Reiniciar = true;
    frmConfiguracio d;
    FrameTest::clica(d, "CancelButton");
    QVERIFY(!G.Reiniciar);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(FrameTest::contingut(iniPath()), abans);
}

void TestFrameSettings::failedSaveAsksNoRestart()
{
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    frmConfiguracio d;
    // The settings file turns into something that cannot be written.
    QVERIFY(QFile::remove(iniPath()));
    QVERIFY(QDir(pf.path()).mkdir(QStringLiteral("Torvanel.ini")));
    MsgBox::pushAnswer(MsgBox::Yes);
    FrameTest::clica(d, "OKButton");
    QCOMPARE(MsgBox::shown().last().text, QStringLiteral("Error al gravar .ini"));
    QCOMPARE(MsgBox::shown().last().title, QStringLiteral("ERROR"));
    QVERIFY(!G.Reiniciar);
    QVERIFY(d.result() != int(QDialog::Accepted));
    QVERIFY(seamsClean());
}

void TestFrameSettings::cellMinutesRebuildTheHourLists()
{
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    frmConfiguracio d;
    QLineEdit* minuts = box(d, "txtMinutsCella");
    combo(d, "ComboHoraFinal")->setCurrentText(QStringLiteral("20:00"));
    minuts->setText(QStringLiteral("15"));
    QVERIFY(d.comprovaCamp(minuts));
    for (const char* name : {"ComboHoraInici", "ComboHoraFinal", "ComboHoraIniciDinar", "ComboHoraFinalDinar"})
        QCOMPARE(combo(d, name)->count(), 96);
    // Rebuilt lists select the stored settings again.
    QCOMPARE(combo(d, "ComboHoraFinal")->currentText(), QStringLiteral("24:00"));
    QCOMPARE(combo(d, "ComboHoraInici")->currentText(), QStringLiteral("08:00"));

    minuts->setText(QStringLiteral("5"));
    QVERIFY(!d.comprovaCamp(minuts));
    QCOMPARE(MsgBox::shown().last().text, QStringLiteral("El valor no pot ser inferior a 10 minuts"));
    QCOMPARE(combo(d, "ComboHoraInici")->count(), 96);

    minuts->setText(QStringLiteral("12,6"));
    QVERIFY(d.comprovaCamp(minuts));
    QCOMPARE(minuts->text(), QStringLiteral("13"));
    QCOMPARE(combo(d, "ComboHoraInici")->count(), 1440 / 13);
}

void TestFrameSettings::leavingABoxChecksIt()
{
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    frmConfiguracio d;
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.activateWindow();
    QLineEdit* hores = box(d, "txtHoresDia");
    hores->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(hores->hasFocus());
    QCOMPARE(hores->selectedText(), QStringLiteral("8"));
    QTest::keyClicks(hores, QStringLiteral("-2,346"));
    box(d, "txtMinutsCella")->setFocus(Qt::TabFocusReason);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown().first().text, QStringLiteral("No es pot introduir un valor negatiu"));
    QCOMPARE(hores->text(), QStringLiteral("-2,35"));
    QTRY_VERIFY(hores->hasFocus());
    // A window coming up over the dialog (the message itself, a list's
    // popup) takes the focus without leaving the box: no second message.
    for (Qt::FocusReason motiu : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent fora(QEvent::FocusOut, motiu);
        QCoreApplication::sendEvent(hores, &fora);
    }
    QCOMPARE(MsgBox::shown().size(), 1);
    d.close();
}

void TestFrameSettings::noChequeServiceClearsItsBoxes()
{
    ProgramFolder pf;
    pf.writeIni(kIni + QStringLiteral("ServeiXecs=Desaparegut\nValorXec=12.5\nMaxXecsMes=3\n"));
    pf.start();
    addService(QStringLiteral("Neteja"), 60);
    {
        // A stored service that no longer exists: empty entry, stored values shown, boxes locked.
        frmConfiguracio d;
        QCOMPARE(combo(d, "ComboServeiXecs")->currentIndex(), 0);
        QCOMPARE(box(d, "txtValorDftXec")->text(), QStringLiteral("12,5"));
        QVERIFY(!box(d, "txtValorDftXec")->isEnabled());
        MsgBox::pushAnswer(MsgBox::Yes);
        FrameTest::clica(d, "OKButton");
        QCOMPARE(FrameTest::ini("Parametres", "ServeiXecs"), QStringLiteral("<absent>"));
        QCOMPARE(FrameTest::ini("Parametres", "ValorXec"), QStringLiteral("12.5"));
        QCOMPARE(FrameTest::ini("Parametres", "MaxXecsMes"), QStringLiteral("3"));
    }
    {
        frmConfiguracio d;
        combo(d, "ComboServeiXecs")->setCurrentIndex(1);
        QVERIFY(box(d, "txtNMaxXecsMes")->isEnabled());
        QCOMPARE(box(d, "txtNMaxXecsMes")->text(), QStringLiteral("3"));
        combo(d, "ComboServeiXecs")->setCurrentIndex(0);
        for (const char* name : {"txtNMaxXecsMes", "txtValorDftXec", "txtCostHoraXec"}) {
            QVERIFY(box(d, name)->text().isEmpty());
            QVERIFY(!box(d, name)->isEnabled());
        }
        MsgBox::pushAnswer(MsgBox::Yes);
        FrameTest::clica(d, "OKButton");
        QCOMPARE(FrameTest::ini("Parametres", "ValorXec"), QStringLiteral("<absent>"));
        QCOMPARE(FrameTest::ini("Parametres", "MaxXecsMes"), QStringLiteral("<absent>"));
    }
    QVERIFY(seamsClean());
}

void TestFrameSettings::chosenDatabaseMustExistWithOurTables()
{
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    frmConfiguracio d;
    QLineEdit* txtBD = box(d, "txtBD");
    const QString abans = txtBD->text();

    Dialogs::setNextFileName(pf.file(QStringLiteral("NoExisteix.db")));
    FrameTest::clica(d, "btnSeleccionaBD");
    QCOMPARE(txtBD->text(), abans);
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY(MsgBox::shown().first().text.startsWith(QStringLiteral("El fitxer triat no és una base de dades de Torvanel:")));

    // Cancelling the file dialog changes nothing and shows nothing, not even
    // the refusal of the file chosen before.
    FrameTest::clica(d, "btnSeleccionaBD");
    QCOMPARE(txtBD->text(), abans);
    QCOMPARE(MsgBox::shown().size(), 1);

    const QString altra = pf.file(QStringLiteral("Altra.db"));
    QVERIFY(QFile::copy(defaultDatabasePath(), altra));
    Dialogs::setNextFileName(altra);
    FrameTest::clica(d, "btnSeleccionaBD");
    QCOMPARE(txtBD->text(), altra);
    QCOMPARE(G.BaseDades, defaultDatabasePath());
}

void TestFrameSettings::purgeButtonDeletesAndMarksViewsStale()
{
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    addClient(QStringLiteral("Client"));
    addSite(QStringLiteral("Lloc"), QStringLiteral("Client"));
    addJob(QStringLiteral("Lloc"), QDate(2009, 12, 31), QStringLiteral("09:00"), QStringLiteral("10:00"));
    addJob(QStringLiteral("Lloc"), QDate(2010, 1, 1), QStringLiteral("09:00"), QStringLiteral("10:00"));
    frmConfiguracio d;
    QLineEdit* data = box(d, "txtDataPurgat");

    for (const char* text : {"no és data", "31/12/9999"}) {
        data->setText(QString::fromLatin1(text));
        FrameTest::clica(d, "btnPurgarBD");
        QCOMPARE(MsgBox::shown().last().text, QStringLiteral("Data incorrecta"));
    }

    data->setText(QStringLiteral("31/12/2009"));
    MsgBox::pushAnswer(MsgBox::No);
    FrameTest::clica(d, "btnPurgarBD");
    QCOMPARE(MsgBox::shown().last().title, QStringLiteral("ESBORRAT DE FEINES"));
    QCOMPARE(MsgBox::shown().last().text, QStringLiteral("Vols esborrar les feines fins al 31/12/2009?"));
    QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Feines")).toInt(), 2);
    QVERIFY(!G.CompactarBD);

    MsgBox::pushAnswer(MsgBox::Yes);
    FrameTest::clica(d, "btnPurgarBD");
    QCOMPARE(MsgBox::shown().last().text, QStringLiteral("1 feines esborrades."));
    QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Feines")).toInt(), 1);
    QVERIFY(G.AgendaPendent && G.FacturacioPendent && G.CompactarBD);

    // A failure says so and schedules nothing.
    G.AgendaPendent = G.FacturacioPendent = G.CompactarBD = false;
    GestioBD::setPuntFalladaPurga([] { throw DbError(QStringLiteral("disc ple")); });
    data->setText(QStringLiteral("01/01/2010"));
    MsgBox::pushAnswer(MsgBox::Yes);
    FrameTest::clica(d, "btnPurgarBD");
    GestioBD::setPuntFalladaPurga(nullptr);
    QCOMPARE(MsgBox::shown().last().title, QStringLiteral("ERROR"));
    QVERIFY(MsgBox::shown().last().text.startsWith(QStringLiteral("Error:disc ple")));
    QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Feines")).toInt(), 1);
    QVERIFY(!G.AgendaPendent && !G.FacturacioPendent && !G.CompactarBD);
    QVERIFY(seamsClean());
}

QTEST_MAIN(TestFrameSettings)
#include "TestFrameSettings.moc"
