#include "Dades.h"

#include "Clock.h"
#include "Convert.h"
#include "Durades.h"
#include "Globals.h"
#include "Traduccio.h"

#include <limits>

namespace Dades {

namespace {

QString text(const QSqlQuery& q, const char* field)
{
    return q.value(QString::fromUtf8(field)).toString();
}

bool flag(const QSqlQuery& q, const char* field)
{
    return q.value(QString::fromUtf8(field)).toInt() != 0;
}

QVariant nullable(const QString& s)
{
    return s.isNull() ? QVariant() : QVariant(s);
}

QStringList column(const QString& sql, const QVariantList& params = {})
{
    QStringList out;
    QSqlQuery q = BD().query(sql, params);
    while (q.next()) out << q.value(0).toString();
    return out;
}

bool any(const QString& sql, const QVariantList& params)
{
    return BD().scalar(sql, params).isValid();
}

struct InfoTaula {
    const char* taula;
    const char* clau;
};

InfoTaula info(Taula t)
{
    switch (t) {
    case Taula::Clients: return {"Clients", "clients_nom"};
    case Taula::Llocs: return {"Llocs", "llocs_nom"};
    case Taula::Serveis: return {"Serveis", "serveis_nom"};
    case Taula::Recursos: return {"Recursos", "recursos_nom"};
    }
    return {"Clients", "clients_nom"};
}

// One kind of row that may refer to a key: the query that finds one, and what to call it.
struct Referencia {
    QString sql;
    QString nom;
};

// The columns that hold each key. The schema carries a rename into them,
// but not one that only changes letter case: keys compare without regard to
// case, so such a change is not a change of key to it.
struct Columna {
    const char* taula;
    const char* camp;
};

QList<Columna> columnesReferents(Taula t)
{
    switch (t) {
    case Taula::Clients: return {{"Llocs", "clients_nom"}, {"Xecs", "clients_nom"}, {"Pagaments", "clients_nom"}};
    case Taula::Llocs: return {{"Llocs_Serveis", "llocs_nom"}, {"Feines", "llocs_nom"}};
    case Taula::Serveis: return {{"Llocs_Serveis", "serveis_nom"}, {"Feines_Detall", "serveis_nom"}};
    case Taula::Recursos:
        return {{"Recursos_Components", "recursos_nom"}, {"Recursos_Components", "recursos_component_nom"},
                {"Llocs", "recursos_nom"}, {"Feines", "recursos_nom"}, {"Hores_Fetes", "recursos_nom"}};
    }
    return {};
}

// Gives every referring row the new spelling of a renamed key; run inside
// the rename's transaction, after the key itself changed.
void propagaNom(Taula t, const QString& ant, const QString& nou)
{
    if (nou == ant) return;
    for (const Columna& c : columnesReferents(t))
        BD().exec(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %2 = ?")
                      .arg(QString::fromUtf8(c.taula), QString::fromUtf8(c.camp)),
                  {nou, ant});
}

QString refusa(const QString& inici, const QList<Referencia>& refs, const QString& nom)
{
    QStringList trobades;
    for (const Referencia& r : refs)
        if (any(r.sql, {nom})) trobades << r.nom;
    if (trobades.isEmpty()) return QString();
    return inici + QStringLiteral(" ") + trobades.join(QStringLiteral(", "));
}

} // namespace

// ---------------------------------------------------------------- shared

bool existeix(Taula t, const QString& nom)
{
    const InfoTaula i = info(t);
    return any(
        QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(QString::fromUtf8(i.taula), QString::fromUtf8(i.clau)),
        {nom});
}

bool nomOcupat(Taula t, const QString& nou, const QString& ant)
{
    const InfoTaula i = info(t);
    // Keys compare without regard to case, so the old row itself matches a
    // change of letter case only.
    return any(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? AND %2 <> ?")
                   .arg(QString::fromUtf8(i.taula), QString::fromUtf8(i.clau)),
               {nou, ant});
}

QString referencies(Taula t, const QString& nom)
{
    switch (t) {
    case Taula::Clients:
        return refusa(
            Tradueix(QStringLiteral("No es pot eliminar el client. Hi fan referència:")),
            {{QStringLiteral("SELECT 1 FROM Llocs WHERE clients_nom = ?"),
              Tradueix(QStringLiteral("llocs del client"))},
             {QStringLiteral("SELECT 1 FROM Xecs WHERE clients_nom = ?"), Tradueix(QStringLiteral("xecs del client"))},
             {QStringLiteral("SELECT 1 FROM Pagaments WHERE clients_nom = ?"),
              Tradueix(QStringLiteral("pagaments del client"))}},
            nom);
    case Taula::Llocs:
        return refusa(
            Tradueix(QStringLiteral("No es pot eliminar el lloc. Hi fan referència:")),
            {{QStringLiteral("SELECT 1 FROM Feines WHERE llocs_nom = ?"), Tradueix(QStringLiteral("feines del lloc"))},
             {QStringLiteral("SELECT 1 FROM Llocs_Serveis WHERE llocs_nom = ?"),
              Tradueix(QStringLiteral("serveis del lloc"))}},
            nom);
    case Taula::Serveis:
        return refusa(Tradueix(QStringLiteral("No es pot eliminar el servei. Hi fan referència:")),
                      {{QStringLiteral("SELECT 1 FROM Llocs_Serveis WHERE serveis_nom = ?"),
                        Tradueix(QStringLiteral("serveis dels llocs"))},
                       {QStringLiteral("SELECT 1 FROM Feines_Detall WHERE serveis_nom = ?"),
                        Tradueix(QStringLiteral("línies de feines"))}},
                      nom);
    case Taula::Recursos:
        return refusa(Tradueix(QStringLiteral("No es pot eliminar el recurs. Hi fan referència:")),
                      {{QStringLiteral("SELECT 1 FROM Llocs WHERE recursos_nom = ?"),
                        Tradueix(QStringLiteral("llocs amb aquest recurs"))},
                       {QStringLiteral("SELECT 1 FROM Feines WHERE recursos_nom = ?"),
                        Tradueix(QStringLiteral("feines amb aquest recurs"))},
                       {QStringLiteral("SELECT 1 FROM Recursos_Components WHERE recursos_component_nom = ?"),
                        Tradueix(QStringLiteral("grups dels quals és component"))},
                       {QStringLiteral("SELECT 1 FROM Hores_Fetes WHERE recursos_nom = ?"),
                        Tradueix(QStringLiteral("hores fetes"))}},
                      nom);
    }
    return QString();
}

// ---------------------------------------------------------------- clients

QStringList nomsClients()
{
    return column(QStringLiteral("SELECT clients_nom FROM Clients ORDER BY clients_nom"));
}

std::optional<Client> llegeixClient(const QString& nom)
{
    QSqlQuery q = BD().query(QStringLiteral("SELECT * FROM Clients WHERE clients_nom = ?"), {nom});
    if (!q.next()) return std::nullopt;
    Client c;
    c.nom = text(q, "clients_nom");
    c.nif = text(q, "clients_NIF");
    c.adreca = text(q, "clients_adreça");
    c.poblacio = text(q, "clients_poblacio");
    c.codiPostal = text(q, "clients_codi_postal");
    c.telefons = text(q, "clients_telefons");
    c.ccc = text(q, "clients_ccc");
    c.email = text(q, "clients_email");
    const QString alta = text(q, "clients_data_alta");
    c.dataAlta = QDateTime::fromString(alta, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!c.dataAlta.isValid()) c.dataAlta = QDateTime(QDate::fromString(alta.left(10), Qt::ISODate), QTime(0, 0));
    c.xecs = flag(q, "clients_xecs");
    c.observacions = text(q, "clients_observacions");
    return c;
}

void afegeixClient(const Client& c)
{
    BD().exec(QStringLiteral("INSERT INTO Clients (clients_nom, \"clients_NIF\", \"clients_adreça\", clients_poblacio, "
                             "clients_codi_postal, clients_telefons, clients_ccc, clients_email, clients_data_alta, "
                             "clients_xecs, clients_observacions) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
              {c.nom, c.nif, c.adreca, c.poblacio, c.codiPostal, c.telefons, c.ccc, c.email,
               c.dataAlta.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), c.xecs ? 1 : 0, c.observacions});
}

void modificaClient(const QString& ant, const Client& c)
{
    Transaction t(BD());
    BD().exec(QStringLiteral("UPDATE Clients SET clients_nom = ?, \"clients_NIF\" = ?, \"clients_adreça\" = ?, "
                             "clients_poblacio = ?, clients_codi_postal = ?, clients_telefons = ?, clients_ccc = ?, "
                             "clients_email = ?, clients_xecs = ?, clients_observacions = ? WHERE clients_nom = ?"),
              {c.nom, c.nif, c.adreca, c.poblacio, c.codiPostal, c.telefons, c.ccc, c.email, c.xecs ? 1 : 0,
               c.observacions, ant});
    propagaNom(Taula::Clients, ant, c.nom);
    t.commit();
}

void eliminaClient(const QString& nom)
{
    BD().exec(QStringLiteral("DELETE FROM Clients WHERE clients_nom = ?"), {nom});
}

bool clientTeXecs(const QString& nom)
{
    return BD().scalar(QStringLiteral("SELECT clients_xecs FROM Clients WHERE clients_nom = ?"), {nom}).toInt() != 0;
}

bool clientTeLlocsAmbQuota(const QString& nom)
{
    return any(QStringLiteral("SELECT 1 FROM Llocs WHERE clients_nom = ? AND llocs_quota <> 0"), {nom});
}

// ---------------------------------------------------------------- sites

QStringList nomsLlocsClient(const QString& client)
{
    return column(QStringLiteral("SELECT llocs_nom FROM Llocs WHERE clients_nom = ? ORDER BY llocs_nom"), {client});
}

std::optional<Lloc> llegeixLloc(const QString& nom)
{
    QSqlQuery q = BD().query(QStringLiteral("SELECT * FROM Llocs WHERE llocs_nom = ?"), {nom});
    if (!q.next()) return std::nullopt;
    Lloc l;
    l.nom = text(q, "llocs_nom");
    l.client = text(q, "clients_nom");
    l.adreca = text(q, "llocs_adreça");
    l.poblacio = text(q, "llocs_poblacio");
    l.telefon = text(q, "llocs_telefon");
    l.minuts = q.value(QStringLiteral("llocs_minuts_previst")).toInt();
    l.periodicitat = q.value(QStringLiteral("llocs_periodicitat_dies")).toInt();
    l.diaSetmana = q.value(QStringLiteral("llocs_dia_setmana")).toInt();
    l.dissabte = flag(q, "llocs_dissabte");
    l.diumenge = flag(q, "llocs_diumenge");
    l.primerMes = flag(q, "llocs_primer_dia_mes");
    l.ultimMes = flag(q, "llocs_ultim_dia_mes");
    const QVariant hora = q.value(QStringLiteral("llocs_hora"));
    l.hora = hora.isNull() ? QString() : hora.toString();
    const QVariant recurs = q.value(QStringLiteral("recursos_nom"));
    l.recurs = recurs.isNull() ? QString() : recurs.toString();
    l.quota = Decimal::fromVariant(q.value(QStringLiteral("llocs_quota")));
    l.observacions = text(q, "llocs_observacions");
    return l;
}

namespace {
QVariantList campsLloc(const Lloc& l)
{
    return {l.nom, l.client, l.adreca, l.poblacio, l.telefon, l.minuts, l.dissabte ? 1 : 0, l.diumenge ? 1 : 0,
            l.diaSetmana, l.primerMes ? 1 : 0, l.ultimMes ? 1 : 0, l.periodicitat, nullable(l.hora),
            nullable(l.recurs), l.quota.toVariant(), l.observacions};
}
} // namespace

void afegeixLloc(const Lloc& l)
{
    BD().exec(
        QStringLiteral("INSERT INTO Llocs (llocs_nom, clients_nom, \"llocs_adreça\", llocs_poblacio, llocs_telefon, "
                       "llocs_minuts_previst, llocs_dissabte, llocs_diumenge, llocs_dia_setmana, "
                       "llocs_primer_dia_mes, llocs_ultim_dia_mes, llocs_periodicitat_dies, llocs_hora, "
                       "recursos_nom, llocs_quota, llocs_observacions) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        campsLloc(l));
}

void modificaLloc(const QString& ant, const Lloc& l)
{
    QVariantList p = campsLloc(l);
    p << ant;
    Transaction t(BD());
    BD().exec(
        QStringLiteral("UPDATE Llocs SET llocs_nom = ?, clients_nom = ?, \"llocs_adreça\" = ?, llocs_poblacio = ?, "
                       "llocs_telefon = ?, llocs_minuts_previst = ?, llocs_dissabte = ?, llocs_diumenge = ?, "
                       "llocs_dia_setmana = ?, llocs_primer_dia_mes = ?, llocs_ultim_dia_mes = ?, "
                       "llocs_periodicitat_dies = ?, llocs_hora = ?, recursos_nom = ?, llocs_quota = ?, "
                       "llocs_observacions = ? WHERE llocs_nom = ?"),
        p);
    propagaNom(Taula::Llocs, ant, l.nom);
    t.commit();
}

void eliminaLloc(const QString& nom)
{
    BD().exec(QStringLiteral("DELETE FROM Llocs WHERE llocs_nom = ?"), {nom});
}

// ---------------------------------------------------------------- services of a site

QStringList serveisDelLloc(const QString& lloc)
{
    return column(QStringLiteral("SELECT serveis_nom FROM Llocs_Serveis WHERE llocs_nom = ? ORDER BY serveis_nom"),
                  {lloc});
}

std::optional<LiniaLloc> llegeixLinia(const QString& lloc, const QString& servei)
{
    QSqlQuery q = BD().query(QStringLiteral("SELECT * FROM Llocs_Serveis WHERE llocs_nom = ? AND serveis_nom = ?"),
                             {lloc, servei});
    if (!q.next()) return std::nullopt;
    LiniaLloc l;
    l.lloc = text(q, "llocs_nom");
    l.servei = text(q, "serveis_nom");
    l.quantitat = Decimal::fromVariant(q.value(QStringLiteral("llocs_serveis_quantitat")));
    l.preu = Decimal::fromVariant(q.value(QStringLiteral("llocs_serveis_preu_un")));
    l.descripcio = text(q, "llocs_serveis_descripcio");
    return l;
}

void afegeixLinia(const LiniaLloc& l)
{
    BD().exec(QStringLiteral("INSERT INTO Llocs_Serveis (llocs_nom, serveis_nom, llocs_serveis_quantitat, "
                             "llocs_serveis_preu_un, llocs_serveis_descripcio) VALUES (?, ?, ?, ?, ?)"),
              {l.lloc, l.servei, l.quantitat.toVariant(), l.preu.toVariant(), l.descripcio});
}

bool modificaLinia(const LiniaLloc& l)
{
    return BD().exec(QStringLiteral("UPDATE Llocs_Serveis SET llocs_serveis_quantitat = ?, llocs_serveis_preu_un = ?, "
                                    "llocs_serveis_descripcio = ? WHERE llocs_nom = ? AND serveis_nom = ?"),
                     {l.quantitat.toVariant(), l.preu.toVariant(), l.descripcio, l.lloc, l.servei})
           > 0;
}

bool eliminaLinia(const QString& lloc, const QString& servei)
{
    return BD().exec(QStringLiteral("DELETE FROM Llocs_Serveis WHERE llocs_nom = ? AND serveis_nom = ?"),
                     {lloc, servei}) > 0;
}

namespace {
// Whether lines of work pass the largest planned length, done by one person.
bool desborda(const QList<LiniaTemps>& linies)
{
    try {
        sumaMinutsServeis(linies, 1, G.MinutsCella);
        return false;
    } catch (const OverflowError&) {
        return true;
    }
}
} // namespace

bool liniaDesborda(const QString& lloc, const QString& servei, const Decimal& quantitat)
{
    QList<LiniaTemps> linies;
    bool hiEs = false;
    const qint64 q = quantitat.raw();
    for (LiniaTempsLloc l : liniesTempsLloc(lloc, servei)) {
        hiEs = hiEs || l.delServei;
        if (l.delServei) l.temps.quantitatRaw = q;
        linies.append(l.temps);
    }
    if (!hiEs) {
        const auto s = llegeixServei(servei);
        linies.append({q, s ? s->minuts : 0, s && s->comu});
    }
    return desborda(linies);
}

// ---------------------------------------------------------------- services

QString llocDesbordatPerServei(const QString& servei, int minutsPerUnitat)
{
    // Lengths change only with the minutes per unit (a team's division
    // plays no part: one person does the work).
    const auto actual = llegeixServei(servei);
    if (!actual || actual->minuts == minutsPerUnitat) return QString();

    // The database sums each visit and each open job with a line of the
    // service: the running total of its lines stays within the sum of their
    // sizes plus half a minute of rounding each, and the last cell adds at
    // most one cell more. Only those whose sum can reach the largest length
    // are read and walked line by line, in the order of the visits (by site)
    // and then the jobs (by number); the service's lines take the new minutes.
    // A done job keeps its stored end: it is closed, and should it be opened
    // again, whatever works its length out later reports an overflow itself.
    const QString pot = QStringLiteral(
        "HAVING max(%1.serveis_nom = ?) = 1 AND total(abs(%1.%2 * 1.0 * CASE WHEN %1.serveis_nom = ? THEN ? "
        "ELSE t.serveis_minuts_per_unitat END)) / %3.0 + 0.5 * count(*) + ? > %4.0");
    const QString potLloc = pot.arg(QStringLiteral("a"), QStringLiteral("llocs_serveis_quantitat"))
                                .arg(Decimal::Scale).arg(std::numeric_limits<qint16>::max() - 1);
    const QString potFeina = pot.arg(QStringLiteral("b"), QStringLiteral("feines_detall_quantitat"))
                                 .arg(Decimal::Scale).arg(std::numeric_limits<qint16>::max() - 1);
    // The sites first, by name, each with all its lines in their order.
    QSqlQuery llocs = BD().query(QStringLiteral("SELECT a.llocs_nom FROM Llocs_Serveis a INNER JOIN Serveis t "
                                                "ON t.serveis_nom = a.serveis_nom GROUP BY a.llocs_nom %1 "
                                                "ORDER BY a.llocs_nom")
                                     .arg(potLloc),
                                 {servei, servei, minutsPerUnitat, G.MinutsCella});
    QList<LiniaTemps> linies;
    while (llocs.next()) {
        const QString lloc = llocs.value(0).toString();
        linies.clear();
        for (LiniaTempsLloc l : liniesTempsLloc(lloc, servei)) {
            if (l.delServei) l.temps.minutsPerUnitat = minutsPerUnitat;
            linies.append(l.temps);
        }
        if (!linies.isEmpty() && desborda(linies)) return lloc;
    }
    // Then the open jobs, by number.
    QSqlQuery r = BD().query(
        QStringLiteral(
            "SELECT Feines_Detall.feines_id, Feines.llocs_nom, Feines_Detall.feines_detall_quantitat, "
            "Serveis.serveis_minuts_per_unitat, Serveis.serveis_comu_per_recursos, Feines_Detall.serveis_nom = ? "
            "FROM Feines_Detall INNER JOIN Serveis ON Serveis.serveis_nom = Feines_Detall.serveis_nom "
            "INNER JOIN Feines ON Feines.feines_id = Feines_Detall.feines_id "
            // From the open jobs to their lines (CROSS JOIN keeps that order).
            "WHERE Feines_Detall.feines_id IN (SELECT g.feines_id FROM Feines g "
            "CROSS JOIN Feines_Detall b ON b.feines_id = g.feines_id "
            "INNER JOIN Serveis t ON t.serveis_nom = b.serveis_nom WHERE g.feines_feta = 0 GROUP BY g.feines_id %1) "
            "ORDER BY Feines_Detall.feines_id, Feines_Detall.rowid")
            .arg(potFeina),
        {servei, servei, servei, minutsPerUnitat, G.MinutsCella});
    linies.clear();
    qint64 feina = 0;
    QString lloc;
    auto tanca = [&]() { return !linies.isEmpty() && desborda(linies); };
    while (r.next()) {
        const qint64 aquesta = r.value(0).toLongLong();
        if (aquesta != feina) {
            if (tanca()) return lloc;
            linies.clear();
            feina = aquesta;
            lloc = r.value(1).toString();
        }
        const bool es = r.value(5).toInt() != 0;
        linies.append({r.value(2).toLongLong(), es ? minutsPerUnitat : r.value(3).toInt(), r.value(4).toInt() != 0});
    }
    return tanca() ? lloc : QString();
}

QStringList nomsServeis()
{
    return column(QStringLiteral("SELECT serveis_nom FROM Serveis ORDER BY serveis_nom"));
}

std::optional<Servei> llegeixServei(const QString& nom)
{
    QSqlQuery q = BD().query(QStringLiteral("SELECT * FROM Serveis WHERE serveis_nom = ?"), {nom});
    if (!q.next()) return std::nullopt;
    Servei s;
    s.nom = text(q, "serveis_nom");
    s.unitat = text(q, "serveis_unitat");
    s.preu = Decimal::fromVariant(q.value(QStringLiteral("serveis_preu_un")));
    s.minuts = q.value(QStringLiteral("serveis_minuts_per_unitat")).toInt();
    s.comu = flag(q, "serveis_comu_per_recursos");
    s.descripcio = text(q, "serveis_descripcio");
    return s;
}

void afegeixServei(const Servei& s)
{
    BD().exec(QStringLiteral("INSERT INTO Serveis (serveis_nom, serveis_unitat, serveis_preu_un, "
                             "serveis_minuts_per_unitat, serveis_comu_per_recursos, serveis_descripcio) "
                             "VALUES (?, ?, ?, ?, ?, ?)"),
              {s.nom, s.unitat, s.preu.toVariant(), s.minuts, s.comu ? 1 : 0, s.descripcio});
}

void modificaServei(const QString& ant, const Servei& s)
{
    Transaction t(BD());
    // The name is set only when it changes: setting a key makes the database
    // visit every line of the service in the whole history.
    const bool canviaNom = s.nom != ant;
    QVariantList p{s.unitat, s.preu.toVariant(), s.minuts, s.comu ? 1 : 0, s.descripcio, ant};
    if (canviaNom) p.prepend(s.nom);
    BD().exec(QStringLiteral("UPDATE Serveis SET %1serveis_unitat = ?, serveis_preu_un = ?, "
                             "serveis_minuts_per_unitat = ?, serveis_comu_per_recursos = ?, serveis_descripcio = ? "
                             "WHERE serveis_nom = ?")
                  .arg(canviaNom ? QStringLiteral("serveis_nom = ?, ") : QString()),
              p);
    propagaNom(Taula::Serveis, ant, s.nom);
    t.commit();
}

void eliminaServei(const QString& nom)
{
    BD().exec(QStringLiteral("DELETE FROM Serveis WHERE serveis_nom = ?"), {nom});
}

// ---------------------------------------------------------------- cheques

namespace {
Xec xecDe(const QSqlQuery& q)
{
    Xec x;
    x.id = q.value(QStringLiteral("xecs_id")).toInt();
    x.client = text(q, "clients_nom");
    x.valor = Decimal::fromVariant(q.value(QStringLiteral("xecs_valor")));
    x.entrega = QDate::fromString(text(q, "xecs_data_entrega").left(10), Qt::ISODate);
    const QVariant liq = q.value(QStringLiteral("xecs_data_liquidat"));
    if (!liq.isNull()) x.liquidat = QDate::fromString(liq.toString().left(10), Qt::ISODate);
    x.feina = q.value(QStringLiteral("feines_id"));
    return x;
}
} // namespace

QList<Xec> xecsClient(const QString& client)
{
    QList<Xec> out;
    QSqlQuery q =
        BD().query(QStringLiteral("SELECT * FROM Xecs WHERE clients_nom = ? ORDER BY xecs_id DESC"), {client});
    while (q.next()) out << xecDe(q);
    return out;
}

bool existeixXec(qint32 id)
{
    return any(QStringLiteral("SELECT 1 FROM Xecs WHERE xecs_id = ?"), {id});
}

std::optional<Xec> llegeixXec(qint32 id, const QString& client)
{
    QSqlQuery q = BD().query(QStringLiteral("SELECT * FROM Xecs WHERE xecs_id = ? AND clients_nom = ?"), {id, client});
    if (!q.next()) return std::nullopt;
    return xecDe(q);
}

void afegeixXec(qint32 id, const QString& client, const Decimal& valor)
{
    BD().exec(
        QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor, xecs_data_entrega) VALUES (?, ?, ?, ?)"),
        {id, client, valor.toVariant(), Conv::isoDate(Clock::today())});
}

bool modificaValorXec(qint32 id, const QString& client, const Decimal& valor)
{
    return BD().exec(QStringLiteral("UPDATE Xecs SET xecs_valor = ? WHERE xecs_id = ? AND clients_nom = ?"),
                     {valor.toVariant(), id, client})
           > 0;
}

bool eliminaXec(qint32 id, const QString& client)
{
    return BD().exec(QStringLiteral("DELETE FROM Xecs WHERE xecs_id = ? AND clients_nom = ?"), {id, client}) > 0;
}

// ---------------------------------------------------------------- resources

namespace {
Recurs recursDe(const QSqlQuery& q)
{
    Recurs r;
    r.nom = text(q, "recursos_nom");
    r.grup = flag(q, "recursos_grup");
    r.color = qint32(q.value(QStringLiteral("recursos_color")).toLongLong());
    r.assignaTemps = flag(q, "recursos_assigna_temps");
    return r;
}

void escriuMembres(const QString& grup, const QStringList& membres)
{
    for (const QString& m : membres)
        BD().exec(
            QStringLiteral("INSERT INTO Recursos_Components (recursos_nom, recursos_component_nom) VALUES (?, ?)"),
            {grup, m});
}
} // namespace

QList<Recurs> recursos()
{
    QList<Recurs> out;
    QSqlQuery q = BD().query(QStringLiteral("SELECT * FROM Recursos ORDER BY recursos_nom"));
    while (q.next()) out << recursDe(q);
    return out;
}

std::optional<Recurs> llegeixRecurs(const QString& nom)
{
    QSqlQuery q = BD().query(QStringLiteral("SELECT * FROM Recursos WHERE recursos_nom = ?"), {nom});
    if (!q.next()) return std::nullopt;
    return recursDe(q);
}

QStringList membresGrup(const QString& grup)
{
    return column(QStringLiteral("SELECT recursos_component_nom FROM Recursos_Components WHERE recursos_nom = ?"),
                  {grup});
}

QStringList recursosNoGrup(const QString& excepte)
{
    return column(
        QStringLiteral("SELECT recursos_nom FROM Recursos WHERE recursos_grup = 0 AND recursos_nom <> coalesce(?, '') "
                       "ORDER BY recursos_nom"),
        {excepte});
}

bool colorOcupat(qint32 color, const QString& excepte)
{
    return any(QStringLiteral("SELECT 1 FROM Recursos WHERE recursos_color = ? AND recursos_nom <> coalesce(?, '')"),
               {qlonglong(color), excepte});
}

void afegeixRecurs(const Recurs& r, const QStringList& membres)
{
    Transaction t(BD());
    BD().exec(
        QStringLiteral("INSERT INTO Recursos (recursos_nom, recursos_grup, recursos_color, recursos_assigna_temps) "
                       "VALUES (?, ?, ?, ?)"),
        {r.nom, r.grup ? 1 : 0, qlonglong(r.color), r.assignaTemps ? 1 : 0});
    if (r.grup) escriuMembres(r.nom, membres);
    t.commit();
}

void modificaRecurs(const QString& ant, const Recurs& r, const QStringList& membres)
{
    Transaction t(BD());
    BD().exec(QStringLiteral("UPDATE Recursos SET recursos_nom = ?, recursos_grup = ?, recursos_color = ?, "
                             "recursos_assigna_temps = ? WHERE recursos_nom = ?"),
              {r.nom, r.grup ? 1 : 0, qlonglong(r.color), r.assignaTemps ? 1 : 0, ant});
    propagaNom(Taula::Recursos, ant, r.nom);
    BD().exec(QStringLiteral("DELETE FROM Recursos_Components WHERE recursos_nom = ?"), {r.nom});
    if (r.grup) escriuMembres(r.nom, membres);
    t.commit();
}

void eliminaRecurs(const QString& nom)
{
    BD().exec(QStringLiteral("DELETE FROM Recursos WHERE recursos_nom = ?"), {nom});
}

} // namespace Dades
