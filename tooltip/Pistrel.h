#pragma once

// Pistrel: a hover tooltip for any widget of the program.
//
//   auto* tip = new Pistrel(board);
//   tip->EstablecerPropiedades({.Delay = 0, .ColorFondo = 0xFFFF, .ColorTexto = 0,
//                               .Sombra = true, .EstiloToolTip = EstiloCuadrado});
//   tip->MostrarToolTip(grid, title, text, 0);
//   ...
//   tip->deleteLater();   // also safe from inside the grid's own event handlers
//
// Once shown, the tip appears when the cursor rests on the owner for Delay
// ticks, stays Duracion ticks, and goes away when the cursor leaves the owner
// or presses on it. One tick is TickMs milliseconds of a private timer.

#include "PistrelExport.h"
#include "PistrelTypes.h"

#include <QBasicTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class PistrelHooks;
class PistrelTipWindow;
struct PistrelHookCall;
struct PistrelTipScene;
class QFont;
class QWidget;

class PISTREL_EXPORT Pistrel : public QObject
{
    Q_OBJECT

public:
    static constexpr int TickMs = 10;

    using CursorProvider = std::function<QPoint()>;
    using WidgetAtProvider = std::function<QWidget*(const QPoint&)>;

    explicit Pistrel(QObject* parent = nullptr);
    ~Pistrel() override;

    // Stores the settings the next tip uses. Refuses (false, lastError, nothing
    // changed) a negative Delay or Duracion and an icon size outside 1..256.
    bool EstablecerPropiedades(const PistrelProperties& properties = PistrelProperties());

    // Watches `owner` and arms the tip with this content. cIcon: 0 none, 1..3 the
    // stock icons of ttIcon, any other value none. TransparentAlpha is the opacity
    // in percent, 0..100. Bad arguments: false, lastError, nothing changed.
    // A call while a tip is on screen removes that tip and arms the new content.
    // A scroll area (a table, a list) is watched through its viewport.
    bool MostrarToolTip(QWidget* owner, const QString& title, const QString& text, int cIcon,
                        int TransparentAlpha = 100);

    QString lastError() const { return lastError_; }

    const PistrelProperties& properties() const { return properties_; }
    QWidget* owner() const;
    QString title() const { return title_; }
    QString text() const { return text_; }
    int icon() const { return icon_; }
    int transparency() const { return alpha_; }

    bool isArmed() const { return armed_; }
    bool isTracking() const { return tracking_; }
    bool isShown() const { return shown_; }
    bool isTicking() const { return timer_.isActive(); }
    PistrelTipWindow* tipWindow() const;
    // Window width and content height of the tip for the current content and settings.
    QSize tipSize() const;

    // One tick of the hover; the private timer calls it every TickMs while it runs.
    // Does nothing while the timer is stopped.
    void tick();

    // Where the cursor is and which widget is under it (defaults: QCursor, QApplication).
    void setCursorProvider(CursorProvider provider);
    void setWidgetAtProvider(WidgetAtProvider provider);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void onHook(PistrelHookCall& call);
    void onHookedDestroyed(QObject* object);
    void pointerMoved();
    void pressed();
    void arm();
    void endHover();
    void showTip();
    void destroyTip();
    void startTicking();
    void stopTicking();
    bool overOwner(const QPoint& pos) const;
    QFont tipFont() const;
    PistrelTipScene buildScene(const QPoint& cursor, QPoint& topLeft) const;
    bool refuse(const QString& message);

    PistrelProperties properties_;
    QPointer<QWidget> owner_;
    QPointer<QWidget> surface_;  // the widget that receives the owner's mouse events
    const QObject* surfaceObject_ = nullptr;
    QString title_;
    QString text_;
    int icon_ = 0;
    int alpha_ = 100;

    bool tracking_ = false;
    bool shown_ = false;
    bool armed_ = false;
    int counter_ = 0;
    QPoint position_;

    PistrelHooks* hooks_ = nullptr;
    QPointer<PistrelTipWindow> tip_;
    const QObject* tipObject_ = nullptr;
    QBasicTimer timer_;
    CursorProvider cursor_;
    WidgetAtProvider widgetAt_;
    QString lastError_;
};
