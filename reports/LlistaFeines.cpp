#include "LlistaFeines.h"

#include "Convert.h"
#include "Globals.h"
#include "Graella.h"
#include "MarcPagina.h"
#include "Traduccio.h"

#include <QFontMetricsF>
#include <QWidget>
#include <stdexcept>

using Linia = Impressora::Linia;

PeriodeAgenda PeriodeAgenda::actual(const QDate& dataCalendari)
{
    return {G.ModeAgenda, dataCalendari, G.DataIniciSetmana, G.DataAgenda};
}

QDate PeriodeAgenda::primerDia() const
{
    if (mode == QLatin1String("mes")) return QDate(dataCalendari.year(), dataCalendari.month(), 1);
    if (mode == QLatin1String("setmana")) return iniciSetmana;
    if (mode == QLatin1String("dia")) return dataAgenda;
    throw std::invalid_argument("Vista de l'agenda desconeguda: " + mode.toStdString());
}

QDate PeriodeAgenda::ultimDia() const
{
    if (mode == QLatin1String("mes")) return primerDia().addMonths(1).addDays(-1);
    if (mode == QLatin1String("setmana")) return iniciSetmana.addDays(6);
    return primerDia();
}

QList<FeinaLlista> feinesRecurs(const PeriodeAgenda& periode, const QString& recurs, bool grup)
{
    const QDate de = periode.primerDia();
    const QDate a = periode.ultimDia();
    if (!de.isValid() || !a.isValid()) throw std::invalid_argument("Data de l'agenda incorrecta");
    const QString ordre = periode.mode == QLatin1String("dia")
                              ? QStringLiteral(" ORDER BY F.feines_hora_inici, F.feines_id")
                              : QStringLiteral(" ORDER BY F.feines_data, F.feines_hora_inici, F.feines_id");
    // A team's list: the team's own jobs. A worker's list: its jobs and those
    // of every team that has it as a member.
    const QString sql =
        QStringLiteral("SELECT F.llocs_nom, F.feines_data, F.feines_hora_inici, F.feines_hora_fi, F.recursos_nom, "
                       "F.feines_observacions FROM Feines F")
        + (grup ? QStringLiteral(" WHERE F.feines_data BETWEEN ? AND ? AND F.recursos_nom = ?")
                : QStringLiteral(" LEFT JOIN Recursos_Components RC ON F.recursos_nom = RC.recursos_nom"
                                 " WHERE F.feines_data BETWEEN ? AND ?"
                                 " AND COALESCE(RC.recursos_component_nom, F.recursos_nom) = ? COLLATE NOCASE"))
        + ordre;
    QSqlQuery& q = BD().cached(sql, {Conv::isoDate(de), Conv::isoDate(a), recurs});
    QList<FeinaLlista> out;
    while (q.next()) {
        FeinaLlista f;
        f.lloc = q.value(0).toString();
        f.data = QDate::fromString(q.value(1).toString(), Qt::ISODate);
        f.horaInici = q.value(2).toString();
        f.horaFi = q.value(3).toString();
        f.recurs = q.value(4).toString();
        f.observacions = q.value(5).toString();
        out.append(f);
    }
    return out;
}

QString titolLlistaFeines(const PeriodeAgenda& periode, const QString& recurs)
{
    QString t;
    if (periode.mode == QLatin1String("mes")) {
        t = Tradueix(QStringLiteral("Relació de FEINES del mes")) + u' ' + QString::number(periode.dataCalendari.year())
            + u'/' + QStringLiteral("%1").arg(periode.dataCalendari.month(), 2, 10, QChar(u'0'));
    } else if (periode.mode == QLatin1String("setmana")) {
        t = Tradueix(QStringLiteral("Relació de FEINES de la setmana del")) + u' ' + Conv::shortDate(periode.iniciSetmana)
            + u' ' + Tradueix(QStringLiteral("al")) + u' ' + Conv::shortDate(periode.iniciSetmana.addDays(6));
    } else {
        t = Tradueix(QStringLiteral("Relació de FEINES del dia")) + u' ' + Conv::shortDate(periode.dataAgenda);
    }
    return t + QStringLiteral(" : ") + recurs.toUpper();
}

