#include "GestioBD.h"

#include "Convert.h"
#include "Database.h"
#include "Esquema.h"
#include "FitxerSencer.h"
#include "Traduccio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace {
std::function<void()> g_falladaPurga;
std::function<void(const QString&)> g_falladaCopia;
} // namespace

namespace GestioBD {

bool esBaseDadesTorvanel(const QString& path, QString* motiu)
{
    auto falla = [&](const QString& why) {
        if (motiu) *motiu = why;
        return false;
    };
    if (path.trimmed().isEmpty() || !QFileInfo(path).isFile())
        return falla(Tradueix(QStringLiteral("El fitxer no existeix")));
    try {
        auto db = Db::openExisting(path);
        if (!esBaseDadesDelPrograma(*db))
            return falla(Tradueix(QStringLiteral("No és una base de dades del programa")));
    } catch (const std::exception&) {
        return falla(Tradueix(QStringLiteral("No és una base de dades del programa")));
    }
    if (motiu) motiu->clear();
    return true;
}

QString nomCopiaSeguretat(const QString& baseDades, const QDateTime& moment)
{
    const QFileInfo fi(baseDades);
    const QString suffix = fi.suffix().isEmpty() ? QStringLiteral("db") : fi.suffix();
    const QString base = fi.path() + u'/' + fi.completeBaseName() + moment.toString(QStringLiteral("yyyyMMddHHmmss"));
    QString nom = base + u'.' + suffix;
    for (int i = 2; QFileInfo::exists(nom); ++i)
        nom = base + QStringLiteral("_%1.").arg(i) + suffix;
    return nom;
}

ResultatPurga purgaFeines(Db& db, const QDate& finsA, const QDateTime& moment)
{
    ResultatPurga r;
    r.copia = nomCopiaSeguretat(db.path(), moment);

    // The backup is a consistent copy made by the engine itself into a
    // temporary file of ours beside the database, checked, and only then
    // given the backup's name: a copy that fails leaves no file.
    const QString carpeta = QDir::toNativeSeparators(QFileInfo(r.copia).absolutePath());
    const auto fallada = [&](const QString& motiu) {
        return DbError(Tradueix(QStringLiteral("No s'ha pogut fer la còpia de seguretat a la carpeta %1: %2"))
                           .arg(carpeta, motiu));
    };
    QString motiu;
    const QString temporal = FitxerSencer::creaTemporal(carpeta, &motiu);
    if (temporal.isEmpty()) throw fallada(motiu);
    // The engine keeps a journal beside the file while it writes it; a copy
    // that fails leaves neither, and a whole one has none left.
    const auto senseDiari = qScopeGuard([&] { QFile::remove(temporal + QStringLiteral("-journal")); });
    try {
        try {
            db.exec(QStringLiteral("VACUUM INTO ?"), {temporal});
            if (g_falladaCopia) g_falladaCopia(temporal);
        } catch (const DbError& e) {
            throw fallada(QString::fromUtf8(e.what()));
        }
        const qint64 feinesOrigen = db.scalar(QStringLiteral("SELECT count(*) FROM Feines")).toLongLong();
        auto copia = Db::openExisting(temporal);
        const QString integritat = copia->scalar(QStringLiteral("PRAGMA integrity_check")).toString();
        const qint64 feinesCopia = copia->scalar(QStringLiteral("SELECT count(*) FROM Feines")).toLongLong();
        copia->close();
        if (integritat != QLatin1String("ok") || feinesCopia != feinesOrigen)
            throw DbError(Tradueix(QStringLiteral("La còpia de seguretat '%1' no és correcta")).arg(r.copia));
    } catch (...) {
        QFile::remove(temporal);
        throw;
    }
    if (!FitxerSencer::posaAlLloc(temporal, r.copia, &motiu)) throw fallada(motiu);

    const QString dia = Conv::isoDate(finsA);
    Transaction t(db);
    r.xecs = db.exec(QStringLiteral("DELETE FROM Xecs WHERE feines_id IN "
                                    "(SELECT feines_id FROM Feines WHERE feines_data <= ?)"),
                     {dia});
    if (g_falladaPurga) g_falladaPurga();
    r.feines = db.exec(QStringLiteral("DELETE FROM Feines WHERE feines_data <= ?"), {dia});
    t.commit();
    return r;
}

void compacta(Db& db)
{
    db.exec(QStringLiteral("VACUUM"));
}

void setPuntFalladaPurga(std::function<void()> f) { g_falladaPurga = std::move(f); }

void setPuntFalladaCopia(std::function<void(const QString&)> f) { g_falladaCopia = std::move(f); }

} // namespace GestioBD
