#include "TabAgenda.h"

#include "Calvendra.h"
#include "CalvendraSeams.h"
#include "Clock.h"
#include "Convert.h"
#include "Globals.h"
#include "Graella.h"
#include "MessageBox.h"
#include "Principal.h"
#include "Traduccio.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlQuery>

namespace {

template <class W>
W* posa(W* w, const char* name, int x, int y, int width, int height)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(x, y, width, height);
    return w;
}

// A stored date ("yyyy-MM-dd"); invalid for any other text. A rebuild reads
// one per job: the fixed form is read directly.
QDate dataIso(const QString& text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-') return QDate::fromString(text, Qt::ISODate);
    int v[3] = {0, 0, 0};
    const int inici[3] = {0, 5, 8}, mida[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p)
        for (int i = inici[p]; i < inici[p] + mida[p]; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9') return QDate();
            v[p] = v[p] * 10 + (c - u'0');
        }
    return QDate(v[0], v[1], v[2]);
}

// Design of the tab, in pixels.
constexpr int AmpleTauler = 620;
constexpr int AltTauler = 566;
constexpr int AltPagina = 596;
constexpr int AltFilaHores = 22;

// A palette of names: one column as wide as the control.
void paleta(Graella* g)
{
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->horizontalHeader()->setStretchLastSection(true);
}

} // namespace

TabAgenda::TabAgenda(QWidget* parent) : QWidget(parent)
{
    construeix();
}

namespace {
// The page whose operations are installed, if any.
TabAgenda* g_instalada = nullptr;
} // namespace

TabAgenda::~TabAgenda()
{
    alliberaGlobus();
    if (g_instalada == this) {
        Principal().Omple_Agenda = nullptr;
        Principal().Omple_Graella_Llocs = nullptr;
        g_instalada = nullptr;
    }
}

void TabAgenda::construeix()
{
    AgendaGrid = posa(new Graella(this), "AgendaGrid", 0, 0, AmpleTauler, AltTauler);
    AgendaGrid->setFixedRows(1);
    AgendaGrid->setFixedCols(1);
    // Every view fits the board to its cells.
    AgendaGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AgendaGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The board's cells are as small as the design made them: a font one
    // point smaller than the window's, smaller still where rows are low.
    QFont font = AgendaGrid->font();
    if (font.pointSizeF() > 0) font.setPointSizeF(qMax(7.0, font.pointSizeF() - 1));
    AgendaGrid->setFont(font);
    fontTauler_ = font;
    // Time labels in a fixed font, so that they line up.
    fontEtiquetes_ = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();

    const int x = AmpleTauler + 10;
    const int ample = 291;
    // The control's today is the program's today.
    CalvendraClock::setTodayProvider([] { return Clock::today(); });
    CalendariML = new Calvendra(this);
    CalendariML->setObjectName(QStringLiteral("CalendariML"));
    CalendariML->move(x + (ample - CalendariML->width()) / 2, 0);
    // The names the window was designed with, whatever the system's locale;
    // the main window's load translates them into the chosen language. The
    // control's columns start on the locale's first day of the week.
    static const char* const dies[] = {"dl.", "dt.", "dc.", "dj.", "dv.", "ds.", "dg."};   // Monday first
    static const char* const mesos[] = {"gener", "febrer", "març", "abril", "maig", "juny",
                                        "juliol", "agost", "setembre", "octubre", "novembre", "desembre"};
    const int primer = int(QLocale().firstDayOfWeek());
    for (int i = 1; i <= 7; ++i)
        CalendariML->setWeekDayShortName(i, QString::fromUtf8(dies[(primer - 1 + i - 1) % 7]));
    for (int i = 1; i <= 12; ++i) CalendariML->setMonthNames(i, QString::fromUtf8(mesos[i - 1]));
    connect(CalendariML, &Calvendra::DateClick, this, &TabAgenda::CalendariML_DateClick);

    const int top = CalendariML->geometry().bottom() + 8;
    const int meitat = (ample - 8) / 2;
    const int baix = AltPagina - 2 * 32;
    posa(new QLabel(Tradueix(QStringLiteral("Llocs:")), this), "LabelLlocs", x, top, meitat, 20);
    LlocsGrid = posa(new Graella(this), "LlocsGrid", x, top + 20, meitat, baix - top - 28);
    paleta(LlocsGrid);
    LlocsGrid->installEventFilter(this);
    posa(new QLabel(Tradueix(QStringLiteral("Recursos:")), this), "LabelRecursos", x + meitat + 8, top, meitat, 20);
    RecursosGrid = posa(new Graella(this), "RecursosGrid", x + meitat + 8, top + 20, meitat, baix - top - 28);
    paleta(RecursosGrid);
    ImprimirFeines = posa(new QPushButton(Tradueix(QStringLiteral("Imprimir Feines Recurs")), this), "ImprimirFeines",
                          x, baix, ample, 28);
    ImprimirAgenda = posa(new QPushButton(Tradueix(QStringLiteral("Imprimir Agenda")), this), "ImprimirAgenda", x,
                          baix + 32, ample, 28);

    HoresGrid = posa(new Graella(this), "HoresGrid", 0, AltTauler + 4, AmpleTauler, AltFilaHores + 4);
    HoresGrid->setFixedCols(1);
    HoresGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HoresGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HoresGrid->setFont(font);
    HoresGrid->hide();
    Text1 = posa(new QLineEdit(this), "Text1", 0, 0, 60, 22);
    Text1->hide();
    Label1 = posa(new QLabel(this), "Label1", 0, 0, 100, 20);
    Label1->hide();
    connectaHores();

    setMinimumSize(x + ample, AltPagina);
    AltAgenda = AgendaGrid->height();
    AmpleAgenda = AgendaGrid->width();
    instalaClics();
}

