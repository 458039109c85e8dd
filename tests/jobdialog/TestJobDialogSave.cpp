// The job dialog's end time from its lines, and its save: the checks in
// their order, the zero-amount question, the question before an invoiced job
// is saved as not done, the core's refusals, the lines rewritten in grid
// order, a failure half-way that leaves nothing behind, and no box shown
// while the save holds the database.
#include "Dialeg.h"

#include "Clock.h"
#include "Convert.h"
#include "MessageBox.h"

using namespace TestSupport;
using namespace Dialeg;

class TestJobDialogSave : public UnlockedBoxesTest {
    Q_OBJECT

private slots:
    void endTime_data()
    {
        QTest::addColumn<QString>("recurs");
        QTest::addColumn<QStringList>("linies");   // "service quantity"
        QTest::addColumn<QString>("inici");
        QTest::addColumn<QString>("horaFinal");     // the day ends then (cells from 08:00 unless 24:00)
        QTest::addColumn<QString>("fi");
        QTest::addColumn<bool>("avis");
        const QString avis24 = QStringLiteral("24:00");
        QTest::newRow("45 minutes, one worker") << "Anna" << QStringList{"Vidres 1"} << "10:00" << avis24 << "11:00" << false;
        QTest::newRow("45 minutes, team of two") << "Equip" << QStringList{"Vidres 1"} << "10:00" << avis24 << "10:30" << false;
        QTest::newRow("running sum rounded after each line")
            << "Equip" << QStringList{"Escales 1", "Escales 1", "Escales 1"} << "10:00" << avis24 << "10:30" << false;
        QTest::newRow("common service counts in full")
            << "Equip" << QStringList{"Comú 1"} << "10:00" << avis24 << "11:00" << false;
        QTest::newRow("no lines: one cell") << "Anna" << QStringList{} << "10:00" << avis24 << "10:30" << false;
        QTest::newRow("past midnight") << "Anna" << QStringList{"Comú 1"} << "23:30" << avis24 << "24:00" << true;
        QTest::newRow("up to midnight") << "Anna" << QStringList{"Comú 1"} << "23:00" << avis24 << "24:00" << false;
        QTest::newRow("more than a day") << "Anna" << QStringList{"Comú 25"} << "10:00" << avis24 << "24:00" << true;
        QTest::newRow("beyond 16-bit minutes") << "Anna" << QStringList{"Comú 1000"} << "10:00" << avis24 << "24:00" << true;
        QTest::newRow("after the day's end") << "Anna" << QStringList{"Comú 2"} << "19:00" << "20:00" << "20:00" << true;
        QTest::newRow("day's end between slots: end stays")
            << "Anna" << QStringList{"Comú 2"} << "19:00" << "19:45" << "unchanged" << true;
    }

    void endTime()
    {
        QFETCH(QString, recurs);
        QFETCH(QStringList, linies);
        QFETCH(QString, inici);
        QFETCH(QString, horaFinal);
        QFETCH(QString, fi);
        QFETCH(bool, avis);
        Fixture f;
        if (horaFinal != QLatin1String("24:00")) {
            G.HoraInici = QStringLiteral("08:00");
            G.HoraFinal = horaFinal;
            G.CellesDia = qint16((*Conv::minutesOf(horaFinal) - 8 * 60) / G.MinutsCella);
        }
        BD().exec(QStringLiteral("UPDATE Feines SET feines_hora_inici = ?, feines_hora_fi = '15:00' WHERE feines_id = ?"),
                  {inici, f.id});
        for (int i = 0; i < linies.size(); ++i) {
            const QStringList p = linies[i].split(u' ');
            f.addLine(p[0], p[1], QStringLiteral("1"), QString::number(i));
        }
        f.obre();
        // Loading keeps the stored end.
        const QString abans = f.triat("HoraFiFeina");
        QCOMPARE(abans, QStringLiteral("15:00"));
        f.tria("RecursFeina", recurs);
        f.d->RecursFeina_Click();
        QCOMPARE(f.triat("HoraFiFeina"), fi == QLatin1String("unchanged") ? abans : fi);
        const QString text = QStringLiteral("L'hora final de la feina supera les %1h.").arg(G.HoraFinal);
        QCOMPARE(MsgBox::shown().size(), avis ? 1 : 0);
        if (avis) QCOMPARE(MsgBox::shown().first().title, QStringLiteral("AVÍS"));
        QCOMPARE(missatges(), avis ? QStringList{text} : QStringList());
    }

