#include "DisposicioAgenda.h"

#include "Consultes.h"
#include "Convert.h"
#include "Globals.h"
#include "Traduccio.h"

#include <QLocale>

namespace {

// The board was designed in twips; 15 twips per pixel.
int px(int twips) { return (twips + 7) / 15; }

constexpr int AltCapcalera = 250;
constexpr int ColumnesDia = 8;

// Catalan names, translated into the chosen language whatever the system's
// locale: Sunday first, as Conv::vbWeekday counts.
const char* const NomsDies[] = {"diumenge", "dilluns", "dimarts", "dimecres", "dijous", "divendres", "dissabte"};
// Month abbreviations after a blank, as the translation table holds them.
const char* const MesosCurts[] = {" gen.", " febr.", " març", " abr.", " maig", " juny",
                                  " jul.",  " ag.",   " set.", " oct.", " nov.", " des."};

QString nomDia(const QDate& d) { return Tradueix(QString::fromUtf8(NomsDies[Conv::vbWeekday(d) - 1])); }

QString mesCurt(const QDate& d) { return Tradueix(QString::fromUtf8(MesosCurts[d.month() - 1])).trimmed(); }

int divisioEntera(int a, int b)   // rounds toward minus infinity
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

class Constructor {
public:
    Constructor(const EntradaAgenda& e, DisposicioAgenda& d) : e_(e), p_(e.parametres), d_(d) {}

    void mes()
    {
        geometria(7, 8);
        const QDate primer = e_.dataIniciMes;
        CellaAgenda& cantonada = cella(0, 0);
        const QDate cal = e_.dataCalendari.isValid() ? e_.dataCalendari : e_.dataAgenda;
        cantonada.text = QString::number(cal.year());
        marcaTitol(cantonada);
        for (int c = 1; c < d_.columnes; ++c) capcaleraDia(c, primer.addDays(c - 1), QString(), false);
        for (int r = 1; r < d_.files; ++r) {
            const QDate w = primer.addDays((r - 1) * 7);
            cella(r, 0).text = QStringLiteral("%1/%2").arg(w.day()).arg(w.month());
            for (int c = 1; c < d_.columnes; ++c)
                if (primer.addDays((r - 1) * 7 + c - 1) < e_.avui) cella(r, c).negreta = true;
        }
        // A day's lines are gathered and joined once: a busy day holds hundreds.
        QVector<QStringList> linies(d_.celles.size());
        for (const FeinaAgenda& f : e_.feines) {
            if (!f.data.isValid()) {
                d_.errors << Tradueix(QStringLiteral("Data no vàlida a la feina %1")).arg(f.id);
                continue;
            }
            const QPoint pos = cellaDataMes(f.data, primer);
            if (pos.y() == 0) continue;
            linies[pos.y() * d_.columnes + pos.x()] << f.horaInici + u' ' + f.lloc;
            cella(pos.y(), pos.x()).feines << f.id;
        }
        for (qsizetype i = 0; i < linies.size(); ++i)
            if (!linies[i].isEmpty()) d_.celles[i].text = linies[i].join(QStringLiteral("\r\n"));
    }

    void setmana()
    {
        geometria(p_.cellesDia + 1, 8);
        const QDate primer = e_.dataIniciSetmana;
        CellaAgenda& cantonada = cella(0, 0);
        cantonada.text = mesCurt(primer) + u' ' + QString::number(primer.year());
        marcaTitol(cantonada);
        for (int c = 1; c < d_.columnes; ++c) {
            const QDate dia = primer.addDays(c - 1);
            capcaleraDia(c, dia, QStringLiteral(", ") + QString::number(dia.day()), dia < e_.avui);
        }
        etiquetesHores();
        for (const FeinaAgenda& f : e_.feines) {
            if (!f.data.isValid()) {
                d_.errors << Tradueix(QStringLiteral("Data no vàlida a la feina %1")).arg(f.id);
                continue;
            }
            const qint64 dies = primer.daysTo(f.data);
            const auto files = filesDe(f);
            if (!files || dies < 0 || dies > d_.columnes - 2 || files->buit()) continue;
            pinta(f, *files, int(dies) + 1);
        }
    }