namespace {

// The notes fill the box: broken at blanks (and at the line breaks the text
// holds) into at most `linies` lines of the given width; a text that does not
// fit ends in "...".
QStringList liniesNotes(const Impressora& p, const QString& text, double amplada, int linies)
{
    // A line that does not fit (or that more text follows) ends in "...".
    const auto cap = [&](QString l, bool segueix) {
        if (!segueix && p.TextWidth(l) <= amplada) return l;
        while (!l.isEmpty() && p.TextWidth(l + QStringLiteral("...")) > amplada) l.chop(1);
        return l + QStringLiteral("...");
    };
    QStringList out = p.Parteix(text, amplada);
    while (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    const bool tallat = out.size() > linies;
    if (tallat) out.resize(linies);
    for (QString& l : out) l = cap(l, false);
    if (tallat) out.last() = cap(out.last(), true);
    return out;
}

class LlistaFeines {
public:
    LlistaFeines(Impressora& p, const PeriodeAgenda& periode, const QString& recurs)
        : p_(p), titol_(titolLlistaFeines(periode, recurs)), marc_(p, [this] { capcalera(); })
    {
    }

    void imprimeix(const QList<FeinaLlista>& feines)
    {
        marc_.comenca();
        for (const FeinaLlista& f : feines) {
            marc_.provaSalt();
            feina(f);
        }
    }

private:
    void capcalera()
    {
        marc_.logo();
        marc_.titol(titol_);
        p_.setFontSize(10);
        p_.setFontBold(true);
        p_.setCurrentY(p_.CurrentY() + 200);
        marc_.a(500, Tradueix(QStringLiteral("Data")));
        marc_.seguit(3000, Tradueix(QStringLiteral("Hora inici")));
        marc_.seguit(4200, Tradueix(QStringLiteral("Hora fi")));
        marc_.seguit(5100, Tradueix(QStringLiteral("Lloc")));
        marc_.seguit(9000, Tradueix(QStringLiteral("Recursos")));
        marc_.tancaCapcalera(300);
    }

    void feina(const FeinaLlista& f)
    {
        p_.setFontSize(10);
        p_.setForeColor(Marc::Negre);
        // The site and the resource end at their columns' edges (the
        // resource inside the box).
        marc_.a(500, Conv::shortDate(f.data));
        marc_.seguit(1700, Tradueix(QLocale().dayName(f.data.dayOfWeek(), QLocale::LongFormat)));
        marc_.seguit(3200, f.horaInici);
        marc_.seguit(4250, f.horaFi);
        p_.setFontBold(true);
        marc_.seguit(5100, f.lloc, 9000 - Marc::Tall);
        p_.setFontBold(false);
        marc_.seguit(9000, f.recurs, Marc::VoraDreta - Marc::Tall);

        p_.setCurrentY(p_.CurrentY() + 300);
        const double y = p_.CurrentY();
        p_.setFontSize(8);
        p_.setFontBold(true);
        marc_.a(600, Tradueix(QStringLiteral("Notes:")));
        p_.setFontBold(false);
        // The notes start at 1300, or after a longer label.
        const double xNotes = qMax(1300.0, p_.CurrentX() + marc_.blanc());
        const double pas = p_.TextHeight();
        const int cabenLinies = qMax(1, int((700 - 50) / pas));
        const QStringList notes = liniesNotes(p_, f.observacions, Marc::VoraDreta - 100 - xNotes, cabenLinies);
        for (qsizetype i = 0; i < notes.size(); ++i) {
            p_.setCurrentY(y + i * pas);
            marc_.a(xNotes, notes.at(i));
        }
        p_.setCurrentY(y);

        p_.setFontSize(10);
        p_.setDrawWidth(4);
        p_.setDrawStyle(Impressora::Solid);
        p_.Box(500, y - 50, Marc::VoraDreta, y + 700);
        p_.setCurrentY(p_.CurrentY() + 200);
    }

    Impressora& p_;
    QString titol_;
    MarcPagina marc_;
};

} // namespace

void dibuixaLlistaFeines(Impressora& p, const PeriodeAgenda& periode, const QString& recurs,
                         const QList<FeinaLlista>& feines)
{
    LlistaFeines(p, periode, recurs).imprimeix(feines);
}

QString Imprimeix_Feines(const QString& recurs, bool grup, const PeriodeAgenda& periode, QWidget* parent)
{
    return imprimeixDocument(
        Tradueix(QStringLiteral("Feines")) + u' ' + recurs,
        [&](Impressora& p) {
            const QList<FeinaLlista> feines = feinesRecurs(periode, recurs, grup);
            dibuixaLlistaFeines(p, periode, recurs, feines);
        },
        Impressora::Orientacio::Vertical, parent);
}

QString ImprimirFeines_Click(QWidget* boto, const Graella& recursosGrid, const QDate& dataCalendari, QWidget* parent)
{
    const int r = recursosGrid.Row();
    const int c = recursosGrid.Col();
    const QString on = Imprimeix_Feines(recursosGrid.TextMatrix(r, c), recursosGrid.CellFontBold(r, c),
                                        PeriodeAgenda::actual(dataCalendari), parent);
    if (boto) boto->setEnabled(false);
    return on;
}
