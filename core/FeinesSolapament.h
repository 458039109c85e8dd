#pragma once
// Overlap tests of the job rules, shared by the job operations and by any
// window that wants to check a time slot before saving.
//
// Times are "hh:mm" texts of five characters ("24:00" closes the day), so
// their text order is the order of the day. An existing job [s, e] overlaps a
// slot [inici, fi] when
//   (s <= inici and e > inici) or (s < fi and e >= fi) or (s >= inici and e <= fi):
// jobs that only touch do not overlap; a zero-length job overlaps a slot that
// contains its time, ends included. `excepte` leaves one job out (the job
// being changed); 0 leaves none out. Every function throws DbError.
#include <QDate>
#include <QString>

// True when another job of the site overlaps the slot on that day.
bool Solapa_Lloc(const QString& lloc, const QDate& data, const QString& inici, const QString& fi,
                 qint32 excepte = 0);

// Whose jobs clash with the slot when `recurs` takes it, or "" when none.
// The resource's own jobs and the jobs of every team it belongs to count as
// its own (answer: `recurs`); for a team (`grup`), the team's own jobs come
// first, then, member by member in the team's order, the jobs of each member
// and of every team that member belongs to (answer: the member's name).
QString Recurs_Solapat(const QString& recurs, bool grup, const QDate& data, const QString& inici,
                       const QString& fi, qint32 excepte = 0);