    void dia()
    {
        geometria(p_.cellesDia + 1, ColumnesDia);
        d_.celles.clear();
        columnesDia_ = QVector<QVector<CellaAgenda>>(ColumnesDia, QVector<CellaAgenda>(d_.files));
        CellaAgenda& cantonada = cella(0, 0);
        cantonada.text = nomDia(e_.dataAgenda) + QStringLiteral(", ") + QString::number(e_.dataAgenda.day());
        marcaTitol(cantonada);
        etiquetesHores();
        d_.ambHores = true;
        d_.hores.resize(d_.columnes);
        d_.hores[0].text = Tradueix(QStringLiteral("Hores extra"));
        marcaTitol(d_.hores[0]);
        for (const FeinaAgenda& f : e_.feines) {
            const auto files = filesDe(f);
            if (!files) continue;
            pinta(f, *files, columnaRecurs(f.recurs, *files));
        }
        for (const auto& [nom, hores] : e_.horesExtra)
            for (int c = 1; c < d_.columnes; ++c)
                if (cella(0, c).text == nom) d_.hores[c].text = formatHores(hores);
        tancaDia();
    }

private:
    void geometria(int files, int columnes)
    {
        d_.files = files;
        d_.columnes = columnes;
        d_.celles = QVector<CellaAgenda>(files * columnes);
        const bool mes = d_.vista == VistaAgenda::Mes;
        d_.alineacioColumna = QVector<int>(columnes, mes ? 0 : 4);
        d_.alineacioColumna[0] = mes ? 4 : 3;
        d_.fusioColumna = QVector<bool>(columnes, !mes);
        d_.fusioColumna[0] = false;
    }

    static void marcaTitol(CellaAgenda& c)
    {
        c.negreta = true;
        c.alineacio = 4;
    }

    // A weekday header of the month and week views; Sundays in their colour.
    void capcaleraDia(int c, const QDate& dia, const QString& sufix, bool negreta)
    {
        CellaAgenda& ce = cella(0, c);
        ce.text = nomDia(dia) + sufix;
        ce.alineacio = 4;
        ce.negreta = negreta;
        if (Conv::vbWeekday(dia) == 1) ce.color = p_.colorDiumenge;
    }

    void etiquetesHores()
    {
        for (int r = 1; r < d_.files; ++r) {
            CellaAgenda& ce = cella(r, 0);
            ce.text = etiquetaFila(r, p_);
            ce.alineacio = 3;
            ce.fontEtiqueta = true;
            if (ce.text >= p_.horaIniciDinar && ce.text < p_.horaFinalDinar) ce.color = p_.colorDiumenge;
        }
    }

    std::optional<FilesFeina> filesDe(const FeinaAgenda& f)
    {
        auto files = filesFeina(f.horaInici, f.horaFi, p_, d_.files);
        if (!files)
            d_.errors << Tradueix(QStringLiteral("Hora no vàlida a la feina %1 de '%2': '%3' - '%4'"))
                             .arg(f.id)
                             .arg(f.lloc, f.horaInici, f.horaFi);
        return files;
    }

    bool lliures(int c, const FilesFeina& files) const
    {
        if (files.buit()) return true;   // a job outside the hours fits any column of its resource
        for (int r = files.inici; r <= files.final; ++r)
            if (!cella(r, c).text.isEmpty()) return false;
        return true;
    }

    // The day view's column of a resource: the first of its columns where the
    // job fits, else the first free column, else a new one.
    int columnaRecurs(const QString& recurs, const FilesFeina& files)
    {
        const QString capcalera = recurs.isEmpty() ? p_.texteNoAsignada : recurs;
        for (int c = 1; c < d_.columnes; ++c) {
            const QString& h = cella(0, c).text;
            if (h.isEmpty()) return reclama(c, recurs, capcalera);
            if (h == capcalera && lliures(c, files)) return c;
        }
        afegeixColumna();
        return reclama(d_.columnes - 1, recurs, capcalera);
    }

    int reclama(int c, const QString& recurs, const QString& capcalera)
    {
        cella(0, c).text = capcalera;
        if (!recurs.isEmpty()) {
            d_.hores[c].alineacio = 4;
            d_.hores[c].text = e_.recursos.assignaTemps(recurs) ? zero_ : QString();
        }
        return c;
    }

    void afegeixColumna()
    {
        columnesDia_.append(QVector<CellaAgenda>(d_.files));
        ++d_.columnes;
        d_.alineacioColumna.append(4);
        d_.fusioColumna.append(true);
        d_.hores.append(CellaAgenda());
    }

