#include "Esquema.h"

#include "CalculFacturacio.h"
#include "Convert.h"
#include "Database.h"

#include <QSqlQuery>
#include <QStringList>

#include <utility>

// Conventions: names are keys compared without regard to case; Booleans are
// 0/1; dates are ISO text; times are "hh:mm" text; real numbers and money are
// INTEGER holding ten-thousandths. A rename reaches every referring row
// (the cascades do not see a change of letter case alone, which the master
// data writers carry themselves); a delete of a row still referred to is refused, except a job's own lines,
// which go with it, and a team's member list, which goes with the team.
static const char* const kMainSchema[] = {
    R"(CREATE TABLE Clients (
        clients_nom TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
        "clients_NIF" TEXT NOT NULL DEFAULT '',
        "clients_adreça" TEXT NOT NULL DEFAULT '',
        clients_poblacio TEXT NOT NULL DEFAULT '',
        clients_codi_postal TEXT NOT NULL DEFAULT '',
        clients_telefons TEXT NOT NULL DEFAULT '',
        clients_ccc TEXT NOT NULL DEFAULT '',
        clients_email TEXT NOT NULL DEFAULT '',
        clients_data_alta TEXT NOT NULL DEFAULT (strftime('%Y-%m-%d %H:%M:%S','now','localtime')),
        clients_xecs INTEGER NOT NULL DEFAULT 0 CHECK (clients_xecs IN (0,1)),
        clients_observacions TEXT NOT NULL DEFAULT ''
    ))",
    R"(CREATE TABLE Recursos (
        recursos_nom TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
        recursos_grup INTEGER NOT NULL DEFAULT 0 CHECK (recursos_grup IN (0,1)),
        recursos_color INTEGER NOT NULL UNIQUE,
        recursos_assigna_temps INTEGER NOT NULL DEFAULT 0 CHECK (recursos_assigna_temps IN (0,1))
    ))",
    R"(CREATE TABLE Recursos_Components (
        recursos_nom TEXT NOT NULL COLLATE NOCASE
            REFERENCES Recursos(recursos_nom) ON UPDATE CASCADE ON DELETE CASCADE,
        recursos_component_nom TEXT NOT NULL COLLATE NOCASE
            REFERENCES Recursos(recursos_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        PRIMARY KEY (recursos_nom, recursos_component_nom)
    ))",
    R"(CREATE INDEX Recursos_Components_component ON Recursos_Components(recursos_component_nom))",
    R"(CREATE TABLE Serveis (
        serveis_nom TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
        serveis_unitat TEXT NOT NULL DEFAULT '',
        serveis_minuts_per_unitat INTEGER NOT NULL DEFAULT 0,
        serveis_preu_un INTEGER NOT NULL DEFAULT 0,
        serveis_descripcio TEXT NOT NULL DEFAULT '',
        serveis_comu_per_recursos INTEGER NOT NULL DEFAULT 0 CHECK (serveis_comu_per_recursos IN (0,1))
    ))",
    R"(CREATE TABLE Llocs (
        llocs_nom TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
        clients_nom TEXT NOT NULL COLLATE NOCASE
            REFERENCES Clients(clients_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        "llocs_adreça" TEXT NOT NULL DEFAULT '',
        llocs_poblacio TEXT NOT NULL DEFAULT '',
        llocs_telefon TEXT NOT NULL DEFAULT '',
        llocs_minuts_previst INTEGER NOT NULL DEFAULT 0,
        llocs_periodicitat_dies INTEGER NOT NULL DEFAULT 0,
        llocs_dia_setmana INTEGER NOT NULL DEFAULT 0,
        llocs_dissabte INTEGER NOT NULL DEFAULT 0 CHECK (llocs_dissabte IN (0,1)),
        llocs_diumenge INTEGER NOT NULL DEFAULT 0 CHECK (llocs_diumenge IN (0,1)),
        llocs_primer_dia_mes INTEGER NOT NULL DEFAULT 0 CHECK (llocs_primer_dia_mes IN (0,1)),
        llocs_ultim_dia_mes INTEGER NOT NULL DEFAULT 0 CHECK (llocs_ultim_dia_mes IN (0,1)),
        llocs_hora TEXT,
        recursos_nom TEXT COLLATE NOCASE
            REFERENCES Recursos(recursos_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        llocs_quota INTEGER NOT NULL DEFAULT 0,
        llocs_observacions TEXT NOT NULL DEFAULT ''
    ))",
    R"(CREATE INDEX Llocs_client ON Llocs(clients_nom))",
    R"(CREATE INDEX Llocs_recurs ON Llocs(recursos_nom))",
    R"(CREATE TABLE Llocs_Serveis (
        llocs_nom TEXT NOT NULL COLLATE NOCASE
            REFERENCES Llocs(llocs_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        serveis_nom TEXT NOT NULL COLLATE NOCASE
            REFERENCES Serveis(serveis_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        llocs_serveis_quantitat INTEGER NOT NULL DEFAULT 0,
        llocs_serveis_preu_un INTEGER NOT NULL DEFAULT 0,
        llocs_serveis_descripcio TEXT NOT NULL DEFAULT '',
        PRIMARY KEY (llocs_nom, serveis_nom)
    ))",
    R"(CREATE INDEX Llocs_Serveis_servei ON Llocs_Serveis(serveis_nom))",
    R"(CREATE TABLE Feines (
        feines_id INTEGER PRIMARY KEY AUTOINCREMENT,
        llocs_nom TEXT NOT NULL COLLATE NOCASE
            REFERENCES Llocs(llocs_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        feines_data TEXT NOT NULL,
        feines_hora_inici TEXT NOT NULL,
        feines_hora_fi TEXT NOT NULL,
        recursos_nom TEXT COLLATE NOCASE
            REFERENCES Recursos(recursos_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        feines_feta INTEGER NOT NULL DEFAULT 0 CHECK (feines_feta IN (0,1)),
        feines_data_factura TEXT,
        feines_quota INTEGER NOT NULL DEFAULT 0,
        feines_observacions TEXT NOT NULL DEFAULT ''
    ))",
    R"(CREATE INDEX Feines_data ON Feines(feines_data, feines_hora_inici))",
    R"(CREATE INDEX Feines_lloc ON Feines(llocs_nom, feines_data))",
    R"(CREATE INDEX Feines_recurs ON Feines(recursos_nom, feines_data))",
    R"(CREATE TABLE Feines_Detall (
        feines_id INTEGER NOT NULL REFERENCES Feines(feines_id) ON DELETE CASCADE,
        serveis_nom TEXT NOT NULL COLLATE NOCASE
            REFERENCES Serveis(serveis_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        feines_detall_quantitat INTEGER NOT NULL DEFAULT 0,
        feines_detall_preu_un INTEGER NOT NULL DEFAULT 0,
        feines_detall_unitat TEXT NOT NULL DEFAULT '',
        feines_detall_descripcio TEXT NOT NULL DEFAULT ''
    ))",
    R"(CREATE INDEX Feines_Detall_feina ON Feines_Detall(feines_id))",
    R"(CREATE INDEX Feines_Detall_servei ON Feines_Detall(serveis_nom))",
    R"(CREATE TABLE Xecs (
        xecs_id INTEGER NOT NULL PRIMARY KEY,
        clients_nom TEXT NOT NULL COLLATE NOCASE
            REFERENCES Clients(clients_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        xecs_valor INTEGER NOT NULL DEFAULT 0,
        xecs_data_entrega TEXT NOT NULL DEFAULT (date('now','localtime')),
        xecs_data_liquidat TEXT,
        feines_id INTEGER DEFAULT NULL REFERENCES Feines(feines_id) ON DELETE RESTRICT
    ))",
    R"(CREATE INDEX Xecs_client ON Xecs(clients_nom, xecs_data_entrega))",
    R"(CREATE INDEX Xecs_feina ON Xecs(feines_id))",
    R"(CREATE TABLE Pagaments (
        pagaments_mes TEXT NOT NULL,
        clients_nom TEXT NOT NULL COLLATE NOCASE
            REFERENCES Clients(clients_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        pagaments_import INTEGER NOT NULL DEFAULT 0,
        pagaments_facturat INTEGER NOT NULL DEFAULT 0,
        PRIMARY KEY (pagaments_mes, clients_nom)
    ))",
    R"(CREATE INDEX Pagaments_client ON Pagaments(clients_nom))",
    R"(CREATE TABLE Hores_Fetes (
        recursos_nom TEXT NOT NULL COLLATE NOCASE
            REFERENCES Recursos(recursos_nom) ON UPDATE CASCADE ON DELETE RESTRICT,
        hores_data TEXT NOT NULL,
        hores_quantitat INTEGER NOT NULL DEFAULT 0,
        PRIMARY KEY (recursos_nom, hores_data)
    ))",
};

