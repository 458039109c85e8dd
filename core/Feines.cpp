#include "Feines.h"

#include "Clock.h"
#include "Convert.h"
#include "Durades.h"
#include "FeinesSolapament.h"
#include "Traduccio.h"

#include <limits>
#include <optional>
#include <stdexcept>

namespace {

const QString kColumnes = QStringLiteral(
    "feines_id, llocs_nom, feines_data, feines_hora_inici, feines_hora_fi, recursos_nom, "
    "feines_feta, feines_data_factura, feines_observacions");

// A failure that is not a rule of the job (bad data reaching the operation).
[[noreturn]] void falla(const QString& descripcio)
{
    throw std::runtime_error(descripcio.toStdString());
}

void refusa(Feina& feina, const QString& text)
{
    feina.Missatge = text;
    feina.Resultat = ResultatFeina::Refusat;
}

void fet(Feina& feina)
{
    feina.Missatge.clear();
    feina.Resultat = ResultatFeina::Fet;
}

void error(Feina& feina, const char* prefix, const char* descripcio)
{
    feina.Missatge = QString::fromLatin1(prefix) + QString::fromUtf8(descripcio);
    feina.Resultat = ResultatFeina::Error;
}

// "hh:mm" in minutes after midnight (1440 = "24:00"); malformed text fails.
// The usual five-character form is read directly, any other through the
// general reading.
int minutsHora(const QString& hora, const char* quina)
{
    if (hora.size() == 5 && hora[2] == u':') {
        int d[4];
        bool digits = true;
        for (int i = 0, j = 0; i < 5; ++i) {
            if (i == 2) continue;
            const char16_t c = hora[i].unicode();
            digits = digits && c >= u'0' && c <= u'9';
            d[j++] = c - u'0';
        }
        if (digits) {
            const int h = d[0] * 10 + d[1], m = d[2] * 10 + d[3];
            if (h == 24 && m == 0) return 1440;
            if (h <= 23 && m <= 59) return h * 60 + m;
        }
    }
    const auto m = Conv::minutesOf(hora);
    if (!m) falla(Tradueix(QStringLiteral("Hora %1 no vàlida: '%2'")).arg(Tradueix(QString::fromUtf8(quina)), hora));
    return *m;
}

// Minutes 0..1440 as "hh:mm" ("24:00" for 1440).
QString textHora(int minuts)
{
    if (minuts == 1440) return QStringLiteral("24:00");
    const int h = minuts / 60, m = minuts % 60;
    const QChar t[5] = {QChar(u'0' + h / 10), QChar(u'0' + h % 10), QChar(u':'), QChar(u'0' + m / 10),
                        QChar(u'0' + m % 10)};
    return QString(t, 5);
}

// Texts that the schema declares not null are stored as "" when unset: a
// null QString would reach the database as NULL.
QString texteNoNul(const QString& text)
{
    return text.isNull() ? QString(QLatin1String("")) : text;
}

int minutsHoraFinal()
{
    return Conv::minutesOf(G.HoraFinal).value_or(1440);
}

void comprovaData(const QDate& data)
{
    if (!data.isValid()) falla(Tradueix(QStringLiteral("Data de la feina no vàlida")));
}

// A row of the columns kColumnes as the record holds it.
Feina llegeixFila(const QSqlQuery& q)
{
    Feina f;
    f.Id = q.value(0).toInt();
    f.Lloc = q.value(1).toString();
    f.Data = QDate::fromString(q.value(2).toString(), Qt::ISODate);
    f.HoraInici = q.value(3).toString();
    f.HoraFi = q.value(4).toString();
    f.Recurs = q.value(5).isNull() ? QString() : q.value(5).toString();
    f.Feta = q.value(6).toInt() != 0;
    f.DataFactura = q.value(7).isNull() ? QDate() : QDate::fromString(q.value(7).toString(), Qt::ISODate);
    f.Observacions = q.value(8).toString();
    return f;
}

struct Lloc {
    QString nom;       // as stored
    QVariant minuts;   // llocs_minuts_previst
    QString recurs;    // usual resource, "" = none
};

std::optional<Lloc> llegeixLloc(const QString& nom)
{
    QSqlQuery& q = BD().cached(QStringLiteral(
        "SELECT llocs_nom, llocs_minuts_previst, recursos_nom FROM Llocs WHERE llocs_nom = ?"), {nom});
    std::optional<Lloc> lloc;
    if (q.next())
        lloc = Lloc{q.value(0).toString(), q.value(1), q.value(2).isNull() ? QString() : q.value(2).toString()};
    q.finish();
    return lloc;
}

struct Recurs {
    QString nom;   // as stored
    bool grup;
};

std::optional<Recurs> llegeixRecurs(const QString& nom)
{
    QSqlQuery& q = BD().cached(QStringLiteral(
        "SELECT recursos_nom, recursos_grup FROM Recursos WHERE recursos_nom = ?"), {nom});
    std::optional<Recurs> recurs;
    if (q.next()) recurs = Recurs{q.value(0).toString(), q.value(1).toInt() != 0};
    q.finish();
    return recurs;
}

QString textLlocInexistent(const QString& lloc)
{
    return Tradueix(QStringLiteral("Lloc '")) + lloc + Tradueix(QStringLiteral("' inexistent"));
}

QString textFinalDia()
{
    return Tradueix(QStringLiteral("L'hora final de la feina supera les")) + u' ' + G.HoraFinal + QStringLiteral("h.");
}

QString textSolapamentLlocs(const QString& lloc)
{
    return Tradueix(QStringLiteral("Solapament de llocs a")) + u' ' + lloc.toUpper();
}

QString textSolapamentRecursos(const QString& nom)
{
    return Tradueix(QStringLiteral("Solapament de recursos:")) + u' ' + nom;
}

// Frees the cheques matched to a job: no job, no liquidation date.
void alliberaXecs(qint32 id)
{
    BD().cached(QStringLiteral(
        "UPDATE Xecs SET xecs_data_liquidat = NULL, feines_id = NULL WHERE feines_id = ?"), {id}).finish();
}

} // namespace

