#pragma once
// The job dialog over a fresh program folder: a client, a site, a few
// services and resources, one job of Anna today 10:00-11:00, and the dialog
// loaded on it as the board would open it.
#include "TestSupport.h"
#include "frmFeines.h"

#include "Globals.h"
#include "Graella.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace Dialeg {

inline const QDate Avui(2010, 3, 10);   // the pinned clock's day
inline const QString Lloc = QStringLiteral("Casa Puig");

// Services: "Vidres" 45 min/unit at 12,5 (the site describes it as "Vidres de la
// casa"), "Escales" 21 min at 0,2, "Comú" 60 min common to the resources,
// "Res" 0 min at 0. Resources: "Anna" and "Pere" (both take time) and the
// team "Equip" of the two.
struct Fixture {
    TestSupport::ProgramFolder pf;
    int id = 0;                        // the job
    std::unique_ptr<frmFeines> d;

    Fixture();
    ~Fixture();
    // A line of the job as stored.
    void addLine(const QString& servei, const QString& quantitat, const QString& preu,
                 const QString& descripcio = QString(), int feina = 0);
    // Fills G.FeinaActual from the stored job and loads a new dialog on it
    // (owned by `pare` when given, as the board's dialog is).
    frmFeines& obre(int feina = 0, QWidget* pare = nullptr);

    template <class T>
    T* c(const char* name) const
    {
        T* w = d->findChild<T*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QLineEdit* box(const char* name) const { return c<QLineEdit>(name); }
    QComboBox* combo(const char* name) const { return c<QComboBox>(name); }
    Graella* grid() const { return c<Graella>("DetallFeinaServeis"); }
    QString triat(const char* name) const;          // "" when nothing is selected
    void tria(const char* name, const QString& text) const;
    QStringList items(const char* name) const;
    // The grid's rows, cells joined by '|'.
    QStringList files() const;
    // The editor row: service|description|quantity|unit|unit price.
    QString editor() const;
    // Takes a line back into the editor row, as a press and click on it do.
    void treu(int fila) const;
    // Chooses a service and fills the editor row, then presses "+".
    void afegeix(const QString& servei, const QString& quantitat, const QString& preu,
                 const QString& descripcio = QStringLiteral("="));
};

// The stored row of the job and its lines, as text, to tell that nothing changed.
QString desat(int feina);
QStringList linies(int feina);
// Texts of the boxes shown since the last call.
inline QStringList missatges() { return TestSupport::takeShownTexts(); }

} // namespace Dialeg
