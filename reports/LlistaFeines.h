#pragma once
// The jobs list of one resource over the period the agenda board shows: one
// block per job (date, weekday, times, site, resource, and its notes in a
// ruled box), to hand to the worker. A worker's list holds its own jobs and
// those of every team it belongs to; a team's list only the team's own jobs.
#include "Impressora.h"

#include <QDate>
#include <QList>
#include <QString>

class Graella;
class QWidget;

// The board's view and the dates of its period.
struct PeriodeAgenda {
    QString mode;          // "mes", "setmana" or "dia"
    QDate dataCalendari;   // the calendar's selected date: month and year of the month view
    QDate iniciSetmana;    // first day of the week view
    QDate dataAgenda;      // the day view's day

    // The shared state's view and dates, with the calendar's date given.
    static PeriodeAgenda actual(const QDate& dataCalendari);
    // First and last day of the period; throws std::invalid_argument for an unknown view.
    QDate primerDia() const;
    QDate ultimDia() const;
};

struct FeinaLlista {
    QString lloc;
    QDate data;
    QString horaInici;
    QString horaFi;
    QString recurs;        // the job's own resource (a team's name for a team's job)
    QString observacions;
};

// The jobs of the resource in the period, by date and start time (by start
// time alone in the day view). Throws DbError.
QList<FeinaLlista> feinesRecurs(const PeriodeAgenda& periode, const QString& recurs, bool grup);
QString titolLlistaFeines(const PeriodeAgenda& periode, const QString& recurs);
void dibuixaLlistaFeines(Impressora& p, const PeriodeAgenda& periode, const QString& recurs,
                         const QList<FeinaLlista>& feines);

// Prints the list (query, pages, error path); returns where it went.
QString Imprimeix_Feines(const QString& recurs, bool grup, const PeriodeAgenda& periode, QWidget* parent = nullptr);
// The board's jobs-list button: the resource is the current cell of the
// resources palette (its text; bold = a team), the period that of the shared
// state with the calendar's date. Prints, then disables the button (pressing
// a resource in the palette enables it again). Returns where it went.
QString ImprimirFeines_Click(QWidget* boto, const Graella& recursosGrid, const QDate& dataCalendari,
                             QWidget* parent = nullptr);
