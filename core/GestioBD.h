#pragma once
// Database file operations of the settings dialog and of the end of the
// program: checking a chosen file, purging old jobs after a backup, and
// compacting the open database.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>

class Db;

namespace GestioBD {

// True when the file exists and is one of the program's databases (its
// tables are there). Otherwise false, with the reason in `motiu`.
bool esBaseDadesTorvanel(const QString& path, QString* motiu = nullptr);

// Backup name for a purge: the database path without its extension, the
// moment as yyyyMMddhhmmss and the database's extension. When that file
// already exists a counter is added, so a backup is never overwritten.
QString nomCopiaSeguretat(const QString& baseDades, const QDateTime& moment);

struct ResultatPurga {
    qint32 feines = 0;   // jobs deleted
    qint32 xecs = 0;     // cheques deleted with them
    QString copia;       // backup file made before deleting
};

// Deletes every job up to and including `finsA` with the cheques used in
// them. First copies the open database to a new backup file and checks the
// copy; then deletes in one transaction. Throws DbError (nothing deleted)
// when the copy or any deletion fails; a copy that fails leaves no file.
ResultatPurga purgaFeines(Db& db, const QDate& finsA, const QDateTime& moment);

// Compacts the open database in place. Throws DbError.
void compacta(Db& db);

// Test seam: runs inside the purge's transaction, between the deletion of
// the cheques and that of the jobs (a throw there must undo everything).
void setPuntFalladaPurga(std::function<void()> f);
// Test seam: runs once the engine has written the backup into its temporary
// file (given), before the copy is checked; a DbError thrown there is a copy
// that failed.
void setPuntFalladaCopia(std::function<void(const QString& temporal)> f);

} // namespace GestioBD