void TabAgenda::instalaOperacions()
{
    auto& op = Principal();
    op.Omple_Agenda = [this] { Omple_Agenda(); };
    op.Omple_Graella_Llocs = [this] { Omple_Graella_Llocs(); };
    g_instalada = this;
}

void TabAgenda::prenMidaTauler()
{
    AltAgenda = AgendaGrid->height();
    AmpleAgenda = AgendaGrid->width();
}

void TabAgenda::alliberaGlobus()
{
    delete Globus.data();
    Globus = nullptr;
}

// ---------------------------------------------------------------- rebuild

EntradaAgenda TabAgenda::llegeix(VistaAgenda vista)
{
    EntradaAgenda e;
    e.vista = vista;
    e.dataAgenda = G.DataAgenda;
    e.dataIniciSetmana = G.DataIniciSetmana;
    e.dataIniciMes = G.DataIniciMes;
    e.dataCalendari = CalendariML->dateValue();
    e.avui = Clock::today();
    e.mida = QSize(AmpleAgenda, AltAgenda);
    e.vora = 2 * AgendaGrid->frameWidth();
    e.parametres = ParametresAgenda::actuals();

    Db& db = BD();
    // Each job row brings its resource's colour (none for an unassigned job
    // or a resource that does not exist).
    auto llegeixFeines = [&e](QSqlQuery& q, bool colors) {
        while (q.next()) {
            FeinaAgenda f;
            f.id = q.value(0).toInt();
            f.lloc = q.value(1).toString();
            f.data = dataIso(q.value(2).toString());
            f.horaInici = q.value(3).toString();
            f.horaFi = q.value(4).toString();
            f.recurs = q.value(5).toString();
            f.feta = q.value(6).toInt() != 0;
            if (colors && !q.isNull(7)) e.recursos.afegeix(f.recurs, {q.value(7).toInt(), q.value(8).toInt() != 0});
            e.feines << f;
        }
    };
    if (vista == VistaAgenda::Dia) {
        // A team's job comes once per member, under the member's name and in the member's colour.
        QSqlQuery& q = db.cached(
            QStringLiteral("SELECT f.feines_id, f.llocs_nom, f.feines_data, f.feines_hora_inici, f.feines_hora_fi, "
                           "COALESCE(c.recursos_component_nom, f.recursos_nom) AS recurs, f.feines_feta, "
                           "r.recursos_color, r.recursos_assigna_temps "
                           "FROM Feines f LEFT JOIN Recursos_Components c ON f.recursos_nom = c.recursos_nom "
                           "LEFT JOIN Recursos r ON r.recursos_nom = COALESCE(c.recursos_component_nom, f.recursos_nom) "
                           "WHERE f.feines_data = ? "
                           "ORDER BY recurs COLLATE NOCASE, f.feines_hora_inici, f.feines_hora_fi, f.feines_id"),
            {Conv::isoDate(e.dataAgenda)});
        llegeixFeines(q, true);
    } else if (vista == VistaAgenda::Setmana) {
        QSqlQuery& q = db.cached(
            QStringLiteral("SELECT f.feines_id, f.llocs_nom, f.feines_data, f.feines_hora_inici, f.feines_hora_fi, "
                           "f.recursos_nom, f.feines_feta, r.recursos_color, r.recursos_assigna_temps "
                           "FROM Feines f LEFT JOIN Recursos r ON r.recursos_nom = f.recursos_nom "
                           "WHERE f.feines_data >= ? AND f.feines_data <= ? "
                           "ORDER BY f.feines_data, f.feines_hora_inici, f.feines_id"),
            {Conv::isoDate(e.dataIniciSetmana), Conv::isoDate(e.dataIniciSetmana.addDays(6))});
        llegeixFeines(q, true);
    } else {
        QSqlQuery& q = db.cached(
            QStringLiteral("SELECT feines_id, llocs_nom, feines_data, feines_hora_inici, feines_hora_fi, "
                           "recursos_nom, feines_feta FROM Feines WHERE feines_data >= ? AND feines_data <= ? "
                           "ORDER BY feines_data, feines_hora_inici, feines_id"),
            {Conv::isoDate(e.dataIniciMes), Conv::isoDate(e.dataIniciMes.addDays(41))});
        llegeixFeines(q, false);
    }
    if (vista != VistaAgenda::Dia) return e;

    QSqlQuery& h = db.cached(QStringLiteral("SELECT recursos_nom, hores_quantitat FROM Hores_Fetes WHERE hores_data = ?"),
                             {Conv::isoDate(e.dataAgenda)});
    while (h.next()) e.horesExtra.append({h.value(0).toString(), Decimal::fromVariant(h.value(1))});
    return e;
}

