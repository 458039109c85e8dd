#pragma once
// A window holding both master-data tabs, the billing tab's client combo and
// the two board grids, as the main window would, over a fresh program folder.
#include "Graella.h"
#include "MessageBox.h"
#include "TabClients.h"
#include "TabRecursosServeis.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QCheckBox>
#include <QTest>
#include <memory>

struct Finestra {
    TestSupport::ProgramFolder pf;
    std::unique_ptr<QWidget> w;
    TabClients* clients = nullptr;
    TabRecursosServeis* recursos = nullptr;
    QComboBox* clientsCombo = nullptr;
    Graella* recursosGrid = nullptr;
    Graella* agendaGrid = nullptr;

    Finestra()
    {
        pf.openDatabases();
        w = std::make_unique<QWidget>();
        auto* h = new QHBoxLayout(w.get());
        clients = new TabClients;
        recursos = new TabRecursosServeis;
        clientsCombo = new QComboBox;
        clientsCombo->setObjectName(QStringLiteral("ClientsCombo"));
        recursosGrid = new Graella;
        recursosGrid->setObjectName(QStringLiteral("RecursosGrid"));
        agendaGrid = new Graella;
        agendaGrid->setObjectName(QStringLiteral("AgendaGrid"));
        for (QWidget* c : std::initializer_list<QWidget*>{clients, recursos, clientsCombo, recursosGrid, agendaGrid})
            h->addWidget(c);
        clients->setClientsCombo(clientsCombo);
    }

    // Fills every list as the main window's load does.
    void omple()
    {
        recursos->Omple_Serveis();
        recursos->Omple_Recursos();
        clients->Omple_Clients();
    }

    template <class T>
    T* c(const char* name) const
    {
        T* found = w->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }
    QString text(const char* name) const;
    void type(const char* name, const QString& text) const;
    void click(const char* name) const;
    QStringList items(const char* name) const;
};

// Texts of the message boxes shown since the last clear, then clears.
inline QStringList missatges() { return TestSupport::takeShownTexts(); }
