// The job dialog: its controls, its loading, the done lock and the resource list.
#include "frmFeines.h"

#include "CalculsFeina.h"
#include "Controls.h"
#include "Convert.h"
#include "Dades.h"
#include "DadesFeina.h"
#include "FullFeina.h"
#include "GraellaLinies.h"
#include "Globals.h"
#include "MarcPagina.h"
#include "MessageBox.h"
#include "Traduccio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Design sizes are in twips, 15 to a pixel.
constexpr int px(int twips) { return (twips + 7) / 15; }

// Widths of the lines grid's columns (service, description, quantity, unit, unit price).
constexpr int AmpleColumna[5] = {px(1790), px(5840), px(870), px(1650), px(1100)};

const char* const PropietatBloquejat = "bloquejat";

std::function<void(frmFeines&)> g_conductor;

QLabel* etiqueta(const QString& text, const char* name)
{
    return anomena(new QLabel(text), name);
}

// A box the program fills: not editable, in the button face colour, out of the Tab order.
QLineEdit* caixaLectura(QLineEdit* box)
{
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    box->setPalette(p);
    return box;
}

QComboBox* llista(QComboBox* c)
{
    c->setEditable(false);
    c->setMaxVisibleItems(16);
    return c;
}

} // namespace

frmFeines::frmFeines(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFeines"));
    construeix();
}