    // The day view grows by columns: its cells are kept column by column
    // while it is built, then laid out row by row.
    CellaAgenda& cella(int fila, int col)
    {
        return columnesDia_.isEmpty() ? d_.cella(fila, col) : columnesDia_[col][fila];
    }
    const CellaAgenda& cella(int fila, int col) const
    {
        return columnesDia_.isEmpty() ? d_.cella(fila, col) : columnesDia_[col][fila];
    }

    void tancaDia()
    {
        d_.celles = QVector<CellaAgenda>();
        d_.celles.reserve(d_.files * d_.columnes);
        for (int r = 0; r < d_.files; ++r)
            for (int c = 0; c < d_.columnes; ++c) d_.celles.append(std::move(columnesDia_[c][r]));
        columnesDia_.clear();
    }

    void pinta(const FeinaAgenda& f, const FilesFeina& files, int c)
    {
        if (files.buit()) return;
        const bool setmana = d_.vista == VistaAgenda::Setmana;
        const qint32 color = e_.recursos.color(f.recurs);
        for (int r = files.inici; r <= files.final; ++r) {
            CellaAgenda& ce = cella(r, c);
            if (setmana && f.data < e_.avui) ce.negreta = true;
            if (ce.text.isEmpty()) {
                if (f.feta) ce.subratllat = true;
                ce.text = f.lloc;
                ce.color = color;
                ce.feines = {f.id};
            } else if (setmana) {
                if (ce.text != f.lloc || ce.fonsFix || ce.color != color) {
                    ce.subratllat = false;
                    ce.text = p_.texteVaris;
                    ce.color.reset();
                    ce.fonsFix = true;
                    ce.varies = true;
                }
                ce.feines << f.id;
            } else {
                ++d_.solapaments;
            }
        }
    }

    const EntradaAgenda& e_;
    const ParametresAgenda& p_;
    DisposicioAgenda& d_;
    QVector<QVector<CellaAgenda>> columnesDia_;
    const QString zero_ = formatHores(Decimal());
};

} // namespace

std::optional<VistaAgenda> vistaDeMode(const QString& mode)
{
    if (mode == QLatin1String("mes")) return VistaAgenda::Mes;
    if (mode == QLatin1String("setmana")) return VistaAgenda::Setmana;
    if (mode == QLatin1String("dia")) return VistaAgenda::Dia;
    return std::nullopt;
}

QString modeDeVista(VistaAgenda vista)
{
    switch (vista) {
    case VistaAgenda::Setmana: return QStringLiteral("setmana");
    case VistaAgenda::Dia: return QStringLiteral("dia");
    case VistaAgenda::Mes: break;
    }
    return QStringLiteral("mes");
}

QDate iniciSetmana(const QDate& d, int primerDiaSetmana)
{
    return d.addDays(1 - Conv::weekdayFrom(d, primerDiaSetmana));
}

QDate iniciMes(const QDate& d, int primerDiaSetmana)
{
    return iniciSetmana(QDate(d.year(), d.month(), 1), primerDiaSetmana);
}

QDate dataCellaMes(int fila, int col, const QDate& dataIniciMes)
{
    return dataIniciMes.addDays((fila - 1) * 7 + (col - 1));
}

QPoint cellaDataMes(const QDate& d, const QDate& dataIniciMes)
{
    const qint64 n = dataIniciMes.daysTo(d);
    if (!d.isValid() || !dataIniciMes.isValid() || n < 0 || n >= 42) return QPoint(0, 0);
    return QPoint(int(n % 7) + 1, int(n / 7) + 1);
}

ParametresAgenda ParametresAgenda::actuals()
{
    ParametresAgenda p;
    p.horaInici = G.HoraInici;
    p.minutsCella = G.MinutsCella;
    p.cellesDia = G.CellesDia;
    p.horaIniciDinar = G.HoraIniciDinar;
    p.horaFinalDinar = G.HoraFinalDinar;
    p.colorDiumenge = G.ColorDiumenge;
    p.texteVaris = G.TexteVaris;
    p.texteNoAsignada = G.TexteNoAsignada;
    return p;
}

