#pragma once
// The extra hours of a month, by resource: one line per worker and day
// (weekday, hours after a dotted leader), a total per resource and the
// month's total in a box. Before printing, the month's extra hours that no
// longer belong to a job are removed: a worker's hours of a day stay only
// while it has a job that day, its own or one of a team it belongs to.
#include "Decimal.h"
#include "Impressora.h"

#include <QDate>
#include <QList>
#include <QString>

class QWidget;

struct HoresExtres {
    QString recurs;
    QDate data;
    Decimal hores;
};

// Deletes, in one transaction, the extra hours of the month starting at
// `inici` whose worker has no job that day (directly or through a team);
// hours of a day whose only jobs are unassigned go too. Returns the number
// of rows deleted. Throws DbError, and std::invalid_argument for an invalid day.
int Borra_hores_extres_erronies(const QDate& inici);
// The month's extra hours by resource and day.
QList<HoresExtres> horesExtresMes(const QDate& inici);
QString titolInformeHores(const QDate& inici);
void dibuixaInformeHores(Impressora& p, const QDate& inici, const QList<HoresExtres>& hores);

// The clean-up, then the report of the month starting at `inici` (an
// invalid date goes to the error path as a wrong month); returns where it went.
QString Imprimeix_Hores_Extres(const QDate& inici, QWidget* parent = nullptr);