void creaEsquema(Db& db)
{
    Transaction t(db);
    for (const char* sql : kMainSchema)
        db.exec(QString::fromUtf8(sql));
    db.exec(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion));
    t.commit();
}

bool esBaseDadesDelPrograma(Db& db)
{
    static const char* const kTaules[] = {"Clients", "Recursos", "Recursos_Components", "Serveis",
                                          "Llocs", "Llocs_Serveis", "Feines", "Feines_Detall",
                                          "Xecs", "Pagaments", "Hores_Fetes"};
    for (const char* taula : kTaules) {
        const QVariant n = db.scalar(
            QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
            {QString::fromLatin1(taula)});
        if (n.toInt() == 0) return false;
    }
    return true;
}

namespace {

// Until version 2 every invoice took the whole payment of its month: a
// month's payment whose client has a job of that month with an invoice date
// has been taken whole; any other keeps it all to take. The month and the
// invoice date are read as the billing month reads them.
void marcaPagamentsFacturats(Db& db)
{
    QList<std::pair<QString, QString>> pagaments;
    QSqlQuery p = db.query(QStringLiteral("SELECT pagaments_mes, clients_nom FROM Pagaments"));
    while (p.next()) pagaments.append({p.value(0).toString(), p.value(1).toString()});
    p.finish();
    for (const auto& [mes, client] : pagaments) {
        const std::optional<PeriodeMes> periode = periodeDelMes(mes);
        if (!periode) continue;
        QSqlQuery f = db.query(QStringLiteral("SELECT Feines.feines_data_factura FROM Llocs "
                                              "INNER JOIN Feines ON Llocs.llocs_nom = Feines.llocs_nom "
                                              "WHERE Llocs.clients_nom = ? AND Feines.feines_data >= ? "
                                              "AND Feines.feines_data < ? AND Feines.feines_data_factura IS NOT NULL"),
                               {client, Conv::isoDate(periode->inici), Conv::isoDate(periode->fi)});
        bool facturat = false;
        while (!facturat && f.next())
            facturat = QDate::fromString(f.value(0).toString().left(10), Qt::ISODate).isValid();
        f.finish();
        if (facturat)
            db.exec(QStringLiteral("UPDATE Pagaments SET pagaments_facturat = pagaments_import "
                                   "WHERE pagaments_mes = ? AND clients_nom = ?"),
                    {mes, client});
    }
}

} // namespace

void actualitzaEsquema(Db& db)
{
    if (db.scalar(QStringLiteral("PRAGMA user_version")).toInt() >= SchemaVersion) return;
    Transaction t(db);
    // Version 2: the part of a month's payment that its invoices have taken
    // (a column already there keeps what it holds).
    const bool teFacturat = db.scalar(QStringLiteral("SELECT count(*) FROM pragma_table_info('Pagaments') "
                                                     "WHERE name = 'pagaments_facturat'"))
                                .toInt()
                            > 0;
    if (!teFacturat) {
        db.exec(QStringLiteral("ALTER TABLE Pagaments ADD COLUMN pagaments_facturat INTEGER NOT NULL DEFAULT 0"));
        marcaPagamentsFacturats(db);
    }
    db.exec(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion));
    t.commit();
}

void creaEsquemaTraduccio(Db& db)
{
    Transaction t(db);
    db.exec(QStringLiteral("CREATE TABLE Ztraduccio (Texte TEXT NOT NULL, Idioma TEXT NOT NULL, TexteTraduit TEXT)"));
    db.exec(QStringLiteral("CREATE INDEX Ztraduccio_texte ON Ztraduccio(Idioma, Texte)"));
    t.commit();
}