void frmFeines::construeix()
{
    setWindowTitle(Tradueix(QStringLiteral("Detall de Feina")));
    setModal(true);

    // ---- the job ----
    Frame2 = anomena(new QGroupBox(Tradueix(QStringLiteral("Feina"))), "Frame2");
    auto* g = new QGridLayout(Frame2);
    LabelId = etiqueta(Tradueix(QStringLiteral("Id.:")), "LabelId");
    IdFeina = caixaLectura(anomena(new QLineEdit, "IdFeina"));
    IdFeina->setFixedWidth(px(1300));
    Label1 = etiqueta(Tradueix(QStringLiteral("Lloc:")), "Label1");
    LlocFeina = caixaLectura(anomena(new QLineEdit, "LlocFeina"));
    Label2 = etiqueta(Tradueix(QStringLiteral("Data:")), "Label2");
    DataFeina = anomena(new QLineEdit, "DataFeina");
    DataFeina->setFixedWidth(px(1300));
    seleccionaTotEnEntrar(DataFeina);
    Label3 = etiqueta(Tradueix(QStringLiteral("Hora inici:")), "Label3");
    HoraIniciFeina = llista(anomena(new QComboBox, "HoraIniciFeina"));
    Label4 = etiqueta(Tradueix(QStringLiteral("Hora fi:")), "Label4");
    HoraFiFeina = llista(anomena(new QComboBox, "HoraFiFeina"));
    Label5 = etiqueta(Tradueix(QStringLiteral("Recurs:")), "Label5");
    RecursFeina = llista(anomena(new QComboBox, "RecursFeina"));
    RecursFeina->setMinimumWidth(px(2200));
    Label6 = etiqueta(Tradueix(QStringLiteral("Feina feta:")), "Label6");
    FetaFeina = anomena(new QCheckBox, "FetaFeina");
    Label7 = etiqueta(Tradueix(QStringLiteral("Data factura:")), "Label7");
    DataFacturaFeina = caixaLectura(anomena(new QLineEdit, "DataFacturaFeina"));
    DataFacturaFeina->setFixedWidth(px(1300));
    Label10 = etiqueta(Tradueix(QStringLiteral("Observacions:")), "Label10");
    ObservacionsFeina = anomena(new QPlainTextEdit, "ObservacionsFeina");
    ObservacionsFeina->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ObservacionsFeina->setTabChangesFocus(true);
    ObservacionsFeina->setMinimumWidth(px(3800));

    g->addWidget(LabelId, 0, 0);
    g->addWidget(IdFeina, 0, 1);
    g->addWidget(Label10, 0, 6);
    g->addWidget(Label1, 1, 0);
    g->addWidget(LlocFeina, 1, 1, 1, 5);
    g->addWidget(Label2, 2, 0);
    g->addWidget(DataFeina, 2, 1);
    g->addWidget(Label3, 2, 2, Qt::AlignRight);
    g->addWidget(HoraIniciFeina, 2, 3);
    g->addWidget(Label4, 2, 4, Qt::AlignRight);
    g->addWidget(HoraFiFeina, 2, 5);
    g->addWidget(Label5, 3, 0);
    g->addWidget(RecursFeina, 3, 1);
    g->addWidget(Label6, 3, 2, Qt::AlignRight);
    g->addWidget(FetaFeina, 3, 3);
    g->addWidget(Label7, 3, 4, Qt::AlignRight);
    g->addWidget(DataFacturaFeina, 3, 5);
    g->addWidget(ObservacionsFeina, 1, 6, 3, 1);
    g->setColumnStretch(6, 1);

    // ---- the service lines ----
    Frame1 = anomena(new QGroupBox(Tradueix(QStringLiteral("Serveis"))), "Frame1");
    auto* s = new QGridLayout(Frame1);
    s->setHorizontalSpacing(0);
    Label29 = etiqueta(Tradueix(QStringLiteral("Nom")), "Label29");
    Label11 = etiqueta(Tradueix(QStringLiteral("Descripció")), "Label11");
    Label28 = etiqueta(Tradueix(QStringLiteral("Quantitat")), "Label28");
    Label27 = etiqueta(Tradueix(QStringLiteral("Unitat")), "Label27");
    Label30 = etiqueta(Tradueix(QStringLiteral("Preu unitari")), "Label30");
    ServeisCombo = anomena(new Combo, "ServeisCombo");
    llista(ServeisCombo);
    DescripcioServeiFeina = anomena(new QLineEdit, "DescripcioServeiFeina");
    DescripcioServeiFeina->setMaxLength(255);
    QuantitatServeiFeina = anomena(new QLineEdit, "QuantitatServeiFeina");
    QuantitatServeiFeina->setAlignment(Qt::AlignRight);
    UnitatServeiFeina = caixaLectura(anomena(new QLineEdit, "UnitatServeiFeina"));
    PreuServeiFeina = anomena(new QLineEdit, "PreuServeiFeina");
    PreuServeiFeina->setAlignment(Qt::AlignRight);
    for (QLineEdit* e : {DescripcioServeiFeina, QuantitatServeiFeina, PreuServeiFeina}) seleccionaTotEnEntrar(e);
    AfegirServei = anomena(new QPushButton(QStringLiteral("+")), "AfegirServei");
    AfegirServei->setToolTip(Tradueix(QStringLiteral("Afegir servei a la feina.")));
    AfegirServei->setFixedWidth(px(400));

    auto* graella = new GraellaLinies;
    DetallFeinaServeis = anomena(graella, "DetallFeinaServeis");
    DetallFeinaServeis->setCols(5);
    DetallFeinaServeis->setRows(0);
    DetallFeinaServeis->setFixedRows(0);
    DetallFeinaServeis->setFixedCols(0);
    DetallFeinaServeis->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DetallFeinaServeis->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DetallFeinaServeis->setSelectionBehavior(QAbstractItemView::SelectRows);
    int ample = 0;
    for (int c = 0; c < 5; ++c) {
        DetallFeinaServeis->setColWidth(c, AmpleColumna[c]);
        ample += AmpleColumna[c];
    }
    DetallFeinaServeis->setFixedWidth(ample + 2 * DetallFeinaServeis->frameWidth()
                                      + DetallFeinaServeis->verticalScrollBar()->sizeHint().width());
    DetallFeinaServeis->setMinimumHeight(px(2000));
    DetallFeinaServeis->verticalHeader()->setDefaultSectionSize(qMax(px(240), fontMetrics().height() + 6));
    graella->premut = [this](int y) { DetallFeinaServeis_MouseDown(y); };
    graella->clicat = [this] { protegeix(QString(), [this] { DetallFeinaServeis_Click(); }); };

    QWidget* editors[5] = {ServeisCombo, DescripcioServeiFeina, QuantitatServeiFeina, UnitatServeiFeina,
                           PreuServeiFeina};
    QLabel* titols[5] = {Label29, Label11, Label28, Label27, Label30};
    for (int c = 0; c < 5; ++c) {
        editors[c]->setFixedWidth(AmpleColumna[c]);
        titols[c]->setIndent(2);
        s->addWidget(titols[c], 0, c);
        s->addWidget(editors[c], 1, c);
    }
    s->addWidget(AfegirServei, 1, 5, Qt::AlignLeft);
    s->addWidget(DetallFeinaServeis, 2, 0, 1, 6, Qt::AlignLeft);
    Label8 = etiqueta(Tradueix(QStringLiteral("TOTAL FEINA:")), "Label8");
    Label8->setContentsMargins(0, 0, 6, 0);
    TotalFeina = caixaLectura(anomena(new QLineEdit, "TotalFeina"));
    TotalFeina->setAlignment(Qt::AlignRight);
    // As wide as the unit's and the price's columns: the largest total shows whole.
    TotalFeina->setFixedWidth(AmpleColumna[3] + AmpleColumna[4]);
    xifraSencera(TotalFeina);
    Label9 = etiqueta(QStringLiteral("€"), "Label9");
    s->addWidget(Label8, 3, 0, 1, 3, Qt::AlignRight);
    s->addWidget(TotalFeina, 3, 3, 1, 2, Qt::AlignRight);
    s->addWidget(Label9, 3, 5);
    s->setColumnStretch(6, 1);
    g->addWidget(Frame1, 4, 0, 1, 7);

    // ---- buttons ----
    ImprimirButton = anomena(new QPushButton(Tradueix(QStringLiteral("Imprimir"))), "ImprimirButton");
    OKButton = anomena(new QPushButton(Tradueix(QStringLiteral("Modificar"))), "OKButton");
    // Enter in a box does not press a button: the user saves with "Modificar" only.
    for (QPushButton* b : {ImprimirButton, OKButton, AfegirServei}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* botons = new QHBoxLayout;
    botons->addWidget(ImprimirButton);
    botons->addWidget(OKButton);
    botons->addStretch(1);
    g->addLayout(botons, 5, 0, 1, 7);

    auto* v = new QVBoxLayout(this);
    v->addWidget(Frame2);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* ordre[] = {DataFeina, HoraIniciFeina, HoraFiFeina, RecursFeina, FetaFeina, ObservacionsFeina,
                        ServeisCombo, DescripcioServeiFeina, QuantitatServeiFeina, PreuServeiFeina, AfegirServei,
                        DetallFeinaServeis, ImprimirButton, OKButton};
    for (size_t i = 1; i < std::size(ordre); ++i) setTabOrder(ordre[i - 1], ordre[i]);

    for (QComboBox* c : {HoraIniciFeina, HoraFiFeina, RecursFeina, static_cast<QComboBox*>(ServeisCombo)})
        c->installEventFilter(this);

    connect(FetaFeina, &QCheckBox::toggled, this, [this] { protegeix(QString(), [this] { FetaFeina_Click(); }); });
    connect(RecursFeina, &QComboBox::activated, this,
            [this] { protegeix(QString(), [this] { RecursFeina_Click(); }); });
    connect(ServeisCombo, &QComboBox::activated, this,
            [this] { protegeix(QString(), [this] { ServeisCombo_Click(); }); });
    connect(ServeisCombo, &Combo::desplegant, this, [this] { ServeisCombo_DropDown(); });
    connect(AfegirServei, &QPushButton::clicked, this, [this] { AfegirServei_Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(ImprimirButton, &QPushButton::clicked, this, &frmFeines::ImprimirButton_Click);
}

bool frmFeines::Form_Load()
{
    try {
        Carregant = true;
        clicLinia_ = false;
        const Feina& f = G.FeinaActual;
        IdFeina->setText(QString::number(f.Id));
        LlocFeina->setText(f.Lloc);
        DataFeina->setText(f.Data.isValid() ? Conv::shortDate(f.Data) : QString());

        const TramsDia trams = Trams_Dia(G.HoraInici, G.MinutsCella, G.CellesDia, f.HoraInici, f.HoraFi);
        HoraIniciFeina->clear();
        HoraIniciFeina->addItems(trams.inicis);
        HoraIniciFeina->setCurrentIndex(trams.inici);
        HoraFiFeina->clear();
        HoraFiFeina->addItems(trams.finals);
        HoraFiFeina->setCurrentIndex(trams.fi);

        RecursFeina->clear();
        int recurs = -1;
        for (const Dades::Recurs& r : Dades::recursos()) {
            if (!f.Recurs.isEmpty() && r.nom.compare(f.Recurs, Qt::CaseInsensitive) == 0) recurs = RecursFeina->count();
            RecursFeina->addItem(r.nom);
        }
        RecursFeina->setCurrentIndex(recurs);

        FetaFeina->setChecked(f.Feta);
        FetaFeina_Click();
        DataFacturaFeina->setText(f.DataFactura.isValid() ? Conv::shortDate(f.DataFactura) : QString());
        ObservacionsFeina->setPlainText(DadesFeina::observacions(f.Id).value_or(QString()));

        ServeisCombo->clear();
        ServeisCombo->addItems(Dades::nomsServeis());
        ServeisCombo->setCurrentIndex(-1);
        Omple_Serveis_Feina();
        Carregant = false;
        DataFeina->setFocus();
        return true;
    } catch (const std::exception& e) {
        Carregant = false;
        MsgBox::error(Tradueix(QString::fromUtf8(e.what())), QString(), this);
    } catch (...) {
        Carregant = false;
        MsgBox::error(QStringLiteral("?"), QString(), this);
    }
    return false;
}

void frmFeines::FetaFeina_Click()
{
    bloqueja(FetaFeina->isChecked());
}

// Done jobs show everything but the done box and the buttons as read-only.
void frmFeines::bloqueja(bool bloquejat)
{
    for (QLineEdit* e : {DataFeina, DescripcioServeiFeina, QuantitatServeiFeina, PreuServeiFeina})
        e->setReadOnly(bloquejat);
    ObservacionsFeina->setReadOnly(bloquejat);
    for (QComboBox* c : {HoraIniciFeina, HoraFiFeina, RecursFeina, static_cast<QComboBox*>(ServeisCombo)})
        c->setProperty(PropietatBloquejat, bloquejat);
    DetallFeinaServeis->setEnabled(!bloquejat);
    AfegirServei->setEnabled(!bloquejat);
}

bool frmFeines::eventFilter(QObject* watched, QEvent* event)
{
    auto* combo = qobject_cast<QComboBox*>(watched);
    if (!combo) return QDialog::eventFilter(watched, event);
    if (combo == RecursFeina && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        protegeix(QString(), [this] { RecursFeina_KeyDown(Qt::Key_Delete); });
        return true;
    }
    // A locked list shows its choice and takes none.
    if (!combo->property(PropietatBloquejat).toBool()) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        return true;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key != Qt::Key_Tab && key != Qt::Key_Backtab;
    }
    default:
        return false;
    }
}

QString frmFeines::recursTriat() const
{
    return RecursFeina->currentIndex() < 0 ? QString() : RecursFeina->currentText();
}

void frmFeines::RecursFeina_Click()
{
    if (Carregant) return;
    Calcula_Hora_Fi_Feina();
}

// Delete leaves the job unassigned; the end then follows as for any other choice.
void frmFeines::RecursFeina_KeyDown(int keyCode)
{
    if (keyCode != Qt::Key_Delete || FetaFeina->isChecked()) return;
    RecursFeina->setCurrentIndex(-1);
    Calcula_Hora_Fi_Feina();
}

// The job sheet of what the dialog shows, saved or not; the dialog and the
// database stay as they are.
void frmFeines::ImprimirButton_Click()
{
    protegeix(QString(), [this] {
        FullFeina full;
        full.id = IdFeina->text();
        full.lloc = LlocFeina->text();
        full.data = DataFeina->text();
        full.horaInici = HoraIniciFeina->currentText();
        full.horaFi = HoraFiFeina->currentText();
        full.recurs = recursTriat();
        full.feta = FetaFeina->isChecked();
        full.observacions = ObservacionsFeina->toPlainText();
        for (int r = 0; r < DetallFeinaServeis->Rows(); ++r) {
            LiniaFullFeina l;
            l.servei = DetallFeinaServeis->TextMatrix(r, 0);
            l.descripcio = DetallFeinaServeis->TextMatrix(r, 1);
            l.textQuantitat = DetallFeinaServeis->TextMatrix(r, 2);
            l.unitat = DetallFeinaServeis->TextMatrix(r, 3);
            l.textPreu = DetallFeinaServeis->TextMatrix(r, 4);
            full.linies.append(l);
        }
        anunciaDesti(Imprimeix_Detall_Feina(full, this), this);
    });
}

void Obre_Feina(QWidget* parent)
{
    frmFeines dialeg(parent);
    if (!dialeg.Form_Load()) return;
    if (g_conductor)
        g_conductor(dialeg);
    else
        dialeg.exec();
}

void setConductorFeines(std::function<void(frmFeines&)> conductor)
{
    g_conductor = std::move(conductor);
}
