#pragma once
// Thin layer over one SQLite connection: opening existing files only, foreign
// keys on, bound parameters everywhere, cached prepared statements and nested
// transactions through savepoints. Every failure throws DbError carrying the
// driver's own text, which callers show after "Error:"; when the file itself
// cannot be read (damaged, not a database, not to be opened) the text names it.
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>
#include <stdexcept>

class DbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit DbError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// The lookup that translates this layer's own words (a file it cannot find or
// read); the translation table puts it here as it loads. Until then they are
// given as they are.
void posaTraduccioBD(QString (*tradueix)(const QString&));

class Db {
public:
    ~Db();
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    // Opens a database file that must already exist; never creates one.
    static std::unique_ptr<Db> openExisting(const QString& path);
    // Creates (or opens) a file; for the build tool and test fixtures only.
    static std::unique_ptr<Db> create(const QString& path);

    QString path() const { return path_; }
    QSqlDatabase handle() const;

    // Runs one statement with bound values; the returned query is positioned
    // before its first row. A new statement each call, safe to nest.
    QSqlQuery query(const QString& sql, const QVariantList& params = {});
    // Runs a statement prepared once and kept for this connection. The
    // returned reference stays valid until the same text is run again, so do
    // not nest two runs of one text.
    QSqlQuery& cached(const QString& sql, const QVariantList& params = {});
    // Statement without rows; returns the number of rows it changed.
    int exec(const QString& sql, const QVariantList& params = {});
    // First column of the first row, or an invalid QVariant when there is none.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    qint64 lastInsertId();

    // Nested transactions: the outermost is BEGIN/COMMIT, inner ones savepoints.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return depth_; }

    void close();

    // Statements run on this connection so far (transaction statements
    // included); benchmarks and tests read it to count a step's queries.
    qint64 statementsRun() const { return statements_; }

private:
    explicit Db(const QString& path);
    void openConnection(bool mustExist);
    void bindAndRun(QSqlQuery& q, const QString& sql, const QVariantList& params);
    DbError fallada(const QSqlError& e) const;

    QString path_;
    QString connection_;
    int depth_ = 0;
    qint64 statements_ = 0;
    QHash<QString, QSqlQuery> cache_;
};

// Scope guard for one unit of work: rolls back unless commit() was called.
class Transaction {
public:
    explicit Transaction(Db& db) : db_(db) { db_.begin(); }
    ~Transaction()
    {
        if (!done_) {
            try { db_.rollback(); } catch (...) {}
        }
    }
    void commit() { db_.commit(); done_ = true; }
    void rollback() { db_.rollback(); done_ = true; }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Db& db_;
    bool done_ = false;
};