std::optional<FilesFeina> filesFeina(const QString& horaInici, const QString& horaFi, const ParametresAgenda& p,
                                     int files)
{
    const auto m0 = Conv::minutesOf(p.horaInici);
    const auto mi = Conv::minutesOf(horaInici);
    const auto mf = Conv::minutesOf(horaFi);
    if (!m0 || !mi || !mf || p.minutsCella <= 0) return std::nullopt;
    const int desDe = *mi - *m0, finsA = *mf - *m0;
    // Wholly before the first hour: a job of no length that starts before it,
    // any other that ends by it.
    if (finsA <= desDe ? desDe < 0 : finsA <= 0) return FilesFeina{};
    FilesFeina f;
    f.inici = qMax(1, divisioEntera(desDe, p.minutsCella) + 1);
    if (f.inici > files - 1) return FilesFeina{};
    // Clamped first, then at least its first visible cell.
    f.final = qBound(f.inici, divisioEntera(finsA, p.minutsCella), files - 1);
    return f;
}

QString etiquetaFila(int fila, const ParametresAgenda& p)
{
    return Conv::clockTime(Conv::minutesOf(p.horaInici).value_or(0) + (fila - 1) * p.minutsCella);
}

qint32 RecursosAgenda::color(const QString& nom) const
{
    const auto it = m_.constFind(nom.toCaseFolded());
    return nom.isEmpty() || it == m_.constEnd() ? ColorFinestraSistema : it->color;
}

bool RecursosAgenda::assignaTemps(const QString& nom) const
{
    const auto it = m_.constFind(nom.toCaseFolded());
    return it != m_.constEnd() && it->assignaTemps;
}

int DisposicioAgenda::cellesAmbText() const
{
    int n = 0;
    for (const CellaAgenda& c : celles)
        if (!c.text.isEmpty()) ++n;
    for (const CellaAgenda& c : hores)
        if (!c.text.isEmpty()) ++n;
    return n;
}

void dimensiona(DisposicioAgenda& d, const QSize& mida, int vora, int ampleEtiquetesMinim)
{
    const int disseny = d.vista == VistaAgenda::Mes ? 650 : d.vista == VistaAgenda::Setmana ? 900 : 1300;
    d.altCapcalera = px(AltCapcalera);
    d.ampleEtiquetes = qMax(px(disseny), ampleEtiquetesMinim);
    d.altFila = qMax(1, (mida.height() - vora - d.altCapcalera) / qMax(1, d.files - 1));
    // The board is fitted to the columns a view starts with; the day view's
    // added resource columns share that width.
    const int columnes = d.vista == VistaAgenda::Dia ? qMin(d.columnes, ColumnesDia) : d.columnes;
    d.ampleColumna = qMax(1, (mida.width() - vora - d.ampleEtiquetes) / qMax(1, columnes - 1));
    d.midaTauler = QSize((columnes - 1) * d.ampleColumna + d.ampleEtiquetes + vora,
                         (d.files - 1) * d.altFila + d.altCapcalera + vora);
    if (d.columnes > columnes)
        d.ampleColumna = qMax(1, (d.midaTauler.width() - vora - d.ampleEtiquetes) / (d.columnes - 1));
}

DisposicioAgenda disposaAgenda(const EntradaAgenda& e)
{
    DisposicioAgenda d;
    d.vista = e.vista;
    Constructor k(e, d);
    switch (e.vista) {
    case VistaAgenda::Mes: k.mes(); break;
    case VistaAgenda::Setmana: k.setmana(); break;
    case VistaAgenda::Dia: k.dia(); break;
    }
    dimensiona(d, e.mida, e.vora);
    return d;
}

QPoint cellaActual(int filaAntiga, int colAntiga, int files, int columnes)
{
    auto dins = [](int v, int n) { return n <= 1 ? 0 : (v < 0 ? 1 : qMin(v, n - 1)); };
    return QPoint(dins(colAntiga, columnes), dins(filaAntiga, files));
}

QString formatHores(const Decimal& hores)
{
    const QLocale loc;
    QString s = hores.toString(loc, 2);
    const bool negatiu = s.startsWith(u'-');
    if (negatiu) s.remove(0, 1);
    const qsizetype coma = s.indexOf(loc.decimalPoint());
    const QString enter = loc.toString(s.left(coma).toLongLong());
    return (negatiu ? QStringLiteral("-") : QString()) + enter + s.mid(coma);
}
