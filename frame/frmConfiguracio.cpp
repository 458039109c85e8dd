#include "frmConfiguracio.h"

#include "Clock.h"
#include "Configuracio.h"
#include "Convert.h"
#include "Dialogs.h"
#include "GestioBD.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Parametres.h"
#include "SeleccionaTot.h"
#include "Traduccio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

QString decimalText(const Decimal& d) { return d.toShortString(); }

// Fixed form of a number box for the settings file; "" stays "".
QString formaFixa(const QString& text)
{
    if (text.trimmed().isEmpty()) return QString();
    if (auto d = Decimal::parse(text.trimmed())) return iniDecimal(*d);
    return text;
}

} // namespace

frmConfiguracio::frmConfiguracio(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmConfiguracio"));
    construeix();
    try {
        carrega();
    } catch (const std::exception& e) {
        MsgBox::error(QString::fromUtf8(e.what()), QStringLiteral("ERROR"), this);
    }
}

QLabel* frmConfiguracio::etiqueta(const QString& text, const char* name)
{
    auto* l = new QLabel(text);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}

void frmConfiguracio::construeix()
{
    setWindowTitle(Tradueix(QStringLiteral("Paràmetres de Configuració")));
    setModal(true);

    auto box = [this](QLineEdit*& e, const char* name, int width) {
        e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaximumWidth(width);
        return e;
    };
    auto combo = [this](QComboBox*& c, const char* name) {
        c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(false);
        return c;
    };
    auto check = [this](QCheckBox*& c, const char* name) {
        c = new QCheckBox(this);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };
    auto frame = [this](QGroupBox*& g, const char* name, const QString& caption) {
        g = new QGroupBox(caption.toUpper(), this);
        g->setObjectName(QString::fromLatin1(name));
        return new QGridLayout(g);
    };

    // Database
    QGridLayout* g = frame(FrameBaseDades, "FrameBaseDades", Tradueix(QStringLiteral("Base de dades")));
    btnSeleccionaBD = new QPushButton(Tradueix(QStringLiteral("Seleccionar")), this);
    btnSeleccionaBD->setObjectName(QStringLiteral("btnSeleccionaBD"));
    box(txtBD, "txtBD", 10000);
    txtBD->setReadOnly(true);
    txtBD->setFocusPolicy(Qt::NoFocus);
    txtBD->setBackgroundRole(QPalette::Button);
    txtBD->setMinimumWidth(360);
    btnPurgarBD = new QPushButton(Tradueix(QStringLiteral("Esborrar feines")), this);
    btnPurgarBD->setObjectName(QStringLiteral("btnPurgarBD"));
    Label16 = etiqueta(Tradueix(QStringLiteral("fins al")), "Label16");
    box(txtDataPurgat, "txtDataPurgat", 100);
    g->addWidget(btnSeleccionaBD, 0, 0);
    g->addWidget(txtBD, 0, 1, 1, 3);
    g->addWidget(btnPurgarBD, 1, 0);
    g->addWidget(Label16, 1, 1, Qt::AlignRight);
    g->addWidget(txtDataPurgat, 1, 2);
    g->setColumnStretch(3, 1);

    // Planning
    g = frame(FramePlanificacio, "FramePlanificacio", Tradueix(QStringLiteral("Planificació")));
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Tram mínim:"))), 0, 0);
    auto* minuts = new QHBoxLayout;
    minuts->addWidget(box(txtMinutsCella, "txtMinutsCella", 50));
    minuts->addWidget(etiqueta(Tradueix(QStringLiteral("minuts"))));
    g->addLayout(minuts, 0, 1);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Hora inici:"))), 0, 2);
    g->addWidget(combo(ComboHoraInici, "ComboHoraInici"), 0, 3);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Hora fi:"))), 0, 4);
    g->addWidget(combo(ComboHoraFinal, "ComboHoraFinal"), 0, 5);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Permetre solapar llocs:"))), 1, 0);
    g->addWidget(check(chkPermetSolaparLlocs, "chkPermetSolaparLlocs"), 1, 1);
    Label20 = etiqueta(Tradueix(QStringLiteral("Últim dia planificat:")), "Label20");
    g->addWidget(Label20, 1, 2, 1, 2, Qt::AlignRight);
    g->addWidget(box(txtUltDiaGenerat, "txtUltDiaGenerat", 100), 1, 4, 1, 2);

    // Extra hours
    g = frame(FrameHoresExtra, "FrameHoresExtra", Tradueix(QStringLiteral("Hores extra")));
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Hores std./día:"))), 0, 0);
    g->addWidget(box(txtHoresDia, "txtHoresDia", 60), 0, 1);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Dissabtes extra:"))), 0, 2);
    g->addWidget(check(chkDissabtesExtra, "chkDissabtesExtra"), 0, 3);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Diumenges extra:"))), 0, 4);
    g->addWidget(check(chkDiumengesExtra, "chkDiumengesExtra"), 0, 5);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Càlcul per hores fetes:"))), 1, 0);
    g->addWidget(check(chkCalculHoresFetes, "chkCalculHoresFetes"), 1, 1);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Hora inici dinar:"))), 1, 2);
    g->addWidget(combo(ComboHoraIniciDinar, "ComboHoraIniciDinar"), 1, 3);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Hora fi dinar:"))), 1, 4);
    g->addWidget(combo(ComboHoraFinalDinar, "ComboHoraFinalDinar"), 1, 5);

    // Cheques
    g = frame(FrameXecs, "FrameXecs", Tradueix(QStringLiteral("Xecs")));
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Servei amb xecs:"))), 0, 0);
    g->addWidget(combo(ComboServeiXecs, "ComboServeiXecs"), 0, 1);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("#màxim de xecs/mes:"))), 0, 2);
    g->addWidget(box(txtNMaxXecsMes, "txtNMaxXecsMes", 60), 0, 3);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Valor/xec:"))), 1, 0);
    auto* valor = new QHBoxLayout;
    valor->addWidget(box(txtValorDftXec, "txtValorDftXec", 70));
    valor->addWidget(etiqueta(QStringLiteral("€")));
    g->addLayout(valor, 1, 1);
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Estalvi xec/un. servei:"))), 1, 2);
    auto* cost = new QHBoxLayout;
    cost->addWidget(box(txtCostHoraXec, "txtCostHoraXec", 70));
    cost->addWidget(etiqueta(QStringLiteral("€")));
    g->addLayout(cost, 1, 3);

    // Language
    g = frame(FrameLocalitzacio, "FrameLocalitzacio", Tradueix(QStringLiteral("Localització")));
    g->addWidget(etiqueta(Tradueix(QStringLiteral("Idioma:"))), 0, 0);
    g->addWidget(combo(ComboSelIdioma, "ComboSelIdioma"), 0, 1);
    g->setColumnStretch(2, 1);

    CancelButton = new QPushButton(Tradueix(QStringLiteral("Cancel·lar")), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    OKButton = new QPushButton(Tradueix(QStringLiteral("Configurar")), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    // The buttons take no focus from a click, so pressing them does not
    // first run the check of the box being left: OK checks every box itself.
    CancelButton->setFocusPolicy(Qt::TabFocus);
    OKButton->setFocusPolicy(Qt::TabFocus);

    auto* botons = new QHBoxLayout;
    botons->addStretch(1);
    botons->addWidget(CancelButton);
    botons->addWidget(OKButton);

    auto* v = new QVBoxLayout(this);
    for (QGroupBox* f : {FrameBaseDades, FramePlanificacio, FrameHoresExtra, FrameXecs, FrameLocalitzacio})
        v->addWidget(f);
    v->addLayout(botons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (QLineEdit* e : {txtCostHoraXec, txtDataPurgat, txtHoresDia, txtMinutsCella, txtNMaxXecsMes, txtUltDiaGenerat,
                         txtValorDftXec})
        SeleccionaTot::instal(e);
    for (QLineEdit* e : {txtCostHoraXec, txtHoresDia, txtMinutsCella, txtNMaxXecsMes, txtUltDiaGenerat, txtValorDftXec})
        e->installEventFilter(this);

    connect(OKButton, &QPushButton::clicked, this, &frmConfiguracio::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmConfiguracio::CancelButton_Click);
    connect(btnSeleccionaBD, &QPushButton::clicked, this, &frmConfiguracio::btnSeleccionaBD_Click);
    connect(btnPurgarBD, &QPushButton::clicked, this, &frmConfiguracio::btnPurgarBD_Click);
    connect(ComboServeiXecs, &QComboBox::currentIndexChanged, this, &frmConfiguracio::ComboServeiXecs_Click);
    connect(txtBD, &QLineEdit::textChanged, this, [this](const QString& t) { txtBD->setCursorPosition(int(t.size())); });
}

void frmConfiguracio::carrega()
{
    txtBD->setText(G.BaseDades);
    txtDataPurgat->setText(Conv::shortDate(QDate(Clock::today().year(), 1, 1).addDays(-1)));
    txtMinutsCella->setText(QString::number(G.MinutsCella));
    MinutsCellaDialeg = G.MinutsCella;
    Omple_Combos_Hores();
    txtUltDiaGenerat->setText(Conv::shortDate(G.UltimDiaGen));
    txtHoresDia->setText(decimalText(G.HoresDia));
    chkDissabtesExtra->setChecked(G.DissabtesExtra);
    chkDiumengesExtra->setChecked(G.DiumengesExtra);
    chkCalculHoresFetes->setChecked(G.CalculxHores);
    chkPermetSolaparLlocs->setChecked(G.PermetSolaparLlocs);

    // The first-run form applies whatever the file holds.
    if (G.PrimeraExecucio) {
        CancelButton->setEnabled(false);
        for (QWidget* w : std::initializer_list<QWidget*>{btnPurgarBD, Label16, txtDataPurgat, Label20,
                                                          txtUltDiaGenerat, FrameLocalitzacio})
            w->hide();
    }

    Omple_Combo_ServeiXecs();
    txtNMaxXecsMes->setText(QString::number(G.MaxXecsMes));
    txtValorDftXec->setText(decimalText(G.ValorXec));
    txtCostHoraXec->setText(decimalText(G.CostHoraXec));

    ComboSelIdioma->clear();
    for (const QString& entrada : Parametres::entradesIdiomes(iniPath())) {
        ComboSelIdioma->addItem(entrada);
        if (Parametres::codiIdioma(entrada) == G.Idioma) ComboSelIdioma->setCurrentIndex(ComboSelIdioma->count() - 1);
    }
    if (ComboSelIdioma->count() > 0 && Parametres::codiIdioma(ComboSelIdioma->currentText()) != G.Idioma)
        ComboSelIdioma->setCurrentIndex(-1);
}

void frmConfiguracio::Omple_Combos_Hores()
{
    const auto l = Parametres::llistesHores(MinutsCellaDialeg, G.HoraInici, G.HoraFinal, G.HoraIniciDinar,
                                            G.HoraFinalDinar);
    auto omple = [](QComboBox* c, const QStringList& items, int sel) {
        c->clear();
        c->addItems(items);
        c->setCurrentIndex(sel);
    };
    omple(ComboHoraInici, l.inici, l.selInici);
    omple(ComboHoraIniciDinar, l.inici, l.selIniciDinar);
    omple(ComboHoraFinal, l.fi, l.selFi);
    omple(ComboHoraFinalDinar, l.fi, l.selFiDinar);
}

void frmConfiguracio::Omple_Combo_ServeiXecs()
{
    {
        const QSignalBlocker block(ComboServeiXecs);
        ComboServeiXecs->clear();
        ComboServeiXecs->addItem(QString());
        int sel = 0;
        QSqlQuery q = BD().query(QStringLiteral("SELECT serveis_nom FROM Serveis ORDER BY serveis_nom"));
        while (q.next()) {
            const QString nom = q.value(0).toString();
            ComboServeiXecs->addItem(nom);
            if (nom == G.ServeiXecs) sel = ComboServeiXecs->count() - 1;
        }
        ComboServeiXecs->setCurrentIndex(sel);
    }
    ComboServeiXecs_Click();
}

void frmConfiguracio::ComboServeiXecs_Click()
{
    const bool cap = ComboServeiXecs->currentIndex() <= 0;
    if (cap) {
        for (QLineEdit* e : {txtNMaxXecsMes, txtValorDftXec, txtCostHoraXec}) {
            e->clear();
            e->setEnabled(false);
        }
    } else {
        txtNMaxXecsMes->setText(QString::number(G.MaxXecsMes));
        txtValorDftXec->setText(decimalText(G.ValorXec));
        txtCostHoraXec->setText(decimalText(G.CostHoraXec));
        for (QLineEdit* e : {txtNMaxXecsMes, txtValorDftXec, txtCostHoraXec}) e->setEnabled(true);
    }
}

bool frmConfiguracio::eventFilter(QObject* watched, QEvent* event)
{
    // Only a move of the focus to another control of the dialog leaves a box:
    // a message box or a list popping up over the dialog does not.
    if (event->type() == QEvent::FocusOut && isVisible() && !m_comprovant) {
        const Qt::FocusReason motiu = static_cast<QFocusEvent*>(event)->reason();
        if (motiu != Qt::ActiveWindowFocusReason && motiu != Qt::PopupFocusReason) {
            if (auto* e = qobject_cast<QLineEdit*>(watched)) comprovaCamp(e);
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool frmConfiguracio::comprovaCamp(QLineEdit* box)
{
    Parametres::Comprovacio c;
    const QString text = box->text();
    if (box == txtMinutsCella) {
        c = Parametres::minutsCella(text);
        const auto v = Conv::toInt16(c.text);
        if (c.ok() && v.ok() && v.value != MinutsCellaDialeg) {
            MinutsCellaDialeg = v.value;
            Omple_Combos_Hores();
        }
    } else if (box == txtHoresDia) {
        c = Parametres::horesDia(text);
    } else if (box == txtValorDftXec) {
        c = Parametres::valorXec(text);
    } else if (box == txtCostHoraXec) {
        c = Parametres::costHoraXec(text);
    } else if (box == txtNMaxXecsMes) {
        c = Parametres::maxXecsMes(text);
    } else if (box == txtUltDiaGenerat) {
        c = Parametres::data(text);
    } else {
        return true;
    }
    if (c.text != text) box->setText(c.text);
    if (c.ok()) return true;
    {
        // Moving the focus back must not check the box being left again.
        const QScopedValueRollback<bool> guard(m_comprovant, true);
        MsgBox::show(Tradueix(c.missatge), MsgBox::OK, QString(), MsgBox::NoIcon, this);
        box->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

bool frmConfiguracio::comprovaTot()
{
    // Every field is checked again: a box never left keeps what was typed.
    for (QLineEdit* e : {txtMinutsCella, txtHoresDia, txtUltDiaGenerat})
        if (!comprovaCamp(e)) return false;
    if (ComboServeiXecs->currentIndex() > 0) {
        for (QLineEdit* e : {txtNMaxXecsMes, txtValorDftXec, txtCostHoraXec})
            if (!comprovaCamp(e)) return false;
    }
    // The day's hours and the lunch break, each end after its start.
    const struct {
        QComboBox* inici;
        QComboBox* fi;
        bool dinar;
    } parells[] = {{ComboHoraInici, ComboHoraFinal, false}, {ComboHoraIniciDinar, ComboHoraFinalDinar, true}};
    for (const auto& p : parells) {
        const QString inici = p.inici->currentIndex() < 0 ? QString() : p.inici->currentText();
        const QString fi = p.fi->currentIndex() < 0 ? QString() : p.fi->currentText();
        const QString refus = Parametres::ordreHores(inici, fi, p.dinar);
        if (refus.isEmpty()) continue;
        MsgBox::show(Tradueix(refus), MsgBox::OK, QString(), MsgBox::NoIcon, this);
        (Conv::minutesOf(inici) ? p.fi : p.inici)->setFocus();
        return false;
    }
    return true;
}

void frmConfiguracio::OKButton_Click()
{
    try {
        if (!comprovaTot()) return;
        const qint16 minuts = Conv::toInt16(txtMinutsCella->text()).value;
        const int inici = *Conv::minutesOf(ComboHoraInici->currentText());
        if (const auto id = Parametres::feinaIncoherent(BD(), inici, minuts)) {
            MsgBox::show(Tradueix(QStringLiteral("Hi ha feines (p.ex. id=")) + QString::number(*id)
                             + Tradueix(QStringLiteral(") amb hora d'inici incoherent amb els paràmetres 'Hora inici:' i 'Tram mínim:'.")),
                         MsgBox::OK, QStringLiteral("ERROR"), MsgBox::NoIcon, this);
            txtMinutsCella->setFocus();
            return;
        }
        if (MsgBox::show(Tradueix(QStringLiteral("Vas a modificar la configuració.")) + QStringLiteral("\r\n")
                             + Tradueix(QStringLiteral("Es reiniciarà l'aplicació. Continuar?")),
                         MsgBox::YesNo, Tradueix(QStringLiteral("AVÍS")), MsgBox::NoIcon, this)
            != MsgBox::Yes)
            return;

        const QDate ultimDia = *Conv::parseTypedDate(txtUltDiaGenerat->text().trimmed());
        const QString idioma = ComboSelIdioma->currentIndex() >= 0 ? Parametres::codiIdioma(ComboSelIdioma->currentText())
                                                                   : G.Idioma;
        const QString P = QStringLiteral("Parametres");
        const QList<Parametres::Clau> claus = {
            {QStringLiteral("General"), QStringLiteral("BaseDades"), valorBaseDades(txtBD->text())},
            {P, QStringLiteral("MinutsCella"), QString::number(minuts)},
            {P, QStringLiteral("HoraInici"), ComboHoraInici->currentText()},
            {P, QStringLiteral("HoraFinal"), ComboHoraFinal->currentText()},
            {P, QStringLiteral("HoresDia"), formaFixa(txtHoresDia->text())},
            {P, QStringLiteral("DissabtesExtra"), iniBool(chkDissabtesExtra->isChecked())},
            {P, QStringLiteral("DiumengesExtra"), iniBool(chkDiumengesExtra->isChecked())},
            {P, QStringLiteral("CalculxHores"), iniBool(chkCalculHoresFetes->isChecked())},
            {P, QStringLiteral("HoraIniciDinar"), ComboHoraIniciDinar->currentText()},
            {P, QStringLiteral("HoraFinalDinar"), ComboHoraFinalDinar->currentText()},
            {P, QStringLiteral("ServeiXecs"), ComboServeiXecs->currentText()},
            {P, QStringLiteral("ValorXec"), formaFixa(txtValorDftXec->text())},
            {P, QStringLiteral("CostHoraXec"), formaFixa(txtCostHoraXec->text())},
            {P, QStringLiteral("MaxXecsMes"), txtNMaxXecsMes->text().trimmed()},
            {P, QStringLiteral("PermetSolaparLlocs"), iniBool(chkPermetSolaparLlocs->isChecked())},
            {P, QStringLiteral("Idioma"), idioma},
            {QStringLiteral("Estat"), QStringLiteral("UltimDiaGen"), iniDate(ultimDia)},
        };
        if (!Parametres::desaTot(iniPath(), claus)) {
            MsgBox::show(Tradueix(QStringLiteral("Error al gravar .ini")), MsgBox::OK, QStringLiteral("ERROR"),
                         MsgBox::NoIcon, this);
            return;
        }
        G.UltimDiaGen = ultimDia;
        G.Reiniciar = true;
        accept();
    } catch (const std::exception& e) {
        MsgBox::error(QString::fromUtf8(e.what()), QStringLiteral("ERROR"), this);
    }
}

void frmConfiguracio::CancelButton_Click()
{
    G.Reiniciar = false;
    reject();
}

QString frmConfiguracio::Selecciona_Fitxer_BD()
{
    // A cancelled choice gives "": it neither repeats an earlier choice (one
    // that may have been refused) nor changes anything.
    return Dialogs::openFileName(this, Tradueix(QStringLiteral("Selecció de Base de Dades")),
                                 QFileInfo(txtBD->text()).path(),
                                 Tradueix(QStringLiteral("Base de dades de Torvanel")) + QStringLiteral(" (*.db)"));
}

void frmConfiguracio::btnSeleccionaBD_Click()
{
    const QString s = Selecciona_Fitxer_BD();
    if (s.isEmpty() || s == txtBD->text()) return;
    if (!GestioBD::esBaseDadesTorvanel(s)) {
        MsgBox::show(Tradueix(QStringLiteral("El fitxer triat no és una base de dades de Torvanel:")) + QStringLiteral("\n") + s,
                     MsgBox::OK, QString(), MsgBox::NoIcon, this);
        return;
    }
    txtBD->setText(s);
}

void frmConfiguracio::btnPurgarBD_Click()
{
    const auto d = Conv::parseTypedDate(txtDataPurgat->text().trimmed());
    if (!d) {
        MsgBox::show(Tradueix(QStringLiteral("Data incorrecta")), MsgBox::OK, QString(), MsgBox::NoIcon, this);
        return;
    }
    if (MsgBox::show(Pregunta(Tradueix(QStringLiteral("Vols esborrar les feines fins al")) + u' ' + Conv::shortDate(*d),
                              QStringLiteral("%1?")),
                     MsgBox::YesNo, Tradueix(QStringLiteral("ESBORRAT DE FEINES")), MsgBox::NoIcon, this)
        != MsgBox::Yes)
        return;
    GestioBD::ResultatPurga r;
    try {
        r = GestioBD::purgaFeines(BD(), *d, Clock::now());
    } catch (const std::exception& e) {
        MsgBox::show(QStringLiteral("Error:") + QString::fromUtf8(e.what()) + QStringLiteral("\n")
                         + Tradueix(QStringLiteral("No s'ha esborrat cap feina.")),
                     MsgBox::OK, QStringLiteral("ERROR"), MsgBox::NoIcon, this);
        return;
    }
    MsgBox::show(QString::number(r.feines) + Tradueix(QStringLiteral(" feines esborrades.")), MsgBox::OK, QString(),
                 MsgBox::NoIcon, this);
    G.AgendaPendent = true;
    G.FacturacioPendent = true;
    G.CompactarBD = true;
}
