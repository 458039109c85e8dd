// The site editor and the services of a site on the "Clients" tab.
#include "Finestra.h"
#include "Globals.h"
#include "Principal.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

using namespace TestSupport;

class TestSitesTab : public SeamedTest {
    Q_OBJECT

private:
    static QVariant valor(const QString& sql, const QVariantList& p = {}) { return BD().scalar(sql, p); }

    // A client "Anna" with the site "Casa" (60 minutes), a worker and two services.
    static void dades(bool xecs = false)
    {
        addClient(QStringLiteral("Anna"), xecs);
        addResource(QStringLiteral("Joan"), 255);
        addService(QStringLiteral("Vidres"), 45);
        addService(QStringLiteral("Terra"), 30);
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"), 60);
    }

    static void tria(Finestra& f, const char* combo, const QString& text)
    {
        QComboBox* c = f.c<QComboBox>(combo);
        c->setCurrentIndex(c->findText(text));
    }

private slots:
    void cleanup()
    {
        Principal() = {};
        SeamedTest::cleanup();
    }

    void addStoresEveryBoxAndRefreshesThePalette()
    {
        Finestra f;
        int palette = 0;
        Principal().Omple_Graella_Llocs = [&] { ++palette; };
        dades();
        f.omple();
        f.type("NomLloc", QStringLiteral(" Ca l'Andreu "));
        f.type("AdrecaLloc", QStringLiteral("Major, 1"));
        f.type("MinutsPrevistLloc", QStringLiteral("90"));
        f.type("PeriodicitatDiesLloc", QStringLiteral("7"));
        f.type("QuotaLloc", QStringLiteral("12,345"));
        f.type("ObservacionsLloc", QStringLiteral("clau a la bústia"));
        tria(f, "DiesSetmanaCombo", QStringLiteral("dilluns"));
        tria(f, "HoraLlocCombo", QStringLiteral("08:30"));
        tria(f, "RecursosCombo", QStringLiteral("Joan"));
        f.c<QCheckBox>("DissabteLloc")->setChecked(true);
        f.click("AfegirLloc");
        QVERIFY(missatges().isEmpty());
        QSqlQuery q = BD().query(QStringLiteral("SELECT * FROM Llocs WHERE llocs_nom = ?"), {QStringLiteral("Ca l'Andreu")});
        QVERIFY(q.next());
        QCOMPARE(q.value("clients_nom").toString(), QStringLiteral("Anna"));
        QCOMPARE(q.value("llocs_adreça").toString(), QStringLiteral("Major, 1"));
        QCOMPARE(q.value("llocs_minuts_previst").toInt(), 90);
        QCOMPARE(q.value("llocs_periodicitat_dies").toInt(), 7);
        QCOMPARE(q.value("llocs_dia_setmana").toInt(), 2);
        QCOMPARE(q.value("llocs_hora").toString(), QStringLiteral("08:30"));
        QCOMPARE(q.value("recursos_nom").toString(), QStringLiteral("Joan"));
        QCOMPARE(q.value("llocs_quota").toLongLong(), 123400);
        QCOMPARE(q.value("llocs_dissabte").toInt(), 1);
        QCOMPARE(q.value("llocs_observacions").toString(), QStringLiteral("clau a la bústia"));
        QCOMPARE(palette, 1);
        QCOMPARE(f.items("LlocsLlista"), (QStringList{QStringLiteral("Ca l'Andreu"), QStringLiteral("Casa")}));
        QCOMPARE(f.text("QuotaLloc"), QStringLiteral("12,34"));
        f.type("NomLloc", QStringLiteral("casa"));
        f.click("AfegirLloc");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El lloc ja existeix")});
    }

