#pragma once
// The "Agenda" tab: the board of planned jobs by month, week or day, the
// month calendar that moves it, the sites and resources palettes, the
// extra-hours row of the day view and the print buttons. The board's view
// (G.ModeAgenda) and shown dates (G.DataAgenda, G.DataIniciSetmana,
// G.DataIniciMes) are shared state; the page keeps the board's sizes and
// the layout of the last rebuild, which the board's handlers read.
#include "DisposicioAgenda.h"

#include <QFont>
#include <QStringList>
#include <QPointer>
#include <QWidget>
#include <optional>

class Calvendra;
class Graella;
class QLabel;
class QLineEdit;
class QPushButton;

class TabAgenda : public QWidget {
    Q_OBJECT
public:
    explicit TabAgenda(QWidget* parent = nullptr);
    ~TabAgenda() override;

    // Installs Omple_Agenda and Omple_Graella_Llocs among the main window's operations.
    void instalaOperacions();

    // Takes the board's laid-out size (AltAgenda, AmpleAgenda); every
    // rebuild starts from it. The main window's load calls it once.
    void prenMidaTauler();

    // Rebuilds the board for G.ModeAgenda and the shown dates. Reads the
    // period's jobs, with their resources' colours, in one query and, in the
    // day view, the day's extra hours in a second. A failure shows "Error:"
    // and leaves G.AgendaPendent as it was.
    void Omple_Agenda();
    // Refills the sites palette with every site in name order.
    void Omple_Graella_Llocs();

    // Moves the shown week and month to the ones holding `d` and rebuilds
    // (G.DataAgenda is the caller's).
    void mouPeriode(const QDate& d);

    // The calendar's date click: moves the board as the view asks.
    void CalendariML_DateClick(const QDate& dateClicked);
    // Type-to-find in the sites palette (Qt key code). Returns true when the
    // key was a character and the palette has selected its row.
    bool LlocsGrid_KeyDown(int key);

    // The board's tooltip (one at a time), released at every rebuild and at unload.
    QPointer<QObject> Globus;
    void alliberaGlobus();

    // The board's sizes in pixels: as laid out, and of the current view.
    int AltAgenda = 0;
    int AmpleAgenda = 0;
    int AltFila = 0;
    int AmpleColumna = 0;

    // The layout of the last completed rebuild.
    const DisposicioAgenda& disposicio() const { return disposicio_; }
    // Ids of the jobs a board cell shows (several for a several-jobs cell).
    QList<qint32> feinesCella(int fila, int col) const;
    static QList<qint32> feinesCella(const Graella* grid, int fila, int col);
    // The dates of the shown period: from, to (both included).
    QPair<QDate, QDate> periode() const;

    Graella* agendaGrid() const { return AgendaGrid; }
    Graella* llocsGrid() const { return LlocsGrid; }
    Graella* recursosGrid() const { return RecursosGrid; }
    Graella* horesGrid() const { return HoresGrid; }
    Calvendra* calendari() const { return CalendariML; }
    QPushButton* imprimirFeines() const { return ImprimirFeines; }
    QPushButton* imprimirAgenda() const { return ImprimirAgenda; }
    QLineEdit* text1() const { return Text1; }
    QLabel* label1() const { return Label1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void construeix();
    EntradaAgenda llegeix(VistaAgenda vista);
    void escriu(const DisposicioAgenda& d);
    void escriuHores(const DisposicioAgenda& d);
    static void escriuCella(Graella* g, int fila, int col, const CellaAgenda& ce, const QString& fontEtiquetes,
                            bool sempre);
    void posaTooltipsPaletes(VistaAgenda vista);
    int ampleEtiquetes(const DisposicioAgenda& d) const;
    QFont fontTauler(int altFila) const;

    Graella* AgendaGrid = nullptr;
    Graella* LlocsGrid = nullptr;
    Graella* RecursosGrid = nullptr;
    Graella* HoresGrid = nullptr;
    Calvendra* CalendariML = nullptr;
    QPushButton* ImprimirFeines = nullptr;
    QPushButton* ImprimirAgenda = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;

    DisposicioAgenda disposicio_;
    QFont fontTauler_;
    mutable QPair<int, QFont> fontPerFila_{-1, QFont()};   // the last row height and its font
    QString fontEtiquetes_;
    mutable QStringList etiquetesMesurades_;   // the label column last measured, in ampladesFont_
    mutable QFont ampladesFont_;
    mutable int ampleMesurat_ = 0;

    // ---- extra hours of the day view (TabAgendaHores.cpp) ----
    // Handlers of the extra-hours row HoresGrid and its floating editor Text1;
    // an unexpected failure shows "Error:" and never leaves them.
public:
    // A click on the row edits the current cell when its column belongs to
    // a resource that records time.
    void HoresGrid_Click();
    // Enter edits the current cell of any resource's column; true when the key was taken.
    bool HoresGrid_KeyDown(int key);
    // Opens the editor over the current cell with the proposed hours, all selected.
    void Edita_Cella_Hores();
    // The extra hours proposed for the resource of a board column on
    // G.DataAgenda, from the rows its jobs occupy in every column it heads.
    Decimal horesProposades(int col) const;
    // Editor keys: Escape drops the edit, Enter and the arrows store it (the
    // arrows then move along the row); true when the key was taken.
    bool Text1_KeyDown(int key);
    // Both store the edit under way, if any: a number as "#,##0.00", blank as
    // 0; anything else is refused with a message and the stored hours stay.
    void Text1_LostFocus();
    void HoresGrid_LeaveCell();

private:
    struct EdicioHores {
        int col = 0;
        QString recurs;
        QDate dia;
    };
    std::optional<EdicioHores> edicioHores_;   // set while Text1 is shown
    void connectaHores();
    bool filtraHores(QObject* watched, QEvent* event);
    void desaHores();
    // ---- end of extra hours ----
};