// One cell of the layout into a grid, whole; a cell without text or marks is
// left as cleared unless `sempre`.
void TabAgenda::escriuCella(Graella* g, int fila, int col, const CellaAgenda& ce, const QString& fontEtiquetes,
                            bool sempre)
{
    if (!sempre && ce.text.isEmpty() && !ce.color && !ce.fonsFix && !ce.negreta && !ce.subratllat && ce.alineacio < 0
        && !ce.fontEtiqueta && ce.feines.isEmpty())
        return;
    CellFormat f;
    if (ce.fonsFix) f.back = g->BackColorFixed();
    else if (ce.color) f.back = Graella::colorFromValue(*ce.color);
    f.bold = ce.negreta;
    f.underline = ce.subratllat;
    if (ce.fontEtiqueta) f.fontName = fontEtiquetes;
    f.alignment = ce.alineacio;
    if (!ce.feines.isEmpty()) {
        QVariantList ids;
        ids.reserve(ce.feines.size());
        for (qint32 id : ce.feines) ids << id;
        f.data = ids;
    }
    g->setCell(fila, col, ce.text, f);
}

void TabAgenda::escriu(const DisposicioAgenda& d)
{
    Graella* g = AgendaGrid;
    // Every heading cell is written whole below, in the fixed-cell colour
    // unless it has its own: the grid need not repaint them when clearing.
    g->clearContents();
    if (g->Rows() != d.files) g->setRows(d.files);
    if (g->Cols() != d.columnes) g->setCols(d.columnes);
    g->setRowHeight(0, d.altCapcalera);
    for (int r = 1; r < d.files; ++r) g->setRowHeight(r, d.altFila);
    g->setColWidth(0, d.ampleEtiquetes);
    for (int c = 0; c < d.columnes; ++c) {
        if (c > 0) g->setColWidth(c, d.ampleColumna);
        g->setMergeCol(c, d.fusioColumna[c]);
        g->setColAlignment(c, d.alineacioColumna[c]);
    }
    for (int r = 0; r < d.files; ++r)
        for (int c = 0; c < d.columnes; ++c) escriuCella(g, r, c, d.cella(r, c), fontEtiquetes_, r == 0 || c == 0);
    g->resize(d.midaTauler);
    escriuHores(d);
}

void TabAgenda::escriuHores(const DisposicioAgenda& d)
{
    Graella* h = HoresGrid;
    h->Clear();
    if (!d.ambHores) {
        h->hide();
        return;
    }
    h->setRows(1);
    h->setCols(d.columnes);
    h->setRowHeight(0, AltFilaHores);
    h->setColWidth(0, d.ampleEtiquetes);
    for (int c = 0; c < d.columnes; ++c) {
        if (c > 0) h->setColWidth(c, d.ampleColumna);
        escriuCella(h, 0, c, d.hores[c], QString(), false);
    }
    h->setGeometry(AgendaGrid->x(), AgendaGrid->y() + d.midaTauler.height() + 4, d.midaTauler.width(),
                   AltFilaHores + 2 * h->frameWidth());
    h->show();
}