void Grava_Feina(Feina& feina, bool estricte)
{
    try {
        Db& db = BD();
        Transaction t(db);

        const std::optional<Lloc> lloc = llegeixLloc(feina.Lloc);
        if (!lloc) return refusa(feina, textLlocInexistent(feina.Lloc));
        if (lloc->minuts.isNull()) falla(Tradueix(QStringLiteral("El lloc no té minuts previstos")));
        const int minuts = lloc->minuts.toInt();
        if (minuts < 0) falla(Tradueix(QStringLiteral("Minuts previstos del lloc no vàlids: %1")).arg(minuts));
        if (feina.Recurs.isEmpty()) feina.Recurs = lloc->recurs;

        // Work that reaches or passes midnight is cut at the end of the working
        // day; an end after it, or a cut end that is not after the start (the
        // job would start when the day is over), is refused.
        const int inici = minutsHora(feina.HoraInici, "d'inici");
        const int finalDia = minutsHoraFinal();
        int fi = inici + minuts;
        const bool tallada = fi >= 1440;
        if (tallada) fi = finalDia;
        feina.HoraFi = textHora(fi);
        if (fi > finalDia || (tallada && fi <= inici))
            return refusa(feina, textFinalDia());

        comprovaData(feina.Data);
        const QString horaInici = textHora(inici);
        if (!G.PermetSolaparLlocs && Solapa_Lloc(lloc->nom, feina.Data, horaInici, feina.HoraFi))
            return refusa(feina, textSolapamentLlocs(feina.Lloc));

        QVariant recursDesat;   // Null = unassigned
        if (!feina.Recurs.isEmpty()) {
            const std::optional<Recurs> recurs = llegeixRecurs(feina.Recurs);
            if (!recurs) return refusa(feina, Tradueix(QStringLiteral("Recurs no trobat:")) + feina.Recurs);
            const QString solapat =
                Recurs_Solapat(recurs->nom, recurs->grup, feina.Data, horaInici, feina.HoraFi);
            if (solapat.isEmpty())
                recursDesat = recurs->nom;
            else if (estricte)
                return refusa(feina, textSolapamentRecursos(solapat == recurs->nom ? feina.Recurs : solapat));
            else
                feina.Recurs.clear();
        }

        QSqlQuery& ins = db.cached(QStringLiteral(
            "INSERT INTO Feines (llocs_nom, feines_data, feines_hora_inici, feines_hora_fi, recursos_nom) "
            "VALUES (?, ?, ?, ?, ?)"),
            {lloc->nom, Conv::isoDate(feina.Data), horaInici, feina.HoraFi, recursDesat});
        const qint64 id = ins.lastInsertId().toLongLong();
        ins.finish();
        if (id <= 0 || id > std::numeric_limits<qint32>::max())
            falla(Tradueix(QStringLiteral("Número de feina fora de límits: %1")).arg(id));

        // The site's usual services become the job's lines, in the site's order.
        db.cached(QStringLiteral(
            "INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat, feines_detall_preu_un, "
            "feines_detall_unitat, feines_detall_descripcio) "
            "SELECT ?, Llocs_Serveis.serveis_nom, Llocs_Serveis.llocs_serveis_quantitat, "
            "Llocs_Serveis.llocs_serveis_preu_un, Serveis.serveis_unitat, Llocs_Serveis.llocs_serveis_descripcio "
            "FROM Serveis INNER JOIN Llocs_Serveis ON Serveis.serveis_nom = Llocs_Serveis.serveis_nom "
            "WHERE Llocs_Serveis.llocs_nom = ? ORDER BY Llocs_Serveis.rowid"),
            {id, lloc->nom}).finish();

        t.commit();
        feina.Id = qint32(id);
        feina.HoraInici = horaInici;
        feina.Feta = false;
        feina.DataFactura = QDate();
        feina.Observacions = texteNoNul(QString());
        fet(feina);
    } catch (const std::exception& e) {
        feina.Id = 0;
        error(feina, "Error en Grava_Feina:", e.what());
    } catch (...) {
        feina.Id = 0;
        error(feina, "Error en Grava_Feina:", "error desconegut");
    }
}

