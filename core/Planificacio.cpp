#include "Planificacio.h"

#include "Convert.h"
#include "Database.h"
#include "Feines.h"
#include "Registre.h"
#include "Traduccio.h"

#include <QHash>
#include <QSet>
#include <QLocale>
#include <QStringBuilder>
#include <QSqlQuery>
#include <QVector>
#include <array>
#include <limits>
#include <stdexcept>

namespace {

const QString NL = QStringLiteral("\n");

// A failure that stops the run; what() is the description after the prefix.
class ErrorPlanificacio : public std::runtime_error {
public:
    explicit ErrorPlanificacio(const QString& what) : std::runtime_error(what.toStdString()) {}
};

class Planificador {
public:
    Planificador(Db& db, InformePlanificacio& informe)
        : db_(db), informe_(informe), formatData_(Conv::shortDateFormat()),
          // The texts of the log lines, translated once for the run.
          textError_(Tradueix(QStringLiteral("ERROR en planificació de feina: '"))),
          textEl_(Tradueix(QStringLiteral("' el"))),
          textALes_(Tradueix(QStringLiteral(" a les"))),
          textFeina_(Tradueix(QStringLiteral("Feina"))),
          textPlanificada_(Tradueix(QStringLiteral("' planificada el"))),
          textNoAssignada_(Tradueix(QStringLiteral("<no assignada>")))
    {
    }

    QVector<LlocPlanificable> llocs()
    {
        QVector<LlocPlanificable> out;
        QSqlQuery q = db_.query(QStringLiteral(
            "SELECT llocs_nom, llocs_periodicitat_dies, llocs_dia_setmana, llocs_dissabte, llocs_diumenge, "
            "llocs_primer_dia_mes, llocs_ultim_dia_mes, llocs_hora FROM Llocs "
            "WHERE llocs_periodicitat_dies > 0 ORDER BY rowid"));
        while (q.next()) {
            LlocPlanificable l;
            l.nom = q.value(0).toString();
            l.periodicitat = qint32(qBound<qint64>(0, q.value(1).toLongLong(), qint64(std::numeric_limits<qint32>::max())));
            l.diaSetmana = int(q.value(2).toLongLong());
            l.dissabte = q.value(3).toLongLong() != 0;
            l.diumenge = q.value(4).toLongLong() != 0;
            l.primerDiaMes = q.value(5).toLongLong() != 0;
            l.ultimDiaMes = q.value(6).toLongLong() != 0;
            l.hora = q.value(7).isNull() ? QString() : q.value(7).toString();
            out.append(l);
        }
        return out;
    }

    QDate ultimaFeina(const QString& lloc)
    {
        QSqlQuery& q = db_.cached(QStringLiteral("SELECT MAX(feines_data) FROM Feines WHERE llocs_nom = ?"), {lloc});
        QDate d;
        if (q.next() && !q.value(0).isNull()) {
            d = QDate::fromString(q.value(0).toString(), Qt::ISODate);
            if (!d.isValid())
                throw ErrorPlanificacio(Tradueix(QStringLiteral("data no vàlida a Feines: '%1'")).arg(q.value(0).toString()));
        }
        q.finish();
        return d;
    }

    void planifica(const LlocPlanificable& lloc, const QDate& primer, const QDate& ultim)
    {
        const QList<QDate> dies = lloc.mensual()
            ? diesMensuals(lloc, primer, ultim)
            : diesPeriodics(lloc, ultimaFeina(lloc.nom), primer, ultim, G.PrimerDiaSetmana);
        if (dies.isEmpty()) return;
        const QString hora = lloc.hora.isEmpty() ? G.HoraInici : lloc.hora;
        // A day that already holds a job of the site was planned before (a
        // run repeated over its days): it gets no second visit.
        const QSet<QString> ocupats = diesAmbFeina(lloc.nom, dies.first(), dies.last());
        for (const QDate& d : dies)
            if (!ocupats.contains(Conv::isoDate(d))) planificaDia(lloc, d, hora);
    }

private:
    QSet<QString> diesAmbFeina(const QString& lloc, const QDate& primer, const QDate& ultim)
    {
        QSqlQuery& q = db_.cached(QStringLiteral("SELECT DISTINCT feines_data FROM Feines "
                                                 "WHERE llocs_nom = ? AND feines_data BETWEEN ? AND ?"),
                                  {lloc, Conv::isoDate(primer), Conv::isoDate(ultim)});
        QSet<QString> dies;
        while (q.next()) dies.insert(q.value(0).toString());
        q.finish();
        return dies;
    }