QFont TabAgenda::fontTauler(int altFila) const
{
    // A line of text fits in a row (less its grid line and margins).
    if (altFila == fontPerFila_.first) return fontPerFila_.second;
    QFont f = fontTauler_;
    while (f.pointSizeF() > 6 && QFontMetrics(f).height() > altFila - 3) f.setPointSizeF(f.pointSizeF() - 0.5);
    fontPerFila_ = {altFila, f};
    return f;
}

int TabAgenda::ampleEtiquetes(const DisposicioAgenda& d) const
{
    // The labels mostly repeat from one rebuild to the next.
    bool iguals = ampladesFont_ == AgendaGrid->font() && etiquetesMesurades_.size() == d.files;
    for (int r = 0; iguals && r < d.files; ++r) iguals = etiquetesMesurades_[r] == d.cella(r, 0).text;
    if (iguals) return ampleMesurat_;
    QFont negreta = AgendaGrid->font();
    negreta.setBold(true);
    QFont fixa = AgendaGrid->font();
    fixa.setFamily(fontEtiquetes_);
    const QFontMetrics mn(negreta), mf(fixa);
    int ample = 0;
    etiquetesMesurades_.clear();
    for (int r = 0; r < d.files; ++r) {
        const CellaAgenda& ce = d.cella(r, 0);
        etiquetesMesurades_ << ce.text;
        for (const QString& linia : QString(ce.text).remove(u'\r').split(u'\n'))
            ample = qMax(ample, (ce.fontEtiqueta ? mf : mn).horizontalAdvance(linia));
    }
    ampladesFont_ = AgendaGrid->font();
    ampleMesurat_ = ample + 8;
    return ampleMesurat_;
}

void TabAgenda::posaTooltipsPaletes(VistaAgenda vista)
{
    if (vista == VistaAgenda::Mes) {
        LlocsGrid->setToolTip(Tradueix(QStringLiteral("Fés DblClick")));
        RecursosGrid->setToolTip(Tradueix(QStringLiteral("Fés Click o DblClick")));
    } else {
        LlocsGrid->setToolTip(Tradueix(QStringLiteral("Fés DblClick o arrossega")));
        RecursosGrid->setToolTip(Tradueix(QStringLiteral("Fés Click, DblClick o arrossega")));
    }
}

void TabAgenda::Omple_Agenda()
{
    Graella* g = AgendaGrid;
    const int filaAntiga = g->Row();
    const int colAntiga = g->Col();
    alliberaGlobus();
    DisposicioAgenda d;
    try {
        const auto vista = vistaActual();
        if (!vista) throw std::runtime_error("Vista desconeguda: '" + G.ModeAgenda.toStdString() + "'");
        const EntradaAgenda e = llegeix(*vista);
        d = disposaAgenda(e);
        g->setFont(fontTauler(d.altFila));
        // The label column widens when its texts (the corner's above all) would not fit.
        if (const int ample = ampleEtiquetes(d); ample > d.ampleEtiquetes) dimensiona(d, e.mida, e.vora, ample);
        {
            // Drawing is suspended while the board is rewritten, and always resumed.
            g->setRedraw(false);
            const auto repren = qScopeGuard([g] { g->setRedraw(true); });
            escriu(d);
        }
        posaTooltipsPaletes(*vista);
    } catch (const std::exception& e) {
        MsgBox::error(QString::fromUtf8(e.what()));
        return;
    }
    disposicio_ = std::move(d);
    AltFila = disposicio_.altFila;
    AmpleColumna = disposicio_.ampleColumna;
    const QPoint actual = cellaActual(filaAntiga, colAntiga, disposicio_.files, disposicio_.columnes);
    g->setCurrentCellAt(actual.y(), actual.x());
    G.AgendaPendent = false;
    ImprimirFeines->setEnabled(false);

    // Jobs that could not be drawn are reported one by one; the rest stand.
    for (const QString& error : disposicio_.errors) MsgBox::error(error);
    for (int i = 0; i < disposicio_.solapaments; ++i) MsgBox::show(Tradueix(QStringLiteral("Feines solapades")));
}

QList<qint32> TabAgenda::feinesCella(const Graella* grid, int fila, int col)
{
    QList<qint32> ids;
    for (const QVariant& v : grid->CellData(fila, col).toList()) ids << v.toInt();
    return ids;
}

QList<qint32> TabAgenda::feinesCella(int fila, int col) const
{
    return feinesCella(AgendaGrid, fila, col);
}

std::optional<VistaAgenda> TabAgenda::vistaActual() const
{
    return vistaDeMode(G.ModeAgenda);
}