void Modifica_Feina(Feina& feina)
{
    try {
        if (feina.Id == 0) return refusa(feina, Tradueix(QStringLiteral("Feina no especificada")));
        Db& db = BD();
        Transaction t(db);

        QSqlQuery& q = db.cached(QStringLiteral("SELECT feines_feta FROM Feines WHERE feines_id = ?"), {feina.Id});
        const bool trobada = q.next();
        const bool desadaFeta = trobada && q.value(0).toInt() != 0;
        q.finish();
        if (!trobada) return refusa(feina, Tradueix(QStringLiteral("Feina no trobada")));
        if (desadaFeta && feina.Feta)
            return refusa(feina, Tradueix(QStringLiteral("No es pot modificar una feina feta")));

        if (feina.HoraFi.isEmpty()) feina.HoraFi = Hora_Fi_Feina(feina);
        if (feina.Recurs.isEmpty() && feina.Feta)
            return refusa(feina, Tradueix(QStringLiteral("Cal assignar recurs si la feina està feta")));
        comprovaData(feina.Data);
        if (feina.Feta && feina.Data > Clock::today())
            return refusa(feina, Tradueix(QStringLiteral("Una feina futura no pot estar feta")));

        const int inici = minutsHora(feina.HoraInici, "d'inici");
        const int final = minutsHora(feina.HoraFi, "final");
        // An end before the start only comes of work cut at the end of the
        // working day (or of a caller's slip): never store it.
        if (final < inici) return refusa(feina, textFinalDia());
        const QString horaInici = textHora(inici);
        const QString horaFi = textHora(final);

        // A site that is not there would only fail on its foreign key.
        const std::optional<Lloc> lloc = llegeixLloc(feina.Lloc);
        if (!lloc) return refusa(feina, textLlocInexistent(feina.Lloc));
        if (!G.PermetSolaparLlocs && Solapa_Lloc(lloc->nom, feina.Data, horaInici, horaFi, feina.Id))
            return refusa(feina, textSolapamentLlocs(feina.Lloc));

        QVariant recursDesat;
        if (!feina.Recurs.isEmpty()) {
            const std::optional<Recurs> recurs = llegeixRecurs(feina.Recurs);
            if (!recurs) return refusa(feina, Tradueix(QStringLiteral("Recurs no trobat:")) + feina.Recurs);
            const QString solapat =
                Recurs_Solapat(recurs->nom, recurs->grup, feina.Data, horaInici, horaFi, feina.Id);
            if (!solapat.isEmpty())
                return refusa(feina, textSolapamentRecursos(solapat == recurs->nom ? feina.Recurs : solapat));
            recursDesat = recurs->nom;
        }

        // Not done: no invoice date, no quota share, no matched cheque.
        const QVariant dataFactura =
            feina.Feta && feina.DataFactura.isValid() ? QVariant(Conv::isoDate(feina.DataFactura)) : QVariant();
        QSqlQuery& upd = db.cached(QStringLiteral(
            "UPDATE Feines SET llocs_nom = ?, feines_data = ?, feines_hora_inici = ?, feines_hora_fi = ?, "
            "recursos_nom = ?, feines_feta = ?, feines_data_factura = ?, "
            "feines_quota = CASE WHEN ? = 1 THEN feines_quota ELSE 0 END, feines_observacions = ? "
            "WHERE feines_id = ?"),
            {lloc->nom, Conv::isoDate(feina.Data), horaInici, horaFi, recursDesat, feina.Feta ? 1 : 0, dataFactura,
             feina.Feta ? 1 : 0, texteNoNul(feina.Observacions), feina.Id});
        const int canviades = upd.numRowsAffected();
        upd.finish();
        if (canviades == 0) return refusa(feina, Tradueix(QStringLiteral("Feina no trobada")));
        if (!feina.Feta) alliberaXecs(feina.Id);

        t.commit();
        feina.HoraInici = horaInici;
        feina.HoraFi = horaFi;
        fet(feina);
    } catch (const std::exception& e) {
        error(feina, "Error en Modifica_Feina:", e.what());
    } catch (...) {
        error(feina, "Error en Modifica_Feina:", "error desconegut");
    }
}

