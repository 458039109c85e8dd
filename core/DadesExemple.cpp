#include "DadesExemple.h"

#include "Configuracio.h"
#include "Clock.h"
#include "Convert.h"
#include "Database.h"
#include "Decimal.h"
#include "Feines.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Traduccio.h"

#include <cmath>
#include <stdexcept>

namespace {


bool buida(Db& db, const QString& taula)
{
    return !db.scalar(QStringLiteral("SELECT EXISTS(SELECT 1 FROM %1)").arg(taula)).toBool();
}

// The four settings the first run's settings dialog has just written.
struct Parametres {
    QString idioma;
    qint16 minutsCella = 30;
    QString horaInici;
    QString horaFinal;
};

QString horaIni(const char* clau, const QString& def)
{
    const QString v = Llegeix_INI(iniPath(), QStringLiteral("Parametres"), QString::fromLatin1(clau), def);
    const auto m = Conv::minutesOf(v);
    if (!m) throw ConfigError(Tradueix(QStringLiteral("Hora no vàlida a %1: '%2'")).arg(QString::fromLatin1(clau), v));
    return Conv::hhmm(*m);
}

Parametres llegeixParametres()
{
    Parametres p;
    p.idioma = Llegeix_INI(iniPath(), QStringLiteral("Parametres"), QStringLiteral("Idioma"), QStringLiteral("CT"));
    const QString mc = Llegeix_INI(iniPath(), QStringLiteral("Parametres"), QStringLiteral("MinutsCella"),
                                   QStringLiteral("30"));
    const auto m = Conv::toInt16(mc);
    if (!m.ok()) throw ConfigError(Tradueix(QStringLiteral("Valor no vàlid per a %1: '%2'")).arg(QStringLiteral("MinutsCella"), mc));
    p.minutsCella = m.value;
    p.horaInici = horaIni("HoraInici", QStringLiteral("00:00"));
    p.horaFinal = horaIni("HoraFinal", QStringLiteral("24:00"));
    calculaCellesDia(p.horaInici, p.horaFinal, p.minutsCella);   // throws on an unusable day
    return p;
}

void afegeixRecurs(Db& db, const QString& nom, bool grup, qint32 color, bool assignaTemps)
{
    db.exec(QStringLiteral("INSERT INTO Recursos (recursos_nom, recursos_grup, recursos_color, recursos_assigna_temps) "
                           "VALUES (?, ?, ?, ?)"),
            {nom, grup ? 1 : 0, color, assignaTemps ? 1 : 0});
}

void afegeixServei(Db& db, const QString& nom, const QString& descripcio, const QString& unitat, Decimal preu,
                   int minuts, bool comu)
{
    db.exec(QStringLiteral("INSERT INTO Serveis (serveis_nom, serveis_descripcio, serveis_unitat, serveis_preu_un, "
                           "serveis_minuts_per_unitat, serveis_comu_per_recursos) VALUES (?, ?, ?, ?, ?, ?)"),
            {nom, descripcio, unitat, preu.toVariant(), minuts, comu ? 1 : 0});
}

void afegeixLloc(Db& db, const QString& nom, const QString& client, int minuts, const QString& recurs)
{
    db.exec(QStringLiteral("INSERT INTO Llocs (llocs_nom, clients_nom, llocs_minuts_previst, recursos_nom, "
                           "llocs_observacions) VALUES (?, ?, ?, ?, '')"),
            {nom, client, minuts, recurs});
}

void afegeixServeiLloc(Db& db, const QString& lloc, const QString& servei, const QString& descripcio,
                       double quantitat, Decimal preu)
{
    db.exec(QStringLiteral("INSERT INTO Llocs_Serveis (llocs_nom, serveis_nom, llocs_serveis_descripcio, "
                           "llocs_serveis_quantitat, llocs_serveis_preu_un) VALUES (?, ?, ?, ?, ?)"),
            {lloc, servei, descripcio, qlonglong(quantitatArrodonida(quantitat)), preu.toVariant()});
}

void grava(const QString& lloc, const QDate& dia, int minuts, const QString& recurs)
{
    Feina f;
    f.Lloc = lloc;
    f.Data = dia;
    f.HoraInici = Conv::clockTime(minuts);
    f.Recurs = recurs;
    Grava_Feina(f, false);
    // A job the rules refuse is left out; a failure undoes the whole example.
    if (f.Resultat == ResultatFeina::Error) throw std::runtime_error(f.Missatge.toStdString());
}

void escriu(Db& db, const Parametres& p)
{
    const int M = p.minutsCella;
    const QString bernat = Tradueix(QStringLiteral("Bernat"));
    const QString nuri = Tradueix(QStringLiteral("Nuri"));
    const QString equip = Tradueix(QStringLiteral("Nuri i Bernat"));
    afegeixRecurs(db, bernat, false, 16711680, true);
    afegeixRecurs(db, nuri, false, 65535, true);
    afegeixRecurs(db, equip, true, 65280, false);
    for (const QString& membre : {nuri, bernat})
        db.exec(QStringLiteral("INSERT INTO Recursos_Components (recursos_nom, recursos_component_nom) VALUES (?, ?)"),
                {equip, membre});

    const QString neteja = Tradueix(QStringLiteral("Neteja"));
    const QString netejaDesc = Tradueix(QStringLiteral("Servei de neteja"));
    const QString despl = Tradueix(QStringLiteral("Desplaçaments"));
    const QString desplDesc = Tradueix(QStringLiteral("Distancia de desplaçaments"));
    const Decimal preuNeteja = Decimal::fromRaw(62500);   // 6.25
    const Decimal preuKm = Decimal::fromRaw(1900);        // 0.19
    afegeixServei(db, neteja, netejaDesc, Tradueix(QStringLiteral("Hores")), preuNeteja, 60, false);
    afegeixServei(db, despl, desplDesc, Tradueix(QStringLiteral("Kms")), preuKm, 3, true);

    const QString talvesa = Tradueix(QStringLiteral("T.A.L.V.E.S.A."));
    const QString morvell = Tradueix(QStringLiteral("Roc Morvell"));
    for (const QString& client : {talvesa, morvell})
        db.exec(QStringLiteral("INSERT INTO Clients (clients_nom, clients_codi_postal) VALUES (?, '')"), {client});

    const QString oficina = Tradueix(QStringLiteral("TALVESA oficina"));
    const QString escala = Tradueix(QStringLiteral("TALVESA escala"));
    const QString casa = Tradueix(QStringLiteral("R.Morvell casa"));
    afegeixLloc(db, oficina, talvesa, 4 * M, equip);
    afegeixLloc(db, escala, talvesa, M, nuri);
    afegeixLloc(db, casa, morvell, 2 * M, bernat);

    afegeixServeiLloc(db, oficina, neteja, netejaDesc, double(M) * 6 / 60 - 0.001, preuNeteja);
    afegeixServeiLloc(db, oficina, despl, desplDesc, double(M) / 3 - 0.005, preuKm);
    afegeixServeiLloc(db, escala, neteja, netejaDesc, double(M) / 60 - 0.005, preuNeteja);
    afegeixServeiLloc(db, casa, neteja, netejaDesc, double(M) * 2 / 60 - 0.005, preuNeteja);

    QDate ultim = G.UltimDiaGen;
    if (!ultim.isValid()) ultim = ultimDiaSetmana(Clock::today(), G.PrimerDiaSetmana);
    const int h0 = *Conv::minutesOf(p.horaInici);
    for (int i = 0; i <= 6; ++i) {
        const QDate dia = ultim.addDays(-i);
        grava(oficina, dia, h0 + M, equip);
        if (i % 2 == 0) grava(escala, dia, h0 + 5 * M, nuri);
        if (i == 3) grava(casa, dia, h0 + 6 * M, bernat);
    }
}

} // namespace

