#include "Pistrel.h"

#include "PistrelHooks.h"
#include "PistrelTipLogic.h"
#include "PistrelTipWindow.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimerEvent>
#include <QWidget>

namespace {

const int ownerEvents[] = {QEvent::Enter, QEvent::Leave, QEvent::MouseMove,
                           QEvent::MouseButtonPress, QEvent::MouseButtonDblClick};

}  // namespace

Pistrel::Pistrel(QObject* parent)
    : QObject(parent), properties_(pistrelInitialProperties()),
      hooks_(new PistrelHooks([this](PistrelHookCall& call) { onHook(call); }, this)),
      cursor_([] { return QCursor::pos(); }),
      widgetAt_([](const QPoint& pos) { return QApplication::widgetAt(pos); })
{
    connect(hooks_, &PistrelHooks::hookedObjectDestroyed, this, &Pistrel::onHookedDestroyed);
}

Pistrel::~Pistrel()
{
    stopTicking();
    hooks_->unhookAll();
    tipObject_ = nullptr;
    delete tip_.data();
}

bool Pistrel::refuse(const QString& message)
{
    lastError_ = message;
    return false;
}

bool Pistrel::EstablecerPropiedades(const PistrelProperties& properties)
{
    if (properties.Delay < 0)
        return refuse(tr("El retard del tooltip no pot ser negatiu (%1).").arg(properties.Delay));
    if (properties.Duracion < 0)
        return refuse(tr("La durada del tooltip no pot ser negativa (%1).").arg(properties.Duracion));
    if (properties.TamañoIcono < 1 || properties.TamañoIcono > 256)
        return refuse(tr("La mida de la icona ha d'estar entre 1 i 256 (%1).")
                          .arg(properties.TamañoIcono));
    properties_ = properties;
    lastError_.clear();
    return true;
}

bool Pistrel::MostrarToolTip(QWidget* owner, const QString& title, const QString& text, int cIcon,
                             int TransparentAlpha)
{
    if (!owner)
        return refuse(tr("El tooltip necessita una finestra on mostrar-se."));
    if (TransparentAlpha < 0 || TransparentAlpha > 100)
        return refuse(tr("La transparència ha d'estar entre 0 i 100 (%1).").arg(TransparentAlpha));

    stopTicking();
    destroyTip();
    hooks_->unhookAll();

    owner_ = owner;
    auto* area = qobject_cast<QAbstractScrollArea*>(owner);
    surface_ = area && area->viewport() ? area->viewport() : owner;
    surfaceObject_ = surface_.data();
    title_ = title.isEmpty() ? QStringLiteral(" ") : title;
    text_ = text;
    icon_ = PistrelTip::isStockIcon(cIcon) ? cIcon : 0;
    alpha_ = TransparentAlpha;
    lastError_.clear();
    arm();
    return true;
}

QWidget* Pistrel::owner() const
{
    return owner_.data();
}

PistrelTipWindow* Pistrel::tipWindow() const
{
    return tip_.data();
}

void Pistrel::setCursorProvider(CursorProvider provider)
{
    if (provider)
        cursor_ = std::move(provider);
}

void Pistrel::setWidgetAtProvider(WidgetAtProvider provider)
{
    if (provider)
        widgetAt_ = std::move(provider);
}

void Pistrel::arm()
{
    tracking_ = false;
    shown_ = false;
    counter_ = 0;
    hooks_->hook(surface_);
    for (int type : ownerEvents)
        hooks_->addEvents(surface_, type, PistrelHooks::Before);
    armed_ = true;
    // The cursor may already rest on the owner (the tip is often armed by a click on it).
    pointerMoved();
}

void Pistrel::onHook(PistrelHookCall& call)
{
    // Runs ahead of the owner's own handling and never swallows the event.
    if (!call.before || call.watched != surface_.data())
        return;
    switch (call.event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::MouseMove:
        pointerMoved();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        pressed();
        break;
    default:
        break;
    }
}

void Pistrel::onHookedDestroyed(QObject* object)
{
    if (object == tipObject_) {
        // A tip that is gone for any reason is not shown again until re-armed.
        tipObject_ = nullptr;
        armed_ = false;
        return;
    }
    if (object == surfaceObject_) {
        surfaceObject_ = nullptr;
        stopTicking();
        destroyTip();
        hooks_->unhookAll();
        tracking_ = false;
        shown_ = false;
        armed_ = false;
        counter_ = 0;
    }
}

void Pistrel::pointerMoved()
{
    if (!surface_)
        return;
    const QPoint pos = cursor_();
    if (overOwner(pos)) {
        if (!tracking_) {
            tracking_ = true;
            position_ = pos;
            counter_ = 0;
            startTicking();
        }
        return;
    }
    tracking_ = false;
    // A running timer ends the hover at its next tick; an idle one has nothing left to wait for.
    if (!timer_.isActive())
        endHover();
}

