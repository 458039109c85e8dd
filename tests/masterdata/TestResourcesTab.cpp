// Resources, groups and their colours on the "Recursos i Serveis" tab.
#include "Consultes.h"
#include "Dialogs.h"
#include "Finestra.h"
#include "Globals.h"

using namespace TestSupport;

class TestResourcesTab : public SeamedTest {
    Q_OBJECT

private:
    static QVariant valor(const QString& sql, const QVariantList& p = {}) { return BD().scalar(sql, p); }
    static qint32 rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

private slots:
    void fillsPaletteListAndSiteCombo()
    {
        Finestra f;
        f.omple();
        QCOMPARE(f.recursosGrid->Rows(), 1);
        QCOMPARE(f.recursosGrid->TextMatrix(0, 0), QString());
        addResource(QStringLiteral("Pere"), rgb(10, 20, 30));
        addResource(QStringLiteral("Equip"), rgb(1, 2, 3), true, false);
        f.recursos->Omple_Recursos();
        QCOMPARE(f.items("RecursosLlista"), (QStringList{QStringLiteral("Equip"), QStringLiteral("Pere")}));
        QCOMPARE(f.items("RecursosCombo"), (QStringList{QStringLiteral("Equip"), QStringLiteral("Pere")}));
        QCOMPARE(f.recursosGrid->Rows(), 2);
        QCOMPARE(f.recursosGrid->TextMatrix(1, 0), QStringLiteral("Pere"));
        QCOMPARE(f.recursosGrid->CellBackColor(1, 0), QColor(10, 20, 30));
        QVERIFY(f.recursosGrid->CellFontBold(0, 0));
        QVERIFY(!f.recursosGrid->CellFontBold(1, 0));
        // The current cell (the last row after the fill) shows its own colour, not the selection's.
        QCOMPARE(f.recursosGrid->Row(), 1);
        const QRect cella = f.recursosGrid->visualItemRect(f.recursosGrid->item(1, 0));
        const QImage imatge = f.recursosGrid->viewport()->grab().toImage();
        QCOMPARE(QColor(imatge.pixel(cella.left() + 2, cella.center().y())), QColor(10, 20, 30));
    }

