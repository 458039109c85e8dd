#pragma once
// The program's shared state: settings read at start-up, the open databases,
// the dates the agenda board shows, the flags windows use to tell each other
// that a view is stale, and the job being worked on.
#include "Database.h"
#include "Decimal.h"
#include "VersioPrograma.h"

#include <QDate>
#include <QString>
#include <memory>

class QWidget;

// Outcome kind of a job operation, alongside the text in Missatge.
enum class ResultatFeina { Fet, Refusat, Error };

// One job as the windows and the job operations exchange it.
struct Feina {
    QString Missatge;       // "" = success, else the text to show
    qint32 Id = 0;          // feines_id; 0 = no job
    QString Lloc;           // llocs_nom
    QDate Data;             // feines_data
    QString HoraInici;      // "hh:mm"
    QString HoraFi;         // "hh:mm"; "" asks the modification to compute it
    QString Recurs;         // "" = none
    bool Feta = false;
    QDate DataFactura;      // null date = not invoiced
    QString Observacions;
    ResultatFeina Resultat = ResultatFeina::Fet;  // kind of outcome of the last operation
};

struct Globals {
    // ---- settings (Torvanel.ini) ----
    QString BaseDades;
    QString TexteVaris = QStringLiteral("...");
    qint32 ColorFeina = 16768483;
    qint32 ColorQuota = 16764117;
    qint32 ColorDiumenge = 11513775;
    QString MarcaSeleccio = QStringLiteral("-> ");
    QString MarcaLlista = QStringLiteral(" * ");
    qint16 PosicioSaltPagina = 14500;
    QString TexteNoAsignada = QStringLiteral("< >");
    qint16 MinutsCella = 30;
    QString HoraInici = QStringLiteral("00:00");
    QString HoraFinal = QStringLiteral("24:00");
    Decimal HoresDia = Decimal::fromInt(8);
    bool CalculxHores = true;
    bool DissabtesExtra = true;
    bool DiumengesExtra = true;
    QString HoraIniciDinar = QStringLiteral("13:30");
    QString HoraFinalDinar = QStringLiteral("15:00");
    QString ServeiXecs;
    Decimal ValorXec;
    Decimal CostHoraXec;
    qint16 MaxXecsMes = 0;
    bool PermetSolaparLlocs = true;
    bool PrimeraExecucio = true;
    QString Idioma = QStringLiteral("CT");
    QDate UltimDiaGen;

    // ---- derived at start-up ----
    qint16 CellesDia = 48;
    int PrimerDiaSetmana = 2;      // 1 = Sunday .. 7 = Saturday
    QString ProgramDir;            // folder of the program, no trailing slash
    QString HelpFile;

    // ---- open databases ----
    std::unique_ptr<Db> BD;
    std::unique_ptr<Db> BDTraduccio;

    // ---- windows and views ----
    QWidget* frmPrincipal = nullptr;
    QDate DataAgenda;
    QDate DataIniciSetmana;
    QDate DataIniciMes;
    QString ModeAgenda = QStringLiteral("mes");

    // ---- flags ----
    bool Reiniciar = false;
    bool AgendaPendent = false;
    bool FacturacioPendent = false;
    bool CompactarBD = false;

    Feina FeinaActual;
};

extern Globals G;

// The main database; throws DbError when it is not open.
Db& BD();

// Resets every field of FeinaActual.
void Neteja_Feina_Actual();

// Paths of the program folder's files.
QString iniPath();
QString translationDbPath();
QString defaultDatabasePath();

// Closes both databases and forgets every setting (tests, restart).
void resetGlobals();

// Product identity used to build file names.
inline constexpr const char* ProductName = "Torvanel";
inline constexpr int MajorVersion = VersioPrograma::Major;
