#include "Database.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <atomic>

namespace {
std::atomic<int> counter{0};
QString (*g_tradueix)(const QString&) = nullptr;

QString tradueix(const QString& text)
{
    return g_tradueix ? g_tradueix(text) : text;
}

QString describe(const QSqlError& e)
{
    QString t = e.driverText();
    const QString d = e.databaseText();
    if (!d.isEmpty() && d != t) t = t.isEmpty() ? d : t + QStringLiteral(": ") + d;
    return t.isEmpty() ? e.text() : t;
}
} // namespace

void posaTraduccioBD(QString (*tradueix)(const QString&))
{
    g_tradueix = tradueix;
}

DbError Db::fallada(const QSqlError& e) const
{
    // SQLITE_CORRUPT, SQLITE_CANTOPEN and SQLITE_NOTADB, with or without their extended part.
    bool numero = false;
    const int codi = e.nativeErrorCode().toInt(&numero) & 0xff;
    if (numero && (codi == 11 || codi == 14 || codi == 26)) {
        const QString motiu = e.databaseText().isEmpty() ? describe(e) : e.databaseText();
        return DbError(tradueix(QStringLiteral("No es pot llegir el fitxer de base de dades '%1': %2")).arg(path_, motiu));
    }
    return DbError(describe(e));
}

Db::Db(const QString& path) : path_(path)
{
    connection_ = QStringLiteral("torvanel-%1").arg(counter.fetch_add(1));
}

Db::~Db()
{
    close();
}

std::unique_ptr<Db> Db::openExisting(const QString& path)
{
    std::unique_ptr<Db> db(new Db(path));
    db->openConnection(true);
    return db;
}

std::unique_ptr<Db> Db::create(const QString& path)
{
    std::unique_ptr<Db> db(new Db(path));
    db->openConnection(false);
    return db;
}

void Db::openConnection(bool mustExist)
{
    QFileInfo fi(path_);
    if (mustExist && (!fi.exists() || !fi.isFile()))
        throw DbError(tradueix(QStringLiteral("No s'ha trobat el fitxer de base de dades '%1'")).arg(path_));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    if (!db.open()) {
        DbError error = fallada(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
        throw error;
    }
    // A file that is not a database shows itself on the first statement.
    query(QStringLiteral("PRAGMA foreign_keys=ON"));
    // Savepoint journals of nested units of work stay in memory: a planning
    // run nests thousands of them inside one transaction.
    query(QStringLiteral("PRAGMA temp_store=MEMORY"));
    query(QStringLiteral("SELECT count(*) FROM sqlite_master"));
}

QSqlDatabase Db::handle() const
{
    return QSqlDatabase::database(connection_, false);
}

void Db::bindAndRun(QSqlQuery& q, const QString& sql, const QVariantList& params)
{
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, params[i]);
    ++statements_;
    if (!q.exec())
        throw fallada(q.lastError());
    Q_UNUSED(sql);
}

QSqlQuery Db::query(const QString& sql, const QVariantList& params)
{
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw fallada(q.lastError());
    bindAndRun(q, sql, params);
    return q;
}

QSqlQuery& Db::cached(const QString& sql, const QVariantList& params)
{
    auto it = cache_.find(sql);
    if (it == cache_.end()) {
        QSqlQuery q(handle());
        q.setForwardOnly(true);
        if (!q.prepare(sql))
            throw fallada(q.lastError());
        it = cache_.insert(sql, q);
    }
    it->finish();
    bindAndRun(*it, sql, params);
    return *it;
}

int Db::exec(const QString& sql, const QVariantList& params)
{
    QSqlQuery q = query(sql, params);
    return q.numRowsAffected();
}

QVariant Db::scalar(const QString& sql, const QVariantList& params)
{
    QSqlQuery q = query(sql, params);
    if (q.next()) return q.value(0);
    return QVariant();
}

qint64 Db::lastInsertId()
{
    return scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
}

void Db::begin()
{
    if (depth_ == 0)
        query(QStringLiteral("BEGIN IMMEDIATE"));
    else
        cached(QStringLiteral("SAVEPOINT sp%1").arg(depth_)).finish();
    ++depth_;
}

void Db::commit()
{
    if (depth_ <= 0) throw DbError("commit without a transaction");
    --depth_;
    if (depth_ == 0) {
        for (auto& q : cache_) q.finish();
        try {
            query(QStringLiteral("COMMIT"));
        } catch (...) {
            try { query(QStringLiteral("ROLLBACK")); } catch (...) {}
            throw;
        }
    } else {
        cached(QStringLiteral("RELEASE SAVEPOINT sp%1").arg(depth_)).finish();
    }
}

void Db::rollback()
{
    if (depth_ <= 0) return;
    --depth_;
    for (auto& q : cache_) q.finish();
    if (depth_ == 0) {
        query(QStringLiteral("ROLLBACK"));
    } else {
        cached(QStringLiteral("ROLLBACK TO SAVEPOINT sp%1").arg(depth_)).finish();
        cached(QStringLiteral("RELEASE SAVEPOINT sp%1").arg(depth_)).finish();
    }
}

void Db::close()
{
    if (connection_.isEmpty()) return;
    cache_.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isOpen()) {
            if (depth_ > 0) {
                QSqlQuery q(db);
                q.exec(QStringLiteral("ROLLBACK"));
                depth_ = 0;
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection_);
    connection_.clear();
}
