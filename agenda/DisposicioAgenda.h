#pragma once
// The agenda board's layout, free of widgets and of the database: the view,
// its dates, the settings, the jobs of the shown period and the resources'
// colours go in; the matrix of cells the board shows comes out (counts,
// sizes, labels and headers, every cell's text and marks, the job ids of
// every job cell, the day view's resource columns and extra-hours row).
// The page reads the database, asks for the layout and writes it into the
// grid; the board's handlers find a cell's jobs again through the same
// functions (cell of a date, rows of a job).
#include "Decimal.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

enum class VistaAgenda { Mes, Setmana, Dia };

// The view as the shared state's text names it ("mes", "setmana" or "dia");
// nothing for any other text.
std::optional<VistaAgenda> vistaDeMode(const QString& mode);
QString modeDeVista(VistaAgenda vista);

// First day of the week of `d` (weeks start on `primerDiaSetmana`, 1 = Sunday).
QDate iniciSetmana(const QDate& d, int primerDiaSetmana);
// First cell of the month view of d's month: the 1st moved back to its week start.
QDate iniciMes(const QDate& d, int primerDiaSetmana);

// Month view: the date of a body cell (row and column from 1) and the cell
// of a date (row 0 and column 0 when the date is not on the 42 days shown).
QDate dataCellaMes(int fila, int col, const QDate& dataIniciMes);
QPoint cellaDataMes(const QDate& d, const QDate& dataIniciMes);   // x = column, y = row

// The settings the board reads.
struct ParametresAgenda {
    QString horaInici = QStringLiteral("08:00");
    qint16 minutsCella = 30;
    int cellesDia = 24;
    QString horaIniciDinar = QStringLiteral("13:30");
    QString horaFinalDinar = QStringLiteral("15:00");
    qint32 colorDiumenge = 11513775;
    QString texteVaris = QStringLiteral("...");
    QString texteNoAsignada = QStringLiteral("< >");

    // The program's current settings.
    static ParametresAgenda actuals();
};

// Rows of the board a job covers (both from 1); {0, 0} when it lies wholly
// outside the board's hours. A job that overlaps the hours takes at least its
// first visible cell, one of no length the cell it starts in. Empty when a
// time cannot be read.
struct FilesFeina {
    int inici = 0;
    int final = 0;
    bool buit() const { return inici == 0; }
};
std::optional<FilesFeina> filesFeina(const QString& horaInici, const QString& horaFi, const ParametresAgenda& p,
                                     int files);
// Label of body row `fila` (from 1): the time the row starts, "hh:mm".
QString etiquetaFila(int fila, const ParametresAgenda& p);

// One job row of the shown period. In the day view `recurs` is the column's
// resource: the member's name for a team's job, one row per member.
struct FeinaAgenda {
    qint32 id = 0;
    QString lloc;
    QDate data;
    QString horaInici;
    QString horaFi;
    QString recurs;   // "" = unassigned
    bool feta = false;
};

struct RecursAgenda {
    qint32 color = 0;
    bool assignaTemps = false;
};

// Resources by name as the database compares them (any case).
class RecursosAgenda {
public:
    void afegeix(const QString& nom, const RecursAgenda& r) { m_.insert(nom.toCaseFolded(), r); }
    // The resource's colour; the system window colour for "" and unknown names.
    qint32 color(const QString& nom) const;
    bool assignaTemps(const QString& nom) const;

private:
    QHash<QString, RecursAgenda> m_;
};

struct EntradaAgenda {
    VistaAgenda vista = VistaAgenda::Mes;
    QDate dataAgenda;
    QDate dataIniciSetmana;
    QDate dataIniciMes;
    QDate dataCalendari;   // the calendar's date: the month view's corner shows its year
    QDate avui;
    QSize mida;            // the board's laid-out size, in pixels
    int vora = 0;          // pixels the control takes around its cells
    ParametresAgenda parametres;
    QList<FeinaAgenda> feines;   // week: any order; month: by date and start; day: by resource, start, end
    RecursosAgenda recursos;
    QList<QPair<QString, Decimal>> horesExtra;   // day view: stored extra hours of the day by resource
};

struct CellaAgenda {
    QString text;
    std::optional<qint32> color;   // own back colour as stored; none = the grid's
    bool fonsFix = false;          // back colour = the grid's fixed-cell colour
    bool negreta = false;
    bool subratllat = false;
    bool varies = false;           // several different jobs: shows texteVaris
    int alineacio = -1;            // alignment code; -1 = the column's
    bool fontEtiqueta = false;     // the fixed font of the time labels
    QList<qint32> feines;          // ids of the jobs painted into the cell, in order
};

struct DisposicioAgenda {
    VistaAgenda vista = VistaAgenda::Mes;
    int files = 0;
    int columnes = 0;
    int altCapcalera = 0;     // row 0
    int ampleEtiquetes = 0;   // column 0
    int altFila = 0;          // every body row (AltFila)
    int ampleColumna = 0;     // every data column (AmpleColumna)
    QSize midaTauler;         // the board fitted to its cells
    QVector<int> alineacioColumna;
    QVector<bool> fusioColumna;
    QVector<CellaAgenda> celles;   // files x columnes, row by row

    // Day view: the extra-hours row, one cell per board column.
    bool ambHores = false;
    QVector<CellaAgenda> hores;

    // Jobs that could not be drawn: the description shown after "Error:".
    QStringList errors;
    // Day view: cells where a job met another one already there.
    int solapaments = 0;

    const CellaAgenda& cella(int fila, int col) const { return celles[fila * columnes + col]; }
    CellaAgenda& cella(int fila, int col) { return celles[fila * columnes + col]; }
    // Cells holding text (labels, headers, jobs).
    int cellesAmbText() const;
};

DisposicioAgenda disposaAgenda(const EntradaAgenda& e);
// The sizes of a layout (its cells stay as they are): rows share the height,
// data columns the width left by the label column, which is as designed for
// the view or `ampleEtiquetesMinim` when wider. disposaAgenda() calls it.
void dimensiona(DisposicioAgenda& d, const QSize& mida, int vora, int ampleEtiquetesMinim = 0);

// The current cell after a rebuild: the old one, kept within the new grid
// (a grid without a current cell starts on its first body cell).
QPoint cellaActual(int filaAntiga, int colAntiga, int files, int columnes);

// Hours as the extra-hours row shows them: "#,##0.00" in the locale.
QString formatHores(const Decimal& hores);