    void endTimeFollowsTheUsersResource()
    {
        Fixture f;
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("2"), QStringLiteral("1"));
        f.obre();
        QCOMPARE(f.triat("HoraFiFeina"), QStringLiteral("11:00"));
        QComboBox* recursos = f.combo("RecursFeina");
        QTest::keyClick(recursos, Qt::Key_Down);   // Anna -> Equip: 90 minutes shared by two
        QCOMPARE(f.triat("RecursFeina"), QStringLiteral("Equip"));
        QCOMPARE(f.triat("HoraFiFeina"), QStringLiteral("11:00"));
        QTest::keyClick(recursos, Qt::Key_Up);      // back to Anna: 90 minutes
        QCOMPARE(f.triat("HoraFiFeina"), QStringLiteral("11:30"));
        // A change of the start does not move the end.
        f.tria("HoraIniciFeina", QStringLiteral("09:00"));
        QCOMPARE(f.triat("HoraFiFeina"), QStringLiteral("11:30"));
    }

    void noStartSelected()
    {
        Fixture f;
        G.HoraInici = QStringLiteral("08:00");
        G.CellesDia = 32;
        BD().exec(QStringLiteral("UPDATE Feines SET feines_hora_inici = '07:00', feines_hora_fi = '09:00' "
                                 "WHERE feines_id = ?"), {f.id});
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("1"), QStringLiteral("1"));
        f.obre();
        QCOMPARE(f.triat("HoraIniciFeina"), QString());
        f.d->RecursFeina_Click();   // computes nothing without a start
        QCOMPARE(f.triat("HoraFiFeina"), QStringLiteral("09:00"));
        const QString abans = desat(f.id);
        f.d->OKButton_Click();
        QCOMPARE(missatges(), QStringList{"Tram d'hores incorrecte"});
        QCOMPARE(desat(f.id), abans);
    }

    void checksInOrder_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("inici");
        QTest::addColumn<QString>("fi");
        QTest::addColumn<QString>("recurs");
        QTest::addColumn<bool>("feta");
        QTest::addColumn<bool>("linies");
        QTest::addColumn<QString>("missatge");   // "" = saved
        const QString avui = QStringLiteral("10/03/2010");
        const QString dema = QStringLiteral("11/03/2010");
        QTest::newRow("not a date") << "dimarts" << "10:00" << "11:00" << "Anna" << false << true << "Data incorrecta";
        QTest::newRow("no such day") << "31/02/2010" << "10:00" << "11:00" << "Anna" << false << true << "Data incorrecta";
        QTest::newRow("year 1") << "01/01/0001" << "10:00" << "11:00" << "Anna" << false << true << "Data incorrecta";
        QTest::newRow("bad date before bad times") << "x" << "11:00" << "11:00" << "" << true << false << "Data incorrecta";
        QTest::newRow("start equals end") << avui << "11:00" << "11:00" << "Anna" << false << true << "Tram d'hores incorrecte";
        QTest::newRow("end before start") << avui << "11:30" << "11:00" << "Anna" << false << true << "Tram d'hores incorrecte";
        QTest::newRow("no end selected") << avui << "10:00" << "" << "Anna" << false << true << "Tram d'hores incorrecte";
        QTest::newRow("23:30 to 24:00") << avui << "23:30" << "24:00" << "Anna" << false << true << "";
        QTest::newRow("done without resource, lines or past date")
            << dema << "10:00" << "11:00" << "" << true << false << "Cal assignar recurs si la feina està feta";
        QTest::newRow("done without lines, tomorrow")
            << dema << "10:00" << "11:00" << "Anna" << true << false << "Una feina feta ha de tenir serveis";
        QTest::newRow("done tomorrow") << dema << "10:00" << "11:00" << "Anna" << true << true << "Una feina futura no pot estar feta";
        QTest::newRow("done today") << avui << "10:00" << "11:00" << "Anna" << true << true << "";
        QTest::newRow("not done tomorrow, unassigned") << dema << "10:00" << "11:00" << "" << false << true << "";
        QTest::newRow("ISO date") << "2010-03-09" << "10:00" << "11:00" << "Equip" << false << true << "";
    }

    void checksInOrder()
    {
        QFETCH(QString, data);
        QFETCH(QString, inici);
        QFETCH(QString, fi);
        QFETCH(QString, recurs);
        QFETCH(bool, feta);
        QFETCH(bool, linies);
        QFETCH(QString, missatge);
        Fixture f;
        if (linies) f.addLine(QStringLiteral("Vidres"), QStringLiteral("1"), QStringLiteral("12,5"), QStringLiteral("V"));
        f.obre();
        const QString abans = desat(f.id);
        const QStringList liniesAbans = Dialeg::linies(f.id);
        f.box("DataFeina")->setText(data);
        f.tria("HoraIniciFeina", inici);
        f.tria("HoraFiFeina", fi);
        f.tria("RecursFeina", recurs);
        f.c<QCheckBox>("FetaFeina")->setChecked(feta);
        f.c<QPlainTextEdit>("ObservacionsFeina")->setPlainText(QStringLiteral("Nota"));
        f.d->OKButton_Click();   // a job without lines is refused before the amount is asked about
        const QStringList shown = missatges();
        if (!missatge.isEmpty()) {
            QCOMPARE(shown, QStringList{missatge});
            QCOMPARE(desat(f.id), abans);
            QCOMPARE(Dialeg::linies(f.id), liniesAbans);
            QCOMPARE(f.d->result(), int(QDialog::Rejected));
            if (missatge == QLatin1String("Data incorrecta")) QCOMPARE(f.box("DataFeina")->text(), QStringLiteral("10/03/2010"));
            return;
        }
        QCOMPARE(shown, QStringList());
        QCOMPARE(G.FeinaActual.Missatge, QStringLiteral("OK"));
        QCOMPARE(f.d->result(), int(QDialog::Accepted));
        const QDate dia = *Conv::parseDate(data);
        QCOMPARE(desat(f.id), QStringList({Lloc, Conv::isoDate(dia), inici, fi, recurs.isEmpty() ? "-" : recurs,
                                           feta ? "1" : "0", "-", "0", "Nota"}).join(u'|'));
        QCOMPARE(G.FeinaActual.Data, dia);
        QCOMPARE(G.FeinaActual.Recurs, recurs);
        QCOMPARE(G.FeinaActual.Observacions, QStringLiteral("Nota"));
    }

    void zeroAmountAsks_data()
    {
        QTest::addColumn<int>("resposta");
        QTest::newRow("no") << int(MsgBox::No);
        QTest::newRow("yes") << int(MsgBox::Yes);
    }

    void zeroAmountAsks()
    {
        QFETCH(int, resposta);
        Fixture f;
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("1"), QStringLiteral("12,5"), QStringLiteral("V"));
        f.addLine(QStringLiteral("Escales"), QStringLiteral("1"), QStringLiteral("0,2"), QStringLiteral("E"));
        f.obre();
        f.treu(0);   // both lines taken out: no lines, amount 0
        f.treu(0);
        QCOMPARE(f.box("TotalFeina")->text(), QStringLiteral("0,00"));
        const QStringList liniesAbans = Dialeg::linies(f.id);
        MsgBox::pushAnswer(MsgBox::Answer(resposta));
        f.d->OKButton_Click();
        QCOMPARE(MsgBox::shown().size(), 1);
        QCOMPARE(MsgBox::shown().first().title, QStringLiteral("CONFIRMACIO"));
        QCOMPARE(MsgBox::shown().first().buttons, MsgBox::YesNo);
        QCOMPARE(missatges(), QStringList{"El import de la feina és 0. Modificar igualment?"});
        const bool desa = resposta == MsgBox::Yes;
        QCOMPARE(G.FeinaActual.Missatge, desa ? QStringLiteral("OK") : QString());
        // Saved without lines, every stored line goes.
        QCOMPARE(Dialeg::linies(f.id), desa ? QStringList() : liniesAbans);
    }

    void uncheckingADoneJob_data()
    {
        QTest::addColumn<bool>("facturada");
        QTest::addColumn<int>("resposta");   // to the question; -1 = none asked
        QTest::newRow("no invoice billed it: no question") << false << -1;
        QTest::newRow("invoiced, No: the dialog stays open with its edits") << true << int(MsgBox::No);
        QTest::newRow("invoiced, Yes: its invoice undone") << true << int(MsgBox::Yes);
    }

    void uncheckingADoneJob()
    {
        QFETCH(bool, facturada);
        QFETCH(int, resposta);
        Fixture f;
        addClient("Xecs", true);
        BD().exec(QStringLiteral("UPDATE Feines SET feines_feta = 1, feines_data_factura = ?, feines_quota = ? "
                                 "WHERE feines_id = ?"),
                  {facturada ? QVariant(QStringLiteral("2010-03-10")) : QVariant(), facturada ? 50000 : 0, f.id});
        BD().exec(QStringLiteral("INSERT INTO Xecs (clients_nom, xecs_valor, xecs_data_entrega, xecs_data_liquidat, "
                                 "feines_id) VALUES ('Xecs', 100000, '2010-01-01', '2010-03-10', ?)"), {f.id});
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("1"), QStringLiteral("12,5"), QStringLiteral("V"));
        f.obre();
        // Kept done, the core refuses it and nothing is written.
        const QString abans = desat(f.id);
        f.d->OKButton_Click();
        QCOMPARE(missatges(), QStringList{"No es pot modificar una feina feta"});
        QCOMPARE(G.FeinaActual.Missatge, QStringLiteral("No es pot modificar una feina feta"));
        QCOMPARE(desat(f.id), abans);
        f.c<QCheckBox>("FetaFeina")->click();
        f.c<QPlainTextEdit>("ObservacionsFeina")->setPlainText(QStringLiteral("Nota"));
        if (resposta >= 0) MsgBox::pushAnswer(MsgBox::Answer(resposta));
        f.d->OKButton_Click();
        if (facturada) {
            QCOMPARE(MsgBox::shown().first().title, QStringLiteral("CONFIRMACIO"));
            QCOMPARE(MsgBox::shown().first().buttons, MsgBox::YesNo);
        }
        QCOMPARE(missatges(), facturada ? QStringList{"La feina 'Casa Puig' del 10/03/2010 es va facturar el 10/03/2010 "
                                                      "i se'n desfarà la factura. Marcar-la com a no feta igualment?"}
                                        : QStringList());
        const auto xecsLliures = [] {
            return BD().scalar(QStringLiteral("SELECT count(*) FROM Xecs WHERE feines_id IS NULL AND "
                                              "xecs_data_liquidat IS NULL")).toInt();
        };
        if (resposta == MsgBox::No) {
            QCOMPARE(desat(f.id), abans);
            QCOMPARE(xecsLliures(), 0);
            QCOMPARE(f.d->result(), int(QDialog::Rejected));
            QVERIFY(!f.c<QCheckBox>("FetaFeina")->isChecked());
            QCOMPARE(f.c<QPlainTextEdit>("ObservacionsFeina")->toPlainText(), QStringLiteral("Nota"));
            return;
        }
        QCOMPARE(G.FeinaActual.Missatge, QStringLiteral("OK"));
        QCOMPARE(desat(f.id), QStringList({Lloc, "2010-03-10", "10:00", "11:00", "Anna", "0", "-", "0", "Nota"}).join(u'|'));
        QCOMPARE(xecsLliures(), 1);
        QVERIFY(!G.FeinaActual.DataFactura.isValid());
    }

    void linesStoredInGridOrderReloadedByName()
    {
        Fixture f;
        f.addLine(QStringLiteral("Comú"), QStringLiteral("1"), QStringLiteral("30"), QStringLiteral("old"));
        f.obre();
        f.treu(0);   // taken out, not added again
        f.afegeix(QStringLiteral("Vidres"), QStringLiteral("2,5"), QStringLiteral("12,5"), QStringLiteral("Finestres"));
        f.afegeix(QStringLiteral("Escales"), QStringLiteral("1.000"), QStringLiteral("0,2"), QString());
        f.afegeix(QStringLiteral("Res"), QStringLiteral("1"), QStringLiteral("-3"), QStringLiteral("Descompte"));
        // 2,5 x 45 + 1000 x 21 minutes run past midnight, from the second line on.
        const QString tallada = QStringLiteral("L'hora final de la feina supera les 24:00h.");
        QCOMPARE(missatges(), QStringList({tallada, tallada}));
        f.d->OKButton_Click();
        QCOMPARE(missatges(), QStringList());
        QCOMPARE(Dialeg::linies(f.id), QStringList({"Vidres|Finestres|25000|h|125000", "Escales||10000000|m2|2000",
                                                    "Res|Descompte|10000|u|-30000"}));
        QCOMPARE(desat(f.id).section(u'|', 3, 3), QStringLiteral("24:00"));
        f.obre();
        QCOMPARE(f.files(), QStringList({"Escales||1000|m2|0,2", "Res|Descompte|1|u|-3", "Vidres|Finestres|2,5|h|12,5"}));
        QCOMPARE(f.box("TotalFeina")->text(), QStringLiteral("228,25"));
    }

    void overlapRefusedWritesNothing()
    {
        Fixture f;
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("1"), QStringLiteral("12,5"), QStringLiteral("V"));
        addJob(Lloc, Avui, "12:00", "13:00", "Pere");
        f.obre();
        const QString abans = desat(f.id);
        f.tria("RecursFeina", QStringLiteral("Equip"));
        f.tria("HoraIniciFeina", QStringLiteral("12:00"));
        f.tria("HoraFiFeina", QStringLiteral("12:30"));
        f.afegeix(QStringLiteral("Escales"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("E"));
        f.d->OKButton_Click();
        const QStringList shown = missatges();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().startsWith(QStringLiteral("Solapament de recursos:")), qPrintable(shown.first()));
        QCOMPARE(G.FeinaActual.Missatge, shown.first());
        QCOMPARE(G.FeinaActual.HoraInici, QStringLiteral("12:00"));   // the record holds the attempt
        QCOMPARE(desat(f.id), abans);
        QCOMPARE(Dialeg::linies(f.id), QStringList{"Vidres|V|10000|h|125000"});
        QCOMPARE(f.d->result(), int(QDialog::Rejected));
    }

    void failureWhileRewritingLinesLeavesAllAsItWas()
    {
        Fixture f;
        BD().exec(QStringLiteral("UPDATE Feines SET feines_observacions = 'abans' WHERE feines_id = ?"), {f.id});
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("1"), QStringLiteral("12,5"), QStringLiteral("V"));
        f.addLine(QStringLiteral("Comú"), QStringLiteral("1"), QStringLiteral("30"), QStringLiteral("C"));
        BD().exec(QStringLiteral("CREATE TRIGGER refusa_escales BEFORE INSERT ON Feines_Detall "
                                 "WHEN NEW.serveis_nom = 'Escales' BEGIN SELECT RAISE(ABORT, 'escales refusades'); END"));
        f.obre();
        const QString abans = desat(f.id);
        const QStringList liniesAbans = Dialeg::linies(f.id);
        f.box("DataFeina")->setText(QStringLiteral("09/03/2010"));
        f.c<QPlainTextEdit>("ObservacionsFeina")->setPlainText(QStringLiteral("després"));
        f.afegeix(QStringLiteral("Escales"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("E"));
        f.d->OKButton_Click();
        const QStringList shown = missatges();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().startsWith(QStringLiteral("Error en Modifica Feina / Detall:")), qPrintable(shown.first()));
        QVERIFY2(shown.first().contains(QStringLiteral("escales refusades")), qPrintable(shown.first()));
        QCOMPARE(G.FeinaActual.Missatge, shown.first());
        QCOMPARE(desat(f.id), abans);
        QCOMPARE(Dialeg::linies(f.id), liniesAbans);
        QCOMPARE(f.d->result(), int(QDialog::Rejected));

        // The dialog stays usable: once the cause is gone the same save goes through.
        BD().exec(QStringLiteral("DROP TRIGGER refusa_escales"));
        f.d->OKButton_Click();
        QCOMPARE(G.FeinaActual.Missatge, QStringLiteral("OK"));
        QCOMPARE(Dialeg::linies(f.id).size(), 3);
        QCOMPARE(desat(f.id).section(u'|', 8), QStringLiteral("després"));
    }
};

QTEST_MAIN(TestJobDialogSave)
#include "TestJobDialogSave.moc"
