// The extra-hours row of the day view: HoresGrid shows the hours each
// resource of the board has recorded for the shown day; Text1 floats over a
// cell to edit them, starting from the hours the board's jobs suggest.
#include "TabAgenda.h"

#include "Consultes.h"
#include "Controls.h"
#include "Globals.h"
#include "Graella.h"
#include "HoresExtres.h"
#include "MessageBox.h"
#include "Traduccio.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

namespace {

bool esEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void TabAgenda::connectaHores()
{
    Text1->installEventFilter(this);
    HoresGrid->installEventFilter(this);
    connect(HoresGrid, &QTableWidget::cellClicked, this, [this] { HoresGrid_Click(); });
    connect(HoresGrid, &QTableWidget::currentCellChanged, this, [this] { HoresGrid_LeaveCell(); });
}

bool TabAgenda::filtraHores(QObject* watched, QEvent* event)
{
    if (watched == Text1) {
        if (event->type() == QEvent::KeyPress) return Text1_KeyDown(static_cast<QKeyEvent*>(event)->key());
        if (event->type() == QEvent::FocusOut) {
            // Another window or the box's own menu taking the focus is no leaving.
            const Qt::FocusReason r = static_cast<QFocusEvent*>(event)->reason();
            if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) Text1_LostFocus();
        }
    } else if (watched == HoresGrid && event->type() == QEvent::KeyPress) {
        return HoresGrid_KeyDown(static_cast<QKeyEvent*>(event)->key());
    }
    return false;
}

// ---------------------------------------------------------------- starting an edit

namespace {

// The resource heading the board column of the row's current cell, when that
// column is a resource's; "" for the label column, an empty column and the
// column of unassigned jobs.
QString recursActual(const Graella* agenda, const Graella* hores, bool diaVisible)
{
    const int c = hores->Col();
    if (!diaVisible || hores->Row() < 0 || c < hores->FixedCols() || c >= hores->Cols() || c >= agenda->Cols())
        return QString();
    const QString recurs = agenda->TextMatrix(0, c);
    return recurs == G.TexteNoAsignada ? QString() : recurs;
}

} // namespace

void TabAgenda::HoresGrid_Click()
{
    protegeix(QString(), [this] {
        const QString recurs = recursActual(AgendaGrid, HoresGrid, disposicio_.ambHores);
        if (!recurs.isEmpty() && Recurs_Assigna_Temps(recurs)) Edita_Cella_Hores();
    });
}

bool TabAgenda::HoresGrid_KeyDown(int key)
{
    if (!esEnter(key)) return false;
    protegeix(QString(), [this] {
        if (!recursActual(AgendaGrid, HoresGrid, disposicio_.ambHores).isEmpty()) Edita_Cella_Hores();
    });
    return true;
}

Decimal TabAgenda::horesProposades(int col) const
{
    const Graella* g = AgendaGrid;
    const QString recurs = g->TextMatrix(0, col);
    // A resource with overlapping jobs heads more than one column: a row is
    // worked when any of them holds a job.
    QList<int> columnes;
    for (int c = 1; c < g->Cols(); ++c)
        if (c == col || g->TextMatrix(0, c) == recurs) columnes << c;
    QList<CellaHores> celles;
    celles.reserve(g->Rows());
    for (int r = 1; r < g->Rows(); ++r) {
        bool ocupada = false;
        for (int c : columnes) ocupada = ocupada || !g->TextMatrix(r, c).isEmpty();
        celles.append({g->TextMatrix(r, 0), ocupada});
    }
    return Calcula_Hores_Extres(celles, ParametresHoresExtres::actuals(), G.DataAgenda);
}

void TabAgenda::Edita_Cella_Hores()
{
    protegeix(QString(), [this] {
        desaHores();   // an edit under way is stored first
        const int c = HoresGrid->Col();
        const int r = HoresGrid->Row();
        if (r < 0 || c < HoresGrid->FixedCols() || c >= AgendaGrid->Cols()) return;
        const Decimal proposta = horesProposades(c);

        // Over the cell, in the row's font size, centred as the row's values.
        const QRect cella = HoresGrid->visualRect(HoresGrid->model()->index(r, c));
        Text1->setGeometry(QRect(HoresGrid->viewport()->mapTo(this, cella.topLeft()), cella.size()));
        Text1->setAlignment(Qt::AlignCenter);
        QFont font = Text1->font();
        font.setPointSizeF(HoresGrid->font().pointSizeF());
        Text1->setFont(font);

        edicioHores_ = EdicioHores{c, AgendaGrid->TextMatrix(0, c), G.DataAgenda};
        Text1->setText(formatHores(proposta));
        Text1->raise();
        Text1->show();
        Text1->setFocus();
        // Typing replaces the proposal.
        Text1->setSelection(0, int(Text1->text().size()));
    });
}

// ---------------------------------------------------------------- editor keys and storing

bool TabAgenda::Text1_KeyDown(int key)
{
    bool presa = true;
    protegeix(QString(), [&] {
        switch (key) {
        case Qt::Key_Escape:
            edicioHores_.reset();
            Text1->hide();
            HoresGrid->setFocus();
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Leaving the editor stores it; stored here too in case the focus could not move.
            HoresGrid->setFocus();
            desaHores();
            break;
        case Qt::Key_Right:
        case Qt::Key_Left: {
            HoresGrid->setFocus();
            desaHores();
            const int c = HoresGrid->Col();
            if (key == Qt::Key_Right && c < HoresGrid->Cols() - 1) HoresGrid->setCurrentCellAt(HoresGrid->Row(), c + 1);
            if (key == Qt::Key_Left && c > HoresGrid->FixedCols()) HoresGrid->setCurrentCellAt(HoresGrid->Row(), c - 1);
            break;
        }
        default:
            presa = false;
        }
    });
    return presa;
}

void TabAgenda::Text1_LostFocus()
{
    protegeix(QString(), [this] { desaHores(); });
}

void TabAgenda::HoresGrid_LeaveCell()
{
    protegeix(QString(), [this] { desaHores(); });
}

void TabAgenda::desaHores()
{
    if (!edicioHores_) return;
    // The edit ends here whatever comes of it: one edit is stored once.
    const EdicioHores e = *std::exchange(edicioHores_, std::nullopt);
    const QString text = Text1->text().trimmed();
    Text1->hide();

    // A blank box clears the hours; a typo must not, so anything else that is
    // not a number is refused and the stored hours stay.
    const std::optional<Decimal> llegides = text.isEmpty() ? std::optional(Decimal()) : Decimal::parse(text);
    if (!llegides || llegides->beyondInput()) {
        const bool gran = llegides || Decimal::isNumber(text);
        MsgBox::show(Tradueix(gran ? QStringLiteral("El valor és massa gran")
                                   : QStringLiteral("Les hores extra han de ser numèriques")));
        return;
    }
    // As shown: to the cent.
    const Decimal hores = llegides->roundedCents();
    Grava_Hores_Fetes(hores, e.recurs, e.dia);

    // Every column of the resource shows what is stored.
    if (e.dia != G.DataAgenda) return;
    CellFormat centrat;
    centrat.alignment = 4;
    for (int c = HoresGrid->FixedCols(); c < HoresGrid->Cols() && c < AgendaGrid->Cols(); ++c)
        if (AgendaGrid->TextMatrix(0, c) == e.recurs) HoresGrid->setCell(0, c, formatHores(hores), centrat);
}