QPair<QDate, QDate> TabAgenda::periode() const
{
    switch (vistaActual().value_or(VistaAgenda::Mes)) {
    case VistaAgenda::Setmana: return {G.DataIniciSetmana, G.DataIniciSetmana.addDays(6)};
    case VistaAgenda::Dia: return {G.DataAgenda, G.DataAgenda};
    default: return {G.DataIniciMes, G.DataIniciMes.addDays(41)};
    }
}

// ---------------------------------------------------------------- navigation and sites palette

void TabAgenda::mouPeriode(const QDate& d)
{
    G.DataIniciSetmana = iniciSetmana(d, G.PrimerDiaSetmana);
    G.DataIniciMes = iniciMes(d, G.PrimerDiaSetmana);
    Omple_Agenda();
}

void TabAgenda::CalendariML_DateClick(const QDate& dateClicked)
{
    try {
        const auto vista = vistaActual();
        if (!vista || !dateClicked.isValid()) return;
        switch (*vista) {
        case VistaAgenda::Mes: {
            const bool altreMes =
                dateClicked.year() != G.DataAgenda.year() || dateClicked.month() != G.DataAgenda.month();
            G.DataAgenda = dateClicked;
            if (altreMes) mouPeriode(dateClicked);
            if (AgendaGrid->isVisible()) AgendaGrid->setFocus();
            const QPoint cella = cellaDataMes(G.DataAgenda, G.DataIniciMes);
            if (cella.y() > 0 && cella.y() < AgendaGrid->Rows() && cella.x() < AgendaGrid->Cols())
                AgendaGrid->setCurrentCellAt(cella.y(), cella.x());
            break;
        }
        case VistaAgenda::Setmana: {
            const QDate inici = iniciSetmana(dateClicked, G.PrimerDiaSetmana);
            const bool altraSetmana = !G.DataAgenda.isValid() || inici != iniciSetmana(G.DataAgenda, G.PrimerDiaSetmana);
            G.DataAgenda = inici;
            if (CalendariML->dateValue() != G.DataAgenda) CalendariML->setDateValue(G.DataAgenda);
            if (altraSetmana) mouPeriode(dateClicked);
            break;
        }
        case VistaAgenda::Dia:
            if (dateClicked == G.DataAgenda) return;
            G.DataAgenda = dateClicked;
            mouPeriode(dateClicked);
            break;
        }
    } catch (const std::exception& e) {
        MsgBox::error(QString::fromUtf8(e.what()), QStringLiteral("ERROR"));
    }
}

void TabAgenda::Omple_Graella_Llocs()
{
    Graella* g = LlocsGrid;
    QStringList noms;
    QSqlQuery& q = BD().cached(QStringLiteral("SELECT llocs_nom FROM Llocs ORDER BY llocs_nom"));
    while (q.next()) noms << q.value(0).toString();
    g->Clear();
    g->setCols(1);
    g->setRows(qMax<qsizetype>(1, noms.size()));
    for (int i = 0; i < noms.size(); ++i) g->setTextMatrix(i, 0, noms[i]);
    g->setCurrentCellAt(0, 0);
    g->setTopRow(0);
}

bool TabAgenda::LlocsGrid_KeyDown(int key)
{
    // Keys that type a character; the grid moves on the others itself.
    if (key < 0x20 || key > 0xFF || (key > 0x7E && key < 0xA0)) return false;
    Graella* g = LlocsGrid;
    if (g->Rows() == 0) return true;
    g->setCurrentCellAt(0, 0);
    g->setTopRow(0);
    // Key codes of letters are capitals; names compare by character code.
    const QString k = QChar(char16_t(key));
    int fila = 0;
    while (fila < g->Rows() && QString::compare(g->TextMatrix(fila, 0), k, Qt::CaseSensitive) < 0) ++fila;
    if (fila == g->Rows()) fila = g->Rows() - 1;
    g->setCurrentCellAt(fila, 0);
    g->setTopRow(fila);
    return true;
}

bool TabAgenda::eventFilter(QObject* watched, QEvent* event)
{
    if (filtraHores(watched, event)) return true;
    // The board's and the palettes' mouse, keys, focus and drops.
    if (filtraClics(watched, event)) return true;
    if (watched == LlocsGrid && event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        // Shortcuts keep their keys; a typed character is the palette's own
        // search (the grid's own search would move elsewhere).
        if (!(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return LlocsGrid_KeyDown(k->key());
    }
    return QWidget::eventFilter(watched, event);
}
