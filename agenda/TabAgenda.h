#pragma once
// The "Agenda" tab: the board of planned jobs by month, week or day, the
// month calendar that moves it, the sites and resources palettes, the
// extra-hours row of the day view and the print buttons. The board's view
// (G.ModeAgenda) and shown dates (G.DataAgenda, G.DataIniciSetmana,
// G.DataIniciMes) are shared state; the page keeps the board's sizes and
// the layout of the last rebuild, which the board's handlers read.
#include "AccionsTauler.h"
#include "DisposicioAgenda.h"

#include <QFont>
#include <QStringList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

class Calvendra;
class Graella;
class QLabel;
class QLineEdit;
class QPushButton;
struct Feina;

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

    // ---- the board's clicks, keys, drag and drop and print buttons
    // (TabAgendaClics.cpp, TabAgendaArrossega.cpp) ----

    // The board cell under the last press; 0 at start and after the board
    // loses the focus.
    int FilaRatoli = 0;
    int ColRatoli = 0;
    // Opens the job dialog on G.FeinaActual, which it leaves with "OK" in
    // Missatge after a save (the main window installs it).
    std::function<void()> obreFeina;

    // Handlers, as the controls raise them (positions in the pixels of the
    // grid's cells area). The board's press remembers the cell and the job
    // under it and prepares a job's drag; the click starts the planning run
    // or shows the tooltip of a month cell; the double click changes the
    // view or opens the job; Enter, Space and Delete act on the current
    // cell's job (true: the key was the board's).
    void AgendaGrid_MouseDown(Qt::MouseButton boto, const QPoint& pos);
    void AgendaGrid_Click();
    void AgendaGrid_DblClick();
    bool AgendaGrid_KeyDown(int key);
    void AgendaGrid_LostFocus();
    // A drop on the board: a site creates a job, a job moves, a resource is
    // assigned to the job under it.
    void AgendaGrid_DragDrop(const CarregaArrossegament& carrega, const QPoint& pos);
    // Palette presses prepare a drag (and a resource enables ImprimirFeines);
    // double clicks show the site or the resource on its tab.
    void LlocsGrid_MouseDown(const QPoint& pos);
    void RecursosGrid_MouseDown(const QPoint& pos);
    void LlocsGrid_DblClick();
    void RecursosGrid_DblClick();
    // The drag the last press prepared, started once the mouse moves far
    // enough with the button down; none after the release.
    std::optional<CarregaArrossegament> arrossegamentPreparat() const;

public slots:
    void ImprimirAgenda_Click();
    void ImprimirFeines_Click();

private:
    struct Arrossegament {
        QWidget* origen = nullptr;   // the grid whose press prepared it
        CarregaArrossegament carrega;
        QPoint puntCaptura;          // the press, from Label1's top left
        QPoint premut;               // the press, in the origin's cells area
    };
    std::optional<Arrossegament> arrossegament_;
    bool despresDeDoble_ = false;    // the release of a double click is no click

    void instalaClics();
    bool filtraClics(QObject* watched, QEvent* event);
    bool filtraPaleta(Graella* paleta, QEvent* event);
    void iniciaArrossegament();
    void preparaArrossegamentFeina(const QPoint& pos);
    void premPaleta(Graella* paleta, QChar tipus, const QPoint& pos);
    // The job of a body cell: by its id when the cell shows one job, else
    // looked up by site, colour, column and time.
    Feina feinaDeCella(int fila, int col) const;
    bool unaFeina(int fila, int col) const;
    bool variesFeines(int fila, int col) const;
    QDate dataColumna(int col) const;
    // The view of the shared state (G.ModeAgenda); nothing for an unknown text.
    std::optional<VistaAgenda> vistaActual() const;
    // Sets the shown date d (dates of the week and month with it).
    void mostraData(const QDate& d);
    // Shows the view `vista`.
    void canviaVista(VistaAgenda vista);
    void tornaAlMes();
    void obreFeinaActual();
    void planifica(const QDate& fins);
    void mostraGlobus(const QDate& d);
    void alliberaGlobusDiferit();

    // ---- end of the board's clicks, keys, drag and drop ----

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

