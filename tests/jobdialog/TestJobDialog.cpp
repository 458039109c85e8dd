// The job dialog as it opens: its fields, slots and resource list, the done
// lock, the opening protocol; its service lines: "+", taking a line back,
// the defaults of a service and the amount; and the print button.
#include "Dialeg.h"

#include "MessageBox.h"
#include "Principal.h"
#include "PdfFixtures.h"

#include <QScopeGuard>

using namespace TestSupport;
using namespace Dialeg;

class TestJobDialog : public SeamedTest {
    Q_OBJECT
private slots:
    void loadShowsTheStoredJob()
    {
        Fixture f;
        BD().exec(QStringLiteral("UPDATE Feines SET feines_hora_inici = '10:15', feines_hora_fi = '11:10', "
                                 "feines_observacions = 'Clau a la porteria' WHERE feines_id = ?"), {f.id});
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("2"), QStringLiteral("12,5"), QStringLiteral("Vidres de la casa"));
        f.addLine(QStringLiteral("Escales"), QStringLiteral("1,5"), QStringLiteral("0,2"));
        G.FeinaActual.Observacions = QStringLiteral("not read");
        f.obre();
        QCOMPARE(f.box("IdFeina")->text(), QString::number(f.id));
        QCOMPARE(f.box("LlocFeina")->text(), Lloc);
        QCOMPARE(f.box("DataFeina")->text(), QStringLiteral("10/03/2010"));
        QCOMPARE(f.items("HoraIniciFeina").size(), 48);
        QCOMPARE(f.triat("HoraIniciFeina"), QStringLiteral("10:00"));
        QCOMPARE(f.triat("HoraFiFeina"), QStringLiteral("11:00"));
        QCOMPARE(f.items("RecursFeina"), QStringList({"Anna", "Equip", "Pere"}));
        QCOMPARE(f.triat("RecursFeina"), QStringLiteral("Anna"));
        QCOMPARE(f.items("ServeisCombo"), QStringList({"Comú", "Escales", "Res", "Vidres"}));
        QCOMPARE(f.triat("ServeisCombo"), QString());
        QCOMPARE(f.c<QPlainTextEdit>("ObservacionsFeina")->toPlainText(), QStringLiteral("Clau a la porteria"));
        QCOMPARE(f.box("DataFacturaFeina")->text(), QString());
        QVERIFY(!f.c<QCheckBox>("FetaFeina")->isChecked());
        // Lines by service name, with the stored numbers as locale texts; the exact amount rounded.
        QCOMPARE(f.files(), QStringList({"Escales||1,5|m2|0,2", "Vidres|Vidres de la casa|2|h|12,5"}));
        QCOMPARE(f.box("TotalFeina")->text(), QStringLiteral("25,30"));
        // The largest total a job can reach shows every digit.
        QLineEdit* total = f.box("TotalFeina");
        total->setText(QStringLiteral("922.337.203.685.477,58"));
        QVERIFY(QFontMetrics(total->font()).horizontalAdvance(total->text()) <= total->width() - 8);
        total->setText(QStringLiteral("25,30"));
        const int amples[5] = {1790, 5840, 870, 1650, 1100};
        for (int c = 0; c < 5; ++c) QCOMPARE(f.grid()->ColWidth(c), qRound(amples[c] / 15.0));
        // Tab order from the date box, which opens with the focus.
        QStringList ordre;
        QWidget* w = f.box("DataFeina");
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty()) ordre << w->objectName();
            w = w->nextInFocusChain();
        } while (w != f.box("DataFeina") && ordre.size() < 30);
        QCOMPARE(ordre, QStringList({"DataFeina", "HoraIniciFeina", "HoraFiFeina", "RecursFeina", "FetaFeina",
                                     "ObservacionsFeina", "ServeisCombo", "DescripcioServeiFeina",
                                     "QuantitatServeiFeina", "PreuServeiFeina", "AfegirServei", "DetallFeinaServeis",
                                     "ImprimirButton", "OKButton"}));
    }

    void missingRowsAndNullNumbers()
    {
        Fixture f;
        // A database made before the line numbers were required.
        BD().exec(QStringLiteral("DROP TABLE Feines_Detall"));
        BD().exec(QStringLiteral("CREATE TABLE Feines_Detall (feines_id INTEGER, serveis_nom TEXT, "
                                 "feines_detall_quantitat INTEGER, feines_detall_preu_un INTEGER, "
                                 "feines_detall_unitat TEXT, feines_detall_descripcio TEXT)"));
        BD().exec(QStringLiteral("INSERT INTO Feines_Detall VALUES (?, 'Vidres', NULL, 125000, NULL, NULL)"), {f.id});
        BD().exec(QStringLiteral("INSERT INTO Feines_Detall VALUES (?, 'Escales', 20000, NULL, 'm2', 'Escala')"), {f.id});
        f.obre();
        QCOMPARE(f.files(), QStringList({"Escales|Escala|2|m2|0", "Vidres||0||12,5"}));
        QCOMPARE(f.box("TotalFeina")->text(), QStringLiteral("0,00"));

        // A job whose row is gone opens with empty notes and no lines.
        G.FeinaActual.Id = 999;
        frmFeines d;
        QVERIFY(d.Form_Load());
        QCOMPARE(d.findChild<QPlainTextEdit*>("ObservacionsFeina")->toPlainText(), QString());
        QCOMPARE(d.findChild<Graella*>("DetallFeinaServeis")->Rows(), 0);
    }

    void resourceSelection_data()
    {
        QTest::addColumn<QString>("recurs");
        QTest::addColumn<QString>("triat");
        QTest::newRow("none") << "" << "";
        QTest::newRow("gone") << "Ningú" << "";
        QTest::newRow("team") << "Equip" << "Equip";
        QTest::newRow("other letter case") << "pere" << "Pere";
    }

    void resourceSelection()
    {
        QFETCH(QString, recurs);
        QFETCH(QString, triat);
        Fixture f;
        f.obre();
        G.FeinaActual.Recurs = recurs;
        f.d = std::make_unique<frmFeines>();
        QVERIFY(f.d->Form_Load());
        QCOMPARE(f.triat("RecursFeina"), triat);
        // Delete unselects it in a job that is not done.
        f.tria("RecursFeina", QStringLiteral("Anna"));
        QTest::keyClick(f.combo("RecursFeina"), Qt::Key_Delete);
        QCOMPARE(f.triat("RecursFeina"), QString());
        QCOMPARE(f.triat("HoraFiFeina"), QStringLiteral("10:30"));   // no lines: one cell
    }

    void doneJobIsLocked()
    {
        Fixture f;
        BD().exec(QStringLiteral("UPDATE Feines SET feines_feta = 1, feines_data_factura = '2010-03-31' WHERE feines_id = ?"),
                  {f.id});
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("1"), QStringLiteral("12,5"));
        f.obre();
        QCOMPARE(f.box("DataFacturaFeina")->text(), QStringLiteral("31/03/2010"));
        auto* feta = f.c<QCheckBox>("FetaFeina");
        QVERIFY(feta->isChecked());
        const QStringList caixes = {"DataFeina", "DescripcioServeiFeina", "QuantitatServeiFeina", "PreuServeiFeina"};
        const QStringList llistes = {"HoraIniciFeina", "HoraFiFeina", "RecursFeina", "ServeisCombo"};
        auto comprova = [&](bool bloquejat) {
            for (const QString& n : caixes) QCOMPARE(f.box(qPrintable(n))->isReadOnly(), bloquejat);
            QCOMPARE(f.c<QPlainTextEdit>("ObservacionsFeina")->isReadOnly(), bloquejat);
            for (const QString& n : llistes) {
                QComboBox* cb = f.combo(qPrintable(n));
                const int abans = cb->currentIndex();
                QTest::keyClick(cb, Qt::Key_Down);
                QCOMPARE(cb->currentIndex() == abans, bloquejat);
                cb->setCurrentIndex(abans);
            }
            QCOMPARE(f.grid()->isEnabled(), !bloquejat);
            QCOMPARE(f.c<QPushButton>("AfegirServei")->isEnabled(), !bloquejat);
            for (const char* b : {"OKButton", "ImprimirButton"}) QVERIFY(f.c<QPushButton>(b)->isEnabled());
            QVERIFY(feta->isEnabled());
        };
        comprova(true);
        // Delete does nothing while the job is done.
        QTest::keyClick(f.combo("RecursFeina"), Qt::Key_Delete);
        QCOMPARE(f.triat("RecursFeina"), QStringLiteral("Anna"));
        feta->click();
        comprova(false);
        feta->click();
        comprova(true);
        QCOMPARE(missatges(), QStringList());
    }

    void openingProtocol_data()
    {
        QTest::addColumn<bool>("desa");
        QTest::addColumn<QString>("missatge");
        QTest::newRow("closed with its close box") << false << "before";
        QTest::newRow("saved") << true << "OK";
    }

    void openingProtocol()
    {
        QFETCH(bool, desa);
        QFETCH(QString, missatge);
        Fixture f;
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("1"), QStringLiteral("12,5"));
        f.obre();
        f.d.reset();
        G.FeinaActual.Missatge = QStringLiteral("before");
        const QString abans = desat(f.id);
        int oberts = 0;
        setConductorFeines([&](frmFeines& d) {
            ++oberts;
            QVERIFY(d.findChild<QLineEdit*>("IdFeina")->text() == QString::number(f.id));
            d.findChild<QLineEdit*>("DataFeina")->setText(QStringLiteral("11/03/2010"));
            if (desa)
                d.findChild<QPushButton*>("OKButton")->click();
            else
                d.close();
        });
        Obre_Feina();
        Obre_Feina();   // each opening is a new dialog
        QCOMPARE(oberts, 2);
        QCOMPARE(G.FeinaActual.Missatge, missatge);
        QCOMPARE(desat(f.id) == abans, !desa);
    }

    void addLine_data()
    {
        QTest::addColumn<QString>("servei");
        QTest::addColumn<QString>("quantitat");
        QTest::addColumn<QString>("preu");
        QTest::addColumn<QString>("descripcio");
        QTest::addColumn<QString>("missatge");   // "" = added
        const QString dup = QStringLiteral("El servei/descripció ja existeix en la feina");
        QTest::newRow("no service: nothing happens") << "" << "x" << "" << "" << "-";
        QTest::newRow("quantity not a number") << "Escales" << "dues" << "0,2" << "Escala" << "Cal informar la quantitat";
        QTest::newRow("no quantity") << "Escales" << "" << "0,2" << "Escala" << "Cal informar la quantitat";
        QTest::newRow("quantity beyond range")
            << "Escales" << "99999999999999999" << "0,2" << "Escala" << "El número és massa gran: 99999999999999999";
        QTest::newRow("quantity past the limit of typed numbers")
            << "Escales" << "10000000" << "0,2" << "Escala" << "El número és massa gran: 10000000";
        QTest::newRow("no price") << "Escales" << "1" << "" << "Escala" << "Cal informar el preu unitari";
        QTest::newRow("price not a number") << "Escales" << "1" << "1,2,3" << "Escala" << "Cal informar el preu unitari";
        QTest::newRow("price past the limit of typed numbers")
            << "Escales" << "1" << "-99999999,5" << "Escala" << "El número és massa gran: -99999999,5";
        QTest::newRow("same service and description") << "Vidres" << "1" << "12,5" << "Vidres de la casa" << dup;
        QTest::newRow("same service, other description") << "Vidres" << "1" << "12,5" << "Vidres del pati" << "";
        QTest::newRow("description in other letter case") << "Vidres" << "1" << "12,5" << "vidres de la casa" << "";
        QTest::newRow("other service") << "Escales" << "2,5" << "0,2" << "Escala" << "";
    }

    void addLine()
    {
        QFETCH(QString, servei);
        QFETCH(QString, quantitat);
        QFETCH(QString, preu);
        QFETCH(QString, descripcio);
        QFETCH(QString, missatge);
        Fixture f;
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("1"), QStringLiteral("12,5"), QStringLiteral("Vidres de la casa"));
        f.obre();
        f.afegeix(servei, quantitat, preu, descripcio);
        if (missatge == QLatin1String("-")) {
            QCOMPARE(missatges(), QStringList());
            QCOMPARE(f.grid()->Rows(), 1);
            return;
        }
        QCOMPARE(missatges().join(u'|'), missatge);
        const QString unitat = servei == QLatin1String("Escales") ? QStringLiteral("m2") : QStringLiteral("h");
        const QString linia = QStringList({servei, descripcio, quantitat, unitat, preu}).join(u'|');
        // Refused: the editor row keeps what was typed; added: it is emptied.
        QCOMPARE(f.editor(), missatge.isEmpty() ? QStringLiteral("||||") : linia);
        QCOMPARE(f.grid()->Rows(), missatge.isEmpty() ? 2 : 1);
        if (missatge.isEmpty()) QCOMPARE(f.files().last(), linia);
    }

    void serviceDefaults()
    {
        Fixture f;
        f.obre();
        QComboBox* serveis = f.combo("ServeisCombo");
        f.tria("ServeisCombo", QStringLiteral("Escales"));
        QTest::keyClick(serveis, Qt::Key_Down);   // the user's choice: "Res"
        QCOMPARE(f.box("UnitatServeiFeina")->text(), QStringLiteral("u"));
        f.tria("ServeisCombo", QStringLiteral("Vidres"));
        f.d->ServeisCombo_Click();
        // The site's description, the service's general price, quantity 1.
        QCOMPARE(f.editor(), QStringLiteral("Vidres|Vidres de la casa|1|h|12,5"));
        serveis->showPopup();   // opening the list empties the boxes
        serveis->hidePopup();
        QCOMPARE(f.editor(), QStringLiteral("Vidres||||"));
    }

    void takeLineBackAndAddItAgain()
    {
        Fixture f;
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("2"), QStringLiteral("12,5"));
        f.obre();
        f.d->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.d.get()));
        QWidget* v = f.grid()->viewport();
        // A press below the last line, and the click it ends in, change nothing.
        QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(20, f.grid()->rowHeight(0) * 3 + 2));
        QVERIFY(!f.d->ClicLinia());
        QCOMPARE(f.grid()->Rows(), 1);
        QCOMPARE(f.triat("ServeisCombo"), QString());

        QTest::mouseClick(v, Qt::LeftButton, {}, f.grid()->visualItemRect(f.grid()->item(0, 1)).center());
        QCOMPARE(f.grid()->Rows(), 0);
        // An empty description comes back as the site's description of the service.
        QCOMPARE(f.editor(), QStringLiteral("Vidres|Vidres de la casa|2|h|12,5"));
        QCOMPARE(f.box("TotalFeina")->text(), QStringLiteral("0,00"));
        QCOMPARE(f.triat("HoraFiFeina"), QStringLiteral("10:30"));

        f.c<QPushButton>("AfegirServei")->click();
        QCOMPARE(f.files(), QStringList({"Vidres|Vidres de la casa|2|h|12,5"}));
        QCOMPARE(f.box("TotalFeina")->text(), QStringLiteral("25,00"));
        QCOMPARE(f.triat("HoraFiFeina"), QStringLiteral("11:30"));
        QCOMPARE(missatges(), QStringList());
    }

    void lineOfAServiceNotOffered()
    {
        Fixture f;
        f.addLine(QStringLiteral("vidres"), QStringLiteral("1"), QStringLiteral("12,5"), QStringLiteral("Finestres"));
        f.addLine(QStringLiteral("Escales"), QStringLiteral("1"), QStringLiteral("0,2"), QStringLiteral("Escala"));
        f.obre();
        // A name in another letter case is the same service.
        f.treu(1);
        QCOMPARE(f.editor(), QStringLiteral("Vidres|Finestres|1|h|12,5"));
        // A service no longer offered selects nothing; the editor gets the line's cells.
        f.combo("ServeisCombo")->removeItem(f.combo("ServeisCombo")->findText(QStringLiteral("Escales")));
        f.treu(0);
        QCOMPARE(f.editor(), QStringLiteral("|Escala|1|m2|0,2"));
    }

    // The print button prints the sheet of the dialog as it stands, unsaved
    // changes included, and says where it went: in the main window's status
    // bar, or in a box when the dialog belongs to no main window.
    void printButtonPrintsTheDialogAsShown_data()
    {
        QTest::addColumn<bool>("finestra");
        QTest::newRow("from the main window") << true;
        QTest::newRow("on its own") << false;
    }

    void printButtonPrintsTheDialogAsShown()
    {
        QFETCH(bool, finestra);
        QString estat;
        if (finestra) Principal().Mostra_Estat = [&estat](const QString& t) { estat = t; };
        auto treu = qScopeGuard([] { Principal().Mostra_Estat = nullptr; });
        Fixture f;
        PdfFixtures::CarpetaPdf carpeta;
        f.addLine(QStringLiteral("Vidres"), QStringLiteral("2"), QStringLiteral("12,5"), QStringLiteral("Vidres de la casa"));
        f.obre();
        const QString abans = desat(f.id);
        const QStringList liniesAbans = linies(f.id);
        f.box("DataFeina")->setText(QStringLiteral("12/03/2010"));
        f.tria("RecursFeina", QStringLiteral("Equip"));
        f.afegeix(QStringLiteral("Escales"), QStringLiteral("1,5"), QStringLiteral("0,2"), QStringLiteral("Escala"));
        f.c<QPlainTextEdit>("ObservacionsFeina")->setPlainText(QStringLiteral("Clau a la porteria"));
        f.c<QCheckBox>("FetaFeina")->setChecked(true);
        f.c<QPushButton>("ImprimirButton")->click();

        const QString pdf = carpeta.unic();
        QCOMPARE(PdfFixtures::falta(PdfFixtures::text(pdf),
                                    {"Detall de la feina nro.: " + QString::number(f.id), "12/03/2010",
                                     f.triat("HoraFiFeina"), "Equip", "Feta:", "Si", "Clau a la porteria",
                                     "Vidres. Vidres de la casa", "25,00", "Escales. Escala", "0,30",
                                     "IMPORT FEINA: 25,30 €"}),
                 QString());
        // Printing saves nothing and leaves the dialog as it was.
        QCOMPARE(desat(f.id), abans);
        QCOMPARE(linies(f.id), liniesAbans);
        QCOMPARE(f.box("DataFeina")->text(), QStringLiteral("12/03/2010"));
        QCOMPARE(f.grid()->Rows(), 2);
        const QString on = QStringLiteral("Document desat a ") + pdf;
        QCOMPARE(estat, finestra ? on : QString());
        QCOMPARE(missatges(), finestra ? QStringList() : QStringList{on});
    }

    // The job's amount is the sum of its lines' amounts, each rounded to cents.
    void amountOfTheLines_data()
    {
        QTest::addColumn<QStringList>("linies");   // "quantity x price", added in turn
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("missatge");     // of the last line; "" = added
        QTest::newRow("0,10 + 0,20") << QStringList{"1 x 0,10", "1 x 0,20"} << "0,30" << "";
        QTest::newRow("each line rounded first") << QStringList{"1 x 0,004", "1 x 0,004"} << "0,00" << "";
        QTest::newRow("half to even") << QStringList{"3 x 0,005", "1 x 0,005"} << "0,02" << "";
        QTest::newRow("negative, thousands grouped") << QStringList{"-1 x 1234,5"} << "-1.234,50" << "";
        // Ten lines of the largest typed numbers pass the range: the tenth is refused.
        QTest::newRow("the job's amount past the range")
            << QStringList(10, QStringLiteral("9999999,9999 x 9999999,9999")) << "899.999.999.982.000,00"
            << "L'import de la feina és massa gran";
    }

    void amountOfTheLines()
    {
        QFETCH(QStringList, linies);
        QFETCH(QString, total);
        QFETCH(QString, missatge);
        Fixture f;
        f.obre();
        for (int i = 0; i < linies.size(); ++i) {
            const QStringList parts = linies[i].split(QStringLiteral(" x "));
            f.afegeix(QStringLiteral("Res"), parts[0], parts[1], QString(QChar(u'a' + i)));   // no minutes
        }
        QCOMPARE(f.box("TotalFeina")->text(), total);
        QCOMPARE(missatges().join(u'|'), missatge);
        QCOMPARE(f.grid()->Rows(), linies.size() - (missatge.isEmpty() ? 0 : 1));
    }
};

QTEST_MAIN(TestJobDialog)
#include "TestJobDialog.moc"