    void minutesThatAreNoNumberAreRefusedAndEmptyGivesOneCell()
    {
        Finestra f;
        dades();
        f.omple();
        for (const char* boto : {"AfegirLloc", "ModificarLloc"}) {
            f.type("NomLloc", QStringLiteral("Nou"));
            f.type("MinutsPrevistLloc", QStringLiteral("1e10"));
            f.click(boto);
            QCOMPARE(missatges(), QStringList{QStringLiteral("Cal informar els minuts previstos")});
            QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Llocs WHERE llocs_nom='Nou'")).toInt(), 0);
        }
        f.type("MinutsPrevistLloc", QString());
        f.click("AfegirLloc");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT llocs_minuts_previst FROM Llocs WHERE llocs_nom='Nou'")).toInt(), 30);
        f.type("MinutsPrevistLloc", QStringLiteral("40000"));
        f.click("ModificarLloc");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El número és massa gran: 40000")});
    }

    void quotaRuleReadsTheStoredClient_data()
    {
        QTest::addColumn<bool>("guardat");
        QTest::addColumn<bool>("caixa");
        QTest::addColumn<QString>("missatge");
        QTest::newRow("stored cheque client, box unticked") << true << false << "El client té xecs. No pot tenir quotes";
        QTest::newRow("box ticked but not saved") << false << true << "";
    }

    void quotaRuleReadsTheStoredClient()
    {
        QFETCH(bool, guardat);
        QFETCH(bool, caixa);
        QFETCH(QString, missatge);
        Finestra f;
        dades(guardat);
        f.omple();
        f.c<QCheckBox>("XecsClient")->setChecked(caixa);
        f.type("NomLloc", QStringLiteral("Nou"));
        f.type("MinutsPrevistLloc", QStringLiteral("60"));
        f.type("QuotaLloc", QStringLiteral("10"));
        f.click("AfegirLloc");
        QCOMPARE(missatges().join(u'|'), missatge);
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Llocs")).toInt(), missatge.isEmpty() ? 2 : 1);
    }

    void changeAsksWhenMinutesDifferFromTheServices_data()
    {
        QTest::addColumn<int>("quantitatVidres");   // 0 = no service lines
        QTest::addColumn<QString>("minuts");
        QTest::addColumn<int>("resposta");          // -1 = no question
        QTest::addColumn<QString>("pregunta");
        QTest::addColumn<int>("guardat");
        QTest::newRow("no lines: one cell, answered no") << 0 << "60" << int(MsgBox::No) << "30" << 60;
        QTest::newRow("no lines, one cell typed") << 0 << "30" << -1 << "" << 30;
        QTest::newRow("lines of 90 minutes, answered yes") << 2 << "60" << int(MsgBox::Yes) << "90" << 90;
        QTest::newRow("lines agree") << 2 << "90" << -1 << "" << 90;
    }

