#pragma once
// The cheques liquidated in a billing month, by client: a group line with the
// client's name, its number of cheques and their value, then one line per
// cheque with the job it paid (site, day, start time, hours of the cheque
// service, resource); the month's count and value close it in a box. A
// month's cheques are those whose job falls in the month, whatever the day
// they were liquidated. The report only reads the database.
#include "Decimal.h"
#include "Impressora.h"

#include <QDate>
#include <QList>
#include <QString>

class QWidget;

// One line of a client's group: a cheque and one cheque-service line of its
// job (a job with two such lines lists its cheque twice, one with none is
// counted in the group but not listed).
struct LiniaXec {
    qint32 xec = 0;
    QString lloc;
    QDate data;
    QString horaInici;
    Decimal quantitat;       // hours of the cheque service on that line
    QString recurs;          // "" = unassigned
};

struct GrupXecs {
    QString client;
    int nombre = 0;          // liquidated cheques of the client in the month
    Decimal suma;            // their values, each counted to the cent
    QList<LiniaXec> linies;  // by cheque number
};

struct XecsMes {
    QDate inici;             // first day of the month
    QString serveiXecs;
    QList<GrupXecs> grups;   // by client name
    int nombre = 0;
    Decimal suma;
};

// The month starting at `inici` (its first day). Throws DbError, and
// std::invalid_argument for an invalid day.
XecsMes xecsLiquidatsMes(const QDate& inici, const QString& serveiXecs);
QString titolInformeXecs(const QDate& inici, const QString& serveiXecs);
void dibuixaInformeXecs(Impressora& p, const XecsMes& mes);

// Prints the report of the month starting at `inici` (an invalid date goes
// to the error path as a wrong month); returns where it went.
QString Imprimeix_Xecs(const QDate& inici, const QString& serveiXecs, QWidget* parent = nullptr);