    void colourRules_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QColor>("color");   // invalid = dialog cancelled
        QTest::addColumn<QString>("missatge");
        QTest::newRow("no colour chosen") << "Nou" << QColor() << "Cal triar un color pel recurs";
        QTest::newRow("board back colour") << "Nou" << QColor(250, 250, 200) << "Color ja en ús. Selecciona un altre color";
        QTest::newRow("free-cell colour") << "Nou" << QColor(200, 200, 250) << "Color ja en ús. Selecciona un altre color";
        QTest::newRow("another resource's colour") << "Nou" << QColor(10, 20, 30) << "Color ja en ús. Selecciona un altre color";
        QTest::newRow("existing name first") << "pere" << QColor(10, 20, 30) << "El recurs ja existeix";
        QTest::newRow("free colour") << "Nou" << QColor(1, 2, 3) << "";
    }

    void colourRules()
    {
        QFETCH(QString, nom);
        QFETCH(QColor, color);
        QFETCH(QString, missatge);
        Finestra f;
        f.agendaGrid->setBackColor(QColor(250, 250, 200));
        f.agendaGrid->setBackColorFixed(QColor(200, 200, 250));
        addResource(QStringLiteral("Pere"), rgb(10, 20, 30));
        f.omple();
        Dialogs::setNextColor(color.isValid() ? std::optional<QColor>(color) : std::nullopt);
        f.recursos->ColorRecurs_Click();
        QCOMPARE(f.recursos->colorRecurs(), color.isValid() ? rgb(color.red(), color.green(), color.blue())
                                                            : ColorFinestraSistema);
        f.type("NomRecurs", nom);
        f.click("AfegirRecurs");
        QCOMPARE(missatges().join(u'|'), missatge);
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Recursos")).toInt(), missatge.isEmpty() ? 2 : 1);
    }

    void changeKeepsItsOwnColourButNotAnothers()
    {
        Finestra f;
        addResource(QStringLiteral("Pere"), rgb(10, 20, 30));
        addResource(QStringLiteral("Rosa"), rgb(40, 50, 60));
        f.omple();
        f.recursos->seleccionaRecurs(0);
        f.c<QCheckBox>("chkAssignaTemps")->setChecked(false);
        f.click("ModificarRecurs");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT recursos_assigna_temps FROM Recursos WHERE recursos_nom='Pere'")).toInt(), 0);
        f.recursos->seleccionaRecurs(0);
        Dialogs::setNextColor(QColor(40, 50, 60));
        f.recursos->ColorRecurs_Click();
        f.click("ModificarRecurs");
        QCOMPARE(missatges(), QStringList{QStringLiteral("Color ja en ús. Selecciona un altre color")});
        // A cancelled dialog keeps the colour shown.
        Dialogs::setNextColor(std::nullopt);
        f.recursos->ColorRecurs_Click();
        QCOMPARE(f.recursos->colorRecurs(), rgb(40, 50, 60));
    }

    void groupMembersAreMarkedAndWritten()
    {
        Finestra f;
        addResource(QStringLiteral("Pere"), rgb(10, 20, 30));
        addResource(QStringLiteral("Rosa"), rgb(40, 50, 60));
        addResource(QStringLiteral("Vell"), rgb(70, 80, 90), true, false);
        f.omple();
        f.w->show();
        f.type("NomRecurs", QStringLiteral("Equip"));
        f.c<QCheckBox>("chkAssignaTemps")->setChecked(true);
        f.c<QCheckBox>("chkGrupRecurs")->setChecked(true);
        QVERIFY(!f.c<QCheckBox>("chkAssignaTemps")->isEnabled());
        QVERIFY(!f.c<QCheckBox>("chkAssignaTemps")->isChecked());
        QCOMPARE(f.items("ComponentsLlista"), (QStringList{QStringLiteral("   Pere"), QStringLiteral("   Rosa")}));
        Dialogs::setNextColor(QColor(1, 2, 3));
        f.recursos->ColorRecurs_Click();
        f.click("AfegirRecurs");
        QCOMPARE(missatges(), QStringList{QStringLiteral("Falta marcar components del grup")});
        // Two clicks of a user on one member give it back as it was.
        auto* llista = f.c<QListWidget>("ComponentsLlista");
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(llista->viewport(), Qt::LeftButton, {}, llista->visualItemRect(llista->item(0)).center());
        QCOMPARE(f.items("ComponentsLlista"), (QStringList{QStringLiteral("   Pere"), QStringLiteral("   Rosa")}));
        f.recursos->seleccionaComponent(1);
        QCOMPARE(f.items("ComponentsLlista"), (QStringList{QStringLiteral("   Pere"), QStringLiteral("-> Rosa")}));
        f.click("AfegirRecurs");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT recursos_grup FROM Recursos WHERE recursos_nom='Equip'")).toInt(), 1);
        QCOMPARE(valor(QStringLiteral("SELECT group_concat(recursos_component_nom) FROM Recursos_Components "
                                      "WHERE recursos_nom='Equip'")).toString(), QStringLiteral("Rosa"));
        f.recursos->seleccionaRecurs(0);
        QCOMPARE(f.text("NomRecurs"), QStringLiteral("Equip"));
        QCOMPARE(f.items("ComponentsLlista"), (QStringList{QStringLiteral("   Pere"), QStringLiteral("-> Rosa")}));
    }

    void emptyMarkerFallsBackToTheDefault()
    {
        Finestra f;
        G.MarcaSeleccio = QString();
        addResource(QStringLiteral("Pere"), rgb(10, 20, 30));
        f.omple();
        f.type("NomRecurs", QStringLiteral("Equip"));
        f.c<QCheckBox>("chkGrupRecurs")->setChecked(true);
        Dialogs::setNextColor(QColor(1, 2, 3));
        f.recursos->ColorRecurs_Click();
        f.click("AfegirRecurs");
        QCOMPARE(missatges(), QStringList{QStringLiteral("Falta marcar components del grup")});
        f.recursos->seleccionaComponent(0);
        QCOMPARE(f.items("ComponentsLlista"), QStringList{QStringLiteral("-> Pere")});
    }

    void failureWhileWritingMembersWritesNothing()
    {
        Finestra f;
        addResource(QStringLiteral("Pere"), rgb(10, 20, 30));
        f.omple();
        f.type("NomRecurs", QStringLiteral("Equip"));
        f.c<QCheckBox>("chkGrupRecurs")->setChecked(true);
        f.recursos->seleccionaComponent(0);
        Dialogs::setNextColor(QColor(1, 2, 3));
        f.recursos->ColorRecurs_Click();
        BD().exec(QStringLiteral("DELETE FROM Recursos WHERE recursos_nom = 'Pere'"));
        f.click("AfegirRecurs");
        QCOMPARE(MsgBox::shown().size(), 1);
        QVERIFY(MsgBox::shown()[0].text.startsWith(QStringLiteral("Error:")));
        QCOMPARE(MsgBox::shown()[0].title, QStringLiteral("ERROR"));
        MsgBox::clear();
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Recursos")).toInt(), 0);
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Recursos_Components")).toInt(), 0);
    }

    void namesKeepToTheirColumnWidth()
    {
        Finestra f;
        f.omple();
        for (const char* caixa : {"NomRecurs", "NomServei", "NomClient", "NomLloc"}) {
            f.type(caixa, QString(320, u'x'));
            QCOMPARE(f.text(caixa).size(), 50);
        }
    }

    void renameReachesEveryRowAndKeepsTheSiteChoice()
    {
        Finestra f;
        addClient(QStringLiteral("Anna"));
        addResource(QStringLiteral("Pere"), rgb(10, 20, 30));
        addResource(QStringLiteral("Rosa"), rgb(40, 50, 60));
        addResource(QStringLiteral("Equip"), rgb(1, 2, 3), true, false);
        addMember(QStringLiteral("Equip"), QStringLiteral("Pere"));
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"), 60, QStringLiteral("Pere"));
        addJob(QStringLiteral("Casa"), QDate(2010, 3, 1), QStringLiteral("08:00"), QStringLiteral("09:00"), QStringLiteral("Pere"));
        f.omple();
        QCOMPARE(f.text("RecursosCombo"), QStringLiteral("Pere"));
        f.recursos->seleccionaRecurs(1);
        f.type("NomRecurs", QStringLiteral("rosa"));
        f.click("ModificarRecurs");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El recurs ja existeix")});
        G.AgendaPendent = G.FacturacioPendent = false;
        f.type("NomRecurs", QStringLiteral("Pere d'Alba"));
        f.click("ModificarRecurs");
        QVERIFY(missatges().isEmpty());
        for (const char* t : {"Llocs", "Feines"})
            QCOMPARE(valor(QStringLiteral("SELECT recursos_nom FROM %1").arg(QLatin1String(t))).toString(), QStringLiteral("Pere d'Alba"));
        QCOMPARE(valor(QStringLiteral("SELECT recursos_component_nom FROM Recursos_Components")).toString(), QStringLiteral("Pere d'Alba"));
        QVERIFY(G.AgendaPendent && G.FacturacioPendent);
        QCOMPARE(f.text("RecursosCombo"), QStringLiteral("Pere d'Alba"));

        // Renaming a group rewrites its members under the new name.
        f.recursos->seleccionaRecurs(0);
        f.type("NomRecurs", QStringLiteral("Equip d'en Pere"));
        f.click("ModificarRecurs");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT recursos_nom || '/' || recursos_component_nom FROM Recursos_Components")).toString(),
                 QStringLiteral("Equip d'en Pere/Pere d'Alba"));
    }

    void deleteWithDependantsIsRefusedAndAGroupTakesItsMembers()
    {
        Finestra f;
        addClient(QStringLiteral("Anna"));
        addResource(QStringLiteral("Pere"), rgb(10, 20, 30));
        addResource(QStringLiteral("Equip"), rgb(1, 2, 3), true, false);
        addMember(QStringLiteral("Equip"), QStringLiteral("Pere"));
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"), 60, QStringLiteral("Pere"));
        f.omple();
        f.type("NomRecurs", QStringLiteral("Pere"));
        f.click("EliminarRecurs");
        QCOMPARE(missatges(), QStringList{QStringLiteral(
                                  "No es pot eliminar el recurs. Hi fan referència: llocs amb aquest recurs, grups dels quals és component")});
        f.type("NomRecurs", QStringLiteral("Equip"));
        f.click("EliminarRecurs");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Recursos_Components")).toInt(), 0);
        f.type("NomRecurs", QStringLiteral("Equip"));
        f.click("EliminarRecurs");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El recurs no existeix")});
    }

    void repairReplacesBoardColours()
    {
        Finestra f;
        addResource(QStringLiteral("Pere"), rgb(10, 20, 30));
        addResource(QStringLiteral("Rosa"), rgb(40, 50, 60));
        f.agendaGrid->setBackColorFixed(QColor(40, 50, 60));
        f.omple();
        G.AgendaPendent = false;
        f.recursos->Repara_Colors_Recursos();
        QVERIFY(missatges().isEmpty());
        const qint32 nou = valor(QStringLiteral("SELECT recursos_color FROM Recursos WHERE recursos_nom='Rosa'")).toInt();
        QVERIFY(nou != rgb(40, 50, 60) && nou != rgb(10, 20, 30) && nou != rgb(255, 255, 255));
        QCOMPARE(valor(QStringLiteral("SELECT recursos_color FROM Recursos WHERE recursos_nom='Pere'")).toInt(), rgb(10, 20, 30));
        QCOMPARE(f.recursosGrid->CellBackColor(1, 0), Graella::colorFromValue(nou));
        QVERIFY(G.AgendaPendent);
    }
};

QTEST_MAIN(TestResourcesTab)
#include "TestResourcesTab.moc"