    void changeAsksWhenMinutesDifferFromTheServices()
    {
        QFETCH(int, quantitatVidres);
        QFETCH(QString, minuts);
        QFETCH(int, resposta);
        QFETCH(QString, pregunta);
        QFETCH(int, guardat);
        Finestra f;
        dades();
        if (quantitatVidres) addSiteService(QStringLiteral("Casa"), QStringLiteral("Vidres"), Decimal::fromInt(quantitatVidres));
        f.omple();
        f.type("MinutsPrevistLloc", minuts);
        if (resposta >= 0) MsgBox::pushAnswer(MsgBox::Answer(resposta));
        f.click("ModificarLloc");
        const auto shown = MsgBox::shown();
        if (resposta < 0) {
            QVERIFY(shown.isEmpty());
        } else {
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].text, QStringLiteral("Els minuts previstos difereixen de la duració dels serveis (") + pregunta
                                        + QStringLiteral(" minuts). Actualitzar minuts?"));
            QCOMPARE(shown[0].title, QStringLiteral("AVÍS"));
            QCOMPARE(shown[0].buttons, MsgBox::YesNo);
        }
        MsgBox::clear();
        QCOMPARE(valor(QStringLiteral("SELECT llocs_minuts_previst FROM Llocs")).toInt(), guardat);
        QCOMPARE(f.text("MinutsPrevistLloc"), QString::number(guardat));
    }

    void renameReachesJobsAndLinesAndRefusesANameInUse()
    {
        Finestra f;
        int palette = 0;
        Principal().Omple_Graella_Llocs = [&] { ++palette; };
        dades();
        addSite(QStringLiteral("Pis"), QStringLiteral("Anna"), 30);
        BD().exec(QStringLiteral("UPDATE Llocs SET llocs_nom = 'Cal Pep d''Olot' WHERE llocs_nom = 'Casa'"));
        addSiteService(QStringLiteral("Cal Pep d'Olot"), QStringLiteral("Terra"), Decimal::fromInt(2));
        addJob(QStringLiteral("Cal Pep d'Olot"), QDate(2010, 3, 1), QStringLiteral("08:00"), QStringLiteral("09:00"));
        f.omple();
        QCOMPARE(f.text("NomLloc"), QStringLiteral("Cal Pep d'Olot"));
        f.type("NomLloc", QStringLiteral("pis"));
        f.click("ModificarLloc");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El lloc ja existeix")});
        G.AgendaPendent = false;
        f.type("NomLloc", QStringLiteral("Ca l'Olotí"));
        f.click("ModificarLloc");
        QVERIFY(missatges().isEmpty());
        for (const char* t : {"Llocs_Serveis", "Feines"})
            QCOMPARE(valor(QStringLiteral("SELECT llocs_nom FROM %1").arg(QLatin1String(t))).toString(), QStringLiteral("Ca l'Olotí"));
        QVERIFY(G.AgendaPendent);
        QCOMPARE(palette, 1);
        QCOMPARE(f.items("LlocsLlista"), (QStringList{QStringLiteral("Ca l'Olotí"), QStringLiteral("Pis")}));
    }

    // Renames that change only the letter case reach every referring row,
    // and the editors find a referred row whatever the case it is stored in.
    void caseOnlyRenamesKeepTheEditorsWorking()
    {
        Finestra f;
        dades();
        BD().exec(QStringLiteral("UPDATE Llocs SET recursos_nom = 'Joan'"));
        addSiteService(QStringLiteral("Casa"), QStringLiteral("Vidres"), Decimal::fromInt(1));
        addJob(QStringLiteral("Casa"), QDate(2010, 3, 1), QStringLiteral("08:00"), QStringLiteral("09:00"), QStringLiteral("Joan"));
        f.omple();
        f.recursos->seleccionaRecurs(0);
        f.type("NomRecurs", QStringLiteral("JOAN"));
        f.click("ModificarRecurs");
        f.recursos->seleccionaServei(1);
        f.type("NomServei", QStringLiteral("VIDRES"));
        f.click("ModificarServei");
        f.type("NomClient", QStringLiteral("ANNA"));
        f.click("ModificarClient");
        f.type("NomLloc", QStringLiteral("CASA"));
        f.click("ModificarLloc");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT clients_nom || recursos_nom FROM Llocs")).toString(), QStringLiteral("ANNAJOAN"));
        QCOMPARE(valor(QStringLiteral("SELECT llocs_nom || recursos_nom FROM Feines")).toString(), QStringLiteral("CASAJOAN"));
        QCOMPARE(valor(QStringLiteral("SELECT llocs_nom || serveis_nom FROM Llocs_Serveis")).toString(), QStringLiteral("CASAVIDRES"));
        QCOMPARE(f.items("LlocsLlista"), QStringList{QStringLiteral("CASA")});
        QCOMPARE(f.text("RecursosCombo"), QStringLiteral("JOAN"));
        QCOMPARE(f.text("ServeisCombo"), QStringLiteral("VIDRES"));

        // Rows still spelled the old way, as an earlier version left them.
        BD().exec(QStringLiteral("UPDATE Llocs SET recursos_nom = 'joan'"));
        BD().exec(QStringLiteral("UPDATE Llocs_Serveis SET serveis_nom = 'vidres'"));
        f.clients->seleccionaLloc(0);
        QCOMPARE(f.text("RecursosCombo"), QStringLiteral("JOAN"));
        QCOMPARE(f.text("ServeisCombo"), QStringLiteral("VIDRES"));
        QCOMPARE(f.text("UnitatServeiLloc"), QStringLiteral("h"));
        f.type("QuantitatServeisLloc", QStringLiteral("2"));
        MsgBox::pushAnswer(MsgBox::No);
        f.click("ModificarServeiLloc");
        QCOMPARE(missatges().size(), 1);   // the minutes question: 90 against 60
        QCOMPARE(valor(QStringLiteral("SELECT llocs_serveis_quantitat FROM Llocs_Serveis")).toLongLong(), 20000);
        MsgBox::pushAnswer(MsgBox::No);
        f.click("ModificarLloc");
        QCOMPARE(missatges().size(), 1);
        QCOMPARE(valor(QStringLiteral("SELECT recursos_nom FROM Llocs")).toString(), QStringLiteral("JOAN"));
        f.clients->seleccionaServeiLloc(0);
        f.click("EliminarServeiLloc");
        QVERIFY(missatges().isEmpty());
        QVERIFY(f.items("ServeisLlocLlista").isEmpty());
    }

    // A quantity that would make the visit longer than planned minutes hold
    // is refused before anything is written, and the site stays editable.
    void quantityNoPlannedLengthHoldsIsRefused_data()
    {
        QTest::addColumn<QString>("boto");
        QTest::addColumn<QString>("servei");
        QTest::addColumn<QString>("quantitat");
        QTest::addColumn<QString>("preu");
        QTest::addColumn<QString>("missatge");
        const QString desborda = QStringLiteral("La duració dels serveis passaria de 32767 minuts al lloc Casa");
        QTest::newRow("add 2000 of 30 minutes") << "AfegirServeiLloc" << "Terra" << "2000" << "10" << desborda;
        QTest::newRow("change to 1000 of 45 minutes") << "ModificarServeiLloc" << "Vidres" << "1000" << "10" << desborda;
        QTest::newRow("quantity beyond the limit") << "ModificarServeiLloc" << "Vidres" << "99999999999" << "10"
                                                   << "El número és massa gran: 99999999999";
        QTest::newRow("price beyond the limit") << "AfegirServeiLloc" << "Terra" << "1" << "10000000"
                                                << "El número és massa gran: 10000000";
    }

    void quantityNoPlannedLengthHoldsIsRefused()
    {
        QFETCH(QString, boto);
        QFETCH(QString, servei);
        QFETCH(QString, quantitat);
        QFETCH(QString, preu);
        QFETCH(QString, missatge);
        Finestra f;
        dades();
        addSiteService(QStringLiteral("Casa"), QStringLiteral("Vidres"), Decimal::fromInt(1));
        f.omple();
        f.clients->seleccionaServeiCombo(f.c<QComboBox>("ServeisCombo")->findText(servei));
        f.type("QuantitatServeisLloc", quantitat);
        f.type("PreuServeisLloc", preu);
        f.click(qPrintable(boto));
        QCOMPARE(missatges(), QStringList{missatge});
        QCOMPARE(valor(QStringLiteral("SELECT count(*) || '/' || sum(llocs_serveis_quantitat) FROM Llocs_Serveis")).toString(),
                 QStringLiteral("1/10000"));
        f.type("AdrecaLloc", QStringLiteral("Major, 2"));
        f.click("ModificarLloc");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT \"llocs_adreça\" FROM Llocs")).toString(), QStringLiteral("Major, 2"));
    }

    // Lines stored before that rule: the site is still saved, with no length to offer.
    void siteWithAnOverlongVisitStaysEditable()
    {
        Finestra f;
        dades();
        addSiteService(QStringLiteral("Casa"), QStringLiteral("Vidres"), Decimal::fromInt(1000));
        f.omple();
        f.type("AdrecaLloc", QStringLiteral("Major, 3"));
        f.click("ModificarLloc");
        f.clients->seleccionaServeiCombo(-1);
        f.click("AfegirServeiLloc");   // no service chosen: only the minutes check
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT \"llocs_adreça\" FROM Llocs")).toString(), QStringLiteral("Major, 3"));
        f.clients->seleccionaServeiLloc(0);
        f.click("EliminarServeiLloc");
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Llocs_Serveis")).toInt(), 0);
    }

    void deleteWithJobsIsRefusedAndWithoutGoes()
    {
        Finestra f;
        dades();
        addSite(QStringLiteral("Pis"), QStringLiteral("Anna"), 30);
        addJob(QStringLiteral("Casa"), QDate(2010, 3, 1), QStringLiteral("08:00"), QStringLiteral("09:00"));
        f.omple();
        f.type("NomLloc", QStringLiteral("Casa"));
        f.click("EliminarLloc");
        QCOMPARE(missatges(), QStringList{QStringLiteral("No es pot eliminar el lloc. Hi fan referència: feines del lloc")});
        f.type("NomLloc", QStringLiteral("Pis"));
        f.click("EliminarLloc");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(f.items("LlocsLlista"), QStringList{QStringLiteral("Casa")});
        f.type("NomLloc", QStringLiteral("Pis"));
        f.click("EliminarLloc");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El lloc no existeix")});
    }

    // At the size the main window gives a tab's page, no control of either
    // master-data tab is squeezed below its own least height.
    void tabsFitTheMainWindowPage()
    {
        ProgramFolder pf;
        pf.openDatabases();
        for (QWidget* tab : std::initializer_list<QWidget*>{new TabClients, new TabRecursosServeis}) {
            // A page of that size, not a window of its own (which would grow to fit).
            QWidget pagina;
            pagina.resize(921, 601);
            tab->setParent(&pagina);
            tab->setGeometry(0, 0, 921, 601);
            pagina.show();
            tab->layout()->activate();
            for (QWidget* w : tab->findChildren<QWidget*>()) {
                if (!w->isVisible()) continue;
                if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QPushButton*>(w) && !qobject_cast<QComboBox*>(w)
                    && !qobject_cast<QCheckBox*>(w) && !qobject_cast<QPlainTextEdit*>(w))
                    continue;
                const int minim = w->minimumHeight() > 0 ? w->minimumHeight() : w->minimumSizeHint().height();
                QVERIFY2(w->height() >= minim, qPrintable(w->objectName() + QStringLiteral(" %1 < %2").arg(w->height()).arg(minim)));
            }
        }
    }

    void monthRulesExcludeAndDeleteKeyClearsACombo()
    {
        Finestra f;
        dades();
        f.omple();
        f.c<QCheckBox>("PrimerMesLloc")->setChecked(true);
        f.c<QCheckBox>("UltimMesLloc")->setChecked(true);
        QVERIFY(!f.c<QCheckBox>("PrimerMesLloc")->isChecked());
        tria(f, "HoraLlocCombo", QStringLiteral("09:00"));
        QTest::keyClick(f.c<QComboBox>("HoraLlocCombo"), Qt::Key_Delete);
        QCOMPARE(f.c<QComboBox>("HoraLlocCombo")->currentIndex(), -1);
        f.type("MinutsPrevistLloc", QStringLiteral("30"));
        f.click("ModificarLloc");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT llocs_periodicitat_dies FROM Llocs")).toInt(), 99);
        QVERIFY(valor(QStringLiteral("SELECT llocs_hora FROM Llocs")).isNull());
    }

    void serviceLineAddedShownAndChecked_data()
    {
        QTest::addColumn<QString>("quantitat");
        QTest::addColumn<QString>("preu");
        QTest::addColumn<QString>("missatge");
        QTest::newRow("no quantity") << "" << "10" << "Cal informar la quantitat";
        QTest::newRow("zero quantity") << "0" << "10" << "Cal informar una quantitat positiva";
        QTest::newRow("negative quantity") << "-1" << "10" << "Cal informar una quantitat positiva";
        QTest::newRow("zero price") << "2" << "0" << "Cal informar un preu";
        QTest::newRow("negative price saved") << "2" << "-7,5" << "";
    }

    void serviceLineAddedShownAndChecked()
    {
        QFETCH(QString, quantitat);
        QFETCH(QString, preu);
        QFETCH(QString, missatge);
        Finestra f;
        dades();
        f.omple();
        QComboBox* combo = f.c<QComboBox>("ServeisCombo");
        f.clients->seleccionaServeiCombo(combo->findText(QStringLiteral("Terra")));
        QCOMPARE(f.text("UnitatServeiLloc"), QStringLiteral("h"));
        QCOMPARE(f.text("PreuServeisLloc"), QStringLiteral("10"));
        QCOMPARE(f.text("DescripcioServeiLloc"), QStringLiteral("Terra"));
        f.type("QuantitatServeisLloc", quantitat);
        f.type("PreuServeisLloc", preu);
        f.type("DescripcioServeiLloc", QStringLiteral("Fregar"));
        f.click("AfegirServeiLloc");
        QCOMPARE(missatges().join(u'|'), missatge);
        if (!missatge.isEmpty()) {
            QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Llocs_Serveis")).toInt(), 0);
            return;
        }
        QCOMPARE(valor(QStringLiteral("SELECT llocs_serveis_preu_un FROM Llocs_Serveis")).toLongLong(), -75000);
        QCOMPARE(f.items("ServeisLlocLlista"), QStringList{QStringLiteral("Terra")});
        QCOMPARE(f.text("ServeisCombo"), QStringLiteral("Terra"));
        QCOMPARE(f.text("QuantitatServeisLloc"), QStringLiteral("2"));
        QCOMPARE(f.text("DescripcioServeiLloc"), QStringLiteral("Fregar"));
    }

    void existingLineIsRefusedThenMinutesAreOffered()
    {
        Finestra f;
        dades();
        addSiteService(QStringLiteral("Casa"), QStringLiteral("Vidres"), Decimal::fromInt(2));
        f.omple();
        QCOMPARE(f.text("ServeisCombo"), QStringLiteral("Vidres"));
        MsgBox::pushAnswer(MsgBox::Ok);
        MsgBox::pushAnswer(MsgBox::Yes);
        f.click("AfegirServeiLloc");
        QCOMPARE(missatges(), (QStringList{QStringLiteral("El servei ja existeix pel lloc"),
                                           QStringLiteral("Els minuts previstos difereixen de la duració dels serveis (90 minuts). Actualitzar minuts?")}));
        QCOMPARE(valor(QStringLiteral("SELECT llocs_minuts_previst FROM Llocs")).toInt(), 90);
    }

    void addWithoutAServiceStillOffersTheMinutes()
    {
        Finestra f;
        dades();
        f.omple();
        f.type("MinutsPrevistLloc", QStringLiteral("90"));
        MsgBox::pushAnswer(MsgBox::No);
        f.click("AfegirServeiLloc");
        QCOMPARE(missatges(), QStringList{QStringLiteral("Els minuts previstos difereixen de la duració dels serveis (30 minuts). Actualitzar minuts?")});
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Llocs_Serveis")).toInt(), 0);
        // With no site chosen nothing happens at all.
        f.clients->seleccionaLloc(-1);
        f.click("AfegirServeiLloc");
        QVERIFY(missatges().isEmpty());
    }

    void changeEmptiesTheEditorAndDeleteRefills()
    {
        Finestra f;
        dades();
        addSiteService(QStringLiteral("Casa"), QStringLiteral("Terra"), Decimal::fromInt(2));
        addSiteService(QStringLiteral("Casa"), QStringLiteral("Vidres"), Decimal::fromInt(1));
        f.omple();
        // 2 x 30 + 1 x 45 = 105 -> 120 minutes; the site says 60.
        f.clients->seleccionaServeiLloc(1);
        f.type("QuantitatServeisLloc", QStringLiteral("2,5"));
        MsgBox::pushAnswer(MsgBox::No);
        f.click("ModificarServeiLloc");
        QCOMPARE(missatges(), QStringList{QStringLiteral("Els minuts previstos difereixen de la duració dels serveis (180 minuts). Actualitzar minuts?")});
        QCOMPARE(valor(QStringLiteral("SELECT llocs_serveis_quantitat FROM Llocs_Serveis WHERE serveis_nom='Vidres'")).toLongLong(), 25000);
        QCOMPARE(f.c<QListWidget>("ServeisLlocLlista")->currentRow(), -1);
        QCOMPARE(f.text("ServeisCombo"), QString());
        QCOMPARE(f.text("QuantitatServeisLloc"), QString());
        f.clients->seleccionaServeiLloc(0);
        f.click("EliminarServeiLloc");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(f.items("ServeisLlocLlista"), QStringList{QStringLiteral("Vidres")});
    }
};

QTEST_MAIN(TestSitesTab)
#include "TestSitesTab.moc"