    void planificaDia(const LlocPlanificable& lloc, const QDate& d, const QString& hora)
    {
        Feina f;
        f.Lloc = lloc.nom;
        f.Data = d;
        f.HoraInici = hora;
        Grava_Feina(f, false);
        if (f.Resultat == ResultatFeina::Error) throw ErrorPlanificacio(f.Missatge);

        if (!f.Missatge.isEmpty()) {
            Registre_Missatges::afegeix(NL % textError_ % lloc.nom % textEl_ % u' ' % nomDia(d) % u' ' % data(d)
                                        % textALes_ % u' ' % hora % u'.');
            Registre_Missatges::afegeix(NL % f.Missatge);
            ++informe_.Refusades;
            return;
        }
        const QString recurs = f.Recurs.isEmpty() ? textNoAssignada_ : f.Recurs.toUpper();
        Registre_Missatges::afegeix(NL % textFeina_ % u' ' % QString::number(f.Id) % QLatin1String(": ") % recurs
                                    % QLatin1String("  -  '") % f.Lloc % textPlanificada_ % u' ' % nomDia(f.Data)
                                    % u' ' % data(f.Data) % textALes_ % u' ' % f.HoraInici % QLatin1String(". "));
        ++informe_.Planificades;
    }

    // The locale's short date; a run meets each day many times.
    const QString& data(const QDate& d)
    {
        QString& text = dates_[d.toJulianDay()];
        if (text.isEmpty()) text = locale_.toString(d, formatData_);
        return text;
    }

    // The locale's weekday name, translated; kept for the run.
    const QString& nomDia(const QDate& d)
    {
        QString& nom = nomsDies_[d.dayOfWeek() % 7];
        if (nom.isEmpty()) nom = Tradueix(locale_.toString(d, QStringLiteral("dddd")));
        return nom;
    }

    Db& db_;
    InformePlanificacio& informe_;
    const QLocale locale_;
    const QString formatData_;   // the locale's short date
    const QString textError_, textEl_, textALes_, textFeina_, textPlanificada_, textNoAssignada_;
    std::array<QString, 7> nomsDies_;
    QHash<qint64, QString> dates_;
};

} // namespace

QString Planificar_Feines(const QDate& primer, const QDate& ultim, InformePlanificacio* informe)
{
    InformePlanificacio local;
    InformePlanificacio& inf = informe ? *informe : local;
    inf = InformePlanificacio();

    Registre_Missatges::comenca(Tradueix(QStringLiteral("PLANIFICACIO DE FEINES")));
    Registre_Missatges::afegeix(NL + Tradueix(QStringLiteral("Iniciant planificació periode:")) + u' '
                                + Conv::shortDate(primer) + QStringLiteral(" - ") + Conv::shortDate(ultim)
                                + QStringLiteral(" ...") + NL);

    QString error;
    try {
        Db& db = BD();
        Transaction t(db);
        Planificador p(db, inf);
        for (const LlocPlanificable& lloc : p.llocs()) p.planifica(lloc, primer, ultim);
        t.commit();
    } catch (const std::exception& e) {
        error = QString::fromStdString(e.what());
        if (error.isEmpty()) error = QStringLiteral("?");
    } catch (...) {
        error = QStringLiteral("?");
    }

    if (!error.isEmpty()) {
        inf.Resultat = ResultatFeina::Error;
        inf.Planificades = 0;
        Registre_Missatges::afegeix(NL + NL + Tradueix(QStringLiteral("No s'ha desat cap feina d'aquesta planificació.")));
        Registre_Missatges::afegeix(NL + NL + Tradueix(QStringLiteral("FINALITZACIO AMB ERRORS!!!")));
        Registre_Missatges::acaba();
        return QStringLiteral("Error en Planificar_Feines:") + error;
    }

    Registre_Missatges::afegeix(NL + NL + QString::number(inf.Planificades)
                                + Tradueix(QStringLiteral(" feines planificades.")) + NL);
    Registre_Missatges::afegeix(NL + NL + Tradueix(QStringLiteral("FINALITZACIO CORRECTA!!!")) + NL);
    Registre_Missatges::acaba();
    return QString();
}