void Pistrel::pressed()
{
    stopTicking();
    destroyTip();
    tracking_ = false;
    counter_ = 0;
    // No tip again before the cursor has left the owner once, when one was shown.
    armed_ = true;
}

void Pistrel::tick()
{
    if (!timer_.isActive())
        return;
    if (!surface_) {
        stopTicking();
        return;
    }
    const QPoint pos = cursor_();

    if (tracking_ && !shown_) {
        const QPoint previous = position_;
        position_ = pos;
        if (previous != pos) {
            counter_ = 0;
        } else if (++counter_ > properties_.Delay) {
            counter_ = 0;
            shown_ = true;
            if (armed_)
                showTip();
            if (!tip_)
                stopTicking();  // nothing to show: idle until the cursor leaves
            return;
        }
    }

    if (!overOwner(pos)) {
        endHover();
        return;
    }
    if (shown_ && !tip_) {
        stopTicking();
        return;
    }
    if (tip_ && counter_ >= properties_.Duracion) {
        destroyTip();
        stopTicking();
        return;
    }
    if (tracking_ && tip_)
        ++counter_;
}

void Pistrel::endHover()
{
    stopTicking();
    destroyTip();
    tracking_ = false;
    shown_ = false;
    counter_ = 0;
}

bool Pistrel::overOwner(const QPoint& pos) const
{
    if (!surface_)
        return false;
    const QWidget* under = widgetAt_(pos);
    return under && (under == surface_.data() || under == owner_.data());
}

QFont Pistrel::tipFont() const
{
    QFont font = QApplication::font();
    if (!properties_.Fuente.isEmpty())
        font.setFamily(properties_.Fuente);
    return font;
}

QSize Pistrel::tipSize() const
{
    const QFont font = tipFont();
    return PistrelTip::contentSize(PistrelTipWindow::measure(font, title_, true),
                                   PistrelTipWindow::measure(font, text_, false), icon_ != 0,
                                   properties_.TamañoIcono, title_.trimmed().isEmpty());
}

PistrelTipScene Pistrel::buildScene(const QPoint& cursor, QPoint& topLeft) const
{
    PistrelTipScene s;
    const QPalette palette = QApplication::palette();
    s.font = tipFont();
    s.backgroundStyle = properties_.EstiloFondo;
    s.background = PistrelTip::resolveColor(properties_.ColorFondo, palette);
    s.textColor = PistrelTip::resolveColor(properties_.ColorTexto, palette);
    s.gradientStart = PistrelTip::resolveColor(properties_.StartDegrade, palette);
    s.gradientEnd = PistrelTip::resolveColor(properties_.EndDegrade, palette);
    s.picture = properties_.ImagenFondo;
    s.title = title_;
    s.text = text_;
    s.icon = icon_;
    s.iconSize = properties_.TamañoIcono;
    s.shadow = properties_.Sombra;
    s.alpha = alpha_;
    s.balloon = properties_.EstiloToolTip != EstiloCuadrado;

    const QSize titleExtent = PistrelTipWindow::measure(s.font, title_, true);
    const QSize textExtent = PistrelTipWindow::measure(s.font, text_, false);
    const bool titleBlank = title_.trimmed().isEmpty();
    const QSize content =
        PistrelTip::contentSize(titleExtent, textExtent, icon_ != 0, s.iconSize, titleBlank);

    // The screen under the cursor, not merely the primary one.
    const QScreen* screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const PistrelTip::Placement place =
        PistrelTip::placeTip(content, cursor, screenRect, s.balloon);

    topLeft = place.window.topLeft();
    s.size = place.window.size();
    s.dx = place.dx;
    s.dy = place.dy;
    s.shape = s.balloon ? PistrelTip::balloonRegion(s.size.width(), s.size.height(),
                                                    place.belowCursor, place.leftOfCursor)
                        : QRegion(QRect(QPoint(0, 0), s.size));
    s.layout = PistrelTip::layoutContent(titleExtent, textExtent, icon_ != 0, s.iconSize,
                                         titleBlank, s.dy);
    return s;
}

void Pistrel::showTip()
{
    QPoint topLeft;
    auto* tip = new PistrelTipWindow(buildScene(cursor_(), topLeft), owner_ ? owner_->window() : nullptr);
    tip->move(topLeft);
    tip_ = tip;
    tipObject_ = tip;
    hooks_->hook(tip);
    tip->show();
}

void Pistrel::destroyTip()
{
    if (PistrelTipWindow* tip = tip_.data()) {
        tip_.clear();
        tip->hide();
        delete tip;  // its hook goes with it (onHookedDestroyed)
    }
}

void Pistrel::startTicking()
{
    if (!timer_.isActive())
        timer_.start(TickMs, Qt::PreciseTimer, this);
}

void Pistrel::stopTicking()
{
    timer_.stop();
}

void Pistrel::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer_.timerId())
        tick();
    else
        QObject::timerEvent(event);
}
