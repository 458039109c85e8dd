#pragma once
// Reads and writes of the master data (clients, sites, the services of a
// site, services, cheques, resources and groups). Every value is bound;
// a rename reaches every referring row (a change of letter case included)
// in one transaction with any related writes; deletes of rows still referred to
// are refused with a message naming what refers to them. Database failures
// throw DbError. No widget code here.
#include "Decimal.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace Dades {

// ---- clients ----
struct Client {
    QString nom, nif, adreca, poblacio, codiPostal, telefons, ccc, email;
    QDateTime dataAlta;   // stored registration moment
    bool xecs = false;
    QString observacions;
};
QStringList nomsClients();
std::optional<Client> llegeixClient(const QString& nom);
// Stores the registration moment given in c.dataAlta.
void afegeixClient(const Client& c);
// Rewrites the row found by `ant` (a new c.nom renames it and every row that
// names it); the registration moment stays as stored.
void modificaClient(const QString& ant, const Client& c);
void eliminaClient(const QString& nom);
// The stored cheque mark of a client (false when the client does not exist).
bool clientTeXecs(const QString& nom);
bool clientTeLlocsAmbQuota(const QString& nom);

// ---- sites ----
struct Lloc {
    QString nom, client, adreca, poblacio, telefon;
    int minuts = 0, periodicitat = 0, diaSetmana = 0;
    bool dissabte = false, diumenge = false, primerMes = false, ultimMes = false;
    QString hora;    // null = none
    QString recurs;  // null = none
    Decimal quota;
    QString observacions;
};
QStringList nomsLlocsClient(const QString& client);
std::optional<Lloc> llegeixLloc(const QString& nom);
void afegeixLloc(const Lloc& l);
void modificaLloc(const QString& ant, const Lloc& l);
void eliminaLloc(const QString& nom);

// ---- services of a site ----
struct LiniaLloc {
    QString lloc, servei;
    Decimal quantitat, preu;
    QString descripcio;
};
QStringList serveisDelLloc(const QString& lloc);
std::optional<LiniaLloc> llegeixLinia(const QString& lloc, const QString& servei);
void afegeixLinia(const LiniaLloc& l);
// False when the line does not exist.
bool modificaLinia(const LiniaLloc& l);
bool eliminaLinia(const QString& lloc, const QString& servei);
// Planned minutes are 16-bit numbers. True when the site's visit, with its
// line of `servei` at `quantitat` (added when it has none), would last more
// minutes than that holds, even done by one person.
bool liniaDesborda(const QString& lloc, const QString& servei, const Decimal& quantitat);

// ---- services ----
struct Servei {
    QString nom, unitat;
    Decimal preu;
    int minuts = 0;
    bool comu = false;
    QString descripcio;
};
QStringList nomsServeis();
std::optional<Servei> llegeixServei(const QString& nom);
void afegeixServei(const Servei& s);
void modificaServei(const QString& ant, const Servei& s);
void eliminaServei(const QString& nom);
// The site of the first visit or open (not done) job that, with
// `minutsPerUnitat` for the service `servei`, would last more minutes than a
// planned length holds (even done by one person); "" when none would, and
// at once when the minutes per unit stay as they are.
QString llocDesbordatPerServei(const QString& servei, int minutsPerUnitat);

// ---- cheques ----
struct Xec {
    qint32 id = 0;
    QString client;
    Decimal valor;
    QDate entrega;
    QDate liquidat;   // null while not used
    QVariant feina;   // null while not used
};
// The client's cheques, highest number first.
QList<Xec> xecsClient(const QString& client);
bool existeixXec(qint32 id);
// Only a cheque of that client.
std::optional<Xec> llegeixXec(qint32 id, const QString& client);
void afegeixXec(qint32 id, const QString& client, const Decimal& valor);
bool modificaValorXec(qint32 id, const QString& client, const Decimal& valor);
bool eliminaXec(qint32 id, const QString& client);

// ---- resources and groups ----
struct Recurs {
    QString nom;
    bool grup = false;
    qint32 color = 0;
    bool assignaTemps = false;
};
QList<Recurs> recursos();
std::optional<Recurs> llegeixRecurs(const QString& nom);
QStringList membresGrup(const QString& grup);
// Resources that are not groups, by name, leaving out `excepte`.
QStringList recursosNoGrup(const QString& excepte = QString());
// True when a resource other than `excepte` has the colour.
bool colorOcupat(qint32 color, const QString& excepte = QString());
// The resource and its members in one transaction.
void afegeixRecurs(const Recurs& r, const QStringList& membres);
void modificaRecurs(const QString& ant, const Recurs& r, const QStringList& membres);
void eliminaRecurs(const QString& nom);

// ---- shared checks ----
enum class Taula { Clients, Llocs, Serveis, Recursos };
bool existeix(Taula t, const QString& nom);
// True when renaming `ant` to `nou` would take the name of another row
// (a change of letter case alone is not another row).
bool nomOcupat(Taula t, const QString& nou, const QString& ant);
// "" when nothing refers to the row, else the translated refusal naming what refers.
QString referencies(Taula t, const QString& nom);

} // namespace Dades