void Borra_Feina(Feina& feina)
{
    try {
        if (feina.Id == 0) return refusa(feina, Tradueix(QStringLiteral("Feina no especificada")));
        Db& db = BD();
        Transaction t(db);

        QSqlQuery& q = db.cached(QStringLiteral("SELECT %1 FROM Feines WHERE feines_id = ?").arg(kColumnes),
                                 {feina.Id});
        const bool trobada = q.next();
        const Feina fila = trobada ? llegeixFila(q) : Feina();
        q.finish();
        if (!trobada) return refusa(feina, Tradueix(QStringLiteral("Feina no trobada")));
        if (fila.Feta) return refusa(feina, Tradueix(QStringLiteral("No es pot esborrar una feina feta")));

        // Cheques, lines and job go together or not at all.
        alliberaXecs(fila.Id);
        db.cached(QStringLiteral("DELETE FROM Feines_Detall WHERE feines_id = ?"), {fila.Id}).finish();
        QSqlQuery& del = db.cached(QStringLiteral("DELETE FROM Feines WHERE feines_id = ?"), {fila.Id});
        const int esborrades = del.numRowsAffected();
        del.finish();
        if (esborrades != 1) falla(Tradueix(QStringLiteral("La feina %1 no s'ha pogut esborrar")).arg(fila.Id));

        t.commit();
        feina = fila;
        fet(feina);
    } catch (const std::exception& e) {
        error(feina, "Error en Borra_Feina:", e.what());
    } catch (...) {
        error(feina, "Error en Borra_Feina:", "error desconegut");
    }
}

namespace {

// The first job the query of `consulta` (called inside the guard) answers;
// none: "Feina no trobada" refused; a failure: Resultat Error after `operacio`.
template <class Consulta>
Feina primeraFeina(const char* operacio, Consulta&& consulta)
{
    Feina resultat;
    try {
        QSqlQuery& q = consulta();
        const bool trobada = q.next();
        if (trobada) resultat = llegeixFila(q);
        q.finish();
        if (!trobada) {
            refusa(resultat, Tradueix(QStringLiteral("Feina no trobada")));
            return resultat;
        }
        fet(resultat);
    } catch (const std::exception& e) {
        resultat = Feina();
        error(resultat, operacio, e.what());
    } catch (...) {
        resultat = Feina();
        error(resultat, operacio, "error desconegut");
    }
    return resultat;
}

} // namespace

Feina Busca_Feina(const QDate& dia, const QString& hora, const QString& lloc, const QString& recurs)
{
    return primeraFeina("Error en Busca_Feina:", [&]() -> QSqlQuery& {
        const QString h = textHora(minutsHora(hora, "de la cel·la"));
        // Start at or before the time, end after it; ordered so that the answer is always the same.
        static const QString cond = QStringLiteral(
            "SELECT %1 FROM Feines INDEXED BY Feines_lloc WHERE llocs_nom = ? AND feines_data = ? "
            "AND feines_hora_inici <= ? AND feines_hora_fi > ? AND ").arg(kColumnes);
        static const QString ordre = QStringLiteral(" ORDER BY feines_data, feines_hora_inici, feines_id LIMIT 1");
        static const QString senseRecurs = cond + QStringLiteral("recursos_nom IS NULL") + ordre;
        // The resource's own jobs and those of every team it belongs to.
        static const QString ambRecurs = cond + QStringLiteral(
            "recursos_nom IN (SELECT ? UNION ALL SELECT recursos_nom FROM Recursos_Components "
            "WHERE recursos_component_nom = ?)") + ordre;
        QVariantList params{lloc, Conv::isoDate(dia), h, h};
        if (!recurs.isEmpty()) params << recurs << recurs;
        return BD().cached(recurs.isEmpty() ? senseRecurs : ambRecurs, params);
    });
}

Feina Llegeix_Feina(qint32 id)
{
    return primeraFeina("Error en Llegeix_Feina:", [&]() -> QSqlQuery& {
        return BD().cached(QStringLiteral("SELECT %1 FROM Feines WHERE feines_id = ?").arg(kColumnes), {id});
    });
}
