#pragma once
// The billing tab beside the clients tab, wired as the main window wires
// them, over a month of example rows (March 2010; today is 10 March 2010):
//   Anna: site Casa (no quota) and site Pis (quota 80)
//     A  Casa 02/03 Pere, done:           Hores 2 x 10   (two cheque slots)
//     B  Casa 03/03 no resource, not done: Neteja 1 x 10
//     D  Casa 05/03 Pere, done, invoiced:  Neteja 1 x 10
//     C  Pis  04/03 Pere, done:           Neteja 2 x 10  (quota job)
//   cheques of Anna: 1 liquidated with A, 2 free; Berta: site Altre, no jobs.
// Billing grid rows: 1 A, 2 A total, 3 B, 4 B total, 5 D, 6 D total, 7 C,
// 8 C total, 9 Pis quota. Cheque grid rows: 1 cheque 1, 2 cheque 2.
#include "Clock.h"
#include "Globals.h"
#include "Graella.h"
#include "MessageBox.h"
#include "Principal.h"
#include "TabClients.h"
#include "TabFacturacio.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

struct PaginaFacturacio {
    TestSupport::ProgramFolder pf;
    std::unique_ptr<QWidget> w;
    TabClients* clients = nullptr;
    TabFacturacio* tab = nullptr;
    int A = 0, B = 0, C = 0, D = 0;
    QString estat;   // the main window's status bar: where the last document went

    explicit PaginaFacturacio(const QString& serveiXecs = QStringLiteral("Hores"))
    {
        using namespace TestSupport;
        pf.openDatabases();
        G.ServeiXecs = serveiXecs;
        G.ValorXec = Decimal::fromInt(10);
        G.CostHoraXec = Decimal::fromInt(-5);
        G.MaxXecsMes = 5;
        G.DataAgenda = Clock::today();
        addClient("Anna", true);
        addClient("Berta");
        addService("Hores", 60);
        addService("Neteja", 60);
        addResource("Pere", 255);
        addSite("Casa", "Anna");
        addSite("Pis", "Anna");
        addSite("Altre", "Berta");
        BD().exec(QStringLiteral("UPDATE Llocs SET llocs_quota = 800000 WHERE llocs_nom = 'Pis'"));
        A = addJob("Casa", QDate(2010, 3, 2), "09:00", "10:00", "Pere", true);
        B = addJob("Casa", QDate(2010, 3, 3), "09:00", "10:00", QString(), false);
        D = addJob("Casa", QDate(2010, 3, 5), "09:00", "10:00", "Pere", true);
        C = addJob("Pis", QDate(2010, 3, 4), "09:00", "10:00", "Pere", true);
        BD().exec(QStringLiteral("UPDATE Feines SET feines_data_factura = '2010-03-06' WHERE feines_id = ?"), {D});
        addJobLine(A, "Hores", Decimal::fromInt(2));
        addJobLine(B, "Neteja");
        addJobLine(D, "Neteja");
        addJobLine(C, "Neteja", Decimal::fromInt(2));
        BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor, xecs_data_entrega, "
                                 "xecs_data_liquidat, feines_id) VALUES (1, 'Anna', 120000, '2010-01-01', '2010-03-02', ?), "
                                 "(2, 'Anna', 120000, '2010-01-02', NULL, NULL)"),
                  {A});

        w = std::make_unique<QWidget>();
        auto* h = new QHBoxLayout(w.get());
        clients = new TabClients;
        tab = new TabFacturacio;
        h->addWidget(clients);
        h->addWidget(tab);
        clients->setClientsCombo(tab->clientsCombo());
        auto& op = Principal();
        op.Omple_Clients = [c = clients] { c->Omple_Clients(); };
        op.Omple_Xecs_Client = [c = clients] { c->Omple_Xecs_Client(); };
        op.Mostra_Estat = [this](const QString& t) { estat = t; };
        tab->inicia();
        clients->Omple_Clients();
        tab->Calcula_Facturacio_Client();   // as the main window's load does
    }
    ~PaginaFacturacio()
    {
        w.reset();
        Principal() = OperacionsPrincipal();
    }

    // Two more done jobs of Casa (8 and 9 March) of 900.000.000.000.000 x 1
    // each: their amounts together pass the range.
    static void feinesMassaGrans()
    {
        for (const QDate& dia : {QDate(2010, 3, 8), QDate(2010, 3, 9)})
            TestSupport::addJobLine(TestSupport::addJob("Casa", dia, "09:00", "10:00", "Pere", true), "Neteja",
                                    Decimal::fromInt(900'000'000'000'000), Decimal::fromInt(1));
    }

    template <class T>
    T* c(const char* name) const
    {
        T* found = w->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }
    QString text(const char* name) const { return c<QLineEdit>(name)->text(); }
    Graella* factura() const { return c<Graella>("FacturaGrid"); }
    Graella* xecs() const { return c<Graella>("XecsGrid"); }
    void tria(int index) const { tab->clientsCombo()->setCurrentIndex(index); }
    // "Facturar client", or the billing run without a client.
    void facturar() const { c<QPushButton>("ImprimirFacturacio")->click(); }
    // Row r of a grid, its cells joined by '|'.
    static QString fila(const Graella* g, int r)
    {
        QStringList cells;
        for (int c = 0; c < g->Cols(); ++c) cells << g->TextMatrix(r, c);
        return cells.join(u'|');
    }
};
