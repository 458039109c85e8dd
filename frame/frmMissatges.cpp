#include "frmMissatges.h"

#include "Globals.h"
#include "Traduccio.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

frmMissatges* g_instancia = nullptr;

// Loads the window when a run starts and passes every step on to it.
class Carregador : public RegistreSink {
public:
    void comenca(const QString& titol) override { frmMissatges::carrega(G.frmPrincipal)->comenca(titol); }
    void afegeix(const QString& text) override
    {
        if (auto* w = frmMissatges::instancia()) w->afegeix(text);
    }
    void acaba() override
    {
        if (auto* w = frmMissatges::instancia()) w->acaba();
    }
};

Carregador& carregador()
{
    static Carregador c;
    return c;
}

// The user's input and the window system's requests (drops, closing).
bool esEntrada(const QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture:
    case QEvent::InputMethod:
        return true;
    case QEvent::Close:
        return e->spontaneous();
    default:
        return false;
    }
}

// The widget an object belongs to: itself, or its nearest widget parent
// (shortcuts and actions).
const QWidget* widgetDe(const QObject* o)
{
    while (o && !o->isWidgetType()) o = o->parent();
    return static_cast<const QWidget*>(o);
}

} // namespace

frmMissatges* frmMissatges::carrega(QWidget* parent)
{
    if (!g_instancia) g_instancia = new frmMissatges(parent);
    return g_instancia;
}

frmMissatges* frmMissatges::instancia() { return g_instancia; }

void frmMissatges::instalaRegistre()
{
    if (!g_instancia) Registre_Missatges::setSink(&carregador());
}

void frmMissatges::descarrega()
{
    delete g_instancia;
}

frmMissatges::frmMissatges(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmMissatges"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("<nom del procés>"));
    resize(553, 460);

    Label1 = new QLabel(Tradueix(QStringLiteral("Missatges:")), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Missatges = new QPlainTextEdit(this);
    Missatges->setObjectName(QStringLiteral("Missatges"));
    Missatges->setReadOnly(true);
    Missatges->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Missatges->setPlainText(QStringLiteral(" \n"));
    Tancar = new QPushButton(Tradueix(QStringLiteral("Tancar")), this);
    Tancar->setObjectName(QStringLiteral("Tancar"));

    auto* l = new QVBoxLayout(this);
    l->addWidget(Label1);
    l->addWidget(Missatges, 1);
    l->addWidget(Tancar, 0, Qt::AlignHCenter);
    connect(Tancar, &QPushButton::clicked, this, &frmMissatges::Tancar_Click);

    anterior_ = Registre_Missatges::sink();
    if (anterior_ == this) anterior_ = nullptr;
    Registre_Missatges::setSink(this);
}

frmMissatges::~frmMissatges()
{
    bloqueja(false);
    if (cursorOcupat_) QApplication::restoreOverrideCursor();
    desconnecta();
}

void frmMissatges::bloqueja(bool on)
{
    if (on == bloquejant_) return;
    bloquejant_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

// During a run, input meant for any window but this one, a box the run
// shows (modal) or a popup is dropped, as a modal window drops it.
bool frmMissatges::eventFilter(QObject* watched, QEvent* event)
{
    if (!esEntrada(event) || watched->isWindowType()) return false;
    const QWidget* w = widgetDe(watched);
    const QWidget* finestra = w ? w->window() : nullptr;
    if (finestra && (finestra == this || finestra->isModal() || finestra->windowType() == Qt::Popup)) return false;
    event->ignore();
    return true;
}

void frmMissatges::desconnecta()
{
    if (Registre_Missatges::sink() == this) Registre_Missatges::setSink(anterior_);
    if (g_instancia == this) g_instancia = nullptr;
}

void frmMissatges::comenca(const QString& titol)
{
    buida();
    setWindowTitle(Tradueix(titol));
    Tancar->setEnabled(false);
    enCurs_ = true;
    bloqueja(true);
    show();
    raise();
    if (!cursorOcupat_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorOcupat_ = true;
    }
    rellotge_.invalidate();
    mostra();
}

void frmMissatges::afegeix(const QString& text)
{
    pendent_ += text;
    // The run keeps the thread busy: show what it wrote now and then, not
    // after every line.
    if (!rellotge_.isValid() || rellotge_.elapsed() >= MilisegonsRepintat) {
        buida();
        mostra();
        rellotge_.start();
    }
}

void frmMissatges::acaba()
{
    buida();
    if (cursorOcupat_) {
        QApplication::restoreOverrideCursor();
        cursorOcupat_ = false;
    }
    QTextCursor c = Missatges->textCursor();
    c.movePosition(QTextCursor::End);
    Missatges->setTextCursor(c);
    Missatges->ensureCursorVisible();
    Tancar->setEnabled(true);
    enCurs_ = false;
    mostra();
    // Only now: input still pending was meant for the time of the run.
    bloqueja(false);
}

void frmMissatges::mostra()
{
    // The run keeps the thread busy; let the window system map and paint
    // the windows. Input to the other windows is dropped (eventFilter), not
    // kept for after the run.
    update();
    QCoreApplication::processEvents();
}

QString frmMissatges::text()
{
    buida();
    return Missatges->toPlainText();
}

void frmMissatges::buida()
{
    if (pendent_.isEmpty()) return;
    pendent_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor c(Missatges->document());
    c.movePosition(QTextCursor::End);
    c.insertText(pendent_);
    pendent_.clear();
    QScrollBar* sb = Missatges->verticalScrollBar();
    sb->setValue(sb->maximum());
}

void frmMissatges::Tancar_Click()
{
    close();
}

void frmMissatges::closeEvent(QCloseEvent* event)
{
    // A run cannot be interrupted: the window stays until it ends.
    if (enCurs_) {
        event->ignore();
        return;
    }
    // Unloaded from now on: the next run loads a fresh window.
    desconnecta();
    event->accept();
}