qint64 quantitatArrodonida(double valor)
{
    // The exact product valor × 100 is alt + baix; only a tie of the rounded
    // product needs the lost part to decide.
    const double alt = valor * 100.0;
    const double baix = std::fma(valor, 100.0, -alt);
    double centims = std::nearbyint(alt);
    if (alt - std::floor(alt) == 0.5 && baix != 0.0) centims = baix > 0 ? std::ceil(alt) : std::floor(alt);
    return qint64(centims) * 100;
}

bool Crea_Dades_Exemple()
{
    try {
        Db& db = BD();
        if (!buida(db, QStringLiteral("Recursos")) || !buida(db, QStringLiteral("Serveis"))
            || !buida(db, QStringLiteral("Clients")))
            return true;
        const Parametres p = llegeixParametres();
        G.Idioma = p.idioma;
        G.MinutsCella = p.minutsCella;
        G.HoraInici = p.horaInici;
        G.HoraFinal = p.horaFinal;

        Transaction t(db);
        escriu(db, p);
        t.commit();
        return true;
    } catch (const std::exception& e) {
        MsgBox::error(QString::fromStdString(e.what()), QStringLiteral("ERROR"));
    } catch (...) {
        MsgBox::error(QStringLiteral("?"), QStringLiteral("ERROR"));
    }
    return false;
}
